"""Drives the real Tavlora.exe under Wine against the development server: the one fixture
of the end-to-end tests and the Wine benchmarks. Every Hub has its own Xvfb display, Wine
prefix, record folder and server (each test file runs in a network namespace of its own);
all is stopped on exit. Every wait has a deadline and names what it waited for."""

import base64
import contextlib
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
START_LINE_TIMEOUT = 30.0  # a server or Xvfb silent this long fails the test

MAIN = "KXLobby0"
OK = "errorwindowname/errorokwindowname/errorok2windowname"
# The hub plus a message hook that takes test code 900 (enter the room in lParam) before
# the main window sees it; Tavlora.exe itself has no such code.
HUB_WITH_HOOK = "TavloraTest.exe"

# --- what the hub reads: config.ini ---
FILLER = b"korbTANEWLpivmsu"
OPTIONS = "!4 %d!5 1!6 %d!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!18 1!19 1!" \
          "20 1!21 1!22 0!23 1!24 0!25 0!26 %d!27 1!28 1!29 1!"


def saved(login=("demo", "demo1234"), sound=1, contacts=1, language=1, extra=""):
    """The inner text of a config.ini: a saved login (None: none), the default options but
    sound, contacts window and language, then `extra` records."""
    return "73" + ("!3 %s %s" % login if login else "") + \
        OPTIONS % (language, sound, contacts) + extra


SAVED = saved()


def encode_config_ini(inner):
    """config.ini bytes for an inner text: Base64, then a filler after every 3 characters."""
    middle = base64.b64encode(inner.encode("utf-8"))
    return b"".join(middle[k:k + 3] + FILLER[(k // 3) % len(FILLER):][:1]
                    for k in range(0, len(middle), 3))


# --- what the scripted server says: the log-in exchange and the lobby ---
ME = "1001:demo:1500:4;"  # the logged-in player, in a player list


def login_scenario(players=None, rooms=None, presences=None, contacts=None, tables=None,
                   seats=None, administrator=0, end=True, extra=()):
    """A server script: it waits for the client's log-in, accepts it, then sends the lobby
    lists given (each a text or a sequence of texts, one message each), the `extra` lines
    and, with `end`, the lobby's end."""
    lines = ["replies off", "expect ,11, 60000", "message 11,5",
             "message 13,1001,1,%d" % administrator, "message 14,12345,99999,7"]
    lines += ["message %d,%s" % (number, text) for number, texts in (
        (21, players), (31, rooms), (32, presences), (51, contacts), (71, tables), (72, seats))
        for text in ([texts] if isinstance(texts, str) else texts or ())]
    lines += list(extra) + (["message 15,0"] if end else [])
    return "\n".join(lines) + "\n"


def b64(text):
    return base64.b64encode(text.encode("utf-8")).decode("ascii")


def login_message(user="demo", password="demo1234"):
    return "11," + b64("%s,%s" % (user, password)) + ",!"


# --- waiting ---
def wait_until(predicate, timeout=15.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while not (value := predicate()):
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.0f s waiting for %s" % (timeout, what))
        time.sleep(interval)
    return value


def wait_exit(process, timeout, what):
    try:
        return process.wait(timeout)
    except subprocess.TimeoutExpired:
        raise AssertionError("%s did not end within %.0f s" % (what, timeout)) from None


def run(args, timeout, **kwargs):
    try:
        return subprocess.run(args, timeout=timeout, **kwargs)
    except subprocess.TimeoutExpired:
        raise AssertionError("%s did not end within %.0f s" % (" ".join(map(str, args)),
                                                             timeout)) from None


def read_start_line(fd, timeout, what):
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


class Hub:
    """One hub under test: display, prefix, optional server, Tavlora.exe and the probe.
    With `start`, entering also starts that program and waits for the lobby; with
    `display`, the hub runs on that display instead of an Xvfb of its own; `start_args`
    are the started program's arguments."""

    def __init__(self, name, screen="1280x1024x24", server=True, server_args=(),
                 scenario=None, config_inner=None, start=None, display=None, start_args=()):
        self.name, self.screen, self.want_server = name, screen, server
        self.display = display
        self.server_args, self.scenario = list(server_args), scenario
        self.config_inner, self.start, self.start_args = config_inner, start, start_args
        self.processes, self.files = [], []  # files close after the processes writing them
        self.hub = self.server = self.xvfb = self.env = self.prober = None
        self.servers_started = 0

    # --- set-up and tear-down ---
    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="tavlora-e2e-")
        try:
            if not self.display:
                self._start_xvfb()
            self.prefix = run([os.path.join(SCRIPTS, "wine-prefix.sh"),
                               os.path.join(self.dir, "prefix")], 300, check=True,
                              capture_output=True, text=True).stdout.strip()
            self.env = dict(os.environ, WINEPREFIX=self.prefix,
                            HOME=os.path.join(self.prefix, "home"), WINEDEBUG="-all",
                            WINEDLLOVERRIDES="mscoree,mshtml=", DISPLAY=self.display,
                            TAVLORA_SIBLING_LOG="Z:" + os.path.join(self.dir, "siblings.log")
                            .replace("/", "\\"))
            self.settings_dir = os.path.join(glob.glob(os.path.join(
                self.prefix, "drive_c", "users", "*", "AppData"))[0], "Local", "Tavlora")
            self.config_ini_path = os.path.join(self.settings_dir, "config.ini")
            self._start_session()
            # A desktop user for the whole run (a hidden window, idle): Wine closes a
            # desktop a second after its last user has gone, and a program started just
            # then finds none and ends.
            self.processes.append(subprocess.Popen(
                ["wine", os.path.join(BIN, "probe.exe"), "claim", "TavloraDesktopKeeper",
                 "2000000000"], env=self.env, stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            self.probe("wait", "TavloraDesktopKeeper", "30000", timeout=60)
            if self.config_inner is not None:
                self.write_config_ini(self.config_inner)
            if self.want_server:
                self.start_server()
            if self.start:
                self.log_in(self.start, args=self.start_args)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start_session(self):
        """Starts the prefix's wineserver, kept up until the end (tests that run one short
        program after another do not wait for it to end and start again each time), and
        its session (explorer, services) through one program run alone. That first
        program inherits the session's output, so it must not be a pipe we read to its
        end. Under heavy load this start has stalled in a fresh prefix; a second try on a
        new wineserver gets past it."""
        for attempt in (1, 2):
            run(["wineserver", "-p"], 60, env=self.env, check=True)
            try:
                run(["wine", os.path.join(BIN, "probe.exe"), "screen"], 60, env=self.env,
                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
                return
            except AssertionError:
                if attempt == 2:
                    raise
                run(["wineserver", "-k"], 60, env=self.env)
                run(["wineserver", "-w"], 60, env=self.env)

    def _start_xvfb(self):
        read, write = os.pipe()
        # -noreset: Wine's desktop leaving the display must not refuse the next program.
        self.xvfb = subprocess.Popen(["Xvfb", "-noreset", "-displayfd", str(write), "-screen", "0",
                                      self.screen, "-nolisten", "tcp"], pass_fds=(write,),
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        try:
            self.display = ":" + read_start_line(read, START_LINE_TIMEOUT, "Xvfb").strip()
        finally:
            os.close(read)
        if self.display == ":":
            raise AssertionError("Xvfb did not start")

    def __exit__(self, kind, value, trace):
        if kind is not None:
            with contextlib.suppress(Exception):
                self.screenshot("failure-" + self.name)
        for flag in ("-k", "-w") if self.env else ():
            with contextlib.suppress(subprocess.TimeoutExpired):
                subprocess.run(["wineserver", flag], env=self.env, stderr=subprocess.DEVNULL,
                               timeout=60)
        for process in self.processes + [self.xvfb]:
            if process is not None and process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for f in self.files:
            f.close()
        shutil.rmtree(self.dir, ignore_errors=True)
        return False

    # --- the development server ---
    def start_server(self, extra=(), scenario=None):
        """A server with the hub's server arguments and `extra`, playing `scenario` (by
        default the hub's); each start records into a folder of its own."""
        self.servers_started = n = self.servers_started + 1
        self.record_dir = os.path.join(self.dir, "record%d" % n)
        os.makedirs(self.record_dir, exist_ok=True)
        self.control_path = os.path.join(self.dir, "control")
        args = [SERVER, "--record", self.record_dir, "--control", self.control_path]
        scenario = self.scenario if scenario is None else scenario
        if scenario:
            path = os.path.join(self.dir, "scenario%d.txt" % n)
            with open(path, "w") as out:
                out.write(scenario)
            args += ["--scenario", path]
        self.server_log = open(os.path.join(self.dir, "server%d.log" % n), "w")
        self.server = subprocess.Popen(args + self.server_args + list(extra),
                                       stdout=subprocess.PIPE, stderr=self.server_log)
        self.processes.append(self.server)
        self.files += [self.server_log, self.server.stdout]
        try:
            line = read_start_line(self.server.stdout.fileno(), START_LINE_TIMEOUT, "the server")
        except AssertionError as error:
            line = str(error)
        if "listening" not in line:
            raise AssertionError("server did not start: %s; log: %s"
                                 % (line, self.server_log_text()[-2000:]))

    def stop_server(self):
        if self.server is not None and self.server.poll() is None:
            self.server.send_signal(signal.SIGTERM)
            wait_exit(self.server, 5, "the server")

    def kill_server(self):
        self.server.kill()
        wait_exit(self.server, 5, "the killed server")

    def server_log_text(self):
        return read_bytes(self.server_log.name).decode("utf-8", "replace")

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

    def _record_files(self, port, server=None):
        number = lambda path: int(os.path.basename(path)[4:].split("-")[0])  # noqa: E731
        return [path for n in ([server] if server else range(1, self.servers_started + 1))
                for path in sorted(glob.glob(os.path.join(self.dir, "record%d" % n, "conn*-%d.bin"
                                                          % port)), key=number)]

    def connections(self, port=3556):  # each accepted connection has its record
        return len(self._record_files(port))

    def received(self, port=3555, server=None):
        """Every byte the servers (or the server started `server`th) received on connections
        to `port`, in connection order."""
        return b"".join(read_bytes(path) for path in self._record_files(port, server))

    def wait_received(self, needle, port=3555, timeout=15.0):
        needle = needle.encode() if isinstance(needle, str) else needle
        return wait_until(lambda: needle in self.received(port), timeout,
                          what="%r on port %d" % (needle, port))

    # --- Tavlora.exe ---
    def start_hub(self, wait=True, exe="Tavlora.exe", trace=None, args=(), env=None):
        """Starts a program of BIN, or the one at the path `exe`; with `trace` ("winmm,exec"),
        Wine's traces of those channels go to hub.trace_path, read by sounds() and pages()."""
        env, err = dict(self.env, **(env or {})), subprocess.DEVNULL
        if trace:
            self.trace_path = os.path.join(self.dir, "trace%d.log" % len(self.processes))
            env = dict(env, WINEDEBUG="-all," + ",".join("trace+" + c for c in trace.split(",")))
            err = open(self.trace_path, "wb")
            self.files.append(err)
        process = subprocess.Popen(["wine", os.path.join(BIN, exe)] + list(args), env=env,
                                   stdout=subprocess.DEVNULL, stderr=err)
        self.processes.append(process)
        if os.path.basename(exe) in ("Tavlora.exe", HUB_WITH_HOOK) and self.hub is None:
            self.hub = process
        if wait:  # a first start on a loaded machine can take half a minute
            self.probe("wait", MAIN, "60000", timeout=90)
        return process

    def log_in(self, exe="Tavlora.exe", timeout=60.0, trace=None, args=()):
        self.start_hub(exe=exe, trace=trace, args=args)
        self.wait_visible("tabswindowname", timeout)

    def _trace(self):
        return read_bytes(self.trace_path).decode("utf-8", "replace")

    def sounds(self):
        """The sound resources played so far (start_hub with trace "winmm")."""
        return [int(n, 16) for n in re.findall(r"proc_PlaySound SoundName=#([0-9a-fA-F]+) ",
                                               self._trace())]

    def pages(self):
        """The web pages opened so far, one per ShellExecuteW call (trace "exec")."""
        return re.findall(r"trace:exec:SHELL_execute mask=.* "
                          r"file=L\"[^\"]*index\.php\?([^\"&]*)", self._trace())

    def exit_code(self, timeout=20.0):
        code = wait_exit(self.hub, timeout, "the hub")
        self.hub = None
        return code

    def close_hub(self, timeout=20.0):
        """Asks the running hub to close (WM_CLOSE) and returns its exit code; the next
        start_hub starts a new one in the same prefix."""
        if self.hub is None:
            return None
        if self.hub.poll() is None:
            self.probe("post", MAIN, "WM_CLOSE", "0", "0", check=False)
        return self.exit_code(timeout)

    def probe(self, *args, check=True, timeout=60):
        """The JSON lines of one probe command, run by the hub's probe server (probe.exe
        serve, started at first use and again after its watchdog ended it)."""
        if self.prober is None or self.prober.poll() is not None:
            self.prober = subprocess.Popen(["wine", os.path.join(BIN, "probe.exe"), "serve"],
                                           env=self.env, stdin=subprocess.PIPE,
                                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            self.processes.append(self.prober)
            self.files += [self.prober.stdin, self.prober.stdout]
            self.probe_output = b""
        escape = {ord("\t"): "\\t", ord("\n"): "\\n", ord("\r"): "\\r"}
        with contextlib.suppress(BrokenPipeError):
            self.prober.stdin.write(("\t".join(str(a).translate(escape) for a in args) + "\n")
                                    .encode("utf-8"))
            self.prober.stdin.flush()
        deadline, fd, code = time.monotonic() + timeout, self.prober.stdout.fileno(), None
        while (match := re.search(rb"^#done (\d+)\n", self.probe_output, re.M)) is None:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                self.prober.kill()
                raise AssertionError("probe %s did not end within %.0f s" % (args, timeout))
            chunk = os.read(fd, 65536)
            if not chunk:  # the watchdog ended the server
                match, code = None, 1
                break
            self.probe_output += chunk
        output = self.probe_output[:match.start()] if match else self.probe_output
        self.probe_output = self.probe_output[match.end():] if match else b""
        code = int(match.group(1)) if match else code
        text = output.decode("utf-8", "replace")
        if check and code != 0:
            raise AssertionError("probe %s failed (%d): %s" % (args, code, text))
        return [json.loads(line) for line in text.splitlines() if line.startswith("{")]

    def windows(self):
        return self.probe("list")

    def window(self, cls, windows=None):
        found = self.probe("list", MAIN, cls, check=False) if windows is None else windows
        return next((w for w in found if w.get("class") == cls), None)

    def text(self, target):
        """The window text of one window (gettext is cheaper than a whole list, but finds
        only top-level classes and paths); None when absent."""
        found = self.probe("gettext", target, check=False)
        if found and found[0].get("ok"):
            return found[0].get("text")
        w = None if "/" in target else self.window(target)
        return w.get("text") if w else None

    def visible(self, cls):
        return bool((w := self.window(cls)) and w.get("visible"))

    def wait_visible(self, cls, timeout=15.0):
        return wait_until(lambda: self.visible(cls), timeout, what=cls + " visible")

    def wait_hidden(self, cls, timeout=15.0):
        return wait_until(lambda: not self.visible(cls), timeout, what=cls + " hidden")

    def wait_text(self, target, text, timeout=15.0):
        """Until the window `target` shows `text` (or a text for which `text` is true)."""
        wanted = text if callable(text) else lambda shown: shown == text
        return wait_until(lambda: wanted(self.text(target)), timeout,
                          what="%s showing %r" % (target, text))

    def click(self, target):
        self.probe("click", target)

    def wait_error(self, line, timeout=15.0):
        return self.wait_text("errorwindowname", lambda t: line in (t or "") and
                              self.visible("errorwindowname"), timeout)

    def submit_login(self, user="demo", password="demo1234"):
        for n, text in enumerate((user, password)):
            self.probe("settext", "loginwindowname/Edit#%d" % n, text)
        self.probe("key", "loginwindowname/Edit#1", "VK_RETURN")

    # --- real input through the X server ---
    def xdotool(self, *args):
        run(["xdotool"] + [str(a) for a in args], 30,
            env=dict(os.environ, DISPLAY=self.display), check=True)

    def pointer(self, cls, x, y, *buttons):
        """The real pointer moved to client point (x, y) of the window of class `cls`, then
        the button-1 actions given ("mousedown", "mouseup", "click")."""
        if (w := self.window(cls)) is None:
            raise AssertionError("no window " + cls)
        self.xdotool("mousemove", "--sync", w["sx"] + x, w["sy"] + y,
                     *[a for b in buttons for a in (b, 1)])

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

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name + ".png")
        run(["import", "-display", self.display, "-window", "root", path], 60, check=True,
            stderr=subprocess.DEVNULL)
        return path

    # --- files the hub writes ---
    def write_config_ini(self, data):
        os.makedirs(self.settings_dir, exist_ok=True)
        with open(self.config_ini_path, "wb") as out:
            out.write(encode_config_ini(data) if isinstance(data, str) else data)

    def read_config_inner(self):
        data = read_bytes(self.config_ini_path)
        if len(data) % 4:  # a filler follows a shorter last group too
            data = data[:-1]
        middle = re.match(rb"[A-Za-z0-9+/]*", bytes(data[k] for k in range(len(data)) if k % 4 != 3))[0]
        return base64.b64decode(middle + b"=" * (-len(middle) % 4)).decode("utf-8", "replace")

    def sibling_log(self):
        return read_bytes(os.path.join(self.dir, "siblings.log")).decode("utf-8", "replace").splitlines()


class HubTest(unittest.TestCase):
    """Tests that share one Hub(**hub_args) in sequence, entered once for the class."""
    hub_args = {}

    @classmethod
    def setUpClass(cls):
        cls.hub = Hub(cls.__name__.lower(), **cls.hub_args).__enter__()
        cls.addClassCleanup(cls.hub.__exit__, None, None, None)

    def tearDown(self):
        result = getattr(getattr(self, "_outcome", None), "result", None)
        if result and any(test is self for test, _ in result.failures + result.errors):
            self.hub.screenshot("failure-%s-%s" % (self.hub.name, self._testMethodName))


def main():
    unittest.main(verbosity=2)


# --- what the server received, the sibling programs, the rooms ---
def client_messages(hub):
    """The client's numbered messages as the server received them, in order, each
    without its "!" (acknowledgements and the introductions left out)."""
    return [piece for piece in hub.received().decode("utf-8", "replace").split("!")
            if re.match(r"\d+,\d+,.", piece)]


def client(hub, pattern):
    regex = re.compile(pattern)
    return [m for m in client_messages(hub) if regex.fullmatch(m)]


def wait_client(hub, pattern, timeout=30.0):
    return wait_until(lambda: client(hub, pattern), timeout, what="client message " + pattern)


def sibling_lines(hub, program, sibling_id=None):
    """The log lines of one program (and id), without the "<program> <id> " in front."""
    return [p[2] for p in (line.split(" ", 2) for line in hub.sibling_log()) if len(p) == 3
            and p[0] == program and (sibling_id is None or p[1] == str(sibling_id))]


def relays(hub, program, sibling_id=None):
    """The WM_COPYDATA texts a sibling received, as "<code> <escaped text>"."""
    return [line[len("copydata "):] for line in sibling_lines(hub, program, sibling_id)
            if line.startswith("copydata ")]


def wait_logged(hub, program, sibling_id, line, timeout=30.0):
    return wait_until(lambda: line in sibling_lines(hub, program, sibling_id), timeout,
                      what="%s %s: %s" % (program, sibling_id, line))


def sibling_modes(hub, text):
    """Test modes of the sibling programs started from now on (sibling-modes.txt beside
    their log, siblings/sibling_text.h)."""
    with open(os.path.join(hub.dir, "sibling-modes.txt"), "w") as out:
        out.write(text)


def enter_room(hub, room):  # through the test hook of HUB_WITH_HOOK
    hub.probe("post", MAIN, "TavloraIntMessage", "900", str(room))


def sync(hub, text="17,2001,3", timeout=30.0):
    """Sends the server message `text` now and waits until the hub has acknowledged it,
    so it has dispatched everything before it."""
    marker = r" > (\d+)," + re.escape(text) + ",!"
    before = len(re.findall(marker, hub.server_log_text()))
    hub.control("message " + text)
    sent = wait_until(lambda: re.findall(marker, hub.server_log_text())[before:], timeout,
                      what="the server sending " + text)
    hub.wait_received(b"!2,%s,!" % sent[0].encode(), timeout=timeout)


def answer_time(hub):
    """Seconds until the hub's main window answers a message (the probe gives up at 5 s)."""
    start = time.monotonic()
    hub.probe("send", MAIN, "WM_NULL", "0", "0")
    return time.monotonic() - start


# --- processes of a Wine prefix, for the benchmarks and the soak ---
def read_bytes(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:  # the process ended meanwhile
        return b""


def prefix_processes(prefix):
    """pid -> short name of every process running with WINEPREFIX=prefix."""
    wanted = b"WINEPREFIX=" + prefix.encode()
    found = {}
    for entry in filter(str.isdigit, os.listdir("/proc")):
        if wanted in read_bytes("/proc/%s/environ" % entry).split(b"\0"):
            cmdline = read_bytes("/proc/%s/cmdline" % entry).split(b"\0")[0].decode("utf-8", "replace")
            found[int(entry)] = cmdline.replace("\\", "/").rsplit("/", 1)[-1]
    return found


TICKS = os.sysconf("SC_CLK_TCK")


def cpu_ticks(pid):  # utime + stime of all its threads
    stat = read_bytes("/proc/%d/stat" % pid).decode()
    if not stat:
        return 0
    fields = stat[stat.rindex(")") + 2:].split()  # the name may hold spaces
    return int(fields[11]) + int(fields[12])
