#!/usr/bin/env python3
"""zan1ctl against zan1sim, stopped by SIGINT or SIGTERM while it waits.

  stop.py ZAN1CTL ZAN1SIM

A monitor waiting out its interval, and a scan waiting for a silent address,
must end soon after the signal with status 0, without another frame on the
line, and leave the port free for the next program.
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

# (arguments, lines to wait for, what follows them on stdout, frames sent in
# all, seconds allowed after the signal). The signal comes 0.2 s after the
# lines, when the monitor waits for its next poll and the scan for the silent
# address 2, which it finishes: a second's timeout.
CASES = [
    ("monitor --interval 20", 2, b"", 2, 1.0),
    ("scan", 1, b"2 -\n", 2, 2.0),
]


def check(zan1ctl, device, tmp, args, lines, rest, frames, bound, signum):
    trace = os.path.join(tmp, "trace.log")
    proc = subprocess.Popen([zan1ctl, "--device", device, "--trace", trace] + args.split(),
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)
    for _ in range(lines):
        proc.stdout.readline()
    time.sleep(0.2)
    start = time.monotonic()
    proc.send_signal(signum)
    try:
        status = proc.wait(timeout=bound * 10)
    except subprocess.TimeoutExpired:
        proc.kill()
        status = "none, still running"
    took = time.monotonic() - start
    out, err = proc.communicate()
    with open(trace, encoding="ascii") as f:
        sent = sum(" -> " in line for line in f)
    os.remove(trace)
    name = "%s, %s" % (args, signal.Signals(signum).name)
    print("%s: ended %.3f s after the signal" % (name, took), flush=True)
    bad = []
    if took > bound or status != 0 or out != rest or err or sent != frames:
        bad.append("%s: %.3f s, exit %s, then stdout %r, stderr %r, %d frames sent"
                   % (name, took, status, out, err, sent))
    again = subprocess.run([zan1ctl, "--device", device, "id"], capture_output=True, timeout=10)
    if again.returncode != 0:
        bad.append("%s: the port was not free afterwards: %r" % (name, again.stderr))
    return bad


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__)
    zan1ctl, zan1sim = map(os.path.abspath, argv[1:])
    sim = subprocess.Popen([zan1sim], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE)
    bad = []
    try:
        device = sim.stdout.readline().strip().decode()
        with tempfile.TemporaryDirectory() as tmp:
            for case in CASES:
                for signum in (signal.SIGINT, signal.SIGTERM):
                    bad += check(zan1ctl, device, tmp, *case, signum)
    finally:
        sim.terminate()
        sim.wait(timeout=10)
    for text in bad:
        print("FAIL " + text)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
