#!/usr/bin/env bash
# Builds the programs and starts the operator window against the module
# simulator: zan1sim serves a ZAN-1 module on a pseudo-terminal, and COM 1 is
# mapped to it by a zan1ports.ini in the working directory build/run. Without
# a display it shows zan1ctl scanning the bus and a few live values instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build

root="$PWD"
run="$root/build/run"
mkdir -p "$run"
link="$run/zan1sim.pty"
build/sim/zan1sim --link "$link" --realtime >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
printf '[Ports]\r\ncom1 = %s\r\n' "$link" >"$run/zan1ports.ini"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "zan1sim serves a ZAN-1 module at address 1 on COM 1; settings in $run"
    (cd "$run" && "$root/build/app/zan1steuerung")
else
    echo "No display: showing the bus through zan1ctl instead of the window."
    echo "\$ zan1ctl scan"
    (cd "$run" && "$root/build/cli/zan1ctl" scan)
    echo "\$ zan1ctl monitor --count 10"
    (cd "$run" && "$root/build/cli/zan1ctl" monitor --count 10)
fi
