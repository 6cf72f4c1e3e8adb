"""Traffic of a live connection with the real Tavlora.exe: acknowledgements, the idle
keep-alive in real time, and a server that is silent, sends garbage or never ends a
message."""

import re
import time
import unittest

import harness

MAIN = "KXLobby0"
SAVED = ("73!3 demo demo1234!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")


def responsive(hub):
    start = time.monotonic()
    hub.probe("send", MAIN, "WM_NULL", "0", "0")
    return time.monotonic() - start < 5


class Traffic(unittest.TestCase):
    def test_lobby_is_acknowledged_and_an_idle_link_kept_alive(self):
        with harness.Hub("traffic-keepalive", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname")
            # Every numbered server message of the login sequence was acknowledged in turn.
            numbers = [int(m) for m in re.findall(r" > (\d+),\d+,", hub.server_log_text())]
            last = max(numbers)
            self.assertGreater(last, 5)
            received = hub.wait_received(b"2,%d,!" % last) and hub.received()
            for n in range(1, last + 1):
                self.assertIn(b"2,%d,!" % n, received)
            self.assertNotIn(b"2,1,0,!", received)
            # Nothing more to say: keep-alive number 2 comes once more than 30 s have passed
            # since the login, the last numbered message (acknowledgements do not count).
            # Both times are the server's, logged as the bytes arrived, so however long the
            # lobby took to load does not matter.
            hub.wait_received(b"2,1,0,!", timeout=60)
            login = hub.server_event_ms(r"^pair \d+ < 1,11,")
            keep_alive = hub.server_event_ms(r"^pair \d+ < 2,1,0,!")
            self.assertIsNotNone(login)
            self.assertIsNotNone(keep_alive)
            self.assertGreater(keep_alive - login, 29000)
            self.assertLess(keep_alive - login, 40000)
            self.assertTrue(responsive(hub))

    def test_silent_server_leaves_the_hub_responsive_and_closable(self):
        with harness.Hub("traffic-silent", server_args=["--greeting", "none"]) as hub:
            hub.start_hub()
            self.assertEqual(hub.window("connectwindowname")["text"], "Connecting ...")
            self.assertTrue(hub.visible("connectwindowname"))
            self.assertTrue(responsive(hub))
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(20), 0)

    def test_never_ending_message_is_a_lost_connection(self):
        with harness.Hub("traffic-big", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname")
            hub.control("big 40000000")
            harness.wait_until(lambda: hub.visible("errorwindowname"), timeout=120,
                               what="lost connection")
            self.assertIn("Lost connection to server.", hub.window("errorwindowname")["text"])
            self.assertTrue(responsive(hub))

    def test_hostile_copy_data_is_ignored(self):
        with harness.Hub("traffic-copydata", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname")
            for dw_data, text, size in [("100", "KXMessage,", None), ("100", "no prefix", None),
                                        ("100", "KXMessage,1,10,0,!", "5"),
                                        ("38", "KXMessage,\\xff\\x00,", "70000"),
                                        ("0xFFFFFFFF", "\\x00", "0")]:
                args = ["copydata", MAIN, dw_data, text] + ([size] if size else [])
                hub.probe(*args, check=False)
            self.assertTrue(responsive(hub))
            self.assertTrue(hub.visible("tabswindowname"), "still logged in")
            self.assertNotIn(b",1,10,0,!", hub.received(), "nothing forwarded to the server")

    def test_garbage_is_survived(self):
        with harness.Hub("traffic-garbage", config_inner=SAVED) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname")
            hub.control("garbage 200000")
            # A zero byte drops the rest of the hub's read (at most 1000 bytes), so the
            # message after the garbage goes behind a line longer than any read: it can
            # share a read with the padding but never with a zero byte.
            hub.control("big 100000")
            hub.control("send !")
            hub.control("message 17,1001,4")
            number = harness.wait_until(
                lambda: re.findall(r" > (\d+),17,1001,4,!", hub.server_log_text()),
                what="the message after the garbage sent")[0]
            # The hub read through the garbage and still acknowledges what follows.
            hub.wait_received(b"2,%s,!" % number.encode(), timeout=60)
            self.assertIsNone(hub.hub.poll(), "the hub is still running")
            self.assertTrue(responsive(hub))


if __name__ == "__main__":
    harness.main()
