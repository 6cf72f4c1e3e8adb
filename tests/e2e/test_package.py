"""What scripts/package.sh makes, under Wine: the silent per-user install whose Start menu
entry starts a hub that logs in, a newer version's installer over it, the silent uninstall,
the zip's hub; the player's config.ini and config.dat outlive them all."""

import glob
import os
import re
import shlex
import struct
import zipfile

import harness

KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavlora"
SHIPPED = ["BoardView.exe", "ChatView.exe", "JoinView.exe", "RoomView.exe", "Tavlora.exe"]


class Package(harness.HubTest):
    hub_args = dict(config_inner=harness.saved())

    def wine(self, *args):  # a Windows program's output once it has ended, through a file:
        # Wine's desktop process may start with the program and keep a pipe open
        with open(os.path.join(self.hub.dir, "wine.out"), "w+") as out:
            harness.run(["wine", *args], 120, env=self.hub.env, stdout=out)
            return out.seek(0) or out.read()

    def package(self, name, *args):  # package.sh into a folder: its installer and its zip
        out = os.path.join(self.hub.dir, name)
        harness.run([harness.SCRIPTS + "/package.sh", "--out", out, *args], 120, check=True)
        return [glob.glob(out + pattern)[0] for pattern in ("/*-setup.exe", "/*.zip")]

    def logs_in(self, exe):  # the hub at this path reaches the lobby and closes normally
        self.hub.start_hub(exe=exe)
        self.hub.wait_visible("tabswindowname", 60)
        self.assertEqual(self.hub.close_hub(), 0)

    def test_install_upgrade_uninstall_and_the_zip(self):
        hub = self.hub
        files = [os.path.join(hub.settings_dir, name) for name in ("config.ini", "config.dat")]
        with open(files[1], "wb") as out:
            out.write(bytes(96))
        setup, portable = self.package("package")
        self.wine(setup, "/S")
        folder = os.path.join(os.path.dirname(hub.settings_dir), "Programs", "Tavlora")
        self.assertEqual(sorted(os.listdir(folder)), SHIPPED + ["Uninstall.exe"])
        self.assertNotIn("Tavlora", self.wine("reg", "query", KEY.replace("HKCU", "HKLM")))
        entry = glob.glob(hub.prefix + "/drive_c/users/*/AppData/Roaming/Microsoft/Windows/"
                          "Start Menu/Programs/Tavlora.lnk")[0]
        target = re.search(rb"C:\\[^\0]+\.exe", harness.read_bytes(entry))[0].decode()
        self.logs_in(hub.prefix + "/drive_c/" + target[3:].replace("\\", "/"))
        kept = [harness.read_bytes(f) for f in files]
        # A newer hub (its version resource says 99.0.0.73) and its installer over the first.
        exe = bytearray(harness.read_bytes(os.path.join(harness.BIN, "Tavlora.exe")))
        struct.pack_into("<4I", exe, exe.index(b"\xbd\x04\xef\xfe") + 8, *[99 << 16, 73] * 2)
        with open(os.path.join(hub.dir, "Tavlora.exe"), "wb") as out:
            out.write(exe)
        self.wine(self.package("newer", "--hub", out.name)[0], "/S")
        values = dict(re.findall(r"^ +(\w+) +REG_\w+ +(.*)$", self.wine("reg", "query", KEY), re.M))
        self.assertEqual([values["DisplayVersion"], values["InstallLocation"] + "\\Tavlora.exe"],
                         ["99.0.0.73", target])
        installed = harness.read_bytes(os.path.join(folder, "Tavlora.exe"))
        self.assertEqual(installed, harness.read_bytes(hub.dir + "/newer/Tavlora/Tavlora.exe"))
        # Uninstalled as the list of installed programs does it (the copy it runs returns at once).
        self.wine(*shlex.split(values["QuietUninstallString"]))
        harness.wait_until(lambda: not os.path.exists(folder), 30, what="the folder removed")
        self.assertFalse(os.path.exists(entry) or "Tavlora" in self.wine("reg", "query", KEY))
        self.assertEqual([harness.read_bytes(f) for f in files], kept)
        with zipfile.ZipFile(portable) as archive:
            archive.extractall(hub.dir)
        self.assertEqual(sorted(os.listdir(os.path.join(hub.dir, "Tavlora"))), SHIPPED)
        self.logs_in(os.path.join(hub.dir, "Tavlora", "Tavlora.exe"))


if __name__ == "__main__":
    harness.main()
