#!/usr/bin/env bash
# Takes screenshots of the real windows under Xvfb into docs/: the main window,
# the info panel and the configuration panel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
command -v import >/dev/null || { echo "needs imagemagick's import"; exit 1; }
scripts/build.sh build
mkdir -p docs
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
shot() {  # shot NAME PANEL WIDTH HEIGHT
    cat >"$work/run.sh" <<SCRIPT
#!/usr/bin/env bash
cd "$work"
"$PWD/build/tools/panelshow" $2 &
pid=\$!
sleep 2
import -window root -crop ${3}x${4}+0+0 +repage "$PWD/docs/$1.png"
kill \$pid
SCRIPT
    chmod +x "$work/run.sh"
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh"
}
shot main-window main 856 624
shot info-panel about 397 188
shot configuration-panel konfig 412 282
echo "written: docs/main-window.png docs/info-panel.png docs/configuration-panel.png"
