#!/usr/bin/env python3
"""Byte-exact check of zan1ctl against the emulated bus.

Usage: check_zan1ctl.py PATH-TO-zan1ctl
Prints one line per failed case and a final "N passed, M failed";
exits 0 only when every case passed.
"""

import ast
import os
import re
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import checkrunner  # noqa: E402
from fake_module import FakeBus, Module  # noqa: E402

ZAN1CTL = None
RUN_TIMEOUT = 15.0

# German and English texts of the messages zan1ctl can report here.
TEXTS = {
    -100: ("Fehler beim öffnen der seriellen Schnittstelle", "Error opening com-port"),
    -400: ("Unzulässige Geräteadresse", "invalid deviceaddress"),
    -401: ("Unzulässiger Parameter", "invalid parameter"),
    -402: ("Fehlermeldung (NAK) vom Gerät erhalten", "Errormessage (NAK) received from device"),
    -403: ("Keine Antwort vom Gerät", "No answer from device"),
    -404: ("Fehlerhafte Antwort vom Gerät", "Wrong answer from device"),
    -405: ("Befehlsausführung momentan nicht möglich (CAN erhalten)",
           "Command not possible at the moment (CAN received)"),
    -500: ("Parameter außerhalb der Grenzwerte", "Parameter out of limits"),
}

# Parameter name -> object code on the wire.
NAME_CODES = [
    ("P1", "P1"), ("I1", "I1"), ("D1", "D1"), ("soll1", "S1"), ("anfangssoll1", "S5"),
    ("max1", "H1"), ("min1", "L1"), ("betriebsart1", "M1"), ("anstiegszeit1", "F1"),
    ("stellgroesse1", "V1"), ("istwert1", "V5"), ("modus1", "M3"),
    ("P2", "P2"), ("I2", "I2"), ("D2", "D2"), ("soll2", "S2"), ("anfangssoll2", "S6"),
    ("max2", "H2"), ("min2", "L2"), ("betriebsart2", "M2"), ("anstiegszeit2", "F2"),
    ("stellgroesse2", "V2"), ("istwert2", "V6"), ("modus2", "M4"),
]


def err_line(code, english=False):
    number = -((-code) // 1000)
    text = TEXTS[number][1 if english else 0]
    return ("zan1ctl: Fehler %d: %s\n" % (-code, text)).encode("utf-8")


class Result:
    def __init__(self, rc, out, err, frames, leftover):
        self.rc, self.out, self.err = rc, out, err
        self.frames, self.leftover = frames, leftover


def run(modules, args, timeout=RUN_TIMEOUT):
    """Run zan1ctl on a fresh fake bus; frames are taken from the bus log."""
    with tempfile.TemporaryDirectory(prefix="zan1ctl-peer-") as tmp:
        log = os.path.join(tmp, "frames.log")
        with FakeBus(modules, log) as bus:
            rc, out, err = bus.run_client([ZAN1CTL, "--device", bus.path] + args, timeout)
            leftover = bus.leftover()
        frames = []
        if os.path.exists(log):
            with open(log, encoding="ascii") as f:
                frames = [ast.literal_eval(line) for line in f.read().splitlines()]
    return Result(rc, out, err, frames, leftover)


def expect(res, rc=0, out=None, err=b"", frames=None):
    """Collect every mismatch of one run into a single AssertionError."""
    bad = []
    if res.rc is None:
        bad.append("killed after %.0f s (hang)" % RUN_TIMEOUT)
    elif rc is not None and res.rc != rc:
        bad.append("exit %r, want %r" % (res.rc, rc))
    if out is not None and res.out != out:
        bad.append("stdout %r, want %r" % (res.out, out))
    if err is not None and res.err != err:
        bad.append("stderr %r, want %r" % (res.err, err))
    if frames is not None and res.frames != frames:
        bad.append(frame_diff(res.frames, frames))
    if res.leftover:
        bad.append("unterminated bytes sent %r" % res.leftover)
    if bad:
        raise AssertionError("; ".join(bad))


def frame_diff(got, want):
    for i, (g, w) in enumerate(zip(got, want)):
        if g != w:
            return "frame %d sent %r, want %r (sent %r)" % (i + 1, g, w, got)
    return "sent %d frames %r, want %d %r" % (len(got), got, len(want), want)


def mod(**kw):
    return {1: Module("VEK-ZAN1B-TEST", **kw)}


def shortest(text):
    """Shortest decimal that reads back to the same double, no trailing .0."""
    s = repr(float(text))
    return s[:-2] if s.endswith(".0") else s


# ---------------------------------------------------------------- cases

def case_scan():
    bus = {
        1: Module("VEK-ZAN1B-0001", faults={"*": "nak"}),
        2: Module("VEK-ZAN1B-0002"),
        3: Module("OTHER-DEVICE", foreign=True),
        4: Module(faults={"*": "silent"}),
        5: Module("VEK-ZAN1B-0005"),
        6: Module(faults={"*": "can"}),
        7: Module(faults={"*": "garbage"}),
        8: Module("VEK-ZAN1B-0008", faults={"*": "wrongaddr"}),
    }
    res = run(bus, ["scan"])
    expect(res, out=b"1 -\n2 VEK-ZAN1B-0002\n3 OTHER-DEVICE\n4 -\n5 VEK-ZAN1B-0005\n"
                    b"6 -\n7 -\n8 -\n",
           frames=[b"#%dIDR\r" % a for a in range(1, 9)])


def case_id():
    expect(run(mod(), ["id"]), out=b"VEK-ZAN1B-TEST\n", frames=[b"#1IDR\r"])
    expect(run({5: Module("VEK-ZAN1B-FIVE")}, ["--address", "5", "id"]),
           out=b"VEK-ZAN1B-FIVE\n", frames=[b"#5IDR\r"])
    longest = "VEK-ZAN1B-" + "X" * 16  # 26 characters still fit with CR
    expect(run({1: Module(longest)}, ["id"]), out=longest.encode() + b"\n",
           frames=[b"#1IDR\r"])


def case_id_malformed():
    too_long = "VEK-ZAN1B-" + "X" * 17
    expect(run({1: Module(too_long)}, ["id"]), rc=1, out=b"", err=err_line(-404014),
           frames=[b"#1IDR\r"])
    expect(run(mod(faults={"*": "wrongaddr"}), ["id"]), rc=1, out=b"",
           err=err_line(-404014), frames=[b"#1IDR\r"])
    blank = {b"#1IDR\r": b"\x06#1VEK ZAN1\r"}
    expect(run(mod(overrides=blank), ["id"]), rc=1, out=b"", err=err_line(-404014),
           frames=[b"#1IDR\r"])


def case_id_bad_address():
    for a in ("0", "9"):
        expect(run(mod(), ["--address", a, "id"]), rc=1, out=b"",
               err=err_line(-400005), frames=[])


def case_id_silent():
    expect(run(mod(faults={"*": "silent"}), ["id"]), rc=1, out=b"",
           err=err_line(-403011), frames=[b"#1IDR\r"])


def case_get_value_forms():
    values = {"S1": "2.500", "P1": "-150.00", "I1": "10000", "V5": "0.000", "D1": "0",
              "P2": "12.346", "S2": "0.125", "F1": "1000.0"}
    names = ["soll1", "P1", "I1", "istwert1", "D1", "P2", "soll2", "anstiegszeit1"]
    res = run(mod(params=values), ["get"] + names)
    expect(res, out=b"soll1=2.5\nP1=-150\nI1=10000\nistwert1=0\nD1=0\nP2=12.346\n"
                    b"soll2=0.125\nanstiegszeit1=1000\n",
           frames=[b"#1S1R\r", b"#1P1R\r", b"#1I1R\r", b"#1V5R\r", b"#1D1R\r",
                   b"#1P2R\r", b"#1S2R\r", b"#1F1R\r"])


def case_get_all_names():
    # A distinct value per code shows that every name maps to its own code.
    values = {code: "%d.%03d" % (i + 1, 125 * (i % 8)) for i, (_, code) in enumerate(NAME_CODES)}
    names = [n for n, _ in NAME_CODES]
    res = run({3: Module(params=values)}, ["--address", "3", "get"] + names)
    want = "".join("%s=%s\n" % (n, shortest(values[c])) for n, c in NAME_CODES).encode()
    expect(res, out=want, frames=[b"#3" + c.encode() + b"R\r" for _, c in NAME_CODES])


def case_get_answer_length_limit():
    # "#1S1R" + 13 characters + CR is exactly the 19 bytes a read takes in.
    fits = {b"#1S1R\r": b"\x06#1S1R1.00000000000\r"}
    expect(run(mod(overrides=fits), ["get", "soll1"]), out=b"soll1=1\n",
           frames=[b"#1S1R\r"])
    too_long = {b"#1S1R\r": b"\x06#1S1R1.000000000000\r"}
    expect(run(mod(overrides=too_long), ["get", "soll1"]), rc=1, out=b"",
           err=err_line(-404055), frames=[b"#1S1R\r"])


def case_get_flushes_stale_bytes():
    # A stray byte after an answer must be discarded before the next command.
    res = run(mod(params={"S1": "2.500", "S2": "7.000"}, faults={"S1": "stale"}),
              ["get", "soll1", "soll2"])
    expect(res, out=b"soll1=2.5\nsoll2=7\n", frames=[b"#1S1R\r", b"#1S2R\r"])


def case_get_refused_before_sending():
    expect(run(mod(), ["get", "Soll1"]), rc=1, out=b"", err=err_line(-401045), frames=[])
    expect(run(mod(), ["--address", "9", "get", "soll1"]), rc=1, out=b"",
           err=err_line(-400044), frames=[])


def case_get_failures():
    cases = [
        ({"*": "nak"}, None, -402050),
        ({"*": "can"}, None, -405051),
        ({"*": "garbage"}, None, -404053),
        ({"*": "highbit"}, None, -403052),
        ({"*": "highbit_text"}, None, -404054),
        ({"*": "wrongaddr"}, None, -404055),
        (None, {b"#1S1R\r": b"\x06#1S2R2.500\r"}, -404055),
        (None, {b"#1S1R\r": b"\x06#1S1R2.5x\r"}, -404055),
        (None, {b"#1S1R\r": b"\x06#1S1R\r"}, -404055),
    ]
    bad = []
    for faults, overrides, code in cases:
        res = run(mod(faults=faults, overrides=overrides), ["get", "soll1"])
        try:
            expect(res, rc=1, out=b"", err=err_line(code), frames=[b"#1S1R\r"])
        except AssertionError as e:
            bad.append("[%s] %s" % (faults or overrides, e))
    if bad:
        raise AssertionError(" | ".join(bad))


def case_get_cut_answer():
    expect(run(mod(faults={"*": "cut"}), ["get", "soll1"]), rc=1, out=b"",
           err=err_line(-404054), frames=[b"#1S1R\r"])


def case_english():
    expect(run(mod(faults={"*": "nak"}), ["--english", "get", "soll1"]), rc=1, out=b"",
           err=err_line(-402050, english=True), frames=[b"#1S1R\r"])
    expect(run(mod(), ["--english", "set", "soll1=11"]), rc=1,
           err=err_line(-500028, english=True), frames=[])


def _set_frames(assignments, want_values, address="1"):
    names = dict(NAME_CODES)
    res = run({1: Module()}, ["--address", address, "set"] + assignments)
    want = [b"#" + address.encode() + names[a.split("=")[0]].encode() + b"W" + v.encode()
            + b"\r" for a, v in zip(assignments, want_values)]
    expect(res, rc=0, err=b"", frames=want)


def case_set_controller_share():
    _set_frames(["P1=2.5", "P1=12.34567", "P1=-150", "P1=1234.56", "P1=10000",
                 "I2=9.99996", "D1=-99999", "D2=99999", "P2=0", "I1=100", "D1=99.99",
                 "P2=-2.5"],
                ["2.5000", "12.346", "-150.00", "1234.6", "10000", "10.0000", "-99999",
                 "99999", "0.0000", "100.00", "99.990", "-2.5000"])


def case_set_three_decimals():
    _set_frames(["soll1=2.5", "soll2=0", "soll2=10", "anfangssoll1=1.2346",
                 "anfangssoll2=3", "max1=9.5", "min1=0.25", "max2=10", "min2=0",
                 "stellgroesse1=4", "stellgroesse2=7.0626"],
                ["2.500", "0.000", "10.000", "1.235", "3.000", "9.500", "0.250", "10.000",
                 "0.000", "4.000", "7.063"])


def case_set_ramp_mode_hex():
    _set_frames(["anstiegszeit1=250", "anstiegszeit1=1000", "anstiegszeit2=99.5",
                 "anstiegszeit2=0", "anstiegszeit1=100", "betriebsart1=3",
                 "betriebsart2=2", "betriebsart1=1", "modus2=1", "modus1=0.49",
                 "modus1=0.5", "modus2=0"],
                ["250.00", "1000.0", "99.500", "0.000", "100.00", "3", "2", "1", "0001",
                 "0000", "0001", "0000"])


def case_set_broadcast():
    # Address 9 is never answered: zan1ctl must not wait for an answer.
    _set_frames(["soll1=2.5"], ["2.500"], address="9")
    # Unanswered frames back to back: on a pty an output flush before the next
    # command can discard a frame the bus has not read yet.
    _set_frames(["soll1=2.5", "modus1=1", "soll2=3"], ["2.500", "0001", "3.000"],
                address="9")


def case_set_out_of_range():
    cases = [("soll1=10.001", -500028), ("soll2=-0.001", -500071),
             ("P1=99999.5", -500025), ("betriebsart1=2.5", -500032),
             ("betriebsart2=0", -500075), ("anstiegszeit1=1000.5", -500033),
             ("modus2=1.2", -500079), ("stellgroesse2=11", -500077)]
    bad = []
    for assignment, code in cases:
        res = run(mod(), ["set", assignment])
        try:
            expect(res, rc=1, err=err_line(code), frames=[])
        except AssertionError as e:
            bad.append("[%s] %s" % (assignment, e))
    if bad:
        raise AssertionError(" | ".join(bad))


def case_set_refused_before_sending():
    expect(run(mod(), ["set", "istwert1=1"]), rc=1, err=err_line(-401035), frames=[])
    expect(run(mod(), ["--address", "0", "set", "soll1=1"]), rc=1,
           err=err_line(-400024), frames=[])


def case_set_stops_at_first_failure():
    expect(run(mod(), ["set", "soll1=1", "betriebsart1=4", "soll2=3"]), rc=1,
           err=err_line(-500032), frames=[b"#1S1W1.000\r"])
    expect(run(mod(faults={"P1": "nak"}), ["set", "soll1=1", "P1=2", "soll2=3"]), rc=1,
           err=err_line(-402040), frames=[b"#1S1W1.000\r", b"#1P1W2.0000\r"])


def case_set_answer_faults():
    bad = []
    for kind, code in (("can", -405041), ("garbage", -404043), ("highbit", -403042),
                       ("silent", -403042)):
        res = run(mod(faults={"*": kind}), ["set", "soll2=5"])
        try:
            expect(res, rc=1, err=err_line(code), frames=[b"#1S2W5.000\r"])
        except AssertionError as e:
            bad.append("[%s] %s" % (kind, e))
    if bad:
        raise AssertionError(" | ".join(bad))


def case_status():
    for raw, want in (("1F", b"31 (0x1F)\n"), ("00", b"0 (0x00)\n"), ("a5", b"165 (0xA5)\n")):
        expect(run(mod(status=raw), ["status"]), out=want, frames=[b"#1STR\r"])


def case_status_failures():
    no_mark = {b"#1STR\r": b"\x06#1STR1F\r"}
    expect(run(mod(overrides=no_mark), ["status"]), rc=1, out=b"",
           err=err_line(-404065), frames=[b"#1STR\r"])
    expect(run(mod(faults={"*": "nak"}), ["status"]), rc=1, out=b"",
           err=err_line(-402060), frames=[b"#1STR\r"])


def case_monitor():
    res = run(mod(params={"V5": "3.250", "V6": "7.000"}),
              ["monitor", "--interval", "0.1", "--count", "3"])
    expect(res, out=None, frames=[b"#1V5R\r", b"#1V6R\r"] * 3)
    lines = res.out.decode("utf-8", "replace").split("\n")
    bad = []
    if lines[-1:] != [""]:
        bad.append("output does not end with a newline")
    lines = lines[:-1]
    if lines[:1] != ["t_s,istwert1_V,istwert2_V"]:
        bad.append("header %r" % lines[:1])
    rows = lines[1:]
    if len(rows) != 3:
        bad.append("%d rows, want 3: %r" % (len(rows), rows))
    last = -1.0
    for row in rows:
        cols = row.split(",")
        if len(cols) != 3 or not re.fullmatch(r"\d+\.\d{3}", cols[0]):
            bad.append("row %r" % row)
            continue
        if cols[1:] != ["3.25", "7"]:
            bad.append("values %r, want ['3.25', '7']" % cols[1:])
        t = float(cols[0])
        if t < last:
            bad.append("time goes back in %r" % row)
        last = t
    if bad:
        raise AssertionError("; ".join(bad) + "; stdout %r" % res.out)


def case_monitor_failure():
    res = run(mod(faults={"V6": "nak"}), ["monitor", "--interval", "0.1", "--count", "3"])
    expect(res, rc=1, out=None, err=err_line(-402050), frames=[b"#1V5R\r", b"#1V6R\r"])


def case_open_failure():
    res = Result(*_run_plain(["--device", "/nonexistent/zan1-tty", "id"]), [], b"")
    expect(res, rc=1, out=b"", err=err_line(-100002))


def case_usage_errors():
    bad = []
    for args in ([], ["frobnicate"], ["--bogus", "id"]):
        res = run(mod(), args)
        try:
            expect(res, rc=2, err=None, frames=[])
            if b"zan1ctl" not in res.out + res.err:
                raise AssertionError("no usage text printed")
        except AssertionError as e:
            bad.append("[%s] %s" % (" ".join(args) or "no arguments", e))
    if bad:
        raise AssertionError(" | ".join(bad))


def _run_plain(args):
    with FakeBus({}) as bus:  # only for its bounded process runner
        return bus.run_client([ZAN1CTL] + args, RUN_TIMEOUT)


if __name__ == "__main__":
    sys.exit(checkrunner.main(sys.argv, "zan1ctl", globals(), "ZAN1CTL"))
