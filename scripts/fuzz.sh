#!/usr/bin/env bash
# Builds the parameter-file fuzzer with clang (no Qt, its own build directory)
# and runs it over the corpus for a bounded time. FUZZ_SECONDS overrides 60.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-fuzz
seconds=${FUZZ_SECONDS:-60}
mkdir -p "$build/objects" "$build/corpus"

flags=(-std=c++20 -O1 -g -Wall -Wextra -Werror -fno-omit-frame-pointer -I"$root"
       -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
sources=(config/parametersatz.cpp config/ZAN1Func.cpp config/ZAN1Konfig.cpp config/konfigstruktur.cpp
         platform/utf8.cpp driver/parametermap.cpp
         panel/panelhandles.cpp platform/userint/*.cpp platform/ini/*.cpp)
objects=()
for source in "${sources[@]}"; do
    object=$build/objects/$(echo "$source" | tr / _).o
    clang++ "${flags[@]}" -c "$source" -o "$object"
    objects+=("$object")
done
rm -f "$build/libfuzzcore.a"
ar rcs "$build/libfuzzcore.a" "${objects[@]}"
clang++ "${flags[@]}" -fsanitize=fuzzer tests/fuzz/parameterfile_fuzz.cpp \
    "$build/libfuzzcore.a" -o "$build/parameterfile_fuzz"

# New inputs go to the build directory; the checked-in corpus stays as it is.
"$build/parameterfile_fuzz" -max_total_time="$seconds" -max_len=512 \
    "$build/corpus" tests/fuzz/corpus
