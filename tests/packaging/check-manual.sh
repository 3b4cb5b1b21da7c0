#!/bin/sh
# check-manual.sh PROGRAM PAGE: every option and command PROGRAM's --help names,
# and every word of its lines indented by four (zan1ctl's parameter names), is
# in its manual page, and the page renders without a warning.
set -eu
program=$1
page=$2
command -v man >/dev/null || exit 77
status=0
for word in $("$program" --help | grep -oE -- '--[a-z][a-z-]*|^  [a-z]+' | sort -u); do
    # roff writes a hyphen of an option as \-
    pattern=$(printf '%s' "$word" | sed 's/-/\\\\-/g')
    if ! grep -q -- "$pattern" "$page"; then
        echo "$page does not name $word"
        status=1
    fi
done
for word in $("$program" --help | grep -E '^    [A-Za-z]' | tr -s ' ' '\n' | sort -u); do
    if ! grep -qw -- "$word" "$page"; then
        echo "$page does not name $word"
        status=1
    fi
done
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings"
    status=1
fi
exit $status
