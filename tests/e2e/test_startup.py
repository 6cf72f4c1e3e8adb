"""Start-up of the real Tavlora.exe: the window registry seen from outside, a responsive
hub without a server, the single-instance rule and a screen too small."""

import os

import harness
from harness import MAIN


def names(text):
    return [n if n.endswith("name") or n == MAIN else n + "windowname" for n in text.split()]


# The registry as other processes see it: parent (or owner) -> (children created visible,
# children created hidden); where they sit the golden images show.
STEMS = names("foreground sound autodelay tablesize save skin whitechk blackchk whitedice "
              "blackdice cube skiproll skipmove forcedmove autobearoff animate animatespeed "
              "timestamp enterexit font")
TREE = {
    MAIN: ("closebutton minimizebutton connect statusline",
           "error login uhrzeit logoffbutton tabs news headmenubg headfile headoptions "
           "headwebsite headhelp about settings"),
    "error": ("errorok errorcancel errorclose", ""), "errorok": ("errorok2", ""),
    "errorcancel": ("errorcancel2", ""), "logoffbutton": ("logoffbuttonwindow2name", ""),
    "login": ("loginflag1 loginflag2 loginflag3 loginflag4 loginlostpass loginnewsignup loginok "
              "logincancel loginclose", ""),
    "tabs": ("roomhead tournyhead cashierhead rbbutton1 rbbutton2 rbbutton3 roombody",
             "tbbutton1 tbbutton2 tbbutton3 cbcashout cbdeposit tournybody cashierbody "
             "enterroombutton entertournyroombutton"),
    "cashierbody": ("", "resetplay"), "headmenubg": ("headmenu", ""),
    "about": ("aboutok aboutclose", ""),
    "settings": ("settingscancelbutton settingsapplybutton settingsclose settingshead1 "
                 "settingshead2 settingshead3 settingshead4", ""),
    "": ("", "contacts"), "contacts": ("contactslist", "contactsoptions contactsadd"),
    "contactsadd": ("contactsaddcancel contactsaddadd", ""),
}
POPUPS = names("error login about settings contactsoptions contactsadd")
WS_POPUP, WS_CHILD, WS_CLIPCHILDREN, WS_VSCROLL = 0x80000000, 0x40000000, 0x02000000, 0x00200000
# Style bits beyond the kind and visibility: (class, bits that must be set).
STYLES = [(MAIN, WS_POPUP | WS_CLIPCHILDREN),
          ("contactswindowname", 0x00CF0000 | WS_CLIPCHILDREN),  # a frame with both boxes
          ("msctls_statusbar32", WS_CHILD | 0x100)] + \
    [(c, WS_CLIPCHILDREN) for c in names("errorok errorcancel cashierbody")] + \
    [(c, WS_VSCROLL) for c in names("roombody tournybody contactslist")] + \
    [(c, WS_POPUP) for c in POPUPS]
# The edit controls by parent, top to bottom: ES_AUTOHSCROLL, the password ES_PASSWORD too.
EDITS = [("contactsaddwindowname", 0x80), ("loginwindowname", 0x80), ("loginwindowname", 0xA0)]


def expected_registry():
    out = []
    for parent, (shown, hidden) in TREE.items():
        parent = parent and names(parent)[0]
        out += [(c, parent, True) for c in names(shown)] + [(c, parent, False) for c in names(hidden)]
    for n in range(1, 5):
        out.append(("settingshead%dbuttonwindowname" % n, "settingshead%dwindowname" % n, True))
    for stem in STEMS:
        caption, value = stem.replace("window", "ueberschriftwindow"), stem.replace("window", "inputwindow")
        out += [(caption, "settingswindowname", None), (value, "settingswindowname", None),
                (caption.replace("schrift", "schrift2"), caption, True),
                (value.replace("input", "input2"), value, True)]
    return out


class Startup(harness.HubTest):
    hub_args = dict(server=False)

    def test_registry_no_server_a_second_instance_and_a_retry(self):
        hub = self.hub
        hub.start_hub()
        hub.wait_visible("errorwindowname")
        windows = hub.windows()
        by_class = {}
        for w in windows:
            by_class.setdefault(w["class"], []).append(w)
        expected = expected_registry()
        self.assertEqual(len(expected), 149)
        for cls, parent, visible_style in expected:
            with self.subTest(cls):
                self.assertEqual(len(by_class.get(cls, [])), 1, "exactly one window of the class")
                w = by_class[cls][0]
                self.assertEqual(w["parent_class"], parent)
                self.assertEqual(w["top_level"], cls in POPUPS + ["contactswindowname"])
                if not w["top_level"]:
                    self.assertTrue(int(w["style"], 16) & WS_CHILD)
                # The connection state moves these two; the rest keep their creation style.
                if visible_style is not None and cls not in names("error connect"):
                    self.assertEqual(w["visible_style"], visible_style)
        edits = sorted((w["parent_class"], w["y"], int(w["style"], 16)) for w in windows
                       if w["class"] == "Edit")
        self.assertEqual([(p, s & b) for (p, _, s), (_, b) in zip(edits, EDITS)], EDITS)
        for cls, bits in STYLES:
            self.assertEqual(int(by_class[cls][0]["style"], 16) & bits, bits, cls)
        bars = by_class["msctls_statusbar32"]
        self.assertEqual([(b["parent_class"], b["visible_style"]) for b in bars],
                         [("contactswindowname", True)])
        self.assertTrue(by_class["errorwindowname"][0]["topmost"])
        self.assertFalse(by_class["loginwindowname"][0]["topmost"])

        # No server: error state 2, OK and Cancel, the main window disabled under it, and
        # a sent message comes back at once.
        self.assertIn("No connection to server.", by_class["errorwindowname"][0]["text"])
        self.assertTrue(hub.visible("errorcancelwindowname"))
        self.assertFalse(hub.window(MAIN)["enabled"])
        self.assertEqual(hub.text("statuslinewindowname"), "Offline")
        self.assertLess(harness.answer_time(hub), 5)

        # A second copy restores the minimised first one, ends and writes nothing.
        hub.click(MAIN + "/minimizebuttonwindowname")
        minimised = lambda: int(hub.window(MAIN)["style"], 16) & 0x20000000  # noqa: E731
        harness.wait_until(minimised, what="main window minimised")
        self.assertEqual(harness.wait_exit(hub.start_hub(wait=False), 30, "the second copy"), 0)
        harness.wait_until(lambda: not minimised(), what="main window restored")
        self.assertFalse(os.path.exists(hub.config_ini_path), "the second copy wrote nothing")
        self.assertEqual(len([w for w in hub.windows() if w["class"] == MAIN]), 1)

        # OK retries. A server that accepts and never greets holds the new attempt open:
        # the error window gone, the connect window back over the enabled main window. The
        # server's end fails the attempt and brings the error window back.
        hub.start_server(["--greeting", "none"])
        hub.click(harness.OK)
        harness.wait_until(lambda: hub.connections(3556) == 1, what="the new attempt")
        windows = hub.windows()
        self.assertFalse(hub.window("errorwindowname", windows)["visible"])
        self.assertEqual(hub.window("connectwindowname", windows)["text"], "Connecting ...")
        self.assertTrue(hub.window("connectwindowname", windows)["visible"])
        self.assertTrue(hub.window(MAIN, windows)["enabled"])
        hub.stop_server()
        hub.wait_error("No connection to server.")
        self.assertFalse(hub.window(MAIN)["enabled"])
        # Cancel ends the program normally.
        hub.click("errorwindowname/errorcancelwindowname/errorcancel2windowname")
        self.assertEqual(hub.exit_code(), 0)

    def test_screen_too_small(self):
        with harness.Hub("startup-small", screen="640x480x24") as hub:
            hub.start_hub(wait=False)
            box = harness.wait_until(
                lambda: hub.window("#32770", hub.probe("list", "#32770", check=False)),
                what="message box")
            self.assertEqual(box["text"], "ERROR")
            hub.probe("post", "#32770", "WM_COMMAND", "1", "0")  # IDOK
            self.assertEqual(hub.exit_code(), 0)
            hub.stop_server()
            self.assertEqual(hub.received(3556), b"", "never connected")
            self.assertTrue(os.path.exists(hub.config_ini_path), "settings written back")


if __name__ == "__main__":
    harness.main()
