"""Start-up of the real Tavlora.exe: the window registry seen from outside, a
responsive hub without a server, the single-instance rule and a screen too small."""

import os
import time
import unittest

import harness

MAIN = "KXLobby0"

# The registry as other processes see it: class, parent (or owner) class, WS_VISIBLE
# style, and the place relative to the parent's client area (None: placed when shown).
S = "settingswindowname"
REGISTRY = [
    ("closebuttonwindowname", MAIN, True, (594, 5, 41, 20)),
    ("minimizebuttonwindowname", MAIN, True, (567, 5, 26, 20)),
    ("connectwindowname", MAIN, True, (120, 230, 420, 40)),
    ("statuslinewindowname", MAIN, True, (15, 445, 280, 34)),
    ("errorwindowname", MAIN, False, None),
    ("errorokwindowname", "errorwindowname", True, None),
    ("errorcancelwindowname", "errorwindowname", True, None),
    ("errorok2windowname", "errorokwindowname", True, (0, 0, 100, 20)),
    ("errorcancel2windowname", "errorcancelwindowname", True, (0, 0, 100, 20)),
    ("errorclosewindowname", "errorwindowname", True, (314, 5, 41, 20)),
    ("loginwindowname", MAIN, False, None),
    ("loginflag1windowname", "loginwindowname", True, (10, 30, 100, 75)),
    ("loginflag2windowname", "loginwindowname", True, (120, 30, 100, 75)),
    ("loginflag3windowname", "loginwindowname", True, (230, 30, 100, 75)),
    ("loginflag4windowname", "loginwindowname", True, (340, 30, 100, 75)),
    ("loginlostpasswindowname", "loginwindowname", True, (15, 233, 180, 20)),
    ("loginnewsignupwindowname", "loginwindowname", True, (15, 201, 180, 20)),
    ("loginokwindowname", "loginwindowname", True, (215, 216, 100, 24)),
    ("logincancelwindowname", "loginwindowname", True, (335, 216, 100, 24)),
    ("loginclosewindowname", "loginwindowname", True, (404, 5, 41, 20)),
    ("uhrzeitwindowname", MAIN, False, (520, 40, 120, 38)),
    ("logoffbuttonwindowname", MAIN, False, (525, 445, 114, 33)),
    ("logoffbuttonwindow2name", "logoffbuttonwindowname", True, (0, 0, 100, 20)),
    ("tabswindowname", MAIN, False, (15, 120, 448, 310)),
    ("roomheadwindowname", "tabswindowname", True, (9, 10, 142, 30)),
    ("tournyheadwindowname", "tabswindowname", True, (153, 10, 142, 30)),
    ("cashierheadwindowname", "tabswindowname", True, (297, 10, 142, 30)),
    ("newswindowname", MAIN, False, (485, 135, 140, 250)),
    ("headmenubgwindowname", MAIN, False, (5, 75, 530, 40)),
    ("headmenuwindowname", "headmenubgwindowname", True, (0, 0, 530, 23)),
    ("headfilewindowname", MAIN, False, (7, 98, 125, 20)),
    ("headoptionswindowname", MAIN, False, (136, 98, 125, 40)),
    ("headwebsitewindowname", MAIN, False, (265, 98, 125, 60)),
    ("headhelpwindowname", MAIN, False, (394, 98, 125, 40)),
    ("aboutwindowname", MAIN, False, None),
    ("aboutokwindowname", "aboutwindowname", True, (125, 321, 100, 20)),
    ("aboutclosewindowname", "aboutwindowname", True, (304, 5, 41, 20)),
    (S, MAIN, False, None),
    ("settingscancelbuttonwindowname", S, True, (310, 295, 100, 20)),
    ("settingsapplybuttonwindowname", S, True, (75, 295, 100, 20)),
    ("settingsclosewindowname", S, True, (439, 5, 41, 20)),
] + [
    ("settingshead%dwindowname" % n, S, True, (1 + 121 * (n - 1), 30, 120, 45))
    for n in range(1, 5)
] + [
    ("settingshead%dbuttonwindowname" % n, "settingshead%dwindowname" % n, True, (10, 8, 100, 20))
    for n in range(1, 5)
] + [
    ("rbbutton%dwindowname" % n, "tabswindowname", True, (9 + 144 * (n - 1), 44, 142, 18))
    for n in range(1, 4)
] + [
    ("tbbutton%dwindowname" % n, "tabswindowname", False, (9 + 144 * (n - 1), 44, 142, 18))
    for n in range(1, 4)
] + [
    ("cbcashoutwindowname", "tabswindowname", False, (83, 275, 100, 20)),
    ("cbdepositwindowname", "tabswindowname", False, (266, 275, 100, 20)),
    ("roombodywindowname", "tabswindowname", True, (9, 64, 430, 209)),
    ("tournybodywindowname", "tabswindowname", False, (9, 64, 430, 209)),
    ("cashierbodywindowname", "tabswindowname", False, (9, 64, 430, 209)),
    ("resetplaywindowname", "cashierbodywindowname", False, (297, 39, 100, 20)),
    ("enterroombuttonwindowname", "tabswindowname", False, (174, 275, 100, 20)),
    ("entertournyroombuttonwindowname", "tabswindowname", False, (174, 275, 100, 20)),
    ("contactswindowname", "", False, None),
    ("contactslistwindowname", "contactswindowname", True, None),
    ("contactsoptionswindowname", "contactswindowname", False, None),
    ("contactsaddwindowname", "contactswindowname", False, None),
    ("contactsaddcancelwindowname", "contactsaddwindowname", True, (125, 85, 115, 35)),
    ("contactsaddaddwindowname", "contactsaddwindowname", True, (10, 85, 115, 35)),
]
# Top-level windows other than the main window: pop-ups owned by their "parent" above, and
# the contacts window with a frame of its own.
POPUPS = ["errorwindowname", "loginwindowname", "aboutwindowname", S,
          "contactsoptionswindowname", "contactsaddwindowname"]
WS_POPUP, WS_CHILD, WS_CLIPCHILDREN, WS_VSCROLL = 0x80000000, 0x40000000, 0x02000000, 0x00200000
WS_OVERLAPPEDWINDOW = 0x00CF0000  # caption, system menu, sizing border, both boxes
SBARS_SIZEGRIP = 0x100
# Style bits beyond the kind and visibility: (class, bits that must be set).
STYLES = [(MAIN, WS_POPUP | WS_CLIPCHILDREN),
          ("contactswindowname", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN),
          ("errorokwindowname", WS_CLIPCHILDREN), ("errorcancelwindowname", WS_CLIPCHILDREN),
          ("cashierbodywindowname", WS_CLIPCHILDREN),
          ("roombodywindowname", WS_VSCROLL), ("tournybodywindowname", WS_VSCROLL),
          ("contactslistwindowname", WS_VSCROLL),
          ("msctls_statusbar32", WS_CHILD | SBARS_SIZEGRIP)] + [(c, WS_POPUP) for c in POPUPS]
STEMS = ["foreground", "sound", "autodelay", "tablesize", "save", "skin", "whitechk", "blackchk",
         "whitedice", "blackdice", "cube", "skiproll", "skipmove", "forcedmove", "autobearoff",
         "animate", "animatespeed", "timestamp", "enterexit", "font"]
# Standard controls: (parent class, style bits that must be set, place).
EDITS = [("loginwindowname", 0x80, (241, 117, 168, 17)),          # ES_AUTOHSCROLL
         ("loginwindowname", 0x80 | 0x20, (241, 149, 168, 17)),   # and ES_PASSWORD
         # Created with WS_BORDER, which the edit control takes over and draws itself.
         ("contactsaddwindowname", 0x80, (45, 45, 150, 21))]


class Startup(unittest.TestCase):
    def test_registry_without_a_server_and_a_responsive_hub(self):
        with harness.Hub("startup-registry", server=False) as hub:
            hub.start_hub()
            hub.wait_visible("errorwindowname")
            windows = hub.windows()
            by_class = {}
            for w in windows:
                by_class.setdefault(w["class"], []).append(w)

            expected = list(REGISTRY)
            for stem in STEMS:
                expected += [(stem + "ueberschriftwindowname", S, None, None),
                             (stem + "inputwindowname", S, None, None),
                             (stem + "ueberschrift2windowname", stem + "ueberschriftwindowname",
                              True, (0, 0, 340, 20)),
                             (stem + "input2windowname", stem + "inputwindowname", True,
                              (0, 0, 100, 20))]
            self.assertEqual(len(expected), 149)
            for cls, parent, visible_style, place in expected:
                with self.subTest(cls):
                    found = by_class.get(cls, [])
                    self.assertEqual(len(found), 1, "exactly one window of the class")
                    w = found[0]
                    self.assertEqual(w["parent_class"], parent)
                    self.assertEqual(w["top_level"], cls in POPUPS + ["contactswindowname"])
                    if not w["top_level"]:
                        self.assertTrue(int(w["style"], 16) & WS_CHILD)
                    # The connection state moves these two; the rest keep their creation style.
                    if visible_style is not None and cls not in ("errorwindowname",
                                                                 "connectwindowname"):
                        self.assertEqual(w["visible_style"], visible_style)
                    if place is not None:
                        self.assertEqual((w["x"], w["y"], w["w"], w["h"]), place)
            for stem in STEMS:
                caption = by_class[stem + "ueberschriftwindowname"][0]
                value = by_class[stem + "inputwindowname"][0]
                self.assertEqual((caption["x"], caption["w"], caption["h"]), (15, 355, 32))
                self.assertEqual((value["x"], value["w"], value["h"]), (370, 115, 32))
                self.assertIn(caption["y"], range(101, 262, 32))

            edits = sorted(((w["parent_class"], w["y"]), w) for w in windows
                           if w["class"] == "Edit")
            self.assertEqual(len(edits), 3)
            for (parent, bits, place), (_, w) in zip(sorted(EDITS, key=lambda e: (e[0], e[2][1])),
                                                      edits):
                self.assertEqual(w["parent_class"], parent)
                self.assertEqual(int(w["style"], 16) & bits, bits)
                self.assertEqual((w["x"], w["y"], w["w"], w["h"]), place)
            for cls, bits in STYLES:
                with self.subTest(cls):
                    self.assertEqual(int(by_class[cls][0]["style"], 16) & bits, bits)
            bars = [w for w in windows if w["class"] == "msctls_statusbar32"]
            self.assertEqual([b["parent_class"] for b in bars], ["contactswindowname"])
            self.assertTrue(bars[0]["visible_style"])
            self.assertTrue(by_class["errorwindowname"][0]["topmost"])
            self.assertFalse(by_class["loginwindowname"][0]["topmost"])

            # No server: error state 2, OK and Cancel, the main window disabled under it.
            self.assertIn("No connection to server.", by_class["errorwindowname"][0]["text"])
            self.assertTrue(hub.visible("errorcancelwindowname"))
            self.assertFalse(hub.window(MAIN)["enabled"])
            self.assertEqual(hub.window("statuslinewindowname")["text"], "Offline")
            # Responsive: a sent message comes back at once.
            start = time.monotonic()
            hub.probe("send", MAIN, "WM_NULL", "0", "0")
            self.assertLess(time.monotonic() - start, 5)
            hub.screenshot("startup-no-server")

            # OK retries. A server that accepts and never greets holds the new attempt open:
            # the server sees the connection, the error window has gone and the connect
            # window is back over the enabled main window. The server's end fails the
            # attempt and brings the error window back.
            hub.start_server(["--greeting", "none"])
            hub.click("errorwindowname/errorokwindowname/errorok2windowname")
            harness.wait_until(lambda: hub.connections(3556) == 1, what="the new attempt")
            windows = hub.windows()
            self.assertFalse(hub.window("errorwindowname", windows)["visible"])
            self.assertTrue(hub.window("connectwindowname", windows)["visible"])
            self.assertEqual(hub.window("connectwindowname", windows)["text"], "Connecting ...")
            self.assertTrue(hub.window(MAIN, windows)["enabled"])
            hub.stop_server()
            hub.wait_visible("errorwindowname")
            self.assertIn("No connection to server.", hub.window("errorwindowname")["text"])
            self.assertFalse(hub.window(MAIN)["enabled"])
            # Cancel ends the program normally.
            hub.click("errorwindowname/errorcancelwindowname/errorcancel2windowname")
            self.assertEqual(hub.hub.wait(20), 0)

    def test_second_instance_restores_the_first_and_writes_nothing(self):
        with harness.Hub("startup-second", server=False) as hub:
            hub.start_hub()
            hub.wait_visible("errorwindowname")
            hub.click(MAIN + "/minimizebuttonwindowname")
            harness.wait_until(lambda: int(hub.window(MAIN)["style"], 16) & 0x20000000,
                               what="main window minimised")
            second = hub.start_hub(wait=False)
            self.assertEqual(second.wait(30), 0)
            harness.wait_until(lambda: not int(hub.window(MAIN)["style"], 16) & 0x20000000,
                               what="main window restored")
            self.assertFalse(os.path.exists(hub.config_ini_path), "the second copy wrote nothing")
            mains = [w for w in hub.windows() if w["class"] == MAIN]
            self.assertEqual(len(mains), 1)

    def test_screen_too_small(self):
        with harness.Hub("startup-small", screen="640x480x24") as hub:
            hub.start_hub(wait=False)
            box = harness.wait_until(
                lambda: hub.window("#32770", hub.probe("list", "#32770", check=False)),
                what="message box")
            self.assertEqual(box["text"], "ERROR")
            hub.screenshot("startup-screen-too-small")
            hub.probe("post", "#32770", "WM_COMMAND", "1", "0")  # IDOK
            self.assertEqual(hub.hub.wait(20), 0)
            hub.stop_server()
            self.assertEqual(hub.received(3556), b"", "never connected")
            self.assertTrue(os.path.exists(hub.config_ini_path), "settings written back")


if __name__ == "__main__":
    harness.main()
