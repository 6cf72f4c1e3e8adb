"""Start-up of the real Tavlora.exe: the window registry seen from outside, a responsive
hub without a server, the single-instance rule and a screen too small."""

import os
import struct

import harness
from harness import MAIN


# The pop-ups, each owned by the main window (and so hidden with it); the contacts
# window is the one free-standing top-level window.
POPUPS = ["errorwindowname", "loginwindowname", "aboutwindowname", "settingswindowname"]
STANDARD = ("Edit",)  # a platform class: the login and contacts dialogs have three
WS_POPUP, WS_CHILD, ES_PASSWORD = 0x80000000, 0x40000000, 0x20


def exception_code(dump):
    """The exception code of a minidump's exception stream (type 6), or None."""
    count, directory = struct.unpack_from("<II", dump, 8)
    for k in range(count):
        kind, _, at = struct.unpack_from("<III", dump, directory + 12 * k)
        if kind == 6:
            return struct.unpack_from("<I", dump, at + 8)[0]
    return None


class Startup(harness.HubTest):
    hub_args = dict(server=False)

    def test_registry_no_server_a_second_instance_and_cancel(self):
        hub = self.hub
        hub.start_hub()
        hub.wait_visible("errorwindowname")
        windows = hub.windows()
        by_class = {}
        for w in windows:
            by_class.setdefault(w["class"], []).append(w)
        # Other processes find the hub's windows by class: one window each.
        self.assertEqual({c: len(ws) for c, ws in by_class.items()
                          if len(ws) > 1 and c not in STANDARD}, {})
        self.assertGreater(len(by_class), 140)
        tops = sorted((w["class"], w["parent_class"]) for w in windows if w["top_level"])
        self.assertEqual(tops, sorted([(MAIN, ""), ("contactsaddwindowname", "contactswindowname"),
                                       ("contactsoptionswindowname", "contactswindowname"),
                                       ("contactswindowname", "")] + [(p, MAIN) for p in POPUPS]))
        self.assertTrue(all(int(w["style"], 16) & WS_CHILD for w in windows if not w["top_level"]))
        self.assertTrue(all(int(by_class[c][0]["style"], 16) & WS_POPUP for c in POPUPS))
        self.assertEqual(sorted(int(w["style"], 16) & ES_PASSWORD for w in by_class["Edit"]),
                         [0, 0, ES_PASSWORD], "the password field alone hides its text")
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
        # Cancel ends the program normally.
        hub.click("errorwindowname/errorcancelwindowname/errorcancel2windowname")
        self.assertEqual(hub.exit_code(), 0)

    def box_showing(self, text):
        """The windows of a message box of the hub, once it is visible with `text`."""
        box = [w for w in self.hub.probe("list", "#32770", check=False) if "class" in w]
        shown = any(w["class"] == "#32770" and w["visible"] for w in box)
        return box if shown and any(text in w["text"] for w in box) else None

    def click_ok(self, box):
        ok = next(w for w in box if w["class"] == "Button" and w["parent_class"] == "#32770")
        # Through the button's corner: --sync waits for a motion, and the last click may
        # have left the pointer on the centre of a box at the same place.
        self.hub.xdotool("mousemove", "--sync", ok["sx"], ok["sy"], "mousemove", "--sync",
                         ok["sx"] + ok["w"] // 2, ok["sy"] + ok["h"] // 2, "click", 1)

    def test_a_failed_start_up_step_ends_with_a_message_and_exit_code_1(self):
        for step in ("winsock", "KXLobby0", "statuslinewindowname", "contactswindowname"):
            with self.subTest(step):
                process = self.hub.start_hub(wait=False, exe=harness.HUB_WITH_HOOK,
                                             env={"TAVLORA_TEST_FAIL": step})
                self.click_ok(harness.wait_until(
                    lambda: self.box_showing("Tavlora cannot create its windows."),
                    what="the message box"))
                self.assertEqual(harness.wait_exit(process, 30, "the hub"), 1)
                self.hub.hub = None  # the next start is the hub the other tests look at

    def test_a_crash_leaves_a_dump_and_says_where_then_ends(self):
        hub, crashes = self.hub, os.path.join(self.hub.settings_dir, "crashes")
        hub.write_config_ini(harness.SAVED)
        config_ini = harness.read_bytes(hub.config_ini_path)
        os.makedirs(crashes)
        for day in range(1, 6):  # five older dumps, of which the newest two stay
            path = os.path.join(crashes, "tavlora-2000010%d-120000-7.dmp" % day)
            open(path, "wb").close()
            os.utime(path, (946728000 + day * 86400,) * 2)
        # A write through a null pointer on the main thread and on another, and an
        # exception where none may pass (std::terminate).
        for code, exception in ((904, 0xC0000005), (905, 0xC0000005), (906, 0xE0544156)):
            with self.subTest(code):
                process = hub.start_hub(exe=harness.HUB_WITH_HOOK,
                                        env={"TAVLORA_TEST_CRASH": "1"})
                older = set(os.listdir(crashes))
                hub.probe("post", MAIN, "TavloraIntMessage", str(code), "0")
                box = harness.wait_until(lambda: self.box_showing("crashes"), 60,
                                         what="the crash message")
                name = (set(os.listdir(crashes)) - older).pop()
                self.assertIn("\\Tavlora\\crashes\\" + name, " ".join(w["text"] for w in box))
                dump = harness.read_bytes(os.path.join(crashes, name))
                self.assertEqual(dump[:4], b"MDMP")
                self.assertEqual(exception_code(dump), exception)
                self.click_ok(box)
                self.assertNotEqual(harness.wait_exit(process, 30, "the crashed hub"), 0)
                hub.hub = None
                self.assertEqual(harness.read_bytes(hub.config_ini_path), config_ini)
        self.assertEqual(sorted(os.listdir(crashes))[:2],
                         ["tavlora-20000104-120000-7.dmp", "tavlora-20000105-120000-7.dmp"])
        self.assertEqual(len(os.listdir(crashes)), 5)
        os.remove(hub.config_ini_path)  # the start-up test looks for none

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

    def test_the_run_command_logs_in_to_the_demo_lobby_headless(self):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        done = harness.run(["python3", os.path.join(harness.ROOT, "scripts", "run_demo.py")],
                           180, env=env, capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("Tavlora.exe is logged in to the demo lobby.", done.stdout)


if __name__ == "__main__":
    harness.main()
