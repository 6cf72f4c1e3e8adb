"""Start-up of the real Tavlora.exe: the window registry seen from outside, a responsive
hub without a server, the single-instance rule and a screen too small."""

import os

import harness
from harness import MAIN


# The pop-ups, each owned by the main window (and so hidden with it); the contacts
# window is the one free-standing top-level window.
POPUPS = ["errorwindowname", "loginwindowname", "aboutwindowname", "settingswindowname"]
STANDARD = ("Edit",)  # a platform class: the login and contacts dialogs have three
WS_POPUP, WS_CHILD, ES_PASSWORD = 0x80000000, 0x40000000, 0x20


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

    def start_failed_box(self):
        """The windows of the start-up failure's message box, once it shows its text."""
        box = [w for w in self.hub.probe("list", "#32770", check=False) if "class" in w]
        shown = any("Tavlora cannot create its windows." in w["text"] for w in box)
        return box if shown else None

    def test_a_failed_start_up_step_ends_with_a_message_and_exit_code_1(self):
        for step in ("winsock", "KXLobby0", "statuslinewindowname", "contactswindowname"):
            with self.subTest(step):
                process = self.hub.start_hub(wait=False, exe=harness.HUB_WITH_HOOK,
                                             env={"TAVLORA_TEST_FAIL": step})
                box = harness.wait_until(self.start_failed_box, what="the message box")
                ok = next(w for w in box if w["class"] == "Button" and w["parent_class"] == "#32770")
                self.hub.xdotool("mousemove", "--sync", ok["sx"] + ok["w"] // 2,
                                 ok["sy"] + ok["h"] // 2, "click", 1)
                self.assertEqual(harness.wait_exit(process, 30, "the hub"), 1)
                self.hub.hub = None  # the next start is the hub the other tests look at

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
