#!/usr/bin/env bash
# Builds the Debian package and checks it as a distribution would: lintian
# without errors, a valid desktop entry and AppStream metainfo, manual pages that
# render, and the unpacked programs running, the window finding its English texts;
# with the bridge, its systemd unit as systemd-analyze verify sees it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh lintian desktop-file-utils appstream dpkg-dev
deb=$(scripts/package.sh)
echo "$deb"

root_option=()
if [ "$(id -u)" -eq 0 ]; then root_option=(--allow-root); fi
lintian "${root_option[@]}" --fail-on error "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
for page in "$unpacked"/usr/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        echo "$page: $warnings"
        exit 1
    fi
done
"$unpacked/usr/bin/zan1ctl" --version
"$unpacked/usr/bin/zan1sim" --help >/dev/null
if [ -e "$unpacked/usr/bin/zan1bridge" ]; then
    "$unpacked/usr/bin/zan1bridge" --version
    unit="$unpacked/lib/systemd/system/zan1bridge.service"
    if command -v systemd-analyze >/dev/null; then
        # verify wants ExecStart's program and the Documentation= page where
        # the unit names them: in the unpacked tree here. An unknown key or bad
        # value is only a warning, and the exit status 0, so any output fails.
        mkdir "$unpacked/verify"
        sed "s|^ExecStart=/|ExecStart=$unpacked/|" "$unit" >"$unpacked/verify/zan1bridge.service"
        if ! verified=$(MANPATH="$unpacked/usr/share/man" \
            systemd-analyze verify "$unpacked/verify/zan1bridge.service" 2>&1) ||
            [ -n "$verified" ]; then
            echo "zan1bridge.service: systemd-analyze verify: $verified"
            exit 1
        fi
        echo "zan1bridge.service: systemd-analyze verify passed"
    else
        echo "systemd-analyze not found: zan1bridge.service not verified"
    fi
fi
english=$(cd "$unpacked" && QT_QPA_PLATFORM=offscreen timeout 3 usr/bin/zan1steuerung --language en 2>&1 || true)
if grep "not installed" <<<"$english"; then exit 1; fi
echo "package checked"
