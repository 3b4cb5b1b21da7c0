#!/usr/bin/env bash
# Soak test: scripts/soak.sh [MINUTES] (default 60). The operator window
# (offscreen, connected to COM 1, polling ten times a second; tools/panelshow
# soak presses "Verbinden" again whenever the connection ends) and a loop of
# zan1ctl monitor run against two module simulators that are killed,
# restarted, silenced and garbled in turn, SOAK_PHASE_SECONDS (10) each.
# Every SOAK_SAMPLE_SECONDS (30) it prints the window's resident memory and
# open descriptors; at the end the failures by error text and the reconnects.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-60}
phase_seconds=${SOAK_PHASE_SECONDS:-10}
sample_seconds=${SOAK_SAMPLE_SECONDS:-30}
scripts/build.sh build >/dev/null
root=$PWD
work=$(mktemp -d)
phases=(none none down none silent none nak none can none garbled none cut none highbit)
declare -A sim=()
window=
ctl_loop=

stop() {  # stop PID: ends a process this script started and reaps it
    [ -n "$1" ] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null || true
}
cleanup() {
    touch "$work/stop"
    stop "$ctl_loop"
    [ -s "$work/ctl.pid" ] && stop "$(cat "$work/ctl.pid")"
    stop "$window"
    for name in "${!sim[@]}"; do stop "${sim[$name]}"; done
    rm -rf "$work"
}
trap cleanup EXIT

# restart_simulator NAME FAULT: the same device path, now with FAULT ("down": none running).
restart_simulator() {
    stop "${sim[$1]:-}"
    sim[$1]=
    [ "$2" = down ] && return
    local fault=()
    [ "$2" = none ] || fault=(--fault "1:$2")
    build/sim/zan1sim --link "$work/$1.pty" --realtime "${fault[@]}" >/dev/null &
    sim[$1]=$!
    for _ in $(seq 50); do [ -e "$work/$1.pty" ] && break; sleep 0.1; done
}

start_window() {
    (cd "$work" && QT_QPA_PLATFORM=offscreen exec "$root/build/tools/panelshow" soak \
        >>"$work/window.log" 2>>"$work/window.err") &
    window=$!
}

# zan1ctl monitor until it fails, again and again; one line per run with its CSV line count.
ctl_monitor_loop() {
    while [ ! -e "$work/stop" ]; do
        "$root/build/cli/zan1ctl" --device "$work/ctl.pty" monitor --interval 0.1 \
            >"$work/ctl.out" 2>>"$work/ctl.err" &
        echo $! >"$work/ctl.pid"
        wait "$!" || true
        wc -l <"$work/ctl.out" >>"$work/ctl.runs"
        sleep 0.5
    done
}

count() { grep -c "$1" "$2" 2>/dev/null || true; }
window_rss() { awk '/^VmRSS/ {print $2}' "/proc/$window/status"; }
window_fds() { ls "/proc/$window/fd" | wc -l; }

restart_simulator window none
restart_simulator ctl none
printf '[Ports]\r\ncom1 = %s\r\n' "$work/window.pty" >"$work/zan1ports.ini"
: >"$work/ctl.runs"
start_window
ctl_monitor_loop &
ctl_loop=$!
window_restarts=0
samples=()

echo "soak: $minutes min, phases of ${phase_seconds} s: ${phases[*]}"
start=$SECONDS
end=$((SECONDS + minutes * 60))
next_sample=$((SECONDS + 5))
for ((i = 0; SECONDS < end; i++)); do
    fault=${phases[i % ${#phases[@]}]}
    restart_simulator window "$fault"
    restart_simulator ctl "$fault"
    for ((s = 0; s < phase_seconds && SECONDS < end; s++)); do
        sleep 1
        if ! kill -0 "$window" 2>/dev/null; then
            wait "$window" && code=0 || code=$?
            echo "window exited with $code, started again"
            window_restarts=$((window_restarts + 1))
            start_window
        fi
        if ((SECONDS >= next_sample)); then
            samples+=("$(window_rss) $(window_fds)")
            printf '%5ds %-8s window: rss %6s kB, %3s fds, %4s connects, %4s failures;' \
                $((SECONDS - start)) "$fault" ${samples[-1]} \
                "$(count '^connected' "$work/window.log")" "$(count '^failed' "$work/window.log")"
            printf ' zan1ctl: %4s runs\n' "$(wc -l <"$work/ctl.runs")"
            next_sample=$((SECONDS + sample_seconds))
        fi
    done
done

echo "== window (tools/panelshow soak, pid $window, restarted $window_restarts times)"
printf '%s\n' "${samples[@]}" | awk '
    NR == 1 {r0 = $1; f0 = $2} {if ($1 > rm) rm = $1; if ($2 > fm) fm = $2; r = $1; f = $2}
    END {printf "rss kB first %d last %d max %d; fds first %d last %d max %d\n", r0, r, rm, f0, f, fm}'
echo "connects: $(count '^connected' "$work/window.log") (the first included)"
echo "failures by text:"
grep '^failed' "$work/window.log" | sort | uniq -c | sort -rn || true
echo "== zan1ctl monitor"
awk '{runs++; if ($1 > 1) data++} END {printf "runs %d, with values %d\n", runs, data}' "$work/ctl.runs"
echo "failures by text:"
sort "$work/ctl.err" | uniq -c | sort -rn || true
