#!/usr/bin/env bash
# Fails when a C++ file of the project is not clang-format clean.
set -euo pipefail
cd "$(dirname "$0")/.."
find app cli config driver errors ini moduleops platform sim tests bench \
    \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null |
    xargs -0 -r clang-format --dry-run -Werror
