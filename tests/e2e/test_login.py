"""Logging in with the real Tavlora.exe against the development server: the saved login,
the login window, the length rule and the server's refusals (test_look ends connections).
The tests share one prefix and, while it runs, one server; each starts its own hub."""

import harness
from harness import MAIN, OK, login_message, saved


class Login(harness.HubTest):
    def start(self, inner):
        """The hub on this config.ini; what the server receives from now on."""
        hub = self.hub
        hub.close_hub()  # a failed case's
        if hub.server.poll() is not None:
            hub.start_server()
        hub.write_config_ini(inner)
        mark = len(hub.received())
        hub.start_hub()
        return lambda: hub.received()[mark:]

    def tearDown(self):
        super().tearDown()
        self.hub.close_hub()

    def test_saved_login_goes_straight_to_the_lobby_and_log_off_forgets_it(self):
        hub = self.hub
        sent = self.start(saved())
        hub.wait_received("1," + login_message())
        hub.wait_visible("tabswindowname")
        self.assertIn(b"2,1,!", sent(), "the first server message acknowledged")
        hub.click(MAIN + "/logoffbuttonwindow2name")
        self.assertEqual(hub.exit_code(), 0)
        inner = hub.read_config_inner()
        self.assertNotIn("!3 ", inner)
        self.assertTrue(inner.startswith("73!1 "))

    def test_the_login_window_its_length_rule_and_the_form(self):
        hub = self.hub
        # Too short a saved name: refused without sending, OK brings the login window back
        # over the still connected hub.
        sent = self.start(saved(("abc", "password")))
        hub.wait_error("Wrong name or password.")
        self.assertTrue(hub.visible("errorcancelwindowname"))
        self.assertEqual(hub.text("statuslinewindowname"), "Connected to Tavlora")
        hub.click(OK)
        hub.wait_visible("loginwindowname")
        hub.wait_hidden("errorwindowname")
        self.assertNotIn(b",11,", sent())
        hub.close_hub()
        # No saved login: the login window over a disabled main window; the form logs in.
        sent = self.start(saved(login=None))
        hub.wait_visible("loginwindowname")
        self.assertFalse(hub.window(MAIN)["enabled"])
        self.assertNotIn(b",11,", sent())
        hub.submit_login("deutsch", "deutsch1")
        hub.wait_received(login_message("deutsch", "deutsch1"))
        hub.wait_visible("tabswindowname")
        # The account's language (German) reached the interface and config.ini.
        hub.wait_text("statuslinewindowname", "Verbunden mit Tavlora")
        self.assertEqual(hub.close_hub(), 0)
        inner = hub.read_config_inner()
        self.assertIn("!3 deutsch deutsch1!", inner)
        self.assertIn("!4 2!", inner)

    def test_login_results(self):
        hub = self.hub
        # (user, password, error text, connection ends)
        for user, password, text, ends in [("inactive", "inactive1", "Account not activated.", False),
                                           ("suspended", "suspend1", "This account has been", True)]:
            with self.subTest(user):
                # A sibling window to hear the hub: a UI reset would tell it to close.
                debug = hub.start_hub(wait=False, exe="KXDebug.exe")
                hub.probe("wait", "KXDebug", "20000")
                mark = len(hub.sibling_log())
                self.start(saved((user, password)))
                hub.wait_error(text)
                self.assertTrue(hub.visible("errorcancelwindowname"), "layout 1")
                hub.wait_text("statuslinewindowname", "Offline" if ends else "Connected to Tavlora")
                # No UI reset, not even for a suspension that ends the connection: a code
                # posted to the sibling now queues behind anything the hub posted before it
                # showed the error, so once the sibling has logged it, a close request would
                # have been logged too.
                hub.probe("post", "KXDebug", "TavloraIntMessage", "99", "0", check=False)
                log = harness.wait_until(
                    lambda: [line for line in hub.sibling_log()[mark:]
                             if line.endswith((" notify 99 0", " exit 0"))] and
                    "\n".join(hub.sibling_log()[mark:]), what="the sibling's log of code 99")
                self.assertNotIn("notify 1 0", log)
                self.assertIn("notify 99 0", log)
                hub.close_hub()
                debug.kill()
                debug.wait(5)


if __name__ == "__main__":
    harness.main()
