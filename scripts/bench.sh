#!/usr/bin/env bash
# Builds and runs the benchmarks: transactions over a pty and in memory, then 600 ticks of
# the poll each plain, with a recording running and with the line traced, then the MQTT
# bridge over 8 simulated lines of 8 modules through a mosquitto broker of its own
# (10 s unpaced, 20 s paced like a 9600-baud line).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DZAN1_BENCHMARKS=ON
build/bench/transactions_bench "$@"
build/bench/tick_bench
build/bench/bridge_bench
