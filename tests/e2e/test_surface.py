"""The working surface of the logged-in hub, driven with real pointer input: the header
menu's gestures and actions (with the click sound heard from outside through Wine's
trace of PlaySoundW), the clock on the server's time, the news panel and the account
panel."""

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
        # Wine's own trace of PlaySoundW tells which sounds the hub plays.
        self.trace = os.path.join(hub.dir, "hub-trace.log")
        env = dict(hub.env, WINEDEBUG="-all,trace+winmm")
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


if __name__ == "__main__":
    unittest.main()
