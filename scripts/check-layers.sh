#!/usr/bin/env bash
# Fails when a file includes a folder above its own. Folders of one rank do not
# include each other; tests may include anything. The panels belong to the
# window: below app/ nothing includes panel/ or the user-interface layers.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A rank=(
    [platform]=0 [platform/ini]=1 [platform/userint]=1 [platform/rs232]=2 [platform/qt]=2
    [panel]=3 [driver]=3 [errors]=4 [config]=4 [sim]=4 [moduleops]=5 [app]=6 [cli]=6 [bridge]=6
    [bench]=7 [tools]=7
)
# The folders that may include the window's own layers.
declare -A window=([app]=1 [bench]=1 [tools]=1 [platform/userint]=1 [platform/qt]=1 [panel]=1)

status=0
while IFS= read -r -d '' file; do
    folder=$(dirname "$file")
    own=${rank[$folder]:-}
    if [ -z "$own" ]; then
        echo "$file: folder $folder has no layer" >&2
        status=1
        continue
    fi
    while IFS= read -r included; do
        target=$(dirname "$included")
        [ "$target" = "$folder" ] && continue
        other=${rank[$target]:-}
        if [ -z "$other" ] || [ "$other" -ge "$own" ]; then
            echo "$file includes $included: $target is not below $folder" >&2
            status=1
        fi
        case $target in
            panel | platform/userint | platform/qt)
                if [ -z "${window[$folder]:-}" ]; then
                    echo "$file includes $included: only the window's code may" >&2
                    status=1
                fi
                ;;
        esac
    done < <(sed -n 's/^#include "\([^"]*\/[^"]*\)".*/\1/p' "$file")
done < <(find "${!rank[@]}" -maxdepth 1 \( -name '*.cpp' -o -name '*.h' \) -print0)
exit $status
