#!/usr/bin/env python3
"""Independent protocol peers, byte for byte over a pseudo-terminal.

  peer.py zan1sim PATH   a client sends the cases of ../sim/bus_cases.txt to zan1sim
  peer.py zan1ctl PATH   a module answers zan1ctl as zan1ctl_cases.txt says
"""

import os
import pty
import re
import select
import signal
import subprocess
import sys
import tempfile
import time
import tty

HERE = os.path.dirname(os.path.abspath(__file__))
NAMES = {"ACK": b"\x06", "NAK": b"\x15", "CAN": b"\x18", "CR": b"\r", "LF": b"\n"}


def data(text):
    """The byte notation of the case files."""
    return re.sub(rb"<(\w+)>", lambda m: NAMES.get(m[1].decode()) or bytes([int(m[1], 16)]),
                  text.encode()) if text != "-" else b""


def receive(fd, size, wait):
    """What arrives until size bytes are in or wait seconds pass, and what follows within 50 ms."""
    got, end = b"", time.monotonic() + wait
    while select.select([fd], [], [], max(0.0, end - time.monotonic()))[0]:
        got += os.read(fd, 256)
        if len(got) >= size:
            end = min(end, time.monotonic() + 0.05)
    return got


def start(argv):
    return subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)


def check_zan1sim(binary, args, steps):
    args = args.split()
    if steps in ("refused", "usage"):
        proc = subprocess.run([binary] + args, stdin=subprocess.DEVNULL, capture_output=True,
                              timeout=10)
        out, err = proc.stdout, proc.stderr
        if steps == "refused":
            ok = proc.returncode == 2 and not out and re.match(rb"zan1sim: .+\nUsage: zan1sim", err)
        else:
            ok = proc.returncode == 0 and out.startswith(b"Usage: zan1sim") and not err
        return [] if ok else ["exit %s, stdout %r, stderr %r" % (proc.returncode, out, err)]
    bad = []
    with tempfile.TemporaryDirectory() as tmp:
        link = os.path.join(tmp, "zan1")
        os.symlink("/nonexistent", link)  # a stale link, to be replaced when LINK is asked for
        proc = start([binary] + [link if a == "LINK" else a for a in args])
        try:
            printed = proc.stdout.readline().strip().decode()
            if "LINK" in args and os.readlink(link) != printed:
                bad.append("link to %r, path %r" % (os.readlink(link), printed))
            fd = os.open(link if "LINK" in args else printed, os.O_RDWR | os.O_NOCTTY)
            tty.setraw(fd)
            for step in (s.split() for s in steps.split(";")):
                if len(step) != 3:
                    break  # the model's clock and faults are left to the unit test
                want = data(step[2])
                os.write(fd, data(step[0]) + b"\r")
                got = receive(fd, len(want), 1.0 if want else 0.2)
                if got != want:
                    bad.append("%s answered %r, want %r" % (step[0], got, want))
            os.close(fd)
        finally:
            proc.send_signal(signal.SIGTERM)
            try:
                rc = proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                proc.kill()
                rc = "none, still running"
        # zan1sim removes its own link and leaves any other alone.
        if rc != 0 or os.path.lexists(link) == ("LINK" in args):
            bad.append("after SIGTERM: exit %s, link there: %s" % (rc, os.path.lexists(link)))
    return bad


def check_zan1ctl(binary, args, exchanges, status, out, err):
    steps = [s.split("=>") for s in exchanges.split(";") if s.strip()]
    replies = [data(reply.strip()) for _, reply in steps]
    master, terminal = pty.openpty()
    tty.setraw(terminal)
    proc = start([binary, "--device", os.ttyname(terminal)] + args.split())
    frames, pending, end = [], b"", time.monotonic() + 30
    # The i-th frame gets the i-th reply, until zan1ctl has exited and sent nothing for 50 ms.
    while True:
        ready = select.select([master], [], [], 0.05)[0]
        if not ready and (proc.poll() is not None or time.monotonic() > end):
            break
        if ready:
            pending += os.read(master, 256)
        while b"\r" in pending:
            frame, _, pending = pending.partition(b"\r")
            frames.append(frame + b"\r")
            if len(frames) <= len(replies):
                os.write(master, replies[len(frames) - 1])
    if proc.poll() is None:
        proc.kill()
    stdout, stderr = proc.communicate()
    os.close(master)
    os.close(terminal)
    got = (frames + [pending] * bool(pending), proc.returncode, stdout, stderr)
    want = ([data(frame.strip()) + b"\r" for frame, _ in steps], int(status), data(out), data(err))
    return [] if got == want else ["got %r, want %r" % (got, want)]


def main(argv):
    checks = {"zan1sim": (check_zan1sim, "../sim/bus_cases.txt"),
              "zan1ctl": (check_zan1ctl, "zan1ctl_cases.txt")}
    if len(argv) != 3 or argv[1] not in checks:
        sys.exit(__doc__)
    check, name = checks[argv[1]]
    failed = 0
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        lines = [(n, line) for n, line in enumerate(f, 1) if line.strip() and line[0] != "#"]
    for n, line in lines:
        where, fields = "%s:%d" % (os.path.basename(name), n), [p.strip() for p in line.split("|")]
        try:
            bad = check(os.path.abspath(argv[2]), *fields)
        except Exception as e:
            bad = [repr(e)]
        failed += bool(bad)
        for text in bad:
            print("FAIL %s: %s" % (where, text), flush=True)
    print("%d cases, %d failed" % (len(lines), failed))
    return 1 if failed or not lines else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
