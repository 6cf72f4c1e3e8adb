"""The connection thread inside the Win32 test executable, against the development
server in each handshake situation: the code it posts, and the bytes the server got."""

import os
import subprocess
import unittest

import harness

TESTS_EXE = os.environ.get("TAVLORA_WIN32_TESTS",
                           os.path.join(harness.ROOT, "build", "windows", "tests", "win32",
                                        "tavlora_win32_tests.exe"))

# (note, server arguments, expected code, bytes read on 3556, bytes read on 3555)
CASES = [
    ("accepted", ["--token", "abc"], 6, b"2,!", b"73,abc,!"),
    ("other version", ["--version", "72", "--token", "abc"], 5, b"", None),
    ("two pieces only", ["--greeting", "raw 73,abc"], 4, b"", None),
    ("four pieces", ["--greeting", "raw 73,abc,x,!"], 4, b"", None),
    ("introduction refused", ["--token", "abc", "--answer", "refuse"], 5, b"2,!", b"73,abc,!"),
    ("answer with a tail", ["--token", "abc", "--answer", "raw 2,!x"], 4, b"2,!", b"73,abc,!"),
    ("closed before the greeting", ["--greeting", "close"], 4, b"", None),
    ("over-long greeting", ["--greeting", "long 150"], 4, b"", None),
    ("greeting in two reads", ["--token", "abc", "--greeting", "split 4 300"], 4, b"", None),
]


class ConnectionThread(unittest.TestCase):
    def run_thread(self, hub, expected):
        env = dict(hub.env, TAVLORA_EXPECT_CODE=str(expected))
        result = subprocess.run(["wine", TESTS_EXE, "--gtest_filter=ConnectionThreadLive.*"],
                                env=env, capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stdout[-3000:])
        self.assertIn("[  PASSED  ] 1 test", result.stdout)

    def test_handshake_outcomes(self):
        for note, args, code, on_inbound, on_outbound in CASES:
            with self.subTest(note):
                with harness.Hub("handshake-" + note.replace(" ", "-"), server_args=args) as hub:
                    self.run_thread(hub, code)
                    hub.stop_server()
                    self.assertEqual(hub.received(3556), on_inbound)
                    if on_outbound is None:
                        self.assertEqual(hub.received(3555), b"", "nothing introduced")
                    else:
                        self.assertTrue(hub.received(3555).startswith(on_outbound))

    def test_no_server(self):
        with harness.Hub("handshake-no-server", server=False) as hub:
            self.run_thread(hub, 4)

    def test_peer_that_never_answers_times_out(self):
        with harness.Hub("handshake-silent", server_args=["--greeting", "none"]) as hub:
            self.run_thread(hub, 4)


if __name__ == "__main__":
    harness.main()
