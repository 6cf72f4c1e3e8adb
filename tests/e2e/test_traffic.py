"""Traffic of a live connection with the real Tavlora.exe: acknowledgements, the idle
keep-alive in real time, and a server that sends garbage or never ends a message. The
tests run in order on one logged-in hub; the last ends its connection."""

import re

import harness


class Traffic(harness.HubTest):
    hub_args = dict(config_inner=harness.SAVED, start="Tavlora.exe")

    def assert_responsive(self):
        self.assertLess(harness.answer_time(self.hub), 5)

    def test_a_lobby_is_acknowledged_and_an_idle_link_kept_alive(self):
        hub = self.hub
        # Every numbered server message of the login sequence was acknowledged in turn.
        last = max(int(m) for m in re.findall(r" > (\d+),\d+,", hub.server_log_text()))
        self.assertGreater(last, 5)
        received = hub.wait_received(b"2,%d,!" % last) and hub.received()
        self.assertEqual([n for n in range(1, last + 1) if b"2,%d,!" % n not in received], [])
        self.assertNotIn(b"2,1,0,!", received)
        # Nothing more to say: keep-alive number 2 comes once more than 30 s have passed
        # since the login, the last numbered message (acknowledgements do not count). Both
        # times are the server's, logged as the bytes arrived.
        hub.wait_received(b"2,1,0,!", timeout=60)
        since_login = hub.server_event_ms(r"^pair \d+ < 2,1,0,!") - \
            hub.server_event_ms(r"^pair \d+ < 1,11,")
        self.assertGreater(since_login, 29000)
        self.assertLess(since_login, 40000)
        self.assert_responsive()

    def test_c_garbage_is_survived(self):
        hub = self.hub
        hub.control("garbage 200000")
        # A zero byte drops the rest of the hub's read (at most 1000 bytes), so the message
        # after the garbage goes behind a line longer than any read: it can share a read
        # with the padding but never with a zero byte.
        hub.control("big 100000")
        hub.control("send !")
        harness.sync(hub, "17,1001,4", timeout=60)  # read through, still acknowledging
        self.assertIsNone(hub.hub.poll(), "the hub is still running")
        self.assert_responsive()

    def test_d_never_ending_message_is_a_lost_connection(self):
        self.hub.control("big 40000000")
        self.hub.wait_error("Lost connection to server.", timeout=120)
        self.assert_responsive()


if __name__ == "__main__":
    harness.main()
