#!/usr/bin/env bash
# Brings i18n/zan1steuerung_en.ts up to date with the texts in the code
# (Fenster::tr and QCoreApplication::translate calls): new texts come in
# marked unfinished for a translator, texts no longer used go. With --check,
# changes nothing and fails when the file is not up to date or a text has no
# finished translation; the tests run that.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)
ts=i18n/zan1steuerung_en.ts
target=$ts
if [ "${1:-}" = --check ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    target=$work/$(basename "$ts")
    cp "$ts" "$target"
fi
"$lupdate" -silent -locations none -no-obsolete -source-language de -target-language en \
    app platform/qt -ts "$target" 2>&1 | grep -v -e "lacks Q_OBJECT" -e "unknown namespace" || true
[ "${1:-}" = --check ] || exit 0
status=0
if grep -q 'type="unfinished"' "$target"; then
    echo "$ts: texts without a finished English translation:" >&2
    grep -B1 'type="unfinished"' "$target" | grep '<source>' >&2
    status=1
fi
if ! cmp -s "$ts" "$target"; then
    echo "$ts is not up to date with the code: run scripts/translations.sh" >&2
    diff "$ts" "$target" >&2 || true
    status=1
fi
exit $status
