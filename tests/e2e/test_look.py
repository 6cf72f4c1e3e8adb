"""What the hub looks like, compared with the golden images in tests/e2e/golden: the
connect window in every phase, every error kind, the login dialog, the about box and the
four settings pages, each in all four languages, driven through the development server; a
language sent by the server repainting the hub and reaching the room and table windows
the hub opened; and the working surface in each tab and language, and each header-menu
panel open.

Regenerate the images with TAVLORA_UPDATE_GOLDENS=1 (see the README) and look at each.
"""

import base64
import unittest

import goldens
import harness

MAIN = "KXLobby0"
OK = "errorwindowname/errorokwindowname/errorok2windowname"
SCREEN = "800x600x24"
# Sound off, the contacts window not opened at login (it would cover the main window).
SETTINGS = "!4 1!5 1!6 0!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
           "20 1!21 1!22 0!23 1!24 0!25 0!26 0!27 1!28 1!29 1!"
CONNECTED = {1: "Connected to Tavlora", 2: "Verbunden mit Tavlora", 3: "Collegato a Tavlora",
             4: "Po\u0142\u0105czenie z Tavlora"}
LANGUAGES = goldens.LANGUAGES
# The caret blinks in the login fields: both are left out of the comparison. The flags
# are the same in every language: the English image alone holds them.
LOGIN_FIELDS = [(241, 117, 168, 17), (241, 149, 168, 17)]
LOGIN_FLAGS = [(6, 28, 438, 80)]
# The board picture's felt makes a big image: its inside is left out, its edges (and so
# whether it is there at all) stay. The main window has a 3-pixel frame.
BOARD_INSIDE = [(3 + 181 + 12, 3 + 105 + 12, 391, 112), (3 + 181 + 12, 3 + 271, 391, 125)]
# What changes with the lobby's contents (the welcome lines' counts, the room list, the
# news) and the time: left out of the main window's comparison.
LOBBY_MASKS = [(3 + 183, 3 + 30, 345, 40), (3 + 15 + 9, 3 + 120 + 64, 430, 209),
               (3 + 520, 3 + 40, 120, 38), (3 + 485, 3 + 135 + 50, 140, 200)]
# A lobby with one room and one table in it, so that the hub can open a room window and,
# asked by it, a table window. TavloraTest.exe is the hub plus test code 900, which
# enters the room given (Tavlora.exe has no such code).
HUB_WITH_ROOM_HOOK = "TavloraTest.exe"
ONE_ROOM = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;
message 31,5:Play Money Arena:2:1;
message 71,5001:5:1:5:500:0:0:30:0:0:0:0:0:0:0:0:0:0;
message 15,0
"""

# The working surface, the same every run: more rooms than the list shows (it scrolls),
# every money kind and a locked room, players in some rooms, news lines and an
# administrator (two rows in the File panel). Only the clock changes.
SURFACE_ROOMS = ["Backgammon Club", "Beginners", "Blitz", "Café Lounge", "Doubling Cube",
                 "Gammon Hall", "High Rollers", "Midnight Blitz", "Night Owls",
                 "Play Money Arena", "Quiet Room", "Running Game", "Sunday Cup",
                 "VIP Salon", "Zocker"]
SURFACE_NEWS = ["Welcome to Tavlora!", "Spring cup:", "Saturday 18:00"]
SURFACE_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,1
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Ben:1700:4;2003:Cleo:1650:4;
message 31,%s
message 32,7001:1:2001;7002:1:2002;7003:3:2003;7004:10:2001;
%s
message 15,0
""" % ("".join("%d:%s:%d:%d;" % (n + 1, name.replace("\u00e9", "\\xC3\\xA9"), 1 + n % 3,
                                 2 if name == "VIP Salon" else 1)
               for n, name in enumerate(SURFACE_ROOMS)),
       "\n".join("message 91," + base64.b64encode(line.encode()).decode()
                  for line in SURFACE_NEWS))
CLOCK = [(3 + 520, 3 + 40, 120, 38)]
TABS = [("rooms", "roomheadwindowname", "roombodywindowname"),
        ("tournaments", "tournyheadwindowname", "tournybodywindowname"),
        ("cashier", "cashierheadwindowname", "cashierbodywindowname")]
MENU_TITLE_X = {"file": 20, "options": 150, "website": 280, "help": 410}


def config(user=None, password=None):
    login = "!3 %s %s" % (user, password) if user else ""
    return harness.encode_config_ini("73" + login + SETTINGS)


def login_message(user, password):
    return "11," + base64.b64encode(("%s,%s" % (user, password)).encode()).decode() + ",!"


class Look(unittest.TestCase):
    """One Wine prefix for every test here; each test starts its own hub and server."""

    @classmethod
    def setUpClass(cls):
        cls.hub = harness.Hub("look", screen=SCREEN, server=False).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.hub.__exit__(None, None, None)

    def tearDown(self):
        self.end_run()

    def end_run(self):
        """No hub and no server left for the next run (a failed one's screen is kept)."""
        hub = self.hub
        if hub.hub is not None:
            hub.screenshot("look-end-" + self._testMethodName)
            hub.close_hub()
        if hub.server is not None and hub.server.poll() is None:
            hub.stop_server()

    # --- switching languages ---
    def by_server(self, n):
        """Language n sent by the server (message type 13), while connected."""
        self.hub.control("message 13,1001,%d,0" % n)
        harness.wait_until(lambda: self.hub.text(MAIN + "/statuslinewindowname") ==
                           CONNECTED[n], what="language %d" % n)

    def by_flag(self, n):
        """Language n from the login dialog's flag, which acts on its button-down even
        while the dialog is hidden: the only way left once the connection is gone."""
        self.hub.probe("click", "loginwindowname/loginflag%dwindowname" % n)

    def in_every_language(self, switch, name, cls, masks=(), same_in_all=()):
        """Golden images <name>-<language> of the window of class `cls`; the places
        `same_in_all` are compared in English only."""
        rect = goldens.window_rect(self.hub, cls)
        for n in (1, 2, 3, 4):
            switch(n)
            goldens.check(self.hub, "%s-%s" % (name, LANGUAGES[n]), rect,
                          list(masks) + (list(same_in_all) if n != 1 else []))
        switch(1)

    def error_shown(self, line):
        self.hub.probe("wait-visible", "errorwindowname", "15000")
        harness.wait_until(lambda: line in (self.hub.text("errorwindowname") or ""),
                           what="error window with " + line)

    def connect_text(self, text):
        self.hub.probe("wait-visible", MAIN + "/connectwindowname", "15000")
        harness.wait_until(lambda: self.hub.text(MAIN + "/connectwindowname") == text,
                           what="connect window " + text)

    def pointer_click(self, cls, x, y):
        """A click of the pointer at client point (x, y) of the window of class `cls`."""
        w = self.hub.window(cls)
        self.hub.xdotool("mousemove", w["sx"] + x, w["sy"] + y, "click", "1")

    # --- the tests ---
    def test_connection_states_in_every_language(self):
        hub = self.hub
        hub.write_config_ini(config())
        # A server that never greets holds the hub in its first phase.
        hub.start_server(["--greeting", "none"])
        hub.start_hub()
        self.connect_text("Connecting ...")
        goldens.check(hub, "main-connecting", goldens.window_rect(hub, MAIN), BOARD_INSIDE)
        self.in_every_language(self.by_flag, "connect0", "connectwindowname")

        hub.stop_server()
        self.error_shown("No connection to server.")
        self.in_every_language(self.by_flag, "error2", "errorwindowname")

        # Empty login fields: the login dialog once the connection is up.
        hub.start_server()
        hub.click(OK)
        hub.probe("wait-visible", "loginwindowname", "15000")
        self.in_every_language(self.by_flag, "login", "loginwindowname", LOGIN_FIELDS,
                               LOGIN_FLAGS)

        # Logging in and loading, held by a server that answers only when told.
        hub.control("replies off")
        hub.probe("settext", "loginwindowname/Edit#0", "demo")
        hub.probe("settext", "loginwindowname/Edit#1", "demo1234")
        hub.probe("key", "loginwindowname/Edit#1", "VK_RETURN")
        hub.wait_received(login_message("demo", "demo1234"))
        self.connect_text("Logging in ... Please wait")
        self.in_every_language(self.by_server, "connect3", "connectwindowname")
        hub.control("message 11,5")
        self.connect_text("Loading data ... Please wait")
        self.in_every_language(self.by_server, "connect1", "connectwindowname")
        hub.control("message 15,0")
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")

        # The about box, then two errors that keep the connection.
        hub.open_about_box()
        self.in_every_language(self.by_server, "about", "aboutwindowname")
        hub.click("aboutwindowname/aboutokwindowname")
        hub.wait_hidden("aboutwindowname")
        hub.control("message 11,2")
        self.error_shown("Wrong name or password.")
        self.in_every_language(self.by_server, "error5", "errorwindowname")
        hub.control("message 11,4")
        self.error_shown("Account not activated.")
        self.in_every_language(self.by_server, "error7", "errorwindowname")

        # The connection lost, and the reconnection held in its phase.
        hub.control("close")
        self.error_shown("Lost connection to server.")
        self.in_every_language(self.by_flag, "error4", "errorwindowname")
        hub.control("greeting none")
        hub.click(OK)
        self.connect_text("Attempting to reconnect ...")
        self.in_every_language(self.by_flag, "connect2", "connectwindowname")

        # Back in with a server that greets, then thrown out by a double login.
        hub.stop_server()
        self.error_shown("No connection to server.")
        hub.start_server()
        hub.click(OK)
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")
        hub.control("message 12,0")
        self.error_shown("Double login detected.")
        self.in_every_language(self.by_flag, "error6", "errorwindowname")

    def test_errors_that_end_the_program_in_every_language(self):
        hub = self.hub
        # (kind, first line, server options, what raises it once logged in)
        cases = [(3, "Software version obsolete.", ["--version", "72"], None),
                 (8, "This account has been", [], lambda: hub.control("message 16,3")),
                 (9, "Account deactivated by Admin.", [], lambda: hub.control("message 16,1")),
                 (10, "Screen resolution too small,", [],
                  lambda: hub.probe("post", MAIN, "TavloraIntMessage", "35", "0"))]
        for kind, line, options, cause in cases:
            with self.subTest(kind):
                try:
                    hub.write_config_ini(config("demo", "demo1234"))
                    hub.start_server(options)
                    hub.start_hub()
                    if cause is not None:
                        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")
                        cause()
                    self.error_shown(line)
                    self.in_every_language(self.by_flag, "error%d" % kind, "errorwindowname")
                    self.assertEqual(hub.close_hub(), 0)
                finally:
                    self.end_run()

    def test_language_from_the_server_repaints_the_hub_and_reaches_the_siblings(self):
        hub = self.hub
        hub.write_config_ini(config("demo", "demo1234"))
        hub.scenario = ONE_ROOM
        try:
            hub.start_server()
        finally:
            hub.scenario = None
        hub.start_hub(exe=HUB_WITH_ROOM_HOOK)
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")
        # The hub opens the room window, and the table window when the room asks for it.
        hub.probe("post", MAIN, "TavloraIntMessage", "900", "5")
        hub.probe("wait", "KXLobby5", "20000")
        hub.probe("test-command", "KXLobby5", "notify 31 5001")
        hub.probe("wait", "KXTable5001", "20000")
        for cls in ("KXLobby5", "KXTable5001"):
            hub.probe("move", cls, "3000", "3000")  # off the screen, out of the pictures
        main = goldens.window_rect(hub, MAIN)
        goldens.check(hub, "lobby-en", main, LOBBY_MASKS)

        hub.control("message 13,1001,2,0")
        # Both sibling windows hear the new language (code 9), once.
        for program in ("RoomView 5", "BoardView 5001"):
            harness.wait_until(lambda: program + " notify 9 2" in hub.sibling_log(),
                               what=program + " told the language")
        goldens.check(hub, "lobby-de", main, LOBBY_MASKS)
        texts = {w["class"]: w["text"] for w in hub.windows()}
        self.assertEqual(texts["roomheadwindowname"], "R\u00e4ume")
        self.assertEqual(texts["logoffbuttonwindow2name"], "Ausloggen")
        self.assertEqual(texts["contactswindowname"], "Kontakte")
        self.assertEqual(texts["msctls_statusbar32"], "Verbunden - Online")
        self.assertEqual(hub.sibling_log().count("RoomView 5 notify 9 2"), 1)
        # A value outside 1..4 is passed on unchanged and shows English.
        hub.control("message 13,1001,7,0")
        harness.wait_until(lambda: "BoardView 5001 notify 9 7" in hub.sibling_log(),
                           what="language 7 passed on")
        goldens.check(hub, "lobby-en", main, LOBBY_MASKS)

    def test_working_surface_in_every_tab_and_language_and_each_menu_panel(self):
        hub = self.hub
        hub.write_config_ini(config("demo", "demo1234"))
        hub.scenario = SURFACE_LOBBY
        try:
            hub.start_server()
        finally:
            hub.scenario = None
        hub.start_hub()
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")
        rows = lambda: hub.text(MAIN + "/tabswindowname/roombodywindowname") or ""  # noqa
        harness.wait_until(lambda: rows().startswith("Backgammon Club"), what="the room list")
        news = lambda: hub.text(MAIN + "/newswindowname") or ""  # noqa: E731
        harness.wait_until(lambda: SURFACE_NEWS[-1] in news(), what="the news")
        main = goldens.window_rect(hub, MAIN)
        for n in (1, 2, 3, 4):
            self.hub.control("message 13,1001,%d,1" % n)
            harness.wait_until(lambda: hub.text(MAIN + "/statuslinewindowname") ==
                               CONNECTED[n], what="language %d" % n)
            for tab, head, body in TABS:
                self.pointer_click(head, 70, 10)
                hub.probe("wait-visible", MAIN + "/tabswindowname/" + body, "15000")
                if tab == "rooms":
                    # "Blitz" selected: grey, with the "Enter room" button.
                    self.pointer_click(body, 40, 2 * 16 + 8)
                    hub.probe("wait-visible",
                              MAIN + "/tabswindowname/enterroombuttonwindowname", "15000")
                goldens.check(hub, "surface-%s-%s" % (tab, LANGUAGES[n]), main, CLOCK)
        hub.control("message 13,1001,1,1")
        harness.wait_until(lambda: hub.text(MAIN + "/statuslinewindowname") == CONNECTED[1],
                           what="English again")

        # Each panel open, as a click on its title leaves it, the pointer on the title.
        bar = hub.window("headmenuwindowname")
        # 515 wide: the clock (from x 520 of the main window) ticks beside the bar.
        rect = (bar["sx"], bar["sy"], 515, 83)
        for name, x in MENU_TITLE_X.items():
            hub.xdotool("mousemove", str(bar["sx"] + x), str(bar["sy"] + 10), "click", "1")
            panel = "head%swindowname" % name
            hub.wait_visible(panel)
            harness.wait_until(lambda: [w["class"] for w in hub.windows() if w["visible"] and
                                        w["class"].startswith("head") and
                                        w["class"] != "headmenubgwindowname" and
                                        w["class"] != "headmenuwindowname"] == [panel],
                               what="only the %s panel" % name)
            goldens.check(hub, "menu-%s-en" % name, rect)
        hub.xdotool("mousemove", str(bar["sx"] + 20), str(bar["sy"] + 300))
        harness.wait_until(lambda: not hub.visible("headhelpwindowname"), what="menu closed")

    def test_settings_pages_in_every_language(self):
        hub = self.hub
        hub.write_config_ini(config("demo", "demo1234"))
        hub.start_server()
        hub.start_hub()
        hub.probe("wait-visible", MAIN + "/tabswindowname", "15000")
        # Options, first row: pressed on the title and released on the row, one gesture.
        bar = hub.window("headmenuwindowname")
        x, y = bar["sx"] + 140, bar["sy"]
        hub.xdotool("mousemove", x, y + 10, "mousedown", 1, "mousemove", x, y + 32,
                    "mouseup", 1)
        hub.probe("wait-visible", "settingswindowname", "15000")
        hub.xdotool("mousemove", 0, 0)  # no line under the pointer
        rect = goldens.window_rect(hub, "settingswindowname")
        for n in (1, 2, 3, 4):
            self.by_server(n)
            for page in (1, 2, 3, 4):
                hub.click("settingswindowname/settingshead%dwindowname/"
                          "settingshead%dbuttonwindowname" % (page, page))
                goldens.check(hub, "settings%d-%s" % (page, LANGUAGES[n]), rect)
        hub.click("settingswindowname/settingsclosewindowname")
        hub.wait_hidden("settingswindowname")


if __name__ == "__main__":
    harness.main()
