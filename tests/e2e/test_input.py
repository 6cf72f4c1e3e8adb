"""Real pointer and keyboard input (xdotool through the X server) on the hub's controls:
the press protocol of a 100 x 20 button, the main tabs, a language flag, and the login
dialog's fields and keys.

Input reaches the hub in order, so a gesture that must do nothing is followed by one that
does something visible (a press that takes the mouse capture): once that is seen, the
first gesture has been handled.
"""

import base64
import os
import re
import unittest

import goldens
import harness

MAIN = "KXLobby0"
ABOUT_OK = "aboutokwindowname"
SCREEN = "800x600x24"
SETTINGS = "!4 1!5 1!6 0!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
           "20 1!21 1!22 0!23 1!24 0!25 0!26 0!27 1!28 1!29 1!"
USER_FIELD = "loginwindowname/Edit#0"
PASSWORD_FIELD = "loginwindowname/Edit#1"


def config(user=None, password=None):
    login = "!3 %s %s" % (user, password) if user else ""
    return harness.encode_config_ini("73" + login + SETTINGS)


class Input(unittest.TestCase):
    """One Wine prefix for every test here; each test starts its own hub and server."""

    @classmethod
    def setUpClass(cls):
        cls.hub = harness.Hub("input", screen=SCREEN, server=False).__enter__()
        cls.shots = os.path.join(harness.ARTIFACTS, "input")
        os.makedirs(cls.shots, exist_ok=True)

    @classmethod
    def tearDownClass(cls):
        cls.hub.__exit__(None, None, None)

    def tearDown(self):
        hub = self.hub
        hub.xdotool("mouseup", 1)
        if hub.hub is not None:
            hub.screenshot("input-end-" + self._testMethodName)
            hub.close_hub()
        if hub.server is not None and hub.server.poll() is None:
            hub.stop_server()

    # --- the pointer ---
    def move(self, cls, x, y):
        """Moves the pointer to client point (x, y) of the window of class `cls`."""
        sx, sy = self.hub.screen_point(cls, x, y)
        self.hub.xdotool("mousemove", "--sync", sx, sy)

    def press(self, cls, x, y):
        self.move(cls, x, y)
        self.hub.xdotool("mousedown", 1)

    def release(self):
        self.hub.xdotool("mouseup", 1)

    def click(self, cls, x, y):
        self.press(cls, x, y)
        self.release()

    def input_handled(self):
        """Returns once the hub has handled the input sent so far: two messages sent to
        it in a row, the second of which it takes only after dispatching what came
        before."""
        for _ in range(2):
            self.hub.probe("send", MAIN, "0", "0", "0")  # WM_NULL

    def wait_capture(self, cls):
        harness.wait_until(lambda: self.hub.capture_class() == cls,
                           what="capture on " + (cls or "nothing"))

    # --- pictures of one control ---
    def picture(self, cls, name):
        path = os.path.join(self.shots, name + ".png")
        goldens.grab(self.hub, goldens.window_rect(self.hub, cls), path)
        return path

    def wait_picture(self, cls, name, like, same=True):
        """Waits until the control looks like (or unlike) the picture `like`."""
        def matches():
            return (goldens.differing_pixels(like, self.picture(cls, name)) == 0) == same
        harness.wait_until(matches, what="%s %s %s" % (cls, "like" if same else "unlike", like))

    def start_logged_in(self):
        hub = self.hub
        hub.write_config_ini(config("demo", "demo1234"))
        hub.start_server()
        hub.start_hub()
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")

    def open_about(self):
        self.hub.open_about_box()

    def assert_about_still_open(self):
        """After a gesture that must do nothing: a press on the close button shows that
        the gesture was handled; it is then given up by leaving the button."""
        self.press("aboutclosewindowname", 10, 10)
        self.wait_capture("aboutclosewindowname")
        self.assertTrue(self.hub.visible("aboutwindowname"))
        self.move("aboutclosewindowname", 60, 10)
        self.wait_capture("")
        self.release()

    # --- the tests ---
    def test_a_100_by_20_button(self):
        hub = self.hub
        self.start_logged_in()
        self.open_about()
        self.assertFalse(hub.window(MAIN)["enabled"])
        normal = self.picture(ABOUT_OK, "ok-normal")

        # Released on its far corner (100, 20): inside, the box closes.
        self.press(ABOUT_OK, 5, 5)
        self.wait_capture(ABOUT_OK)
        self.wait_picture(ABOUT_OK, "ok-pressed", normal, same=False)
        self.move(ABOUT_OK, 100, 20)
        self.release()
        hub.wait_hidden("aboutwindowname")
        self.assertTrue(hub.window(MAIN)["enabled"])

        # One pixel further, (101, 20), the press is lost: the release does nothing.
        self.open_about()
        self.press(ABOUT_OK, 5, 5)
        self.wait_capture(ABOUT_OK)
        self.move(ABOUT_OK, 101, 20)
        self.wait_capture("")
        self.release()
        self.assert_about_still_open()

        # Dragged out and back in: normal from the moment the pointer left, and the
        # release does nothing.
        self.press(ABOUT_OK, 5, 5)
        self.wait_capture(ABOUT_OK)
        self.move(ABOUT_OK, 150, 5)
        self.wait_capture("")
        self.wait_picture(ABOUT_OK, "ok-left", normal)
        self.move(ABOUT_OK, 5, 5)
        self.release()
        self.assert_about_still_open()
        self.wait_picture(ABOUT_OK, "ok-back", normal)

        # Moved, then hidden, while pressed: the press is cancelled without the action.
        for cancel, restore in ((("move", ABOUT_OK, 125, 322), ("move", ABOUT_OK, 125, 321)),
                                (("show", ABOUT_OK, 0), ("show", ABOUT_OK, 1))):
            with self.subTest(cancel[0]):
                self.press(ABOUT_OK, 5, 5)
                self.wait_capture(ABOUT_OK)
                hub.probe(cancel[0], "aboutwindowname/" + cancel[1], *map(str, cancel[2:]))
                self.wait_capture("")
                self.release()
                hub.probe(restore[0], "aboutwindowname/" + restore[1], *map(str, restore[2:]))
                self.assert_about_still_open()
                self.wait_picture(ABOUT_OK, "ok-after-" + cancel[0], normal)

        # A plain click still works.
        self.click(ABOUT_OK, 50, 10)
        hub.wait_hidden("aboutwindowname")

    def test_b_clicking_the_selected_tab_changes_nothing(self):
        hub = self.hub
        self.start_logged_in()
        rooms, tournaments = "roomheadwindowname", "tournyheadwindowname"
        for selected, other, columns in ((rooms, tournaments, "rbbutton1windowname"),
                                         (tournaments, rooms, "tbbutton1windowname")):
            with self.subTest(selected):
                if selected == tournaments:
                    self.click(tournaments, 70, 15)
                    harness.wait_until(lambda: hub.visible("tbbutton1windowname"),
                                       what="the tournaments tab")
                before = self.picture(selected, "tab-before")
                # The tab showing the current choice does not become pressed ...
                self.press(selected, 70, 15)
                self.input_handled()
                self.assertEqual(hub.capture_class(), "")
                self.release()
                # A press on the other head shows the click has been handled.
                self.press(other, 70, 15)
                self.wait_capture(other)
                self.assertEqual(goldens.differing_pixels(
                    before, self.picture(selected, "tab-after")), 0)
                self.assertTrue(hub.visible(columns))
                self.move(other, 70, 200)
                self.wait_capture("")
                self.release()

    def test_c_flag_and_login_dialog(self):
        hub = self.hub
        hub.write_config_ini(config())
        hub.start_server()
        hub.start_hub()
        hub.probe("wait-visible", "loginwindowname", "15000")

        # A flag acts on its button-down, before any release.
        self.press("loginflag2windowname", 50, 37)
        harness.wait_until(lambda: hub.text(MAIN + "/statuslinewindowname") ==
                           "Verbunden mit Tavlora", what="German")
        self.assertEqual(hub.text("loginwindowname/logincancelwindowname"), "Abbrechen")
        self.release()
        self.click("loginflag1windowname", 50, 37)
        harness.wait_until(lambda: hub.text(MAIN + "/statuslinewindowname") ==
                           "Connected to Tavlora", what="English")

        # The fields take no 16th character from the keyboard.
        self.click("loginwindowname", 300, 125)  # into the user name field
        hub.xdotool("type", "--delay", 20, "abcdefghijklmnop")
        harness.wait_until(lambda: hub.text(USER_FIELD) == "abcdefghijklmno",
                           what="15 characters typed")
        # A 4-character name and a 15-character password; Enter in the password field.
        hub.probe("settext", USER_FIELD, "")
        hub.xdotool("type", "--delay", 20, "anna")
        self.click("loginwindowname", 300, 157)  # into the password field
        hub.xdotool("type", "--delay", 20, "p4ssw0rd-of-15!x")
        hub.xdotool("key", "Return")
        sent = base64.b64encode(b"anna,p4ssw0rd-of-15!").decode()
        harness.wait_until(lambda: re.search(rb"(^|!)\d+,11," + sent.encode() + rb",!",
                                             hub.received()), what="the login message")
        self.error_and_back("Wrong name or password.")

        # Three characters: error 5 and nothing sent.
        logins = hub.received().count(b",11,")
        hub.probe("settext", USER_FIELD, "")
        self.click("loginwindowname", 300, 125)
        hub.xdotool("type", "--delay", 20, "bob")
        hub.xdotool("key", "Return")
        self.error_and_back("Wrong name or password.")
        self.assertEqual(hub.received().count(b",11,"), logins)

        # Escape in a field ends the program.
        self.click("loginwindowname", 300, 157)
        hub.xdotool("key", "Escape")
        self.assertEqual(hub.hub.wait(20), 0)
        hub.hub = None

    def error_and_back(self, line):
        """Waits for the error, then its OK brings the login dialog back."""
        hub = self.hub
        hub.probe("wait-visible", "errorwindowname", "15000")
        harness.wait_until(lambda: line in (hub.text("errorwindowname") or ""), what=line)
        self.click("errorok2windowname", 50, 10)
        hub.probe("wait-visible", "loginwindowname", "15000")
        hub.wait_hidden("errorwindowname")


if __name__ == "__main__":
    harness.main()
