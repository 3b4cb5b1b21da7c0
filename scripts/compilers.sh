#!/usr/bin/env bash
# A packager's Release build, tests off, once with GCC and once with clang;
# warnings are errors here as in all our own builds. The clang build makes
# every layer a shared library that must link on its own, so a call to a
# layer above fails here.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
for compiler in g++ clang++; do
    dir="build-release-$compiler"
    layers=()
    if [ "$compiler" = clang++ ]; then
        layers=(-DBUILD_SHARED_LIBS=ON -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-undefined)
    fi
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${layers[@]}" >/dev/null
    if ! cmake --build "$dir" -j "$(nproc)" >"$dir.log" 2>&1; then
        cat "$dir.log"
        exit 1
    fi
    echo "Release build with $compiler${layers[*]:+, one shared library per layer}: ok"
done
