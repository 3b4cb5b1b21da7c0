#!/usr/bin/env bash
# System calls per unpaced parameter read over a pty, by kind, for the client
# (the driver) and the simulator's thread. perf trace counts from the kernel's
# tracepoints and barely slows the threads, so their race stays as it is
# (strace would change who waits for whom). Runs of N and 2N reads are
# differenced, so start-up and opening do not count.
#   count-syscalls.sh [N] [BUILD] [DEVICE]
# With DEVICE (another simulator's pty, tcp://HOST:PORT) only the client counts.
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-2000}"
build="${2:-build}"
device="${3:-}"
[ -x "$build/bench/readloop" ] || scripts/build.sh "$build" -DZAN1_BENCHMARKS=ON
count() {
    # perf lists each thread by tid; the client is the process's first thread.
    perf trace -s "$build/bench/readloop" "$1" $device 2>&1 >/dev/null |
        awk '/^ readloop \([0-9]+\)/ {tid = $2; gsub(/[^0-9]/, "", tid); tid += 0
                                      if (!first || tid < first) first = tid}
             tid && $2 ~ /^[0-9]+$/ && $1 ~ /^[a-z_0-9]+$/ {n[tid " " $1] += $2}
             END {for (k in n) {split(k, p, " ")
                  print (p[1] == first ? "client/" : "simulator/") p[2], n[k]}}'
}
one="$(count "$n" | sort)"  # one run after the other, not side by side
two="$(count "$((2 * n))" | sort)"
join -a 1 -a 2 -e 0 -o 0,1.2,2.2 <(echo "$one") <(echo "$two") |
    awk -v n="$n" '{d = ($3 - $2) / n; if (d > 0.005) printf "%-24s %5.2f\n", $1, d
                    split($1, p, "/"); t[p[1]] += d}
                   END {for (s in t) printf "%-24s %5.2f\n", s "/total", t[s]}' | sort
