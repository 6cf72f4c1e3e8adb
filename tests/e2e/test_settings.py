"""The settings dialog in the real hub: one click on each line's caption, then on each
value button, steps that line; Apply tells every top-level window the changed sound,
match-log format, time stamp and enter/exit values; Cancel reverts; the close button
keeps the edits without applying them; config.ini and the next table window hold what
was applied. (The chat font line, which writes config.dat and announces it, is
test_faults' font broadcast.)"""

import harness
from harness import HUB_WITH_HOOK, ME, MAIN

DIALOG = "settingswindowname"
# Lines by page, in the order they are clicked (the animation delay before the line that
# hides it). The chat font (page 4) opens the font dialog.
PAGES = {
    1: ["skin", "whitechk", "blackchk", "whitedice", "blackdice", "cube"],
    2: ["foreground", "sound", "autodelay", "tablesize", "save"],
    3: ["skiproll", "skipmove", "forcedmove", "autobearoff", "animatespeed", "animate"],
    4: ["timestamp", "enterexit"],
}
LOBBY = harness.login_scenario(players=ME + "2001:Anna:1600:3;2002:Ben:1700:4;", rooms="5:Play Money Arena:2:1;",
                               tables="5001:5:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;")


class Settings(harness.HubTest):
    hub_args = dict(config_inner=harness.saved(contacts=0), scenario=LOBBY)

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # A sibling window that logs what every top-level window is told, then the hub.
        cls.hub.start_hub(wait=False, exe="KXDebug.exe")
        cls.hub.probe("wait", "KXDebug", "20000")
        cls.hub.log_in(HUB_WITH_HOOK)

    def open_dialog(self):
        self.hub.choose_from_menu(140, 32)  # Options, first row
        self.hub.wait_visible(DIALOG)

    def press(self, cls):
        """A click with the real pointer in the middle of the window of class `cls`."""
        self.hub.wait_visible(cls)
        w = self.hub.window(cls)
        self.hub.pointer(cls, w["w"] // 2, w["h"] // 2, "click")

    def click(self, page, stems, suffix="ueberschrift2"):
        self.press("settingshead%dbuttonwindowname" % page)
        for stem in stems:
            self.press(stem + suffix + "windowname")

    def test_b_lines_apply_cancel_close_config_ini_and_the_table_window(self):
        hub = self.hub
        notices = lambda: [line[7:] for line in harness.sibling_lines(hub, "KXDebug")  # noqa
                           if line.startswith(tuple("notify %d " % c for c in range(10, 14)))]
        # Captions: each line one step; Apply announces the four that siblings hear of.
        self.open_dialog()
        self.assertFalse(hub.window(MAIN)["enabled"])
        for page, stems in PAGES.items():
            self.click(page, stems)
        self.press("settingsapplybuttonwindowname")
        hub.wait_hidden(DIALOG)
        self.assertTrue(hub.window(MAIN)["enabled"])
        harness.wait_until(lambda: len(notices()) == 4, what="four notices")
        self.assertEqual(notices(), ["10 0", "11 3", "12 1", "13 0"])
        # Value buttons: one more step each. Sound is now off in force, so Apply is
        # silent, but still announces.
        self.open_dialog()
        for page, stems in PAGES.items():
            if "animate" in stems:  # animation back on first: its delay shows again
                stems = [s for s in stems if s != "animate"]
                stems.insert(stems.index("animatespeed"), "animate")
            self.click(page, stems, "input2")
        self.press("settingsapplybuttonwindowname")
        hub.wait_hidden(DIALOG)
        harness.wait_until(lambda: len(notices()) == 8, what="four more notices")
        self.assertEqual(notices()[4:], ["10 1", "11 0", "12 0", "13 1"])
        # Cancel reverts the edits; the close button keeps them unapplied, and a later
        # Apply takes them.
        self.open_dialog()
        self.click(1, ["skin"])
        self.press("settingscancelbuttonwindowname")
        hub.wait_hidden(DIALOG)
        self.open_dialog()
        self.click(1, ["cube"])
        self.press("settingsclosewindowname")
        hub.wait_hidden(DIALOG)
        self.open_dialog()
        self.press("settingsapplybuttonwindowname")
        hub.wait_hidden(DIALOG)
        self.assertEqual(len(notices()), 8, "skin and cube are not announced")

        # Two steps from the defaults: toggles back where they were, cycles two on, colours
        # two designs on past each other; the skin's third step reverted, the cube's kept.
        v = {5: 1, 6: 1, 7: 4, 8: 1, 9: 0, 10: 4, 11: 3, 12: 5, 13: 3, 14: 1, 15: 1, 16: 1,
             17: 1, 18: 1, 19: 1, 20: 1, 21: 3, 22: 0, 23: 1}
        # The next table window is started with them: language, foreground, own player,
        # room, room kind, table, tablesize, table value, delay, skin, colours, cube,
        # skiproll to animatespeed.
        harness.enter_room(hub, 5)
        hub.probe("wait", "KXLobby5", "20000")
        hub.probe("test-command", "KXLobby5", "notify 31 5001")
        line = harness.wait_until(lambda: [entry for entry in harness.sibling_lines(
            hub, "BoardView", 5001) if entry.startswith("cmdline ")], timeout=60,
            what="BoardView's command line")[0]
        self.assertTrue(line.startswith("cmdline  ,?,73,1,%d,1001,5,2,5001,%d,1,%d,%d," % (
            v[5], v[8], v[7], v[10]) + "".join("%d," % v[k] for k in range(11, 22))), line)
        self.assertEqual(hub.close_hub(), 0)
        inner = hub.read_config_inner()
        self.assertEqual([k for k in v if "!%d %d!" % (k, v[k]) not in inner], [])


if __name__ == "__main__":
    harness.main()
