#!/usr/bin/env python3
"""Minimal ZAN-1 bus client on a tty path, for the peer checks.

Script use:  protocol_client.py PATH FRAME...   (FRAME like '#1IDR', CR added)
prints the repr of each answer.
"""

import os
import select
import sys
import termios
import time

ACK = 0x06
NAK = 0x15
CAN = 0x18
CR = 0x0D


def frame(addr, obj, op, value=b""):
    """Command frame: '#', address digit, object, operation, value, CR."""
    if isinstance(obj, str):
        obj = obj.encode("ascii")
    if isinstance(value, str):
        value = value.encode("ascii")
    return b"#%d" % addr + obj + op.encode("ascii") + value + b"\r"


class ProtocolClient:
    def __init__(self, path):
        self.fd = os.open(path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        attrs = termios.tcgetattr(self.fd)
        iflag, oflag, cflag, lflag, _, _, cc = attrs
        # cfmakeraw by hand; 8 bits and no ISTRIP so top-bit bytes stay visible.
        iflag &= ~(termios.IGNBRK | termios.BRKINT | termios.PARMRK | termios.ISTRIP
                   | termios.INLCR | termios.IGNCR | termios.ICRNL | termios.IXON
                   | termios.IXOFF)
        oflag &= ~termios.OPOST
        lflag &= ~(termios.ECHO | termios.ECHONL | termios.ICANON | termios.ISIG
                   | termios.IEXTEN)
        cflag &= ~(termios.CSIZE | termios.PARENB)
        cflag |= termios.CS8 | termios.CREAD | termios.CLOCAL
        cc[termios.VMIN] = 0
        cc[termios.VTIME] = 0
        termios.tcsetattr(self.fd, termios.TCSANOW,
                          [iflag, oflag, cflag, lflag, termios.B9600, termios.B9600, cc])
        termios.tcflush(self.fd, termios.TCIOFLUSH)

    def close(self):
        if self.fd >= 0:
            os.close(self.fd)
            self.fd = -1

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def discard_input(self):
        termios.tcflush(self.fd, termios.TCIFLUSH)

    def send(self, data):
        view = memoryview(data)
        deadline = time.monotonic() + 2.0
        while view:
            if time.monotonic() > deadline:
                raise TimeoutError("write did not complete")
            select.select([], [self.fd], [], 0.2)
            try:
                n = os.write(self.fd, view)
            except BlockingIOError:
                continue
            view = view[n:]

    def _read_some(self, timeout):
        r, _, _ = select.select([self.fd], [], [], max(0.0, timeout))
        if not r:
            return b""
        try:
            return os.read(self.fd, 256)
        except (BlockingIOError, InterruptedError):
            return b""

    def collect(self, duration):
        """Everything that arrives within duration seconds."""
        got = b""
        deadline = time.monotonic() + duration
        while True:
            left = deadline - time.monotonic()
            if left <= 0:
                return got
            got += self._read_some(left)

    def read_answer(self, expect_text, timeout=1.0, settle=0.05, quiet=0.3):
        """Read one answer.

        Complete when NAK/CAN arrives, ACK for a write, or ACK ... CR for a
        read; then waits `settle` seconds more so stray extra bytes show up.
        An answer of another shape ends after `quiet` seconds without bytes.
        Returns all bytes received (b"" when nothing came within timeout).
        """
        got = b""
        deadline = time.monotonic() + timeout
        while True:
            if got:
                first = got[0]
                done = (first in (NAK, CAN)
                        or (first == ACK and (not expect_text or CR in got[1:])))
                if done:
                    return got + self.collect(settle)
                chunk = self._read_some(min(quiet, deadline - time.monotonic()))
                if not chunk:
                    return got
                got += chunk
            else:
                left = deadline - time.monotonic()
                if left <= 0:
                    return got
                got += self._read_some(left)

    def exchange(self, data, expect_text=None, timeout=1.0, settle=0.05):
        """Send one frame and read its answer (reads expect a text)."""
        if expect_text is None:
            expect_text = len(data) >= 5 and data[4:5] == b"R"
        self.discard_input()
        self.send(data)
        return self.read_answer(expect_text, timeout=timeout, settle=settle)


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    with ProtocolClient(argv[0]) as c:
        for f in argv[1:]:
            print(repr(c.exchange(f.encode("ascii") + b"\r")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
