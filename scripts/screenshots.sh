#!/usr/bin/env bash
# Takes screenshots of the real windows under Xvfb into docs/: the main window,
# the info panel, the configuration panel, and the main window connected to
# the simulator with live values, the same in English, and recording them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
command -v import >/dev/null || { echo "needs imagemagick's import"; exit 1; }
scripts/build.sh build
mkdir -p docs
work="$(mktemp -d)"
CLEANUP='rm -rf "$work"'
source scripts/simulator.sh
start_simulator "$work"
shot() {  # shot NAME PANEL WIDTH HEIGHT [SECONDS [LANGUAGE]]
    cat >"$work/run.sh" <<SCRIPT
#!/usr/bin/env bash
cd "$work"
"$PWD/build/tools/panelshow" $2 ${6:-} &
pid=\$!
sleep ${5:-2}
import -window root -crop ${3}x${4}+0+0 +repage "$PWD/docs/$1.png"
kill \$pid
SCRIPT
    chmod +x "$work/run.sh"
    xvfb-run -a -s "-screen 0 1024x768x24" "$work/run.sh"
}
shot main-window main 856 624
shot info-panel about 397 188
shot configuration-panel konfig 412 282
shot live-window live 856 624 12
shot live-window-en live 856 624 12 en
shot recording recording 856 624 12
echo "written: docs/main-window.png docs/info-panel.png docs/configuration-panel.png docs/live-window.png docs/live-window-en.png docs/recording.png"
