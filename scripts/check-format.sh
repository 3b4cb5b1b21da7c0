#!/usr/bin/env bash
# Fails when a C++ file of the project is not clang-format clean.
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for dir in app bench bridge cli config driver errors moduleops panel platform sim tests tools; do
    [ -d "$dir" ] && dirs+=("$dir")
done
find "${dirs[@]}" \( -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 -r clang-format --dry-run -Werror
