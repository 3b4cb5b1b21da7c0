#!/usr/bin/env bash
# Builds everything and runs every test. With --sanitize: a separate build with
# AddressSanitizer and UndefinedBehaviorSanitizer; with --threads: one with
# ThreadSanitizer, which must report nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

dir=build
# Our own builds compile the benchmarks too, so they cannot rot unnoticed.
options=(-DZAN1_BENCHMARKS=ON)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    options=(-DCMAKE_BUILD_TYPE=Debug -DZAN1_SANITIZE=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
elif [ "${1:-}" = "--threads" ]; then
    dir=build-tsan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZAN1_TSAN=ON)
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/tests/tsan.supp"
fi
scripts/build.sh "$dir" "${options[@]}"
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)"
