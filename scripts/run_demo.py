"""The main job: the development server and Tavlora.exe, logged in to the demo lobby.

With a display, the hub runs there until you close it. Without one, it runs on a
virtual display, a screenshot of the lobby is saved, and everything is stopped again.
"""

import os
import shutil
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402


def main():
    display = os.environ.get("DISPLAY")
    # The lobby keeps moving: players come and go, tables open and fill, rooms chat, and
    # now and then a contact writes a private message.
    with harness.Hub("demo", config_inner=harness.SAVED, display=display,
                     server_args=["--lobby-changes", "2000", "--private-messages", "45000"]) as hub:
        print("Development server listening on 127.0.0.1:3556/3555 (demo account demo/demo1234)")
        hub.start_hub()
        hub.wait_visible("tabswindowname", timeout=60)
        print("Tavlora.exe is logged in to the demo lobby.")
        if display:
            print("Close the Tavlora window to stop.")
            hub.hub.wait()
            return 0
        shots = os.path.join(harness.ROOT, "build", "screenshots")
        os.makedirs(shots, exist_ok=True)
        path = os.path.join(shots, "tavlora-lobby.png")
        shutil.copyfile(hub.screenshot("demo-lobby"), path)
        print("Screenshot of the lobby: " + path)
        hub.probe("post", "KXLobby0", "WM_CLOSE", "0", "0")
        hub.hub.wait(30)
    return 0


if __name__ == "__main__":
    sys.exit(main())
