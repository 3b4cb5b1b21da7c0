#!/usr/bin/env bash
# Builds the fuzz targets tests/fuzz/*_fuzz.cpp with clang in one instrumented
# build (build-fuzz/lib) and runs each over its corpus
# tests/fuzz/corpus/<target> for FUZZ_SECONDS (default 20) seconds.
# FUZZ_TARGETS picks targets; arguments go to libFuzzer. New inputs land in
# build-fuzz/corpus/<target>; "scripts/fuzz.sh --merge" adds those that reach
# new edges (hit counts aside, to keep it small) to the checked-in corpus
# instead of fuzzing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-20}
read -r -a targets <<<"${FUZZ_TARGETS:-parameterfile driver simbus settings bridge}"
merge=0
if [ "${1:-}" = --merge ]; then merge=1; shift; fi

flags="-O1 -g -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
cmake -S . -B "$build/lib" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE= \
    -DCMAKE_CXX_FLAGS="$flags" -DBUILD_TESTING=OFF -DZAN1_CORE_ONLY=ON -DZAN1_FUZZ=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
for target in "${targets[@]}"; do
    cmake --build "$build/lib" --target "${target}_fuzz"
    cp "$build/lib/tests/fuzz/${target}_fuzz" "$build/${target}_fuzz"
done

for target in "${targets[@]}"; do
    corpus=$root/tests/fuzz/corpus/$target
    mkdir -p "$build/corpus/$target"
    # Settings files need more than the reader's 2048-byte chunk; shorter inputs run faster.
    # A bridge configuration with all eight lines and their scalings needs about 1 KiB.
    case $target in settings) length=4096 ;; simbus | bridge) length=1024 ;; *) length=512 ;; esac
    # A target may change directory while it runs: every path is absolute.
    options=(-max_len=$length -timeout=10 -artifact_prefix="$build/")
    [ -f "$root/tests/fuzz/$target.dict" ] && options+=(-dict="$root/tests/fuzz/$target.dict")
    if [ $merge = 1 ]; then
        "$build/${target}_fuzz" -merge=1 -use_counters=0 "${options[@]}" "$corpus" \
            "$build/corpus/$target" "$@"
    else
        echo "== $target"
        "$build/${target}_fuzz" -max_total_time="$seconds" "${options[@]}" \
            "$build/corpus/$target" "$corpus" "$@"
    fi
done
