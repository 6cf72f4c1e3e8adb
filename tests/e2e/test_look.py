"""What the hub looks like (golden images in tests/e2e/golden) in all four languages: the
connect window in every phase, every error kind and how it ends the connection, the login
dialog, the about box, the settings pages, the working surface in each tab and each menu
panel; a language from the server reaching the room and table windows. One prefix; each
test starts its own server and hub. TAVLORA_UPDATE_GOLDENS=1 rewrites the images."""

import goldens
import harness
from harness import MAIN, OK, ME, b64

# Sound off, the contacts window not opened at login (it would cover the main window).
CONFIG = harness.saved(login=None, sound=0, contacts=0)
SAVED = harness.saved(sound=0, contacts=0)
CONNECTED = {1: "Connected to Tavlora", 2: "Verbunden mit Tavlora", 3: "Collegato a Tavlora",
             4: "Po\u0142\u0105czenie z Tavlora"}
# The caret blinks in the login fields: both are left out of the comparison. The flags
# are the same in every language: the English image alone holds them.
LOGIN_FIELDS = [(241, 117, 168, 17), (241, 149, 168, 17)]
LOGIN_FLAGS = [(6, 28, 438, 80)]
# The board picture's felt makes a big image: its inside is left out, its edges (and so
# whether it is there at all) stay. The main window has a 3-pixel frame.
BOARD_INSIDE = [(3 + 181 + 12, 3 + 105 + 12, 391, 112), (3 + 181 + 12, 3 + 271, 391, 125)]
# What changes with the lobby's contents (the welcome lines' counts, the room list, the
# news) and the time: left out of the main window's comparison.
CLOCK = [(3 + 520, 3 + 40, 120, 38)]
LOBBY_MASKS = [(3 + 183, 3 + 30, 345, 40), (3 + 15 + 9, 3 + 120 + 64, 430, 209),
               CLOCK[0], (3 + 485, 3 + 135 + 50, 140, 200)]
# One room with one table, so that the hub can open a room window and, asked by it, a
# table window.
ONE_ROOM = harness.login_scenario(players=ME, rooms="5:Play Money Arena:2:1;",
                                  tables="5001:5:1:5:500:0:0:30:0:0:0:0:0:0:0:0:0:0;")
# The working surface, the same every run: more rooms than the list shows (it scrolls), every
# money kind, a locked room, a name too long for its column, players in some rooms, news
# lines and an administrator (two rows in the File panel). Only the clock changes.
ROOMS = ["Backgammon Club", "Beginners", "Blitz", "Caf\\xC3\\xA9 Lounge", "Doubling Cube",
         "Gammon Hall", "High Rollers", "Midnight Blitz", "Night Owls", "Play Money Arena",
         "Pok\\xC3\\xB3j dla pocz\\xC4\\x85tkuj\\xC4\\x85cych", "Running Game", "Sunday Cup",
         "VIP Salon", "Zocker"]
NEWS = ["Welcome to Tavlora!", "Spring cup:", "Saturday 18:00"]
SURFACE = harness.login_scenario(
    administrator=1, players=ME + "2001:Anna:1600:3;2002:Ben:1700:4;2003:Cleo:1650:4;",
    rooms="".join("%d:%s:%d:%d;" % (n + 1, name, 1 + n % 3, 2 if name == "VIP Salon" else 1)
                  for n, name in enumerate(ROOMS)),
    presences="7001:1:2001;7002:1:2002;7003:3:2003;7004:10:2001;",
    extra=["message 91," + b64(line) for line in NEWS])
TABS = [(tab, stem + "headwindowname", stem + "bodywindowname")
        for tab, stem in (("rooms", "room"), ("tournaments", "tourny"), ("cashier", "cashier"))]


class Look(harness.HubTest):
    hub_args = dict(screen="800x600x24", server=False)

    def tearDown(self):
        super().tearDown()
        self.hub.close_hub()
        self.hub.stop_server()

    def start(self, inner=SAVED, server=(), scenario=None, exe="Tavlora.exe"):
        self.tearDown()  # a failed case's hub and server
        self.hub.write_config_ini(inner)
        self.hub.start_server(server, scenario)
        self.hub.start_hub(exe=exe)

    def by_server(self, n, admin=0):
        """Language n sent by the server (message type 13), while connected."""
        self.hub.control("message 13,1001,%d,%d" % (n, admin))
        self.hub.wait_text("statuslinewindowname", CONNECTED[n])

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
            goldens.check(self.hub, "%s-%s" % (name, goldens.LANGUAGES[n]), rect,
                          list(masks) + (list(same_in_all) if n != 1 else []))
        switch(1)

    def connect_text(self, text):
        self.hub.wait_text(MAIN + "/connectwindowname",
                           lambda t: t == text and self.hub.visible("connectwindowname"))

    def test_connection_states_in_every_language(self):
        hub = self.hub
        # A server that never greets holds the hub in its first phase.
        self.start(CONFIG, ["--greeting", "none"])
        self.connect_text("Connecting ...")
        goldens.check(hub, "main-connecting", goldens.window_rect(hub, MAIN), BOARD_INSIDE)
        self.in_every_language(self.by_flag, "connect0", "connectwindowname")
        hub.stop_server()
        hub.wait_error("No connection to server.")
        self.in_every_language(self.by_flag, "error2", "errorwindowname")
        # Empty login fields: the login dialog once the connection is up.
        hub.start_server()
        hub.click(OK)
        hub.wait_visible("loginwindowname")
        self.in_every_language(self.by_flag, "login", "loginwindowname", LOGIN_FIELDS, LOGIN_FLAGS)
        # Logging in and loading, held by a server that answers only when told.
        hub.control("replies off")
        hub.submit_login()
        hub.wait_received(harness.login_message())
        self.connect_text("Logging in ... Please wait")
        self.in_every_language(self.by_server, "connect3", "connectwindowname")
        hub.control("message 11,5")
        self.connect_text("Loading data ... Please wait")
        self.in_every_language(self.by_server, "connect1", "connectwindowname")
        hub.control("message 15,0")
        hub.wait_visible("tabswindowname")
        # The about box, then two errors that keep the connection.
        hub.open_about_box()
        self.in_every_language(self.by_server, "about", "aboutwindowname")
        hub.click("aboutwindowname/aboutokwindowname")
        hub.wait_hidden("aboutwindowname")
        for message, n, line in (("11,2", 5, "Wrong name or password."),
                                 ("11,4", 7, "Account not activated.")):
            hub.control("message " + message)
            hub.wait_error(line)
            self.in_every_language(self.by_server, "error%d" % n, "errorwindowname")
        # The connection lost, and the reconnection held in its phase.
        hub.control("close")
        hub.wait_error("Lost connection to server.")
        hub.wait_hidden("tabswindowname")
        self.assertEqual([w["class"] for w in hub.windows()].count("errorwindowname"), 1)
        self.in_every_language(self.by_flag, "error4", "errorwindowname")
        hub.control("greeting none")
        hub.click(OK)
        self.connect_text("Attempting to reconnect ...")
        self.in_every_language(self.by_flag, "connect2", "connectwindowname")
        # Back in with a server that greets, then thrown out by a double login.
        hub.stop_server()
        hub.wait_error("No connection to server.")
        hub.start_server()
        hub.click(OK)
        hub.wait_visible("tabswindowname")
        # The login went out again, as the new connection's first message.
        self.assertIn(("1," + harness.login_message()).encode(),
                      hub.received(server=hub.servers_started))
        hub.control("message 12,0")
        hub.wait_error("Double login detected.")
        self.in_every_language(self.by_flag, "error6", "errorwindowname")
        self.offline_and_ok_ends()

    def offline_and_ok_ends(self):
        """Thrown out: the lobby hidden, offline, and OK ends the program (a web page first
        for the account states)."""
        self.hub.wait_hidden("tabswindowname")
        self.assertEqual(self.hub.text("statuslinewindowname"), "Offline")
        self.hub.click(OK)
        self.assertEqual(self.hub.exit_code(), 0)

    def test_errors_that_end_the_program_in_every_language(self):
        hub = self.hub
        # (kind, first line, server options, what raises it once logged in)
        for kind, line, options, cause in [
                (3, "Software version obsolete.", ["--version", "72"], None),
                (8, "This account has been", [], "message 16,3"),
                (9, "Account deactivated by Admin.", [], "message 16,1"),
                (10, "Screen resolution too small,", [], "post")]:
            with self.subTest(kind):
                self.start(SAVED, options)
                if cause:
                    hub.wait_visible("tabswindowname")
                    if cause == "post":
                        hub.probe("post", MAIN, "TavloraIntMessage", "35", "0")
                    else:
                        hub.control(cause)
                hub.wait_error(line)
                self.in_every_language(self.by_flag, "error%d" % kind, "errorwindowname")
                if cause and cause != "post":
                    self.offline_and_ok_ends()
                self.assertIn(hub.close_hub(), (0, None))

    def test_language_from_the_server_repaints_the_hub_and_reaches_the_siblings(self):
        hub = self.hub
        self.start(scenario=ONE_ROOM, exe=harness.HUB_WITH_HOOK)
        hub.wait_visible("tabswindowname")
        # The hub opens the room window, and the table window when the room asks for it.
        harness.enter_room(hub, 5)
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
        self.assertEqual([texts[c] for c in ("roomheadwindowname", "logoffbuttonwindow2name",
                                             "contactswindowname", "msctls_statusbar32")],
                         ["R\u00e4ume", "Ausloggen", "Kontakte", "Verbunden - Online"])
        self.assertEqual(hub.sibling_log().count("RoomView 5 notify 9 2"), 1)
        # A value outside 1..4 is passed on unchanged and shows English.
        hub.control("message 13,1001,7,0")
        harness.wait_until(lambda: "BoardView 5001 notify 9 7" in hub.sibling_log(),
                           what="language 7 passed on")
        goldens.check(hub, "lobby-en", main, LOBBY_MASKS)

    def test_working_surface_menu_panels_and_settings_pages_in_every_language(self):
        hub = self.hub
        self.start(scenario=SURFACE)
        hub.wait_visible("tabswindowname")
        hub.wait_text("roombodywindowname", lambda t: (t or "").startswith("Backgammon Club"))
        hub.wait_text(MAIN + "/newswindowname", lambda t: NEWS[-1] in (t or ""))
        main = goldens.window_rect(hub, MAIN)
        for n in (1, 2, 3, 4):
            self.by_server(n, admin=1)
            for tab, head, body in TABS:
                hub.pointer(head, 70, 10, "click")
                hub.wait_visible(body)
                if tab == "rooms":
                    # "Blitz" selected: grey, with the "Enter room" button.
                    hub.pointer(body, 40, 2 * 16 + 8, "click")
                    hub.wait_visible("enterroombuttonwindowname")
                goldens.check(hub, "surface-%s-%s" % (tab, goldens.LANGUAGES[n]), main, CLOCK)
        self.by_server(1, admin=1)
        # Each panel open, as a click on its title leaves it, the pointer on the title.
        bar = hub.window("headmenuwindowname")
        # 515 wide: the clock (from x 520 of the main window) ticks beside the bar.
        rect = (bar["sx"], bar["sy"], 515, 83)
        for name, x in {"file": 20, "options": 150, "website": 280, "help": 410}.items():
            hub.pointer("headmenuwindowname", x, 10, "click")
            panel = "head%swindowname" % name
            harness.wait_until(lambda: [w["class"] for w in hub.windows() if w["visible"] and
                                        w["class"].startswith("head") and w["class"] not in
                                        ("headmenubgwindowname", "headmenuwindowname")] == [panel],
                               what="only the %s panel" % name)
            goldens.check(hub, "menu-%s-en" % name, rect)
        hub.pointer("headmenuwindowname", 20, 300)
        hub.wait_hidden("headhelpwindowname")
        # The settings dialog, each page in each language, no line under the pointer.
        hub.choose_from_menu(140, 32)
        hub.wait_visible("settingswindowname")
        hub.xdotool("mousemove", 0, 0)
        rect = goldens.window_rect(hub, "settingswindowname")
        for n in (1, 2, 3, 4):
            self.by_server(n)
            for page in (1, 2, 3, 4):
                hub.click("settingswindowname/settingshead%dwindowname/"
                          "settingshead%dbuttonwindowname" % (page, page))
                goldens.check(hub, "settings%d-%s" % (page, goldens.LANGUAGES[n]), rect)


if __name__ == "__main__":
    harness.main()
