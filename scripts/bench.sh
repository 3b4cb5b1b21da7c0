#!/usr/bin/env bash
# Builds and runs the benchmarks: transactions over a pty and in memory, then 600 ticks of
# the poll each plain, with a recording running and with the line traced.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DZAN1_BENCHMARKS=ON
build/bench/transactions_bench "$@"
build/bench/tick_bench
