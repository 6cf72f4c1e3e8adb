"""The settings dialog in the real hub: one click on each line's caption, then on each
value button, steps that line; Apply tells every top-level window the changed sound,
match-log format, time stamp and enter/exit values; Cancel reverts; the close button
keeps the edits without applying them; config.ini holds what was applied; the chat font
line writes config.dat and announces it."""

import os
import subprocess
import unittest

import harness

MAIN = "KXLobby0"
DIALOG = "settingswindowname"
DEFAULTS = "!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
           "20 1!21 1!22 0!23 1!24 0!25 0!26 0!27 1!28 1!29 1!"
# Lines by page, in the order they are clicked (the animation delay before the line that
# hides it). The chat font (page 4) opens the font dialog and is tried on its own.
PAGES = {
    1: ["skin", "whitechk", "blackchk", "whitedice", "blackdice", "cube"],
    2: ["foreground", "sound", "autodelay", "tablesize", "save"],
    3: ["skiproll", "skipmove", "forcedmove", "autobearoff", "animatespeed", "animate"],
    4: ["timestamp", "enterexit"],
}


def start_listened_hub(hub):
    """A sibling window that logs what every top-level window is told, then the hub,
    logged in to the lobby."""
    hub.start_hub(wait=False, exe="KXDebug.exe")
    hub.probe("wait", "KXDebug", "20000")
    hub.start_hub()
    hub.wait_visible("tabswindowname", timeout=30)


class SettingsDialog(unittest.TestCase):
    def open_dialog(self, hub):
        bar = hub.window("headmenuwindowname")
        env = dict(os.environ, DISPLAY=hub.display)
        x, y = bar["sx"] + 140, bar["sy"]
        subprocess.run(["xdotool", "mousemove", str(x), str(y + 10), "mousedown", "1",
                        "mousemove", str(x), str(y + 32), "mouseup", "1"], env=env, check=True)
        hub.wait_visible(DIALOG)

    def click_lines(self, hub, suffix):
        for page, stems in PAGES.items():
            hub.click("%s/settingshead%dwindowname/settingshead%dbuttonwindowname" %
                      (DIALOG, page, page))
            for stem in stems:
                frame = stem + ("ueberschrift" if suffix == "ueberschrift2" else "input")
                hub.click("%s/%swindowname/%s%swindowname" % (DIALOG, frame, stem, suffix))

    def notices(self, hub):
        return [line.split(" notify ", 1)[1] for line in hub.sibling_log()
                if " notify " in line and line.split(" notify ", 1)[1].split()[0] in
                ("10", "11", "12", "13", "39")]

    def test_lines_apply_cancel_and_close(self):
        with harness.Hub("settings", config_inner="73!3 demo demo1234" + DEFAULTS) as hub:
            start_listened_hub(hub)

            # Captions: each line one step; Apply announces the four that siblings hear of.
            self.open_dialog(hub)
            self.assertFalse(hub.window(MAIN)["enabled"])
            self.click_lines(hub, "ueberschrift2")
            hub.click(DIALOG + "/settingsapplybuttonwindowname")
            hub.wait_hidden(DIALOG)
            self.assertTrue(hub.window(MAIN)["enabled"])
            harness.wait_until(lambda: len(self.notices(hub)) == 4, what="four notices")
            self.assertEqual(self.notices(hub), ["10 0", "11 3", "12 1", "13 0"])

            # Value buttons: one more step each. Sound is now off in force, so Apply is
            # silent, but still announces.
            self.open_dialog(hub)
            self.click_lines(hub, "input2")
            hub.click(DIALOG + "/settingsapplybuttonwindowname")
            hub.wait_hidden(DIALOG)
            harness.wait_until(lambda: len(self.notices(hub)) == 8, what="four more notices")
            self.assertEqual(self.notices(hub)[4:], ["10 1", "11 0", "12 0", "13 1"])

            # Cancel reverts the edits; the close button keeps them unapplied.
            self.open_dialog(hub)
            hub.click(DIALOG + "/settingshead1windowname/settingshead1buttonwindowname")
            hub.click(DIALOG + "/skinueberschriftwindowname/skinueberschrift2windowname")
            hub.click(DIALOG + "/settingscancelbuttonwindowname")
            hub.wait_hidden(DIALOG)
            self.open_dialog(hub)
            hub.click(DIALOG + "/cubeueberschriftwindowname/cubeueberschrift2windowname")
            hub.click(DIALOG + "/settingsclosewindowname")
            hub.wait_hidden(DIALOG)
            # A later Apply takes what the close button kept, not what Cancel reverted.
            self.open_dialog(hub)
            hub.click(DIALOG + "/settingsapplybuttonwindowname")
            hub.wait_hidden(DIALOG)
            self.assertEqual(len(self.notices(hub)), 8, "skin and cube are not announced")

            hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
            self.assertEqual(hub.hub.wait(20), 0)
            inner = hub.read_config_inner()
            # Two steps from the defaults: toggles back where they were, cycles two on,
            # colours two designs on past each other; the skin's third step reverted, the
            # cube's kept and applied later.
            for record in ("!5 1!", "!6 1!", "!7 4!", "!8 1!", "!9 0!", "!10 4!", "!11 3!",
                           "!12 5!", "!13 3!", "!14 1!", "!15 1!", "!16 1!", "!17 1!",
                           "!18 1!", "!19 1!", "!20 1!", "!21 3!", "!22 0!", "!23 1!"):
                self.assertIn(record, inner)


class ChatFont(unittest.TestCase):
    def test_a_chosen_font_lands_in_config_dat_and_is_announced(self):
        with harness.Hub("settings-font", config_inner="73!3 demo demo1234" + DEFAULTS) as hub:
            start_listened_hub(hub)
            SettingsDialog.open_dialog(self, hub)
            hub.click(DIALOG + "/settingshead4windowname/settingshead4buttonwindowname")
            dat = os.path.join(hub.settings_dir, "config.dat")
            self.assertFalse(os.path.exists(dat))
            # The font dialog is modal and owned by the main window; OK keeps its choice.
            hub.probe("post", DIALOG + "/fontueberschriftwindowname/fontueberschrift2windowname",
                      "WM_LBUTTONDOWN", "1", "0")
            hub.probe("post", DIALOG + "/fontueberschriftwindowname/fontueberschrift2windowname",
                      "WM_LBUTTONUP", "0", "0")
            font_dialog = harness.wait_until(
                lambda: [w for w in hub.windows() if w.get("class") == "#32770" and
                         w.get("visible")], what="the font dialog")[0]
            hub.probe("post", font_dialog["hwnd"], "WM_COMMAND", "1", "0")  # IDOK
            harness.wait_until(lambda: os.path.exists(dat) and os.path.getsize(dat) == 96,
                               what="config.dat of 96 bytes")
            harness.wait_until(lambda: "39 0" in SettingsDialog.notices(self, hub),
                               what="code 39 at the sibling")


class TableWindow(unittest.TestCase):
    def test_applied_values_reach_the_next_table_window(self):
        import test_lobby as lobby

        with harness.Hub("settings-table", config_inner=lobby.SAVED,
                         scenario=lobby.SMALL_LOBBY) as hub:
            hub.start_hub(exe=lobby.HUB_EXE)
            hub.wait_visible("tabswindowname", timeout=30)
            # One step each: skin 2 to 3, white dice 1 to 2, table size 3 to 4, delay 2 to
            # 3, animation speed 1 to 2.
            SettingsDialog.open_dialog(self, hub)
            for page, stems in ((1, ["skin", "whitedice"]), (2, ["tablesize", "autodelay"]),
                                (3, ["animatespeed"])):
                hub.click("%s/settingshead%dwindowname/settingshead%dbuttonwindowname" %
                          (DIALOG, page, page))
                for stem in stems:
                    hub.click("%s/%sueberschriftwindowname/%sueberschrift2windowname" %
                              (DIALOG, stem, stem))
            hub.click(DIALOG + "/settingsapplybuttonwindowname")
            hub.wait_hidden(DIALOG)

            lobby.enter_room(hub, 5)
            lobby.wait_client(hub, r"\d+,32,5,")
            lobby.test_command(hub, "KXLobby5", "notify 31 5001")
            line = harness.wait_until(
                lambda: [entry for entry in lobby.sibling_lines(hub, "BoardView", 5001)
                         if entry.startswith("cmdline ")], timeout=60,
                what="BoardView's command line")[0]
            # As test_lobby's TABLE5001_LINE, with the five values applied.
            self.assertTrue(line.startswith(
                "cmdline  ,?,73,1,1,1001,5,2,5001,4,1,3,3,1,3,2,3,2,1,1,1,1,1,2,"), line)


if __name__ == "__main__":
    unittest.main()
