"""The logged-in hub's surface with real pointer input, on three hubs: with the development
server (sounds and web pages heard through Wine's traces) the panels, the menu and the
account buttons; with scripted lobbies the room and tournament lists, and a long list."""

import harness
from harness import MAIN, client, relays, wait_until

BAR = "headmenuwindowname"
PANELS = ("headfilewindowname", "headoptionswindowname", "headwebsitewindowname",
          "headhelpwindowname")
SAVED = harness.saved(contacts=0)
CLICK = 1004
BODY = MAIN + "/tabswindowname/roombodywindowname"


def open_panels(hub):
    return [p for p in PANELS if hub.visible(p)]


def pointer(hub, *steps):
    """xdotool steps; (x, y) are relative to the menu bar's top-left."""
    bar = hub.window(BAR)
    args = []
    for step in steps:
        args += (["mousemove", bar["sx"] + step[0], bar["sy"] + step[1]]
                 if isinstance(step, tuple) else [step, "1"])
    hub.xdotool(*args)


def click_at(hub, cls, x, y, repeat=1):
    w = hub.window(cls)
    hub.xdotool("mousemove", w["sx"] + x, w["sy"] + y, "click", "--repeat", repeat,
                "--delay", "80", "1")


def close_room(hub, room):
    """The room's window closed, out of the pointer's way."""
    hub.probe("test-command", "KXLobby%s" % room, "close")
    harness.wait_logged(hub, "RoomView", room, "exit 0")


def clicked(hub, before, what):
    wait_until(lambda: hub.sounds().count(CLICK) == before + 1, what="click sound of " + what)


class WithTheDevelopmentServer(harness.HubTest):
    hub_args = dict(config_inner=SAVED)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.hub.log_in(trace="winmm,exec")

    def test_1_news_and_a_ticking_clock(self):
        hub = self.hub
        news = hub.wait_text(MAIN + "/newswindowname", lambda t: "Welcome" in (t or "") and t)
        self.assertEqual(news.split("\n"), ["News", "Welcome to Tavlora!", "Spring cup:",
                                            "Saturday 18:00", "Play money rooms",
                                            "open all night"])
        first = hub.wait_text(MAIN + "/uhrzeitwindowname", lambda t: t)
        self.assertRegex(first, r"^\d\d:\d\d:\d\d CET$")
        hub.wait_text(MAIN + "/uhrzeitwindowname", lambda t: t != first, timeout=5)

    def test_2_enter_room_button_enters_the_selected_room(self):
        hub = self.hub
        self.assertNotEqual(hub.wait_text(BODY, lambda t: t)
                            .split("\t")[0], "No rooms found")
        click_at(hub, "roombodywindowname", 40, 8)
        hub.wait_visible("enterroombuttonwindowname")
        clicks = hub.sounds().count(CLICK)
        click_at(hub, "enterroombuttonwindowname", 50, 10)
        clicked(hub, clicks, "Enter room")
        room = harness.wait_client(hub, r"\d+,32,\d+,", 60)[0].split(",")[2]
        harness.wait_logged(hub, "RoomView", room, "window KXLobby" + room)
        close_room(hub, room)

    def test_3_account_panel_buttons_and_values(self):
        hub = self.hub
        hub.click(MAIN + "/tabswindowname/cashierheadwindowname")
        body = "cashierbodywindowname"
        hub.wait_visible("resetplaywindowname")  # play money is not full
        for n, button in enumerate(("cbcashoutwindowname", "cbdepositwindowname",
                                    "resetplaywindowname")):
            clicks = hub.sounds().count(CLICK)
            click_at(hub, button, 50, 10)
            clicked(hub, clicks, button)
            wait_until(lambda: len(hub.pages()) == n + 1, what="the page of " + button)
        self.assertEqual(hub.pages(), ["topic=members/cashier"] * 3)
        # Negative values keep their sign in front; full play money hides Reset.
        hub.control("message 14,-12345,100000,-7")
        hub.wait_text(MAIN + "/" + body, "Nickname: demo\nAccount balance: -\u20ac123.45\n"
                                         "Playmoney: 1000.00\nTokens: -7")
        hub.wait_hidden("resetplaywindowname")
        hub.control("message 14,7,-5,0")
        hub.wait_text(MAIN + "/" + body, "Nickname: demo\nAccount balance: \u20ac0.07\n"
                                         "Playmoney: -0.05\nTokens: 0")
        hub.wait_visible("resetplaywindowname")

    def test_4_file_row_two_for_administrators_and_the_homepage(self):
        hub = self.hub
        hub.control("message 13,1001,1,1")
        wait_until(lambda: hub.window("headfilewindowname")["h"] == 40, what="two rows")
        clicks, pages = hub.sounds().count(CLICK), len(hub.pages())
        pointer(hub, (20, 10), "mousedown", (20, 50))
        wait_until(lambda: open_panels(hub) == ["headfilewindowname"], what="File panel")
        pointer(hub, "mouseup")
        clicked(hub, clicks, "File row 2")
        wait_until(lambda: hub.pages()[pages:] == ["page=admins"], what="administrators' page")
        self.assertEqual(open_panels(hub), [])
        pointer(hub, (300, 10), "mousedown", (300, 30), "mouseup")  # Website > Homepage
        wait_until(lambda: hub.pages()[pages:] == ["page=admins", "page=backgammon/tavlora"],
                   what="the homepage")

    def test_5_options_row_two_shows_and_hides_the_contacts_window(self):
        hub = self.hub
        self.assertFalse(hub.visible("contactswindowname"))
        for shown, label in ((True, "Show contacts"), (False, "Hide contacts"),
                             (True, "Show contacts")):
            pointer(hub, (140, 10), "click")
            hub.wait_text(MAIN + "/headoptionswindowname", "Settings " + label)
            pointer(hub, (140, 50), "click")
            wait_until(lambda: hub.visible("contactswindowname") == shown,
                       what="contacts window shown: %s" % shown)
            self.assertEqual(open_panels(hub), [])
        hub.probe("move", "contactswindowname", "900", "600")  # out of the pointer's way

    def test_6_menu_gestures_and_exit(self):
        hub = self.hub
        # Click Options and release on the title: the panel stays open and tracks; moving
        # along the titles switches it; the next click on a row runs that row.
        pointer(hub, (140, 10), "click")
        hub.wait_visible("headoptionswindowname")
        pointer(hub, (300, 10))
        wait_until(lambda: open_panels(hub) == ["headwebsitewindowname"],
                   what="Website panel after moving along the titles")
        pointer(hub, (450, 10), (450, 50), "click")
        hub.wait_visible("aboutwindowname")
        self.assertEqual(open_panels(hub), [])
        hub.click("aboutwindowname/aboutclosewindowname")
        hub.wait_hidden("aboutwindowname")
        # Leaving the menu area with the button down closes everything.
        pointer(hub, (140, 10), "mousedown", (140, 200))
        wait_until(lambda: open_panels(hub) == [], what="menu closed")
        pointer(hub, "mouseup")
        # Exit closes the program without a click; the contacts choice is kept.
        clicks = hub.sounds().count(CLICK)
        pointer(hub, (20, 10), "mousedown", (20, 30), "mouseup")
        self.assertEqual(hub.exit_code(20), 0)
        self.assertEqual(hub.sounds().count(CLICK), clicks)
        self.assertIn("!26 1!", hub.read_config_inner())


ROOMS = ("Alpha", "beta", "Gamma")


def rows(hub):
    return [line.split("\t")[0] for line in hub.text(BODY).split("\n")]


def press(hub, y, message="WM_LBUTTONDOWN"):
    hub.probe("send", BODY, message, "1", str(y << 16 | 20))


class ScriptedRooms(harness.HubTest):
    # Room 9 is remembered by config.ini only, and never listed.
    hub_args = dict(config_inner=harness.saved(contacts=0, extra="30 9 10 20!"),
                    start="Tavlora.exe", scenario=harness.login_scenario(
                        players=harness.ME + "2001:Anna:1600:3;2002:Ben:1700:4;",
                        rooms="5:Alpha:2:1;6:beta:1:2;7:Gamma:3:1;",
                        presences="7001:5:2001;7002:7:2002;7003:7:1001;"))

    def test_1_select_sort_and_enter(self):
        hub = self.hub
        hub.wait_text(BODY, "Alpha\tPlay money\t1\nbeta\tReal money\tLocked\nGamma\tFree\t2")
        for y, shown in ((8, True), (16 + 8, False), (8, True), (3 * 16 + 8, False)):
            press(hub, y)  # a locked room and below the last row select nothing
            (hub.wait_visible if shown else hub.wait_hidden)("enterroombuttonwindowname")
        # Players: most first, then the other way; Name twice: A-Z, Z-A; then money kind.
        for head, order in ((3, (2, 0, 1)), (3, (1, 0, 2)), (1, (0, 1, 2)), (1, (2, 1, 0)),
                            (2, (1, 0, 2))):
            hub.click(MAIN + "/tabswindowname/rbbutton%dwindowname" % head)
            wait_until(lambda: rows(hub) == [ROOMS[n] for n in order], what=str(order))
        # A double-click enters the room under the pointer (Alpha); with its window open
        # a click on it selects nothing.
        click_at(hub, "roombodywindowname", 40, 16 + 8, repeat=2)
        hub.probe("wait", "KXLobby5", "30000")
        hub.wait_received(",32,5,!")
        hub.wait_hidden("enterroombuttonwindowname")
        press(hub, 16 + 8)
        self.assertFalse(hub.visible("enterroombuttonwindowname"))
        close_room(hub, 5)

    def test_2_a_double_click_enters_a_tournament_as_a_diagnostic_only(self):
        hub = self.hub
        click_at(hub, "tournyheadwindowname", 70, 10)
        hub.wait_text(MAIN + "/tournybodywindowname", "No tournaments found")
        click_at(hub, "tournybodywindowname", 40, 8, repeat=2)  # no debug window: no effect
        self.assertFalse(hub.visible("entertournyroombuttonwindowname"))
        hub.start_hub(False, "KXDebug.exe", args=[""])
        hub.probe("wait", "KXDebug", "30000")
        # Each real double-click gives the diagnostic once, code 1; the server hears nothing.
        diagnostics = lambda: [l for l in harness.sibling_lines(hub, "KXDebug")  # noqa
                               if "ExecEnterTourny() has no function" in l]
        for n, y in ((1, 8), (2, 40)):
            click_at(hub, "tournybodywindowname", 40, y, repeat=2)
            wait_until(lambda: len(diagnostics()) == n, 30, what="diagnostic %d" % n)
        self.assertIn("copydata 1 ", diagnostics()[0])
        self.assertEqual(client(hub, r"\d+,32,.*"), client(hub, r"\d+,32,5,"))
        self.assertFalse(hub.visible("entertournyroombuttonwindowname"))

    def test_3_heads_keep_their_own_sort_modes_and_an_empty_list(self):
        hub = self.hub
        # Tournaments: Name twice, 1 then back to 0, whatever the rooms' mode (2); Players
        # twice: 4, 5.
        for head in (1, 1, 3, 3):
            hub.click(MAIN + "/tabswindowname/tbbutton%dwindowname" % head)
        hub.click(MAIN + "/tabswindowname/roomheadwindowname")
        for room in (5, 6, 7):
            hub.control("message 33,%d" % room)
        hub.wait_text(BODY, "No rooms found")
        press(hub, 8)
        self.assertFalse(hub.visible("enterroombuttonwindowname"))
        self.assertEqual(hub.close_hub(30), 0)
        inner = hub.read_config_inner()
        self.assertIn("!24 2!", inner)
        self.assertIn("!25 5!", inner)


class LongRoomList(harness.HubTest):
    hub_args = dict(config_inner=SAVED, start="Tavlora.exe", scenario=harness.login_scenario(
        rooms="".join("%d:Room %03d:1:1;" % (100 + n, n) for n in range(200))))

    def test_scrolling_with_the_pointer_and_entering_a_room_of_an_empty_lobby(self):
        hub = self.hub
        wait_until(lambda: rows(hub)[0] == "Room 000", what="first rows")
        self.assertEqual(len(rows(hub)), 12)
        for request, first in (("1", "Room 001"), ("3", "Room 013"), ("2", "Room 001"),
                               ("0", "Room 000"), ("0", "Room 000")):  # WM_VSCROLL
            hub.probe("send", BODY, "277", request, "0")
            wait_until(lambda: rows(hub)[0] == first, what=first)
        # The thumb dragged with the pointer: to the bottom, back to the top, to the bottom.
        body = hub.window("roombodywindowname")
        x, top, bottom = body["sx"] + body["w"] - 8, body["sy"] + 16, body["sy"] + body["h"] - 17
        for start, end, first in ((top + 4, bottom, "Room 188"), (bottom - 4, top, "Room 000"),
                                  (top + 4, bottom, "Room 188")):
            hub.xdotool("mousemove", x, start, "mousedown", "1", "mousemove", x,
                        (top + bottom) // 2, "mousemove", x, end, "mouseup", "1")
            wait_until(lambda: rows(hub)[0] == first, what="thumb dragged to " + first)
        # Scrolled, a click picks the row under the pointer: a double-click on the second
        # visible row enters Room 189 (id 289); with no players its window hears only the
        # empty player list.
        click_at(hub, "roombodywindowname", 40, 16 + 8)
        hub.wait_visible("enterroombuttonwindowname")
        click_at(hub, "roombodywindowname", 40, 16 + 8, repeat=2)
        hub.wait_received(",32,289,!", timeout=60)
        harness.wait_logged(hub, "RoomView", 289, "window KXLobby289")
        self.assertEqual(relays(hub, "RoomView", 289), ["21 KXMessage,"])


if __name__ == "__main__":
    harness.main()
