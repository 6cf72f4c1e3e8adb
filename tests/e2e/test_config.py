"""config.ini as the real Tavlora.exe reads it at start and writes it on close."""

import os
import unittest

import harness

MAIN = "KXLobby0"
DEFAULT_OPTIONS = ("4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!"
                   "20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")


class Config(unittest.TestCase):
    def run_and_close(self, hub):
        hub.start_hub()
        main = hub.window(MAIN)
        hub.probe("post", MAIN, "WM_CLOSE", "0", "0")
        self.assertEqual(hub.hub.wait(20), 0)
        return main, hub.read_config_inner()

    def test_no_file_gives_the_defaults_and_a_centred_window(self):
        with harness.Hub("config-none", server=False) as hub:
            self.assertFalse(os.path.exists(hub.config_ini_path))
            main, inner = self.run_and_close(hub)
            x, y = main["x"], main["y"]
            # Centred in the work area (Wine reports a taskbar a pixel or two high).
            self.assertLessEqual(abs(x - (1280 - main["w"]) // 2), 1)
            self.assertLessEqual(abs(y - (1024 - main["h"]) // 2), 2)
            self.assertEqual(inner, "73!1 %d %d!2 980 0 300 400!!%s" % (x, y, DEFAULT_OPTIONS))
            self.assertFalse(os.path.exists(hub.config_ini_path + ".new"))

    def test_values_are_read_checked_and_written_back(self):
        saved = ("73!1 5000 5000!2 -500 3000 300 400!!4 3!8 5!11 0!13 2!14 2!5 x!6 0!22 1!"
                 "30 12 100 200!31 7 5 6!30 13 -20 40!")
        with harness.Hub("config-values", server=False, config_inner=saved) as hub:
            main, inner = self.run_and_close(hub)
            # Pulled back into the work area: right edge on the screen's, bottom edge at the
            # work area's (above Wine's thin taskbar).
            self.assertEqual(main["x"] + main["w"], 1280)
            self.assertIn(main["y"] + main["h"], range(1020, 1025))
            records = inner.split("!")
            self.assertEqual(records[1], "1 %d %d" % (main["x"], main["y"]))
            self.assertRegex(records[2], r"^2 0 6[12][0-9] 300 400$")
            for kept in ("4 3", "8 3", "11 1", "13 2", "14 3", "5 1", "6 0", "22 1"):
                self.assertIn(kept, records)
            # Remembered rooms stay while no room list has come.
            self.assertEqual(records[-4:], ["30 12 100 200", "30 13 -20 40", "31 7 5 6", ""])

    def test_an_old_version_is_ignored_as_a_whole(self):
        with harness.Hub("config-old", server=False, config_inner="69!4 2!8 1!") as hub:
            _, inner = self.run_and_close(hub)
            self.assertIn("!" + DEFAULT_OPTIONS, inner)

    def test_a_damaged_file_keeps_what_came_before_the_damage(self):
        with harness.Hub("config-damaged", server=False) as hub:
            good = harness.encode_config_ini("73!4 4!7 4!9 0!10 3!21 5!")
            hub.write_config_ini(good[:24] + b"\xff\xfe" + good[26:])
            main, inner = self.run_and_close(hub)
            records = inner.split("!")
            self.assertIn("4 4", records)
            self.assertIn("7 4", records)
            for default in ("10 2", "21 1"):
                self.assertIn(default, records, "records after the damage keep their defaults")


if __name__ == "__main__":
    harness.main()
