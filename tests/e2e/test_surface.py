"""The working surface of the logged-in hub, driven with real pointer input: the header
menu's gestures and actions (with the click sound and the web pages opened heard from
outside through Wine's traces of PlaySoundW and ShellExecuteW), the File panel by the
administrator flag, the contacts toggle, the clock on the server's time, the news panel,
the account panel and its buttons; the room list's selection, sorting, scrolling and
entering; and the tournament list's double-click."""

import os
import re
import subprocess
import time
import unittest

import harness

MAIN = "KXLobby0"
BAR = "headmenuwindowname"
PANELS = ("headfilewindowname", "headoptionswindowname", "headwebsitewindowname",
          "headhelpwindowname")
DEFAULTS = "!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
           "20 1!21 1!22 0!23 1!24 0!25 0!26 0!27 1!28 1!29 1!"


def saved_login(user, password):
    return "73!3 %s %s%s" % (user, password, DEFAULTS)


class Surface(unittest.TestCase):
    def start(self, hub):
        # Wine's own traces of PlaySoundW and ShellExecuteW tell which sounds the hub
        # plays and which web pages it opens.
        self.trace = os.path.join(hub.dir, "hub-trace.log")
        env = dict(hub.env, WINEDEBUG="-all,trace+winmm,trace+exec")
        with open(self.trace, "wb") as out:
            process = subprocess.Popen(["wine", os.path.join(harness.BIN, "Tavlora.exe")],
                                       env=env, stdout=subprocess.DEVNULL, stderr=out)
        hub.processes.append(process)
        hub.hub = process
        hub.probe("wait", MAIN, "20000")
        hub.wait_visible("tabswindowname", timeout=30)
        bar = hub.window(BAR)
        self.bar = (bar["sx"], bar["sy"])

    def sounds(self):
        with open(self.trace, encoding="utf-8", errors="replace") as f:
            text = f.read()
        return [int(n, 16) for n in re.findall(r"proc_PlaySound SoundName=#([0-9a-fA-F]+) ", text)]

    def pages(self):
        """The web pages opened so far, one per ShellExecuteW call."""
        with open(self.trace, encoding="utf-8", errors="replace") as f:
            return re.findall(r"trace:exec:SHELL_execute mask=.* "
                              r"file=L\"[^\"]*index\.php\?([^\"&]*)", f.read())

    def pointer(self, hub, *steps):
        """xdotool steps; (x, y) are relative to the menu bar's top-left."""
        args = []
        for step in steps:
            if isinstance(step, tuple):
                args += ["mousemove", str(self.bar[0] + step[0]), str(self.bar[1] + step[1])]
            else:
                args += [step, "1"]
        subprocess.run(["xdotool"] + args, env=dict(os.environ, DISPLAY=hub.display),
                       check=True)

    def open_panels(self, hub):
        return [p for p in PANELS if hub.visible(p)]

    def test_menu_gestures_and_actions(self):
        with harness.Hub("surface-menu", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            clicks_before = self.sounds().count(1004)

            # Press Options, drag down to Settings, release: the dialog opens in one gesture.
            self.pointer(hub, (140, 10), "mousedown", (140, 20), (140, 32))
            harness.wait_until(lambda: self.open_panels(hub) == ["headoptionswindowname"],
                               what="Options panel while pressed")
            self.pointer(hub, "mouseup")
            hub.wait_visible("settingswindowname")
            self.assertEqual(self.open_panels(hub), [])
            self.assertFalse(hub.window(MAIN)["enabled"], "settings is modal")
            harness.wait_until(lambda: self.sounds().count(1004) == clicks_before + 1,
                               what="click sound of the Settings row")
            hub.click("settingswindowname/settingsclosewindowname")
            hub.wait_hidden("settingswindowname")

            # Click Options and release on the title: the panel stays open and tracks;
            # moving along the titles switches it; the next click on a row runs that row.
            self.pointer(hub, (140, 10), "click")
            hub.wait_visible("headoptionswindowname")
            self.pointer(hub, (300, 10))
            harness.wait_until(lambda: self.open_panels(hub) == ["headwebsitewindowname"],
                               what="Website panel after moving along the titles")
            self.pointer(hub, (450, 10), (450, 50), "click")
            hub.wait_visible("aboutwindowname")
            self.assertEqual(self.open_panels(hub), [])
            hub.click("aboutwindowname/aboutclosewindowname")
            hub.wait_hidden("aboutwindowname")

            # File row 2 without the administrator flag: the menu closes, the click plays,
            # nothing opens.
            clicks = self.sounds().count(1004)
            self.pointer(hub, (20, 10), "mousedown", (20, 50), "mouseup")
            harness.wait_until(lambda: self.sounds().count(1004) == clicks + 1,
                               what="click sound of File row 2")
            self.assertEqual(self.open_panels(hub), [])
            self.assertTrue(hub.window(MAIN)["enabled"])

            # Leaving the menu area with the button down closes everything.
            self.pointer(hub, (140, 10), "mousedown", (140, 200))
            harness.wait_until(lambda: self.open_panels(hub) == [], what="menu closed")
            self.pointer(hub, "mouseup")

            # Exit closes the program without a click.
            clicks = self.sounds().count(1004)
            self.pointer(hub, (20, 10), "mousedown", (20, 30), "mouseup")
            self.assertEqual(hub.hub.wait(20), 0)
            self.assertEqual(self.sounds().count(1004), clicks)

    def test_options_row_two_shows_and_hides_the_contacts_window(self):
        with harness.Hub("surface-contacts", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            self.assertFalse(hub.visible("contactswindowname"))
            for shown, label in ((True, "Show contacts"), (False, "Hide contacts"),
                                 (True, "Show contacts")):
                self.pointer(hub, (140, 10), "click")
                hub.wait_visible("headoptionswindowname")
                harness.wait_until(lambda: hub.window("headoptionswindowname")["text"] ==
                                   "Settings " + label, what=label)
                self.pointer(hub, (140, 50), "click")
                harness.wait_until(lambda: hub.visible("contactswindowname") == shown,
                                   what="contacts window shown: %s" % shown)
                self.assertEqual(self.open_panels(hub), [])
            # The choice is kept for the next start.
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(30), 0)
            self.assertIn("!26 1!", hub.read_config_inner())

    def test_cashier_buttons_and_the_account_values(self):
        with harness.Hub("surface-cashier", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            hub.click(MAIN + "/tabswindowname/cashierheadwindowname")
            hub.wait_visible("cashierbodywindowname")
            pages = []
            for button in ("cbcashoutwindowname", "cbdepositwindowname", "resetplaywindowname"):
                clicks = self.sounds().count(1004)
                w = hub.window(button)
                hub.xdotool("mousemove", w["sx"] + 50, w["sy"] + 10, "click", "1")
                harness.wait_until(lambda: self.sounds().count(1004) == clicks + 1,
                                   what="click sound of " + button)
                pages = harness.wait_until(lambda: (lambda found: found if len(found) ==
                                                    len(pages) + 1 else None)(self.pages()),
                                           what="the page of " + button)
            self.assertEqual(pages, ["topic=members/cashier"] * 3)

            # Negative values keep their sign in front; full play money hides Reset.
            hub.control("message 14,-12345,100000,-7")
            harness.wait_until(lambda: hub.window("cashierbodywindowname")["text"].split("\n") ==
                               ["Nickname: demo", "Account balance: -\u20ac123.45",
                                "Playmoney: 1000.00", "Tokens: -7"], what="new values")
            harness.wait_until(lambda: not hub.visible("resetplaywindowname"),
                               what="Reset hidden")
            hub.control("message 14,7,-5,0")
            harness.wait_until(lambda: hub.window("cashierbodywindowname")["text"].split("\n") ==
                               ["Nickname: demo", "Account balance: \u20ac0.07",
                                "Playmoney: -0.05", "Tokens: 0"], what="small values")
            hub.wait_visible("resetplaywindowname")

    def test_enter_room_button_clicks_and_enters_the_selected_room(self):
        with harness.Hub("surface-enter", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            body = hub.window("roombodywindowname")
            first = harness.wait_until(lambda: hub.window("roombodywindowname")["text"]
                                       .split("\t")[0], what="the room list")
            self.assertNotEqual(first, "No rooms found")
            hub.xdotool("mousemove", body["sx"] + 40, body["sy"] + 8, "click", "1")
            hub.wait_visible("enterroombuttonwindowname")
            clicks = self.sounds().count(1004)
            button = hub.window("enterroombuttonwindowname")
            hub.xdotool("mousemove", button["sx"] + 50, button["sy"] + 10, "click", "1")
            harness.wait_until(lambda: self.sounds().count(1004) == clicks + 1,
                               what="click sound of Enter room")
            entered = harness.wait_until(
                lambda: [m for m in harness.client_messages(hub) if ",32," in m], 60,
                what="the room entered")
            room = entered[0].split(",")[2]
            hub.probe("wait", "KXLobby" + room, "30000")
            self.assertIn("RoomView %s window KXLobby%s" % (room, room), hub.sibling_log())

    def test_file_panel_follows_the_administrator_flag(self):
        with harness.Hub("surface-admin", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            file_panel = lambda: hub.window("headfilewindowname")  # noqa: E731

            def release_on_row_2():
                clicks = self.sounds().count(1004)
                self.pointer(hub, (20, 10), "mousedown", (20, 50))
                harness.wait_until(lambda: self.open_panels(hub) == ["headfilewindowname"],
                                   what="File panel while pressed")
                self.pointer(hub, "mouseup")
                harness.wait_until(lambda: self.sounds().count(1004) == clicks + 1,
                                   what="click sound of File row 2")
                harness.wait_until(lambda: self.open_panels(hub) == [], what="menu closed")

            # Flag 1: two rows, and the second opens the administrators' page.
            hub.control("message 13,1001,1,1")
            harness.wait_until(lambda: file_panel()["h"] == 40, what="two rows for flag 1")
            self.assertEqual((file_panel()["x"], file_panel()["y"], file_panel()["w"]),
                             (7, 98, 125))
            release_on_row_2()
            harness.wait_until(lambda: self.pages() == ["page=admins"],
                               what="administrators' page")

            # Flag 2 is not an administrator: one row, and row 2 only clicks.
            hub.control("message 13,1001,1,2")
            harness.wait_until(lambda: file_panel()["h"] == 20, what="one row for flag 2")
            self.pointer(hub, (20, 10), "mousedown")
            hub.wait_visible("headfilewindowname")
            self.assertEqual(hub.window("headfilewindowname")["text"], "Exit")
            self.pointer(hub, (20, 200), "mouseup")
            harness.wait_until(lambda: self.open_panels(hub) == [], what="menu closed")
            release_on_row_2()
            # The hub goes on answering: a later page shows that nothing else was opened.
            self.pointer(hub, (300, 10), "mousedown", (300, 30), "mouseup")
            harness.wait_until(lambda: len(self.pages()) == 2, what="homepage")
            self.assertEqual(self.pages(), ["page=admins", "page=backgammon/tavlora"])

    def test_clock_news_and_account_panel(self):
        with harness.Hub("surface-panels", config_inner=saved_login("demo", "demo1234")) as hub:
            self.start(hub)
            news = harness.wait_until(lambda: "Welcome to Tavlora!" in
                                      hub.window("newswindowname")["text"] and
                                      hub.window("newswindowname")["text"], what="news lines")
            self.assertEqual(news.split("\n"), ["News", "Welcome to Tavlora!", "Spring cup:",
                                                "Saturday 18:00", "Play money rooms",
                                                "open all night"])
            first = harness.wait_until(lambda: hub.window("uhrzeitwindowname")["text"],
                                       what="clock text")
            self.assertRegex(first, r"^\d\d:\d\d:\d\d CET$")
            # The clock ticks every second.
            harness.wait_until(lambda: hub.window("uhrzeitwindowname")["text"] != first,
                               timeout=5, what="clock tick")
            hub.click(MAIN + "/tabswindowname/cashierheadwindowname")
            harness.wait_until(lambda: hub.visible("cashierbodywindowname"), what="cashier tab")
            panel = harness.wait_until(lambda: hub.window("cashierbodywindowname")["text"],
                                       what="account panel text")
            self.assertEqual(panel.split("\n"), ["Nickname: demo", "Account balance: \u20ac123.45",
                                                 "Playmoney: 999.99", "Tokens: 7"])
            self.assertTrue(hub.visible("resetplaywindowname"), "play money is not full")

    def test_clock_runs_on_the_servers_time(self):
        with harness.Hub("surface-clock", config_inner=saved_login("demo", "demo1234"),
                         scenario=ROOMS_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            # The server's clock, as its local time, 5 hours 17 minutes ahead of ours.
            ahead = time.localtime(time.time() + 5 * 3600 + 17 * 60)
            hub.control("message 10,%d:%d:%d:%d:%d:%d:%d:%d:%d" % (
                ahead.tm_sec, ahead.tm_min, ahead.tm_hour, ahead.tm_mday, ahead.tm_mon - 1,
                ahead.tm_year - 1900, (ahead.tm_wday + 1) % 7, ahead.tm_yday - 1,
                max(ahead.tm_isdst, 0)))

            def shown_ahead():
                text = hub.window("uhrzeitwindowname")["text"]
                expected = time.localtime(time.time() + 5 * 3600 + 17 * 60)
                shown = time.strptime(text[:8], "%H:%M:%S")
                seconds = lambda t: t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec  # noqa
                # Within seconds: the hub takes the offset when it handles the message.
                difference = (seconds(shown) - seconds(expected)) % 86400
                return min(difference, 86400 - difference) <= 5
            harness.wait_until(shown_ahead, 30, what="the clock 5:17 ahead")


ROOMS_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 21,1001:demo:1500:4;2001:Anna:1600:3;2002:Ben:1700:4;
message 31,5:Alpha:2:1;6:beta:1:2;7:Gamma:3:1;
message 32,7001:5:2001;7002:7:2002;7003:7:1001;
message 15,0
"""

MANY_ROOMS_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 31,%s
message 15,0
""" % "".join("%d:Room %03d:1:1;" % (100 + n, n) for n in range(200))

# Room 5 remembered by config.ini; the server ends its initial data before any room list.
REMEMBERED_ONLY_LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 15,0
"""

BODY = MAIN + "/tabswindowname/roombodywindowname"
WM_VSCROLL = 0x115  # wParam 0 line up, 1 line down, 2 page up, 3 page down


class RoomList(unittest.TestCase):
    def rows(self, hub):
        return [line.split("\t")[0] for line in hub.window("roombodywindowname")["text"]
                .split("\n")]

    def press(self, hub, y, message="WM_LBUTTONDOWN"):
        hub.probe("send", BODY, message, "1", str(y << 16 | 20))

    def head(self, hub, n):
        hub.click(MAIN + "/tabswindowname/rbbutton%dwindowname" % n)

    def test_select_sort_and_enter(self):
        with harness.Hub("surface-rooms", config_inner=saved_login("demo", "demo1234"),
                         scenario=ROOMS_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            harness.wait_until(lambda: self.rows(hub) == ["Alpha", "beta", "Gamma"],
                               what="rooms by name")
            self.assertEqual(hub.window("roombodywindowname")["text"].split("\n"),
                             ["Alpha\tPlay money\t1", "beta\tReal money\tLocked",
                              "Gamma\tFree\t2"])
            self.press(hub, 8)
            hub.wait_visible("enterroombuttonwindowname")
            self.press(hub, 16 + 8)  # locked
            hub.wait_hidden("enterroombuttonwindowname")
            self.press(hub, 8)
            hub.wait_visible("enterroombuttonwindowname")
            self.press(hub, 3 * 16 + 8)  # below the last row
            hub.wait_hidden("enterroombuttonwindowname")

            # Players: most first, then the other way; Name twice from there: A-Z, then Z-A.
            self.head(hub, 3)
            harness.wait_until(lambda: self.rows(hub) == ["Gamma", "Alpha", "beta"],
                               what="most players first")
            self.head(hub, 3)
            harness.wait_until(lambda: self.rows(hub) == ["beta", "Alpha", "Gamma"],
                               what="fewest players first")
            self.head(hub, 1)
            harness.wait_until(lambda: self.rows(hub) == ["Alpha", "beta", "Gamma"], what="A-Z")
            self.head(hub, 1)
            harness.wait_until(lambda: self.rows(hub) == ["Gamma", "beta", "Alpha"], what="Z-A")
            self.head(hub, 2)
            harness.wait_until(lambda: self.rows(hub) == ["beta", "Alpha", "Gamma"],
                               what="money kind")

            # A double-click enters the room under the pointer (Alpha, money kind 2).
            self.press(hub, 16 + 8)
            self.press(hub, 16 + 8, "WM_LBUTTONDBLCLK")
            hub.probe("wait", "KXLobby5", "30000")
            hub.wait_received(",32,5,!")
            hub.wait_hidden("enterroombuttonwindowname")
            # Its window open, a click on it brings it to the front and selects nothing.
            self.press(hub, 16 + 8)
            self.assertFalse(hub.visible("enterroombuttonwindowname"))

    def test_scrolling_a_long_list(self):
        with harness.Hub("surface-scroll", config_inner=saved_login("demo", "demo1234"),
                         scenario=MANY_ROOMS_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            harness.wait_until(lambda: self.rows(hub)[0] == "Room 000", what="first rows")
            self.assertEqual(len(self.rows(hub)), 12)
            for request, first in (("1", "Room 001"), ("3", "Room 013"), ("2", "Room 001"),
                                   ("0", "Room 000"), ("0", "Room 000")):
                hub.probe("send", BODY, str(WM_VSCROLL), request, "0")
                harness.wait_until(lambda: self.rows(hub)[0] == first, what=first)
            for _ in range(20):
                hub.probe("post", BODY, str(WM_VSCROLL), "3", "0")
            harness.wait_until(lambda: self.rows(hub)[-1] == "Room 199", what="the last row")

            # The thumb dragged with the pointer: back to the top, then to the bottom.
            body = hub.window("roombodywindowname")
            bar_x = body["sx"] + body["w"] - 8
            top, bottom = body["sy"] + 16, body["sy"] + body["h"] - 17
            hub.xdotool("mousemove", bar_x, bottom - 4, "mousedown", "1",
                        "mousemove", bar_x, (top + bottom) // 2, "mousemove", bar_x, top,
                        "mouseup", "1")
            harness.wait_until(lambda: self.rows(hub)[0] == "Room 000", what="thumb at the top")
            hub.xdotool("mousemove", bar_x, top + 4, "mousedown", "1",
                        "mousemove", bar_x, (top + bottom) // 2, "mousemove", bar_x, bottom,
                        "mouseup", "1")
            harness.wait_until(lambda: self.rows(hub)[0] == "Room 188",
                               what="thumb at the bottom")

            # Scrolled, a click picks the row under the pointer: a double-click on the
            # second visible row enters Room 189 (id 289).
            self.press(hub, 16 + 8)
            hub.wait_visible("enterroombuttonwindowname")
            self.press(hub, 16 + 8, "WM_LBUTTONDBLCLK")
            hub.wait_received(",32,289,!", timeout=60)

    def test_only_remembered_rooms_are_not_listed(self):
        inner = saved_login("demo", "demo1234") + "30 5 10 20!"
        with harness.Hub("surface-remembered", config_inner=inner,
                         scenario=REMEMBERED_ONLY_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            harness.wait_until(lambda: hub.window("roombodywindowname")["text"] ==
                               "No rooms found", what="the empty list's text")
            self.press(hub, 8)
            self.assertFalse(hub.visible("enterroombuttonwindowname"))


class Tournaments(unittest.TestCase):
    def double_click(self, hub, cls, x, y):
        w = hub.window(cls)
        hub.xdotool("mousemove", w["sx"] + x, w["sy"] + y, "click", "--repeat", "2",
                    "--delay", "80", "1")

    def diagnostics(self, hub):
        return [line for line in hub.sibling_log()
                if line.startswith("KXDebug ") and "ExecEnterTourny() has no function" in line]

    def test_tournament_heads_keep_their_own_sort_mode(self):
        # Saved modes: rooms 0 (name), tournaments 0.
        with harness.Hub("surface-tourny-sort", config_inner=saved_login("demo", "demo1234"),
                         scenario=ROOMS_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            hub.click(MAIN + "/tabswindowname/rbbutton2windowname")  # rooms: type, 2
            hub.click(MAIN + "/tabswindowname/tournyheadwindowname")
            hub.wait_visible("tbbutton1windowname")
            # Name twice: 1, then back to 0, whatever the rooms' mode; Players twice: 4, 5.
            for head in (1, 1, 3, 3):
                hub.click(MAIN + "/tabswindowname/tbbutton%dwindowname" % head)
            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(30), 0)
            inner = hub.read_config_inner()
            self.assertIn("!24 2!", inner)
            self.assertIn("!25 5!", inner)

    def test_a_double_click_enters_a_tournament_as_a_diagnostic_only(self):
        with harness.Hub("surface-tourny", config_inner=saved_login("demo", "demo1234"),
                         scenario=ROOMS_LOBBY) as hub:
            hub.start_hub()
            hub.wait_visible("tabswindowname", timeout=30)
            head = hub.window("tournyheadwindowname")
            hub.xdotool("mousemove", head["sx"] + 70, head["sy"] + 10, "click", "1")
            hub.wait_visible("tournybodywindowname")
            harness.wait_until(lambda: hub.window("tournybodywindowname")["text"] ==
                               "No tournaments found", what="the empty tournament list")
            # Without a debug window the double-click has no visible effect.
            self.double_click(hub, "tournybodywindowname", 40, 8)
            self.assertFalse(hub.visible("entertournyroombuttonwindowname"))

            debug = subprocess.Popen(["wine", os.path.join(harness.BIN, "KXDebug.exe")],
                                     env=hub.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
            hub.processes.append(debug)
            hub.probe("wait", "KXDebug", "30000")
            # Each double-click (a real one: the list's class takes double-clicks) gives
            # the diagnostic once, with code 1; the server hears nothing of it.
            self.double_click(hub, "tournybodywindowname", 40, 8)
            harness.wait_until(lambda: len(self.diagnostics(hub)) == 1, 30,
                               what="the diagnostic")
            self.assertIn(" copydata 1 ", self.diagnostics(hub)[0])
            self.double_click(hub, "tournybodywindowname", 40, 40)
            harness.wait_until(lambda: len(self.diagnostics(hub)) == 2, 30,
                               what="the second diagnostic")
            self.assertEqual([m for m in harness.client_messages(hub) if ",32," in m], [])
            self.assertFalse(hub.visible("entertournyroombuttonwindowname"))


if __name__ == "__main__":
    unittest.main()
