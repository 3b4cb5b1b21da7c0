#!/usr/bin/env bash
# Windows: cross-builds the library, zan1ctl.exe and the tests that run on
# Windows with mingw-w64, runs those tests under wine, drives zan1ctl.exe over
# COM1 (wine's COM1 is zan1sim's pseudo-terminal) and checks that its output and
# the bytes it puts on the line are the Linux zan1ctl's; then packs zan1ctl.exe
# and a README into build-windows/zan1ctl-VERSION-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh g++-mingw-w64-x86-64-posix wine64 zip googletest gcc libc6-dev

win=build-windows
toolchain=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release)

# The Linux simulator and zan1ctl to compare with.
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
fi
cmake --build build -j "$(nproc)" --target zan1sim zan1ctl >/dev/null

# GoogleTest for mingw, from the sources Debian ships; built once.
gtest=$root/$win/googletest
if [ ! -f "$gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
    cmake -S /usr/src/googletest -B "$win/googletest-build" "${toolchain[@]}" -DBUILD_GMOCK=OFF \
        -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
    cmake --build "$win/googletest-build" -j "$(nproc)" --target install >/dev/null
fi
cmake -S . -B "$win" "${toolchain[@]}" -DZAN1_CORE_ONLY=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DGTest_DIR="$gtest/lib/cmake/GTest" >/dev/null
cmake --build "$win" -j "$(nproc)" >/dev/null
exe=$root/$win/cli/zan1ctl.exe
version=$(build/cli/zan1ctl --version | cut -d' ' -f2)

# Wine without a display, in a prefix of our own.
export PATH="/usr/lib/wine:$PATH" WINEPREFIX="$root/$win/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
gcc -shared -fPIC -O2 -Wall -Wextra -Werror -o "$win/winecomport.so" tests/windows/winecomport.c -ldl
wine() { LD_PRELOAD="$root/$win/winecomport.so" wine64 "$@" </dev/null; }
# The wine services started with the first program inherit its output, so
# they are started here, where that leads nowhere; wineserver -p keeps them.
start_wine() {
    mkdir -p "$WINEPREFIX"
    LD_PRELOAD="$root/$win/winecomport.so" wineserver -p >/dev/null 2>&1
    wine wineboot "$@" >/dev/null 2>&1
}
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
if [ -f "$WINEPREFIX/system.reg" ]; then start_wine; else start_wine -i; fi

for test in "$win"/tests/windows/*_test.exe; do
    name=$(basename "$test" .exe)
    if ! wine "$test" >"$test.log" 2>&1; then
        cat "$test.log"
        echo "FAILED under wine: $test" >&2
        exit 1
    fi
    echo "under wine: $name: $(grep -E '^\[  PASSED  \]' "$test.log" | tr -d '\r')"
done

# One bus: a module at 1, one answering NAK at 2, a silent one at 3, one whose
# answers name another address at 4, none at 5..8.
run=$root/$win/run
rm -rf "$run"
mkdir -p "$run"
cd "$run"
"$root/build/sim/zan1sim" --link com1 --module 1 --module 2 --module 3 --module 4 \
    --fault 2:nak --fault 3:silent --fault 4:garbled >sim.out &
simulator=$!
trap 'kill "$simulator" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e com1 ] && break; sleep 0.1; done
wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$run/com1" /f >/dev/null 2>&1
wineserver -k 2>/dev/null || true
start_wine

failures=0
# Runs zan1ctl with ARGS on Linux and under wine, on the devices below; output
# and exit status must match.
linux_device=(--device com1)
windows_device=()
same() {
    local linux windows
    linux=$("$root/build/cli/zan1ctl" "${linux_device[@]}" --trace linux.trace "$@" 2>&1
        echo "exit $?")
    windows=$(wine "$exe" "${windows_device[@]}" --trace windows.trace "$@" 2>&1 | tr -d '\r'
        echo "exit ${PIPESTATUS[0]}")
    if [ "$linux" != "$windows" ]; then
        printf 'zan1ctl %s differs:\n--- Linux\n%s\n--- Windows\n%s\n' "$*" "$linux" "$windows"
        failures=$((failures + 1))
    fi
}
same id
same get P1 I1 soll1 betriebsart2
same set soll1=2.5 P2=1.25
same get soll1 P2
# The status bits follow the simulated ramp and output, which move between the
# two runs; in manual operation on both channels they stand still.
same set betriebsart1=3 betriebsart2=3
same status
same scan
same --address 2 id
same --address 2 set soll1=1
same --address 3 get soll1
same --address 4 get soll1 P2
same --address 5 status
same --english --address 3 id

# The same bus behind ser2net as a serial device server.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
printf 'connection: &zan1\n  accepter: tcp,127.0.0.1,%s\n  connector: serialdev,%s,9600o71,local\n' \
    "$port" "$run/com1" >ser2net.yaml
ser2net -n -c ser2net.yaml -P "$run/ser2net.pid" >ser2net.out 2>&1 &
server=$!
trap 'kill "$simulator" "$server" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
linux_device=(--device "tcp://127.0.0.1:$port")
windows_device=("${linux_device[@]}")
for _ in $(seq 50); do
    "$root/build/cli/zan1ctl" "${linux_device[@]}" id >/dev/null 2>&1 && break
    sleep 0.1
done
same id
same set soll1=1.5
same get soll1 P2
same --address 2 status
same --address 3 id
kill "$server"
wait "$server" 2>/dev/null || true
same id  # refused
linux_device=(--device tcp://nohost.invalid:1)
windows_device=("${linux_device[@]}")
same id

# Time and device name aside, the lines must carry the same bytes.
if ! diff <(cut -d' ' -f3- linux.trace) <(cut -d' ' -f3- windows.trace); then
    echo "zan1ctl.exe put other bytes on the line than zan1ctl" >&2
    failures=$((failures + 1))
fi

# Reasons from the system: a port that is not there, and one another program holds.
expect() {
    local want=$1
    shift
    local got
    got=$(wine "$exe" "$@" 2>&1 | tr -d '\r' || true)
    if [[ "$got" != *"$want"* ]]; then
        printf 'zan1ctl %s: expected "%s", got:\n%s\n' "$*" "$want" "$got"
        failures=$((failures + 1))
    fi
}
expect '(\\.\COM9: nicht vorhanden)' --device '\\.\COM9' id
wine "$exe" monitor --count 30 >monitor.csv 2>&1 &
monitor=$!
sleep 1.5
expect '(\\.\COM1: von einem anderen Programm belegt)' id
wait "$monitor"
# 30 polls 0.1 s apart, none waiting for its read timeout.
if [ "$(grep -c '^[0-9]' monitor.csv)" -ne 30 ] ||
    ! tail -1 monitor.csv | awk -F, '{ exit !($1 < 5) }'; then
    echo "zan1ctl.exe monitor: not 30 rows within 5 s:" && cat monitor.csv
    failures=$((failures + 1))
fi

# A file name given on the command line keeps characters the ANSI code page
# lacks: the trace lands under the name typed.
name='Verkehr-äΩ.log'
wine "$exe" --trace "$name" id >/dev/null 2>&1 || true
if [ ! -s "$name" ]; then
    echo "zan1ctl.exe --trace $name: no such file; there are:" && ls
    failures=$((failures + 1))
fi

# The COM ports wine announces, with the numbers zan1ports.ini gives them.
printf '[Ports]\r\ncom3 = \\\\.\\COM1\r\n' >zan1ports.ini
expect '\\.\COM1 -> \Device\Serial0  COM 1 (default), COM 3' ports
rm zan1ports.ini

if [ "$failures" -ne 0 ]; then
    echo "zan1ctl.exe under wine: $failures failure(s)" >&2
    exit 1
fi
echo "zan1ctl.exe under wine: output and line bytes as zan1ctl's ($(wc -l <windows.trace) trace lines)"

cd "$root/$win"
rm -rf zip && mkdir zip
cp cli/zan1ctl.exe zip/
sed 's/$/\r/' "$root/packaging/windows/README.txt" >zip/README.txt
rm -f "zan1ctl-$version-windows.zip"
(cd zip && zip -q -X "../zan1ctl-$version-windows.zip" zan1ctl.exe README.txt)
echo "$win/zan1ctl-$version-windows.zip"
