"""Drives the real Tavlora.exe under Wine against the development server.

Every test gets a private Xvfb display, a fresh Wine prefix copied from the prepared
template, its own record folder and, when wanted, its own server; the test runner puts
each test file in a network namespace of its own, so the fixed server ports never
collide. Everything started here is stopped on exit, whatever happened.
"""

import base64
import glob
import json
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPTS = os.path.join(ROOT, "scripts")
BIN = os.environ.get("TAVLORA_BIN", os.path.join(ROOT, "build", "windows", "bin"))
SERVER = os.environ.get("TAVLORA_SERVER",
                        os.path.join(ROOT, "build", "native", "server", "tavlora-server"))
ARTIFACTS = os.environ.get("TAVLORA_ARTIFACTS", os.path.join(ROOT, "build", "e2e-artifacts"))

FILLER = b"korbTANEWLpivmsu"
# A server or Xvfb that prints no start line within this long fails the test.
START_LINE_TIMEOUT = 30.0


def encode_config_ini(inner):
    """config.ini bytes for an inner text: Base64, then a filler after every 3 characters."""
    middle = base64.b64encode(inner.encode("utf-8"))
    out = bytearray()
    for k in range(0, len(middle), 3):
        out += middle[k:k + 3]
        out.append(FILLER[(k // 3) % len(FILLER)])
    return bytes(out)


def decode_config_ini(data):
    # A filler follows every 3 characters, and a shorter last group too.
    if len(data) % 4:
        data = data[:-1]
    middle = bytes(data[k] for k in range(len(data)) if k % 4 != 3)
    end = len(middle)
    for k, c in enumerate(middle):
        if chr(c) not in "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/":
            end = k
            break
    middle = middle[:end]
    middle += b"=" * (-len(middle) % 4)
    return base64.b64decode(middle).decode("utf-8", "replace")


def read_start_line(fd, timeout, what):
    """The first line written to the pipe `fd`, read without waiting past `timeout`."""
    deadline = time.monotonic() + timeout
    line = b""
    while not line.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([fd], [], [], left)[0]:
            raise AssertionError("%s printed no start line within %.0f s (got %r)"
                                 % (what, timeout, line))
        byte = os.read(fd, 1)  # one at a time: nothing after the line is taken
        if not byte:
            break  # the writer ended
        line += byte
    return line.decode("utf-8", "replace")


def wait_until(predicate, timeout=15.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(interval)


class Hub:
    """One hub under test: display, prefix, optional server, Tavlora.exe and the probe."""

    def __init__(self, name, screen="1280x1024x24", server=True, server_args=(),
                 scenario=None, config_inner=None, display=None):
        self.name = name
        self.given_display = display
        self.screen = screen
        self.want_server = server
        self.server_args = list(server_args)
        self.scenario = scenario
        self.config_inner = config_inner
        self.processes = []
        self.files = []  # closed on exit, after the processes writing them ended
        self.hub = None
        self.server = None
        self.xvfb = None

    # --- set-up and tear-down ---
    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="tavlora-e2e-")
        try:
            if self.given_display:
                self.display = self.given_display
            else:
                self._start_display()
            self.prefix = subprocess.check_output(
                [os.path.join(SCRIPTS, "wine-prefix.sh"), os.path.join(self.dir, "prefix")],
                text=True).strip()
            self.env = dict(os.environ, WINEPREFIX=self.prefix,
                            HOME=os.path.join(self.prefix, "home"), WINEDEBUG="-all",
                            WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display,
                            TAVLORA_SIBLING_LOG="Z:" + os.path.join(self.dir, "siblings.log")
                            .replace("/", "\\"))
            self.user_dir = glob.glob(os.path.join(self.prefix, "drive_c", "users", "*",
                                                   "AppData"))[0].rsplit(os.sep, 1)[0]
            # The first Wine program of a prefix starts its session (wineserver, explorer,
            # services); they inherit that program's output, so it must not be a pipe we
            # read to its end.
            subprocess.run(["wine", os.path.join(BIN, "probe.exe"), "screen"], env=self.env,
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=120)
            if self.config_inner is not None:
                self.write_config_ini(encode_config_ini(self.config_inner))
            if self.want_server:
                self.start_server()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            try:
                self.screenshot("failure-" + self.name)
            except Exception:
                pass
        if getattr(self, "env", None):
            subprocess.run(["wineserver", "-k"], env=self.env, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env, stderr=subprocess.DEVNULL)
        for process in self.processes:
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        if self.xvfb is not None and self.xvfb.poll() is None:
            self.xvfb.kill()
            self.xvfb.wait()
        for f in self.files:
            f.close()
        self.files = []
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    def _start_display(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", self.screen, "-nolisten", "tcp"],
            pass_fds=(write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        try:
            number = read_start_line(read, START_LINE_TIMEOUT, "Xvfb").strip()
        finally:
            os.close(read)
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    # --- the development server ---
    def start_server(self, extra=()):
        # Each server start records into a folder of its own (it numbers connections anew).
        self.servers_started = getattr(self, "servers_started", 0) + 1
        self.record_dir = os.path.join(self.dir, "record%d" % self.servers_started)
        os.makedirs(self.record_dir, exist_ok=True)
        self.control_path = os.path.join(self.dir, "control")
        args = [SERVER, "--record", self.record_dir, "--control", self.control_path]
        if self.scenario is not None:
            path = os.path.join(self.dir, "scenario.txt")
            with open(path, "w") as out:
                out.write(self.scenario)
            args += ["--scenario", path]
        args += self.server_args + list(extra)
        self.server_log = open(os.path.join(self.dir, "server%d.log" % self.servers_started), "w")
        self.files.append(self.server_log)
        self.server = subprocess.Popen(args, stdout=subprocess.PIPE, stderr=self.server_log)
        self.processes.append(self.server)
        self.files.append(self.server.stdout)
        try:
            line = read_start_line(self.server.stdout.fileno(), START_LINE_TIMEOUT, "the server")
        except AssertionError as error:
            raise AssertionError("%s; log: %s" % (error, self.server_log_text()[-2000:])) from None
        if "listening" not in line:
            try:
                code = self.server.wait(5) if not line else self.server.poll()
            except subprocess.TimeoutExpired:
                code = None
            raise AssertionError("server did not start (exit code %s): %r; log: %s"
                                 % (code, line, self.server_log_text()[-2000:]))

    def stop_server(self):
        self.server.send_signal(signal.SIGTERM)
        self.server.wait(5)

    def kill_server(self):
        self.server.kill()
        self.server.wait(5)

    def server_log_text(self):
        with open(self.server_log.name, encoding="utf-8", errors="replace") as log:
            return log.read()

    def server_event_ms(self, pattern):
        """Milliseconds after its start at which the current server logged its first line
        matching the regular expression `pattern`, or None."""
        for line in self.server_log_text().splitlines():
            match = re.match(r"\s*(\d+) (.*)", line)
            if match and re.search(pattern, match.group(2)):
                return int(match.group(1))
        return None

    def control(self, command):
        with open(self.control_path, "w") as fifo:
            fifo.write(command + "\n")

    def _record_files(self, port):
        files = []
        for run in range(1, getattr(self, "servers_started", 0) + 1):
            folder = os.path.join(self.dir, "record%d" % run)
            files += sorted(glob.glob(os.path.join(folder, "conn*-%d.bin" % port)),
                            key=lambda p: int(os.path.basename(p)[4:].split("-")[0]))
        return files

    def connections(self, port=3556):
        """How many connections the servers accepted on `port` (each has its record)."""
        return len(self._record_files(port))

    def received(self, port=3555):
        """Every byte the server received on connections to `port`, in connection order."""
        data = b""
        for path in self._record_files(port):
            with open(path, "rb") as f:
                data += f.read()
        return data

    def wait_received(self, needle, port=3555, timeout=15.0):
        if isinstance(needle, str):
            needle = needle.encode()
        return wait_until(lambda: needle in self.received(port), timeout,
                          what="%r on port %d" % (needle, port))

    # --- Tavlora.exe ---
    def start_hub(self, wait=True, exe="Tavlora.exe"):
        process = subprocess.Popen(["wine", os.path.join(BIN, exe)], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processes.append(process)
        if exe in ("Tavlora.exe", "TavloraTest.exe") and self.hub is None:
            self.hub = process
        if wait:
            self.probe("wait", "KXLobby0", "20000")
        return process

    def close_hub(self, timeout=20):
        """Asks the running hub to close (WM_CLOSE) and waits for its exit code; the next
        start_hub starts a new one in the same prefix."""
        if self.hub is None:
            return None
        if self.hub.poll() is None:
            self.probe("post", "KXLobby0", "WM_CLOSE", "0", "0", check=False)
        code = self.hub.wait(timeout)
        self.hub = None
        return code

    def run_hub_to_exit(self, timeout=30):
        process = self.start_hub(wait=False)
        return process.wait(timeout)

    def probe(self, *args, check=True):
        result = subprocess.run(["wine", os.path.join(BIN, "probe.exe")] + list(args),
                                env=self.env, capture_output=True, text=True, timeout=60)
        lines = [json.loads(line) for line in result.stdout.splitlines() if line.startswith("{")]
        if check and result.returncode != 0:
            raise AssertionError("probe %s failed (%d): %s" % (args, result.returncode,
                                                                result.stdout + result.stderr))
        return lines

    def windows(self):
        return self.probe("list")

    def window(self, cls, windows=None):
        for w in windows if windows is not None else self.windows():
            if w.get("class") == cls:
                return w
        return None

    def text(self, target):
        """The window text of one window (cheaper than a whole list); None when absent."""
        found = self.probe("gettext", target, check=False)
        return found[0].get("text") if found and found[0].get("ok") else None

    def visible(self, cls):
        w = self.window(cls)
        return bool(w and w.get("visible"))

    def wait_visible(self, cls, timeout=15.0):
        return wait_until(lambda: self.visible(cls), timeout, what=cls + " visible")

    def wait_hidden(self, cls, timeout=15.0):
        return wait_until(lambda: not self.visible(cls), timeout, what=cls + " hidden")

    def click(self, target):
        self.probe("click", target)

    # --- real input through the X server ---
    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args],
                       env=dict(os.environ, DISPLAY=self.display), check=True, timeout=30)

    def screen_point(self, cls, x, y):
        """The screen point of client point (x, y) of the window of class `cls`."""
        w = self.window(cls)
        if w is None:
            raise AssertionError("no window " + cls)
        return w["sx"] + x, w["sy"] + y

    def choose_from_menu(self, x, y):
        """A row of the header menu in one gesture: pressed on the title above x, dragged
        down to y, released (x and y relative to the menu bar)."""
        bar = self.window("headmenuwindowname")
        self.xdotool("mousemove", "--sync", bar["sx"] + x, bar["sy"] + 10, "mousedown", 1,
                     "mousemove", "--sync", bar["sx"] + x, bar["sy"] + y, "mouseup", 1)

    def open_about_box(self):
        """Help > About."""
        self.choose_from_menu(450, 50)
        self.probe("wait-visible", "aboutwindowname", "15000")

    def capture_class(self, target="KXLobby0"):
        """Class of the window that holds the mouse capture in the target's thread ('')."""
        return self.probe("focus", target)[0]["capture_class"]

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       check=True, stderr=subprocess.DEVNULL)
        return path

    # --- files the hub writes ---
    @property
    def settings_dir(self):
        return os.path.join(self.user_dir, "AppData", "Local", "Tavlora")

    @property
    def config_ini_path(self):
        return os.path.join(self.settings_dir, "config.ini")

    def write_config_ini(self, data):
        os.makedirs(self.settings_dir, exist_ok=True)
        with open(self.config_ini_path, "wb") as out:
            out.write(data)

    def read_config_inner(self):
        with open(self.config_ini_path, "rb") as f:
            return decode_config_ini(f.read())

    def sibling_log(self):
        path = os.path.join(self.dir, "siblings.log")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read().splitlines()


def main():
    unittest.main(verbosity=2)


# --- The lobby's tests: what the server received, and the sibling programs ---

def client_messages(hub):
    """The client's numbered messages as the server received them, in order, each
    without its "!" (acknowledgements and the introductions left out)."""
    messages = []
    for piece in hub.received().decode("utf-8", "replace").split("!"):
        fields = piece[:-1].split(",") if piece.endswith(",") else piece.split(",")
        if len(fields) >= 3 and fields[0].isdigit() and fields[1].isdigit():
            messages.append(piece)
    return messages


def sibling_modes(hub, text):
    """Test modes of the sibling programs started from now on (sibling-modes.txt beside
    their log, siblings/sibling_text.h)."""
    with open(os.path.join(hub.dir, "sibling-modes.txt"), "w") as out:
        out.write(text)
