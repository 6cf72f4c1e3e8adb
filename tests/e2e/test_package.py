"""scripts/package.sh's installer (install, upgrade, uninstall) and zip, under Wine."""

import glob
import os
import re

import harness

KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlora"
PROGRAMS = ["BoardView.exe", "ChatView.exe", "JoinView.exe", "RoomView.exe", "Tavlora.exe"]


class Package(harness.HubTest):
    hub_args = dict(config_inner=harness.saved())

    def wine(self, *args):  # the output through a file, which Wine's desktop may inherit
        with open(os.path.join(self.hub.dir, "out"), "w+") as out:
            harness.run(["wine", *args], 120, env=self.hub.env, stdout=out)
            return out.seek(0) or out.read()

    def logs_in(self, exe):
        self.hub.start_hub(exe=exe)
        self.hub.wait_visible("tabswindowname", 60)
        self.assertEqual(self.hub.close_hub(), 0)

    def test_install_upgrade_uninstall_and_the_zip(self):
        hub, folder = self.hub, os.path.dirname(self.hub.settings_dir) + "/Programs/Tavlora"
        newer = bytearray(harness.read_bytes(harness.BIN + "/Tavlora.exe"))
        at = newer.index(b"\xbd\x04\xef\xfe") + 8  # the version resource's numbers: 99.0.0.73
        newer[at:at + 16] = bytes.fromhex("00006300490000000000630049000000")
        with open(hub.dir + "/Tavlora.exe", "wb") as out:
            out.write(newer)
        for name, exe in ("old", harness.BIN + "/Tavlora.exe"), ("new", out.name):
            harness.run([harness.SCRIPTS + "/package.sh", "--hub", exe, "--out",
                         hub.dir + "/" + name], 120, check=True)
        self.wine(glob.glob(hub.dir + "/old/*-setup.exe")[0], "/S")
        self.assertEqual(sorted(os.listdir(folder)), PROGRAMS + ["Uninstall.exe"])
        self.assertNotIn("Tavlora", self.wine("reg", "query", KEY.replace("HKCU", "HKLM")))
        entry = glob.glob(hub.prefix + "/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"
                          "Start Menu/Programs/Tavlora.lnk")[0]
        target = re.search(rb"C:\\[^\0]+\.exe", harness.read_bytes(entry))[0].decode()
        self.logs_in(hub.prefix + "/drive_c/" + target[3:].replace("\\", "/"))
        kept = harness.read_bytes(hub.config_ini_path)
        self.wine(glob.glob(hub.dir + "/new/*-setup.exe")[0], "/S")
        values = dict(re.findall(r"^ +(\w+) +REG_\w+ +(.*)$", self.wine("reg", "query", KEY), re.M))
        self.assertEqual([values["DisplayVersion"], harness.read_bytes(folder + "/Tavlora.exe")],
                         ["99.0.0.73", harness.read_bytes(hub.dir + "/new/Tavlora/Tavlora.exe")])
        # Uninstalled as the list of installed programs does it (the copy it runs returns at once).
        self.wine(values["UninstallString"].strip('"'), "/S")
        harness.wait_until(lambda: not os.path.exists(folder), 30, what="the folder removed")
        self.assertFalse(os.path.exists(entry) or "Tavlora" in self.wine("reg", "query", KEY),
                         "the Start menu entry or the uninstall key left")
        self.assertEqual(harness.read_bytes(hub.config_ini_path), kept)
        zipped = glob.glob(hub.dir + "/old/*.zip")[0]
        harness.run(["python3", "-m", "zipfile", "-e", zipped, hub.dir], 60, check=True)
        self.logs_in(hub.dir + "/Tavlora/Tavlora.exe")


if __name__ == "__main__":
    harness.main()
