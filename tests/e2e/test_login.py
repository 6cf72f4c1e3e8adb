"""Logging in with the real Tavlora.exe against the development server: the saved
login, the login window, the length rule, the server's refusals and the connection's
end in every way the server or the network can end it."""

import base64
import unittest

import harness

MAIN = "KXLobby0"
OK = "errorwindowname/errorokwindowname/errorok2windowname"
DEFAULTS = "!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
           "20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!"


def saved_login(user, password):
    return "73!3 %s %s%s" % (user, password, DEFAULTS)


def login_message(user, password):
    return ("11," + base64.b64encode(("%s,%s" % (user, password)).encode()).decode() + ",!")


class Login(unittest.TestCase):
    def error_text(self, hub):
        return harness.wait_until(lambda: hub.visible("errorwindowname") and
                                  hub.window("errorwindowname")["text"], what="error window")

    def test_saved_login_goes_straight_to_the_lobby(self):
        with harness.Hub("login-saved", config_inner=saved_login("demo", "demo1234")) as hub:
            hub.start_hub()
            hub.wait_received("1," + login_message("demo", "demo1234"))
            hub.wait_visible("tabswindowname")
            for cls in ("uhrzeitwindowname", "logoffbuttonwindowname", "newswindowname",
                        "headmenubgwindowname", "contactswindowname"):
                self.assertTrue(hub.visible(cls), cls)
            self.assertFalse(hub.visible("loginwindowname"))
            self.assertFalse(hub.visible("connectwindowname"))
            self.assertTrue(hub.window(MAIN)["enabled"])
            self.assertEqual(hub.window("statuslinewindowname")["text"], "Connected to Tavlora")
            hub.screenshot("login-lobby")
            # Every numbered server message was acknowledged, the last one included.
            received = hub.received()
            self.assertIn(b"2,1,!", received)
            # The logoff button ends the program and forgets the login.
            hub.click(MAIN + "/logoffbuttonwindow2name")
            self.assertEqual(hub.hub.wait(20), 0)
            inner = hub.read_config_inner()
            self.assertNotIn("!3 ", inner)
            self.assertTrue(inner.startswith("73!1 "))

    def test_empty_fields_show_the_login_window_then_the_form_logs_in(self):
        with harness.Hub("login-form") as hub:
            hub.start_hub()
            hub.wait_visible("loginwindowname")
            self.assertFalse(hub.window(MAIN)["enabled"])
            self.assertNotIn(b",11,", hub.received())
            hub.probe("settext", "loginwindowname/Edit#0", "deutsch")
            hub.probe("settext", "loginwindowname/Edit#1", "deutsch1")
            hub.probe("key", "loginwindowname/Edit#1", "VK_RETURN")
            hub.wait_received(login_message("deutsch", "deutsch1"))
            hub.wait_visible("tabswindowname")
            # The account's language (German) reached the interface.
            harness.wait_until(lambda: hub.window("statuslinewindowname")["text"] ==
                               "Verbunden mit Tavlora", what="German status line")
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(20), 0)
            inner = hub.read_config_inner()
            self.assertIn("!3 deutsch deutsch1!", inner)
            self.assertIn("!4 2!", inner)

    def test_short_name_is_refused_without_sending(self):
        with harness.Hub("login-short", config_inner=saved_login("abc", "password")) as hub:
            hub.start_hub()
            self.assertIn("Wrong name or password.", self.error_text(hub))
            self.assertTrue(hub.visible("errorcancelwindowname"))
            self.assertNotIn(b",11,", hub.received())
            self.assertEqual(hub.window("statuslinewindowname")["text"], "Connected to Tavlora")
            # OK brings the login window back over the still connected hub.
            hub.click(OK)
            hub.wait_visible("loginwindowname")
            hub.wait_hidden("errorwindowname")

    def test_login_results(self):
        # (user, password, error text, connection ends)
        cases = [("nobody", "secret12", "Wrong name or password.", False),
                 ("inactive", "inactive1", "Account not activated.", False),
                 ("suspended", "suspend1", "This account has been", True)]
        for user, password, text, ends in cases:
            with self.subTest(user):
                with harness.Hub("login-" + user, config_inner=saved_login(user, password)) as hub:
                    # A sibling window to hear the hub: a UI reset would tell it to close.
                    hub.start_hub(wait=False, exe="KXDebug.exe")
                    hub.probe("wait", "KXDebug", "20000")
                    hub.start_hub()
                    self.assertIn(text, self.error_text(hub))
                    self.assertTrue(hub.visible("errorcancelwindowname"), "layout 1")
                    status = "Offline" if ends else "Connected to Tavlora"
                    harness.wait_until(
                        lambda: hub.window("statuslinewindowname")["text"] == status,
                        what=status)
                    # No UI reset, not even for a suspension that ends the connection: a
                    # code posted to the sibling now queues behind anything the hub posted
                    # before it showed the error, so once the sibling has logged it, a
                    # close request would have been logged too.
                    hub.probe("post", "KXDebug", "TavloraIntMessage", "99", "0", check=False)
                    log = harness.wait_until(
                        lambda: [line for line in hub.sibling_log()
                                 if line.endswith((" notify 99 0", " exit 0"))] and
                        hub.sibling_log(), what="the sibling's log of code 99")
                    self.assertNotIn("notify 1 0", "\n".join(log))
                    self.assertIn("notify 99 0", "\n".join(log))

    def test_server_ends_the_connection(self):
        # (control message, error text, Cancel shown)
        cases = [("message 12,0", "Double login detected.", False),
                 ("message 16,1", "Account deactivated by Admin.", False),
                 ("message 16,3", "(temporary) suspended.", True)]
        for command, text, cancel in cases:
            with self.subTest(command):
                with harness.Hub("login-end-" + command.split()[1],
                                 config_inner=saved_login("demo", "demo1234")) as hub:
                    hub.start_hub()
                    hub.wait_visible("tabswindowname")
                    hub.control(command)
                    self.assertIn(text, self.error_text(hub))
                    self.assertEqual(hub.visible("errorcancelwindowname"), cancel)
                    hub.wait_hidden("tabswindowname")
                    self.assertEqual(hub.window("statuslinewindowname")["text"], "Offline")
                    # OK ends the program (a web page first for the account states).
                    hub.click(OK)
                    self.assertEqual(hub.hub.wait(20), 0)

    def test_lost_connection_and_reconnect(self):
        with harness.Hub("login-lost", config_inner=saved_login("demo", "demo1234")) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname")
            hub.kill_server()
            self.assertIn("Lost connection to server.", self.error_text(hub))
            hub.wait_hidden("tabswindowname")
            errors = [w for w in hub.windows() if w["class"] == "errorwindowname"]
            self.assertEqual(len(errors), 1)
            hub.screenshot("login-lost-connection")
            self.assertEqual(hub.window("connectwindowname")["text"],
                             "Attempting to reconnect ...")
            # OK with the server still down: the new attempt fails at once.
            hub.click(OK)
            harness.wait_until(lambda: "No connection to server." in
                               hub.window("errorwindowname")["text"], what="error 2")
            hub.start_server()
            hub.click(OK)
            # The login goes out again as the first message of the new connection.
            harness.wait_until(lambda: hub.received().count(b"1," + login_message(
                "demo", "demo1234").encode()) == 2, what="second login")
            hub.wait_visible("tabswindowname")


if __name__ == "__main__":
    harness.main()
