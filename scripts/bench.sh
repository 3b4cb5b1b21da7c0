#!/usr/bin/env bash
# Builds and runs the benchmarks; prints Google Benchmark's report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build
build/bench/transactions_bench "$@"
