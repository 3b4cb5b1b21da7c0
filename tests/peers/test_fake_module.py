"""Self-check of the fake bus against the protocol client.

Run from this directory:  python3 -m unittest test_fake_module
"""

import os
import select
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from fake_module import FakeBus, Module  # noqa: E402
from protocol_client import ProtocolClient, frame  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


class InProcess(unittest.TestCase):
    """Bus and client in one process: send, let the bus serve, read."""

    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="zan1peer-")
        self.log = os.path.join(self.tmp.name, "frames.log")
        self.bus = FakeBus({
            1: Module("VEK-ZAN1B-ONE", params={"S1": "2.500", "P1": "-150.00"}, status="1F"),
            2: Module("VEK-ZAN1B-TWO"),
            3: Module("OTHER-DEVICE", foreign=True),
            4: Module(faults={"*": "nak"}),
            5: Module(faults={"*": "can"}),
            6: Module("VEK-ZAN1B-SIX", faults={"*": "cut"}),
            7: Module("VEK-ZAN1B-SEVEN", faults={"ID": "wrongaddr", "S1": "highbit",
                                                 "S2": "highbit_text", "P1": "garbage",
                                                 "ST": "stale"}),
            8: Module(faults={"*": "silent"}),
        }, self.log)
        self.client = ProtocolClient(self.bus.path)

    def tearDown(self):
        self.client.close()
        self.bus.close()
        self.tmp.cleanup()

    def ask(self, data, expect_text=None):
        self.client.discard_input()
        self.client.send(data)
        self.assertTrue(self.bus.serve(1, 2.0), "bus saw no frame for %r" % data)
        if expect_text is None:
            expect_text = data[4:5] == b"R"
        return self.client.read_answer(expect_text, timeout=0.3, quiet=0.1)

    def test_reads_and_identification(self):
        self.assertEqual(self.ask(b"#1IDR\r"), b"\x06#1VEK-ZAN1B-ONE\r")
        self.assertEqual(self.ask(b"#2IDR\r"), b"\x06#2VEK-ZAN1B-TWO\r")
        self.assertEqual(self.ask(b"#1S1R\r"), b"\x06#1S1R2.500\r")
        self.assertEqual(self.ask(b"#1P1R\r"), b"\x06#1P1R-150.00\r")
        self.assertEqual(self.ask(b"#1STR\r"), b"\x06#1STR$1F\r")
        self.assertEqual(self.ask(b"#1X9R\r"), b"\x15")

    def test_write_then_read_back_and_broadcast(self):
        self.assertEqual(self.ask(frame(1, "S2", "W", "7.125")), b"\x06")
        self.assertEqual(self.ask(b"#1S2R\r"), b"\x06#1S2R7.125\r")
        self.assertEqual(self.ask(b"#1V5W1.000\r"), b"\x15")
        self.assertEqual(self.ask(b"#9M1W3\r", expect_text=False), b"")
        self.assertEqual(self.ask(b"#1M1R\r"), b"\x06#1M1R3\r")
        self.assertEqual(self.ask(b"#2M1R\r"), b"\x06#2M1R3\r")

    def test_foreign_absent_and_faults(self):
        self.assertEqual(self.ask(b"#3IDR\r"), b"\x06#3OTHER-DEVICE\r")
        self.assertEqual(self.ask(b"#3S1R\r"), b"")
        self.assertEqual(self.ask(b"#8IDR\r"), b"")
        self.assertEqual(self.ask(b"#4IDR\r"), b"\x15")
        self.assertEqual(self.ask(b"#4S1W1.000\r"), b"\x15")
        self.assertEqual(self.ask(b"#5S1R\r"), b"\x18")
        self.assertEqual(self.ask(b"#6IDR\r"), b"\x06#6VEK-ZA")
        self.assertEqual(self.ask(b"#7IDR\r"), b"\x06#8VEK-ZAN1B-SEVEN\r")
        self.assertEqual(self.ask(b"#7S1R\r"), b"\x86#7S1R0.000\r")
        self.assertEqual(self.ask(b"#7S2R\r"), b"\x06#\xb7S2R0.000\r")
        self.assertEqual(self.ask(b"#7P1R\r"), b"?#7P1R1.0000\r")
        self.assertEqual(self.ask(b"#7STR\r"), b"\x06#7STR$00\r\x15")
        # A failed write must not change the stored value.
        self.assertEqual(self.ask(b"#4S1W9.000\r"), b"\x15")
        self.assertEqual(self.bus.modules[4].params["S1"], "0.000")

    def test_log_holds_every_frame(self):
        self.ask(b"#1IDR\r")
        self.ask(b"#8S1W1.500\r")
        self.client.send(b"#1S")
        self.bus.pump(0.1)
        with open(self.log, encoding="ascii") as f:
            lines = f.read().splitlines()
        self.assertEqual(lines, [repr(b"#1IDR\r"), repr(b"#8S1W1.500\r")])
        self.assertEqual(self.bus.frames, [b"#1IDR\r", b"#8S1W1.500\r"])
        self.assertEqual(self.bus.leftover(), b"#1S")


class ScriptMode(unittest.TestCase):
    """The fake run as a script, as an outside client would use it."""

    def test_script_serves_and_logs(self):
        with tempfile.TemporaryDirectory(prefix="zan1peer-") as tmp:
            log = os.path.join(tmp, "frames.log")
            proc = subprocess.Popen(
                [sys.executable, os.path.join(HERE, "fake_module.py"), "--log", log,
                 "--module", "2=VEK-ZAN1B-X", "--param", "2:S1=2.500",
                 "--foreign", "3=OTHER", "--fault", "4:can", "--status", "2=a5"],
                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
            try:
                path = _first_line(proc, 5.0)
                self.assertTrue(path.startswith("/dev/"), path)
                with ProtocolClient(path) as c:
                    self.assertEqual(c.exchange(b"#2IDR\r"), b"\x06#2VEK-ZAN1B-X\r")
                    self.assertEqual(c.exchange(b"#2S1R\r"), b"\x06#2S1R2.500\r")
                    self.assertEqual(c.exchange(b"#2STR\r"), b"\x06#2STR$a5\r")
                    self.assertEqual(c.exchange(b"#3IDR\r"), b"\x06#3OTHER\r")
                    self.assertEqual(c.exchange(b"#4IDR\r"), b"\x18")
                    self.assertEqual(c.exchange(b"#1IDR\r", timeout=0.3), b"")
                proc.terminate()
                self.assertEqual(proc.wait(timeout=5), 0)
                with open(log, encoding="ascii") as f:
                    self.assertEqual(f.read().splitlines(), [repr(x) for x in (
                        b"#2IDR\r", b"#2S1R\r", b"#2STR\r", b"#3IDR\r", b"#4IDR\r",
                        b"#1IDR\r")])
            finally:
                if proc.poll() is None:
                    proc.kill()
                proc.wait(timeout=5)
                proc.stdout.close()
                proc.stderr.close()


def _first_line(proc, timeout):
    buf = b""
    deadline = time.monotonic() + timeout
    while b"\n" not in buf:
        left = deadline - time.monotonic()
        if left <= 0:
            raise AssertionError("no first line within %.0f s" % timeout)
        r, _, _ = select.select([proc.stdout], [], [], left)
        if r:
            chunk = os.read(proc.stdout.fileno(), 4096)
            if not chunk:
                raise AssertionError("process ended before its first line")
            buf += chunk
    return buf.split(b"\n", 1)[0].decode()


if __name__ == "__main__":
    unittest.main()
