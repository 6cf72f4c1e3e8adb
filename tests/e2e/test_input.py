"""Real pointer and keyboard input (xdotool through the X server) on one hub: the press
protocol of a 100 x 20 button, the main tabs, a language flag, the login dialog's fields
and keys. Input arrives in order, so a gesture that must do nothing is followed by one
that does something visible (a press taking the capture): once seen, the first was handled.
"""

import os
import re

import goldens
import harness
from harness import MAIN

OK = "aboutokwindowname"
USER, PASSWORD = "loginwindowname/Edit#0", "loginwindowname/Edit#1"


class Input(harness.HubTest):
    hub_args = dict(screen="800x600x24", config_inner=harness.saved(sound=0, contacts=0),
                    start="Tavlora.exe")

    def tearDown(self):
        super().tearDown()
        self.hub.xdotool("mouseup", 1)

    def wait_capture(self, cls):
        # The class of the window that holds the mouse capture in the main window's thread.
        harness.wait_until(lambda: self.hub.probe("focus", MAIN)[0]["capture_class"] == cls,
                           what="capture on " + (cls or "nothing"))

    def press(self, cls, x=5, y=5):
        self.hub.pointer(cls, x, y, "mousedown")
        self.wait_capture(cls)

    def picture(self, cls, name):
        path = os.path.join(harness.ARTIFACTS, "input-%s.png" % name)
        goldens.grab(self.hub, goldens.window_rect(self.hub, cls), path)
        return path

    def wait_picture(self, cls, name, like, same=True):
        """Waits until the control looks like (or unlike) the picture `like`."""
        harness.wait_until(lambda: (goldens.differing_pixels(like, self.picture(cls, name)) == 0)
                           == same, what="%s %s %s" % (cls, "like" if same else "unlike", like))

    def assert_about_still_open(self):
        """After a gesture that must do nothing: a press on the close button shows that
        the gesture was handled; it is then given up by leaving the button."""
        self.press("aboutclosewindowname", 10, 10)
        self.assertTrue(self.hub.visible("aboutwindowname"))
        self.hub.pointer("aboutclosewindowname", 60, 10)
        self.wait_capture("")
        self.hub.xdotool("mouseup", 1)

    def test_a_100_by_20_button(self):
        hub = self.hub
        hub.open_about_box()
        self.assertFalse(hub.window(MAIN)["enabled"])
        normal = self.picture(OK, "ok-normal")
        # Released on its far corner (100, 20): inside, the box closes.
        self.press(OK)
        self.wait_picture(OK, "ok-pressed", normal, same=False)
        hub.pointer(OK, 100, 20, "mouseup")
        hub.wait_hidden("aboutwindowname")
        self.assertTrue(hub.window(MAIN)["enabled"])
        hub.open_about_box()
        # Lost one pixel further, (101, 20), or dragged out (normal from the moment the
        # pointer left) and back in: the release does nothing.
        for note, out in (("101", (101, 20)), ("out and back", (150, 5))):
            with self.subTest(note):
                self.press(OK)
                hub.pointer(OK, *out)
                self.wait_capture("")
                self.wait_picture(OK, "ok-left", normal)
                hub.pointer(OK, 5, 5, "mouseup")
                self.assert_about_still_open()
                self.wait_picture(OK, "ok-back", normal)
        # Moved, then hidden, while pressed: the press is cancelled without the action.
        for cancel, restore in ((("move", 125, 322), ("move", 125, 321)),
                                (("show", 0), ("show", 1))):
            with self.subTest(cancel[0]):
                self.press(OK)
                hub.probe(cancel[0], "aboutwindowname/" + OK, *map(str, cancel[1:]))
                self.wait_capture("")
                hub.xdotool("mouseup", 1)
                hub.probe(restore[0], "aboutwindowname/" + OK, *map(str, restore[1:]))
                self.assert_about_still_open()
                self.wait_picture(OK, "ok-after-" + cancel[0], normal)
        # A plain click still works.
        hub.pointer(OK, 50, 10, "click")
        hub.wait_hidden("aboutwindowname")

    def test_b_clicking_the_selected_tab_changes_nothing(self):
        hub = self.hub
        rooms, tournaments = "roomheadwindowname", "tournyheadwindowname"
        before = self.picture(rooms, "tab-before")
        # The tab showing the current choice does not become pressed (two messages sent
        # after the press come back only once it has been dispatched) ...
        hub.pointer(rooms, 70, 15, "mousedown")
        harness.answer_time(hub), harness.answer_time(hub)
        self.assertEqual(hub.probe("focus", MAIN)[0]["capture_class"], "")
        hub.xdotool("mouseup", 1)
        # ... nor changes: a press on the other head shows the click was handled.
        self.press(tournaments, 70, 15)
        self.assertEqual(goldens.differing_pixels(before, self.picture(rooms, "tab-after")), 0)
        self.assertTrue(hub.visible("rbbutton1windowname"))
        hub.pointer(tournaments, 70, 200)
        self.wait_capture("")
        hub.xdotool("mouseup", 1)

    def test_c_flag_and_login_dialog(self):
        hub = self.hub
        hub.close_hub()
        hub.write_config_ini(harness.saved(login=None, sound=0, contacts=0))
        hub.start_hub()
        hub.wait_visible("loginwindowname")
        # A flag acts on its button-down, before any release.
        hub.pointer("loginflag2windowname", 50, 37, "mousedown")
        hub.wait_text("statuslinewindowname", "Verbunden mit Tavlora")
        self.assertEqual(hub.text("loginwindowname/logincancelwindowname"), "Abbrechen")
        hub.xdotool("mouseup", 1)
        hub.pointer("loginflag1windowname", 50, 37, "click")
        hub.wait_text("statuslinewindowname", "Connected to Tavlora")
        # The fields take no 16th character from the keyboard.
        hub.pointer("loginwindowname", 300, 125, "click")  # into the user name field
        hub.xdotool("type", "--delay", 20, "abcdefghijklmnop")
        hub.wait_text(USER, "abcdefghijklmno")
        # A 4-character name and a 15-character password; Enter in the password field.
        hub.probe("settext", USER, "")
        hub.xdotool("type", "--delay", 20, "anna")
        hub.pointer("loginwindowname", 300, 157, "click")  # into the password field
        hub.xdotool("type", "--delay", 20, "p4ssw0rd-of-15!x")
        hub.xdotool("key", "Return")
        sent = harness.login_message("anna", "p4ssw0rd-of-15!").encode()
        harness.wait_until(lambda: re.search(rb"(^|!)\d+," + re.escape(sent), hub.received()),
                           what="the login message")
        self.error_and_back()
        # Three characters: the same error and nothing sent.
        logins = hub.received().count(b",11,")
        hub.probe("settext", USER, "")
        hub.pointer("loginwindowname", 300, 125, "click")
        hub.xdotool("type", "--delay", 20, "bob")
        hub.xdotool("key", "Return")
        self.error_and_back()
        self.assertEqual(hub.received().count(b",11,"), logins)
        # Escape in a field ends the program.
        hub.pointer("loginwindowname", 300, 157, "click")
        hub.xdotool("key", "Escape")
        self.assertEqual(hub.exit_code(), 0)

    def error_and_back(self):
        """Waits for the error, then its OK brings the login dialog back."""
        self.hub.wait_error("Wrong name or password.")
        self.hub.pointer("errorok2windowname", 50, 10, "click")
        self.hub.wait_visible("loginwindowname")
        self.hub.wait_hidden("errorwindowname")


if __name__ == "__main__":
    harness.main()
