#!/usr/bin/env python3
"""Byte-exact check of zan1sim with an independent protocol client.

Usage: check_zan1sim.py PATH-TO-zan1sim
Prints one line per failed case and a final "N passed, M failed";
exits 0 only when every case passed.
"""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import checkrunner  # noqa: E402
from protocol_client import ACK, CAN, CR, NAK, ProtocolClient, frame  # noqa: E402

ZAN1SIM = None
SILENCE = 0.4  # how long "no answer" is watched for

CODES = ["P1", "I1", "D1", "S1", "S5", "H1", "L1", "M1", "F1", "V1", "V5", "M3",
         "P2", "I2", "D2", "S2", "S6", "H2", "L2", "M2", "F2", "V2", "V6", "M4"]
NUMBER = rb"-?\d+(?:\.\d+)?"


class Sim:
    """One zan1sim process; killed on every path out of the with-block."""

    def __init__(self, args=()):
        self.args = list(args)
        self.proc = None
        self.tmp = tempfile.TemporaryDirectory(prefix="zan1sim-peer-")
        self.stopped_on_term = None

    def __enter__(self):
        out = open(os.path.join(self.tmp.name, "stdout"), "wb")
        err = open(os.path.join(self.tmp.name, "stderr"), "wb")
        try:
            self.proc = subprocess.Popen([ZAN1SIM] + self.args, stdin=subprocess.DEVNULL,
                                         stdout=out, stderr=err)
        finally:
            out.close()
            err.close()
        try:
            self.path = self._first_line(5.0)
        except BaseException:
            self.stop()
            raise
        return self

    def _first_line(self, timeout):
        name = os.path.join(self.tmp.name, "stdout")
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            with open(name, "rb") as f:
                data = f.read()
            if b"\n" in data:
                return data.split(b"\n", 1)[0].decode("utf-8", "replace").strip()
            if self.proc.poll() is not None:
                raise AssertionError("zan1sim %s exited %d before printing its path; stderr %r"
                                     % (self.args, self.proc.returncode, self.stderr()))
            time.sleep(0.02)
        raise AssertionError("zan1sim %s printed no path line within %.0f s"
                             % (self.args, timeout))

    def stderr(self):
        try:
            with open(os.path.join(self.tmp.name, "stderr"), "rb") as f:
                return f.read()[-300:]
        except OSError:
            return b""

    def stop(self):
        if self.proc and self.proc.poll() is not None and self.stopped_on_term is None:
            self.stopped_on_term = "exited %d before SIGTERM" % self.proc.returncode
        if self.proc and self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=5)
                self.stopped_on_term = True
            except subprocess.TimeoutExpired:
                self.stopped_on_term = False
                self.proc.kill()
                self.proc.wait(timeout=5)
        self.tmp.cleanup()

    def __exit__(self, *exc):
        self.stop()

    def client(self):
        return ProtocolClient(self.path)


class Bad:
    """Collects mismatches so one case reports all of them at once."""

    def __init__(self):
        self.items = []

    def check(self, cond, msg):
        if not cond:
            self.items.append(msg)

    def equal(self, what, got, want):
        self.check(got == want, "%s: got %r, want %r" % (what, got, want))

    def done(self):
        if self.items:
            raise AssertionError(" | ".join(self.items))


def read_value(c, addr, code):
    """Read a parameter; returns (float or None, raw answer)."""
    ans = c.exchange(frame(addr, code, "R"))
    m = re.fullmatch(b"\x06#%d" % addr + code.encode() + b"R(" + NUMBER + b")\r", ans)
    return (float(m.group(1)) if m else None), ans


# ---------------------------------------------------------------- cases

def case_identification():
    bad = Bad()
    with Sim() as sim, sim.client() as c:
        bad.equal("#1IDR", c.exchange(b"#1IDR\r"), b"\x06#1VEK-ZAN1B-SIM\r")
        # A frame arriving in pieces, as bytes do on a real line.
        c.discard_input()
        c.send(b"#1I")
        time.sleep(0.05)
        c.send(b"DR\r")
        bad.equal("#1IDR in two pieces", c.read_answer(True), b"\x06#1VEK-ZAN1B-SIM\r")
    bad.done()


def case_link_and_realtime():
    bad = Bad()
    with tempfile.TemporaryDirectory(prefix="zan1sim-link-") as tmp:
        link = os.path.join(tmp, "zan1")
        with Sim(["--link", link, "--realtime"]) as sim:
            bad.check(os.path.exists(link), "--link %s not created" % link)
            if os.path.exists(link):
                with ProtocolClient(link) as c:
                    bad.equal("#1IDR via link, realtime", c.exchange(b"#1IDR\r", timeout=2.0),
                              b"\x06#1VEK-ZAN1B-SIM\r")
                    bad.equal("#1S1W2.500 realtime", c.exchange(b"#1S1W2.500\r", timeout=2.0),
                              b"\x06")
    bad.done()


def case_read_all_codes():
    bad = Bad()
    with Sim() as sim, sim.client() as c:
        for code in CODES:
            ans = c.exchange(frame(1, code, "R"))
            text = ans[1:]
            ok = re.fullmatch(b"\x06#1" + code.encode() + b"R" + NUMBER + b"\r", ans)
            bad.check(ok and len(text) <= 19, "#1%sR answered %r" % (code, ans))
    bad.done()


# Valid write texts, in the forms a client sends them.  Modes 3 first, so the
# manipulated values written later are the ones in force.
WRITES = [
    ("M1", "2"), ("M1", "1"), ("M1", "3"), ("M2", "3"),
    ("P1", "12.346"), ("I1", "-150.00"), ("D1", "0.5000"), ("S1", "2.500"),
    ("S5", "1.000"), ("H1", "9.000"), ("L1", "0.500"), ("F1", "250.00"),
    ("V1", "4.000"), ("M3", "0001"),
    ("P2", "1234.6"), ("I2", "10000"), ("D2", "-99999"), ("S2", "10.000"),
    ("S6", "0.000"), ("H2", "10.000"), ("L2", "0.000"), ("F2", "1000.0"),
    ("V2", "7.063"), ("M4", "0000"), ("M3", "0000"), ("P1", "99999"), ("S1", "0.000"),
]


def case_write_and_read_back():
    bad = Bad()
    with Sim() as sim, sim.client() as c:
        for code, text in WRITES:
            ans = c.exchange(frame(1, code, "W", text))
            bad.equal("#1%sW%s" % (code, text), ans, b"\x06")
            value, raw = read_value(c, 1, code)
            if value is None or abs(value - float(text)) > 1e-9 * max(1.0, abs(float(text))):
                bad.items.append("after #1%sW%s read back %r" % (code, text, raw))
    bad.done()


def case_write_rejected():
    bad = Bad()
    rejected = [("S1", "10.001"), ("S2", "-0.001"), ("S5", "11.000"), ("H1", "10.500"),
                ("L2", "-1.000"), ("V2", "10.001"), ("P1", "100000"), ("I2", "-99999.5"),
                ("M1", "4"), ("M2", "0"), ("M3", "0002"), ("F1", "1000.5"), ("F2", "-1.000")]
    with Sim() as sim, sim.client() as c:
        # Manual mode on both channels, so the manipulated values hold still.
        for f in (b"#1M1W3\r", b"#1M2W3\r"):
            bad.equal(repr(f), c.exchange(f), b"\x06")
        for code, text in rejected:
            before, _ = read_value(c, 1, code)
            bad.equal("#1%sW%s" % (code, text), c.exchange(frame(1, code, "W", text)), b"\x15")
            after, raw = read_value(c, 1, code)
            bad.check(before is not None and after == before,
                      "#1%sW%s changed the value: before %r, after %r" % (code, text, before, raw))
        for f in (b"#1V5W1.000\r", b"#1V6W1.000\r", b"#1X1R\r", b"#1S3R\r", b"#1P3W1.0000\r",
                  b"#1Q9W1\r"):
            bad.equal(repr(f), c.exchange(f), b"\x15")
    bad.done()


def case_status():
    bad = Bad()
    with Sim() as sim, sim.client() as c:
        ans = c.exchange(b"#1STR\r")
        bad.check(re.fullmatch(rb"\x06#1STR\$[0-9A-Fa-f]{2}\r", ans), "#1STR answered %r" % ans)
    bad.done()


def case_broadcast():
    bad = Bad()
    with Sim(["--module", "1", "--module", "2=VEK-ZAN1B-TWO"]) as sim, sim.client() as c:
        bad.equal("#2IDR", c.exchange(b"#2IDR\r"), b"\x06#2VEK-ZAN1B-TWO\r")
        bad.equal("#9S1W3.000 (no answer)", c.exchange(b"#9S1W3.000\r", timeout=SILENCE), b"")
        bad.equal("#9P2W12.346 (no answer)", c.exchange(b"#9P2W12.346\r", timeout=SILENCE), b"")
        for addr in (1, 2):
            value, raw = read_value(c, addr, "S1")
            bad.check(value == 3.0, "#%dS1R after #9S1W3.000 answered %r" % (addr, raw))
            value, raw = read_value(c, addr, "P2")
            bad.check(value == 12.346, "#%dP2R after #9P2W12.346 answered %r" % (addr, raw))
        bad.equal("#9IDR (no answer)", c.exchange(b"#9IDR\r", timeout=SILENCE), b"")
    bad.done()


def case_absent_and_foreign():
    bad = Bad()
    with Sim(["--foreign", "3=OTHER-DEVICE"]) as sim, sim.client() as c:
        for f in (b"#4IDR\r", b"#4S1R\r", b"#4S1W1.000\r", b"#3S1R\r", b"#3STR\r",
                  b"#3S1W1.000\r"):
            bad.equal("%r (no answer)" % f, c.exchange(f, timeout=SILENCE), b"")
        bad.equal("#3IDR", c.exchange(b"#3IDR\r"), b"\x06#3OTHER-DEVICE\r")
        bad.equal("#1IDR beside a foreign device", c.exchange(b"#1IDR\r"),
                  b"\x06#1VEK-ZAN1B-SIM\r")
    bad.done()


def case_faults():
    bad = Bad()
    kinds = ["silent", "nak", "can", "garbled", "cut", "highbit"]
    args = []
    for i, kind in enumerate(kinds, start=1):
        args += ["--module", "%d=VEK-ZAN1B-F%d" % (i, i), "--fault", "%d:%s" % (i, kind)]
    args += ["--module", "7=VEK-ZAN1B-OK"]
    with Sim(args) as sim, sim.client() as c:
        for i, kind in enumerate(kinds, start=1):
            id_text = b"#%dVEK-ZAN1B-F%d\r" % (i, i)
            for f in (frame(i, "ID", "R"), frame(i, "S1", "R"), frame(i, "S1", "W", "1.000")):
                is_read = f[4:5] == b"R"
                ans = c.exchange(f, timeout=SILENCE if kind == "silent" else 1.0)
                what = "--fault %d:%s, %r answered %r" % (i, kind, f, ans)
                if kind == "silent":
                    bad.check(ans == b"", what)
                elif kind == "nak":
                    bad.check(ans == bytes([NAK]), what)
                elif kind == "can":
                    bad.check(ans == bytes([CAN]), what)
                elif kind == "garbled":
                    # Any corruption will do, as long as a checking client must
                    # refuse it: a foreign first byte, or ACK with a wrong text.
                    good = {b"ID": rb"\x06" + re.escape(id_text),
                            b"S1": rb"\x06#%dS1R" % i + NUMBER + rb"\r"}[f[2:4]]
                    if not is_read:
                        bad.check(ans != b"" and ans[0] not in (ACK, NAK, CAN), what)
                    else:
                        bad.check(ans != b"" and ans[0] not in (NAK, CAN)
                                  and not re.fullmatch(good, ans), what)
                elif kind == "cut" and is_read:
                    text = ans[1:]
                    if f[2:4] == b"ID":
                        fits = id_text.startswith(text) and len(text) < len(id_text)
                    else:  # the value is unknown: a prefix of "#5S1R" and digits
                        fits = (re.fullmatch(rb"#%dS1R[-0-9.]*" % i, text)
                                or (b"#%dS1R" % i).startswith(text))
                    bad.check(ans[:1] == bytes([ACK]) and CR not in text and fits, what)
                elif kind == "highbit":
                    bad.check(any(b >= 0x80 for b in ans), what)
        bad.equal("#7IDR beside faulty modules", c.exchange(b"#7IDR\r"),
                  b"\x06#7VEK-ZAN1B-OK\r")
        bad.equal("#7S1W1.000 beside faulty modules", c.exchange(b"#7S1W1.000\r"), b"\x06")
    bad.done()


def case_actual_value_follows_setpoint():
    bad = Bad()
    with Sim() as sim, sim.client() as c:
        bad.equal("#1M1W1", c.exchange(b"#1M1W1\r"), b"\x06")
        bad.equal("#1F1W1000.0", c.exchange(b"#1F1W1000.0\r"), b"\x06")
        start, raw = read_value(c, 1, "V5")
        if start is None:
            raise AssertionError("#1V5R answered %r" % raw)
        target = 9.0 if start < 5.0 else 1.0
        bad.equal("#1S1W%.3f" % target, c.exchange(b"#1S1W%.3f\r" % target), b"\x06")
        trace = [start]
        deadline = time.monotonic() + 8.0
        reached = False
        while time.monotonic() < deadline:
            time.sleep(0.25)
            value, raw = read_value(c, 1, "V5")
            if value is None:
                bad.items.append("#1V5R answered %r" % raw)
                break
            trace.append(value)
            if abs(value - target) <= 0.5 * abs(start - target):
                reached = True
                break
        bad.check(reached, "istwert1 did not get halfway from %.3f to setpoint %.3f in 8 s: %s"
                  % (start, target, ["%.3f" % v for v in trace]))
    bad.done()


def case_stops_on_sigterm():
    sim = Sim()
    with sim:
        pass
    if sim.stopped_on_term is False:
        raise AssertionError("zan1sim still running 5 s after SIGTERM")
    if sim.stopped_on_term is not True:
        raise AssertionError("zan1sim %s" % sim.stopped_on_term)


if __name__ == "__main__":
    sys.exit(checkrunner.main(sys.argv, "zan1sim", globals(), "ZAN1SIM"))
