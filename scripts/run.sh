#!/usr/bin/env bash
# Builds the programs and starts the operator window against the module
# simulator: zan1sim serves a ZAN-1 module on a pseudo-terminal, and COM 1 is
# mapped to it by a zan1ports.ini in the working directory build/run. Without
# a display it shows zan1ctl scanning the bus and a few live values instead.
# Arguments go to the window, e.g. --language en.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build

root="$PWD"
run="$root/build/run"
mkdir -p "$run"
source scripts/simulator.sh
start_simulator "$run"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "zan1sim serves a ZAN-1 module at address 1 on COM 1; settings in $run"
    (cd "$run" && "$root/build/app/zan1steuerung" "$@")
else
    echo "No display: showing the bus through zan1ctl instead of the window."
    echo "\$ zan1ctl scan"
    (cd "$run" && "$root/build/cli/zan1ctl" scan)
    echo "\$ zan1ctl monitor --count 10"
    (cd "$run" && "$root/build/cli/zan1ctl" monitor --count 10)
fi
