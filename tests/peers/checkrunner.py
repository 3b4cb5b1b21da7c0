"""Runs the case_* functions of a check script against one program.

Prints one line per failed case and a final "N passed, M failed"; the exit
status is 0 only when every case passed.
"""

import os
import traceback


def main(argv, program, namespace, binary_variable):
    if len(argv) != 2:
        print("usage: check_%s.py PATH-TO-%s" % (program, program))
        return 2
    binary = os.path.abspath(argv[1])
    if not os.access(binary, os.X_OK):
        print("FAIL setup: %s is not an executable" % binary)
        print("0 passed, 1 failed")
        return 1
    namespace[binary_variable] = binary
    cases = [(name[5:], fn) for name, fn in list(namespace.items()) if name.startswith("case_")]
    passed = failed = 0
    for name, fn in cases:
        try:
            fn()
            passed += 1
        except AssertionError as e:
            failed += 1
            print("FAIL %s: %s" % (name, e), flush=True)
        except Exception:
            failed += 1
            print("FAIL %s: %s" % (name, traceback.format_exc().strip().replace("\n", " | ")),
                  flush=True)
    print("%d passed, %d failed" % (passed, failed))
    return 0 if failed == 0 else 1
