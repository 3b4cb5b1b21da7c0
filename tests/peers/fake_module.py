#!/usr/bin/env python3
"""Emulated ZAN-1 bus on a pseudo-terminal.

Used in-process (FakeBus) by the peer checks, or as a script:

  fake_module.py [--log FILE] [--module ADDR[=ID]]... [--foreign ADDR=ID]...
                 [--param ADDR:CODE=TEXT]... [--status ADDR=HEX]...
                 [--fault ADDR[/OBJ]:KIND]...

The script prints the terminal-side path as its first stdout line and
serves until SIGTERM/SIGINT.  Every received frame is appended, as the
repr of its raw bytes, one per line, to the log file.
"""

import os
import pty
import select
import signal
import subprocess
import sys
import time
import tty

ACK = 0x06
NAK = 0x15
CAN = 0x18
CR = 0x0D

# Object code -> initial value text, in the module's read-answer form.
DEFAULT_PARAMS = {
    "P1": "1.0000", "I1": "0.5000", "D1": "0.0000",
    "S1": "0.000", "S5": "0.000", "H1": "10.000", "L1": "0.000",
    "M1": "1", "F1": "10.000", "V1": "0.000", "V5": "0.000", "M3": "0",
    "P2": "1.0000", "I2": "0.5000", "D2": "0.0000",
    "S2": "0.000", "S6": "0.000", "H2": "10.000", "L2": "0.000",
    "M2": "1", "F2": "10.000", "V2": "0.000", "V6": "0.000", "M4": "0",
}
READ_ONLY = {"V5", "V6"}

FAULT_KINDS = (
    "silent",        # no answer at all
    "nak",           # NAK instead of the answer
    "can",           # CAN instead of the answer
    "garbage",       # first byte is neither ACK, NAK nor CAN
    "cut",           # ACK and only the first part of the text, no CR
    "wrongaddr",     # answer text carries another address digit
    "highbit",       # first byte has the top bit set (ACK | 0x80)
    "highbit_text",  # ACK, then a text byte with the top bit set
    "stale",         # normal answer followed by a stray NAK byte
)


class Module:
    """One device on the bus; foreign devices answer only identification."""

    def __init__(self, ident="VEK-ZAN1B-FAKE", params=None, status="00",
                 faults=None, overrides=None, foreign=False):
        self.ident = ident
        self.params = dict(DEFAULT_PARAMS)
        if params:
            self.params.update(params)
        self.status = status
        # Object code ("S1", "ID", "ST") or "*" -> fault kind.
        self.faults = dict(faults or {})
        # Exact received frame -> exact raw reply, bypassing everything.
        self.overrides = dict(overrides or {})
        self.foreign = foreign
        for kind in self.faults.values():
            if kind not in FAULT_KINDS:
                raise ValueError("unknown fault kind %r" % kind)

    def fault_for(self, obj):
        return self.faults.get(obj, self.faults.get("*"))


def apply_fault(kind, addr, first, text):
    """Turn a well-formed reply (first byte, answer text) into a faulty one."""
    if kind is None:
        return bytes([first]) + text
    if kind == "silent":
        return b""
    if kind == "nak":
        return bytes([NAK])
    if kind == "can":
        return bytes([CAN])
    if kind == "garbage":
        return b"?" + text
    if kind == "cut":
        # A write answer is one byte only: cutting it leaves nothing.
        return bytes([first]) + text[: len(text) // 2] if text else b""
    if kind == "wrongaddr":
        if not text:
            return bytes([first])
        other = b"%d" % (addr % 8 + 1)
        return bytes([first]) + text[:1] + other + text[2:]
    if kind == "highbit":
        return bytes([first | 0x80]) + text
    if kind == "highbit_text":
        if not text:
            return bytes([first | 0x80])
        return bytes([first]) + text[:1] + bytes([text[1] | 0x80]) + text[2:]
    if kind == "stale":
        return bytes([first]) + text + bytes([NAK])
    raise ValueError(kind)


class FakeBus:
    def __init__(self, modules=None, log_path=None):
        self.modules = dict(modules or {})
        self.log_path = log_path
        self.frames = []
        self._buf = b""
        self.master, self.slave = pty.openpty()
        tty.setraw(self.slave)
        # The slave stays open here so the master never sees EIO between clients.
        self.path = os.ttyname(self.slave)

    # -- lifecycle --
    def close(self):
        for fd in (self.master, self.slave):
            try:
                os.close(fd)
            except OSError:
                pass
        self.master = self.slave = -1

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- frame handling --
    def _log(self, frame):
        self.frames.append(frame)
        if self.log_path:
            with open(self.log_path, "a", encoding="ascii") as f:
                f.write(repr(frame) + "\n")

    def leftover(self):
        """Bytes received after the last CR (an unterminated frame)."""
        return self._buf

    def reply_for(self, frame):
        """The exact bytes the bus answers to one frame (b"" for none)."""
        if len(frame) < 6 or frame[0] != ord("#") or not chr(frame[1]).isdigit():
            return b""
        addr = frame[1] - ord("0")
        obj = frame[2:4].decode("latin-1")
        op = chr(frame[4])
        value = frame[5:-1]
        if addr == 9:
            # Broadcast writes take effect everywhere and are never answered.
            if op == "W" and obj in DEFAULT_PARAMS and obj not in READ_ONLY:
                for m in self.modules.values():
                    if not m.foreign:
                        m.params[obj] = value.decode("latin-1")
            return b""
        m = self.modules.get(addr)
        if m is None:
            return b""
        if frame in m.overrides:
            return m.overrides[frame]
        a = b"%d" % addr
        if m.foreign and obj != "ID":
            return b""
        if obj == "ID" and op == "R" and not value:
            first, text = ACK, b"#" + a + m.ident.encode("latin-1") + b"\r"
        elif obj == "ST" and op == "R" and not value:
            first, text = ACK, b"#" + a + b"STR$" + m.status.encode("ascii") + b"\r"
        elif obj in DEFAULT_PARAMS and op == "R" and not value:
            first, text = ACK, b"#" + a + obj.encode() + b"R" + m.params[obj].encode() + b"\r"
        elif obj in DEFAULT_PARAMS and op == "W" and value and obj not in READ_ONLY:
            first, text = ACK, b""
        else:
            first, text = NAK, b""
        reply = apply_fault(m.fault_for(obj), addr, first, text)
        if op == "W" and first == ACK and reply[:1] == bytes([ACK]):
            m.params[obj] = value.decode("latin-1")
        return reply

    def feed(self, data):
        """Take received bytes, answer every complete frame."""
        self._buf += data
        while True:
            i = self._buf.find(b"\r")
            if i < 0:
                return
            frame, self._buf = self._buf[: i + 1], self._buf[i + 1:]
            self._log(frame)
            reply = self.reply_for(frame)
            if reply:
                os.write(self.master, reply)

    def pump(self, timeout=0.0):
        """Serve whatever arrives within timeout; returns bytes received."""
        got = 0
        deadline = time.monotonic() + timeout
        while True:
            left = max(0.0, deadline - time.monotonic())
            r, _, _ = select.select([self.master], [], [], left)
            if not r:
                return got
            data = os.read(self.master, 4096)
            got += len(data)
            self.feed(data)
            if time.monotonic() >= deadline:
                return got

    def serve(self, count=1, timeout=1.0):
        """Serve until count more frames have come in; False on timeout."""
        target = len(self.frames) + count
        deadline = time.monotonic() + timeout
        while len(self.frames) < target:
            left = deadline - time.monotonic()
            if left <= 0:
                return False
            r, _, _ = select.select([self.master], [], [], left)
            if r:
                self.feed(os.read(self.master, 4096))
        return True

    def run_client(self, argv, timeout=20.0):
        """Run a client process to its end while serving the bus.

        Returns (exit code, stdout bytes, stderr bytes); exit code None when
        the process had to be killed after timeout seconds.
        """
        proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        fd_out, fd_err = proc.stdout.fileno(), proc.stderr.fileno()
        out = {fd_out: b"", fd_err: b""}
        open_pipes = set(out)
        deadline = time.monotonic() + timeout
        rc = None
        try:
            while open_pipes or proc.poll() is None:
                left = deadline - time.monotonic()
                if left <= 0:
                    break
                r, _, _ = select.select([self.master] + list(open_pipes), [], [],
                                        min(left, 0.2))
                for fd in r:
                    if fd == self.master:
                        self.feed(os.read(self.master, 4096))
                        continue
                    chunk = os.read(fd, 65536)
                    if chunk:
                        out[fd] += chunk
                    else:
                        open_pipes.discard(fd)
            if proc.poll() is not None:
                rc = proc.returncode
        finally:
            if proc.poll() is None:
                proc.kill()
            proc.wait(timeout=5)
            proc.stdout.close()
            proc.stderr.close()
        # Late frames still count: the client may have written just before exit.
        self.pump(0.05)
        return rc, out[fd_out], out[fd_err]


def parse_args(argv):
    modules = {}
    log = None
    pending = []

    def module(addr):
        return modules.setdefault(addr, Module())

    i = 0
    while i < len(argv):
        opt = argv[i]
        if opt in ("-h", "--help"):
            print(__doc__)
            sys.exit(0)
        if i + 1 >= len(argv):
            raise SystemExit("fake_module: %s needs a value" % opt)
        val = argv[i + 1]
        i += 2
        if opt == "--log":
            log = val
        elif opt == "--module":
            addr, _, ident = val.partition("=")
            module(int(addr)).ident = ident or "VEK-ZAN1B-FAKE"
        elif opt == "--foreign":
            addr, _, ident = val.partition("=")
            m = module(int(addr))
            m.ident, m.foreign = ident, True
        elif opt == "--param":
            addr, _, rest = val.partition(":")
            code, _, text = rest.partition("=")
            pending.append((int(addr), "param", code, text))
        elif opt == "--status":
            addr, _, hexs = val.partition("=")
            pending.append((int(addr), "status", None, hexs))
        elif opt == "--fault":
            where, _, kind = val.partition(":")
            addr, _, obj = where.partition("/")
            if kind not in FAULT_KINDS:
                raise SystemExit("fake_module: unknown fault kind %r" % kind)
            pending.append((int(addr), "fault", obj or "*", kind))
        else:
            raise SystemExit("fake_module: unknown option %s" % opt)
    for addr, what, key, text in pending:
        m = module(addr)
        if what == "param":
            m.params[key] = text
        elif what == "status":
            m.status = text
        else:
            m.faults[key] = text
    if not modules:
        modules[1] = Module()
    return modules, log


def main(argv):
    modules, log = parse_args(argv)
    stop = []
    signal.signal(signal.SIGTERM, lambda *a: stop.append(1))
    signal.signal(signal.SIGINT, lambda *a: stop.append(1))
    with FakeBus(modules, log) as bus:
        print(bus.path, flush=True)
        while not stop:
            try:
                bus.pump(0.2)
            except InterruptedError:
                pass
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
