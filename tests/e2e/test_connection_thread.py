"""The connection thread inside the Win32 test executable, against the development
server in each handshake situation: the code it posts, and the bytes the server got."""

import os
import unittest

import harness

TESTS_EXE = os.environ.get("TAVLORA_WIN32_TESTS", os.path.join(
    harness.ROOT, "build", "windows", "tests", "win32", "tavlora_win32_tests.exe"))

# (note, server arguments, expected code, bytes read on 3556,
# first bytes read on 3555). No server, an accepted handshake, another version and a
# server gone before its greeting are every start-up's and test_startup's, test_look's
# and test_faults' cases.
CASES = [
    ("two pieces only", ["--greeting", "raw 73,abc"], 4, b"", b""),
    ("introduction refused", ["--token", "abc", "--answer", "refuse"], 5, b"2,!", b"73,abc,!"),
    ("answer with a tail", ["--token", "abc", "--answer", "raw 2,!x"], 4, b"2,!", b"73,abc,!"),
    ("over-long greeting", ["--greeting", "long 150"], 4, b"", b""),
    ("greeting in two reads", ["--token", "abc", "--greeting", "split 4 300"], 4, b"", b""),
    ("never greeted", ["--greeting", "none"], 4, b"", b""),
]


class ConnectionThread(unittest.TestCase):
    def test_handshake_outcomes(self):
        # A fresh prefix each: a wine session that ran one case can hold the next one up.
        for note, args, code, on_inbound, on_outbound in CASES:
            with self.subTest(note), harness.Hub("handshake-" + note.replace(" ", "-"),
                                                 server_args=args) as hub:
                result = harness.run(["wine", TESTS_EXE, "--gtest_filter=ConnectionThreadLive.*"],
                                     120, env=dict(hub.env, TAVLORA_EXPECT_CODE=str(code)),
                                     capture_output=True, text=True)
                self.assertEqual(result.returncode, 0, result.stdout[-3000:])
                self.assertIn("[  PASSED  ] 1 test", result.stdout)
                hub.stop_server()
                self.assertEqual(hub.received(3556), on_inbound)
                self.assertTrue(hub.received(3555).startswith(on_outbound))
                if not on_outbound:
                    self.assertEqual(hub.received(3555), b"", "nothing introduced")


if __name__ == "__main__":
    harness.main()
