#!/usr/bin/env bash
# Builds the programs and shows them working without hardware: starts the module
# simulator on a pseudo-terminal, scans the bus with zan1ctl and prints a few
# live actual values.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build

link="$(mktemp -u /tmp/zan1sim.XXXXXX)"
build/sim/zan1sim --link "$link" >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done

echo "zan1sim is serving a ZAN-1 module at address 1 on $link"
echo "\$ zan1ctl --device $link scan"
build/cli/zan1ctl --device "$link" scan
echo "\$ zan1ctl --device $link monitor --count 10"
build/cli/zan1ctl --device "$link" monitor --count 10
