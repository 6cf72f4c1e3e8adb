"""config.ini as the real Tavlora.exe reads it at start and writes it on close."""

import os

import harness

DEFAULTS = harness.saved(login=None)[3:]  # the option records, "4 1!5 1!...29 1!"


class Config(harness.HubTest):
    hub_args = dict(server=False)

    def run_and_close(self, data=None):
        """Starts the hub on this config.ini (None: none) and closes it: its main window
        and the records it wrote."""
        hub = self.hub
        if data is not None:
            hub.write_config_ini(data)
        elif os.path.exists(hub.config_ini_path):
            os.remove(hub.config_ini_path)
        hub.start_hub()
        main = hub.wait_visible(harness.MAIN) and hub.window(harness.MAIN)
        self.assertEqual(hub.close_hub(), 0)
        self.assertFalse(os.path.exists(hub.config_ini_path + ".new"))
        return main, hub.read_config_inner()

    def test_no_file_gives_the_defaults_and_a_centred_window(self):
        main, inner = self.run_and_close()
        x, y = main["x"], main["y"]
        # Centred in the work area (Wine reports a taskbar a pixel or two high).
        self.assertLessEqual(abs(x - (1280 - main["w"]) // 2), 1)
        self.assertLessEqual(abs(y - (1024 - main["h"]) // 2), 2)
        self.assertEqual(inner, "73!1 %d %d!2 980 0 300 400!!%s" % (x, y, DEFAULTS))

    def test_values_are_read_checked_and_written_back(self):
        main, inner = self.run_and_close("73!1 5000 5000!2 -500 3000 300 400!!4 3!8 5!11 0!"
                                         "13 2!14 2!5 x!6 0!22 1!30 12 100 200!31 7 5 6!30 13 -20 40!")
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

    def test_an_old_version_and_the_damaged_part_give_the_defaults(self):
        good = harness.encode_config_ini("73!4 4!7 4!9 0!10 3!21 5!")
        for note, data, kept in (
                ("old version", "69!4 2!8 1!", DEFAULTS.split("!")[:-1]),
                ("damaged", good[:24] + b"\xff\xfe" + good[26:], ["4 4", "7 4", "10 2", "21 1"])):
            with self.subTest(note):
                records = self.run_and_close(data)[1].split("!")
                self.assertEqual([r for r in kept if r not in records], [])


if __name__ == "__main__":
    harness.main()
