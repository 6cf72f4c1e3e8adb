#!/usr/bin/env python3
"""Soak: the hub in the demo lobby for a long while, the lobby changing ten times as
often as in the demo, room and table windows opened and closed in a loop.

Each cycle enters a few rooms through TavloraTest.exe (test code 900), has each room's
RoomView.exe ask for one of its tables (code 31), then closes every table and room
window again and waits until the hub has told the server and the sibling programs have
ended. At the end of each cycle, with no sibling open, it takes a sample: the hub's own
counts (test code 903: Windows handles, working set, the GDI objects painting made and
deleted, since GetGuiResources reads 0 under Wine), and from Linux the process's
resident and peak memory, threads and file descriptors, and the CPU time of the hub and
of the prefix's wineserver.

Growth: the samples after a warm-up are cut in three; a value grows when each third lies
wholly above the one before and the last above the first by more than a margin. A leak
climbs with every cycle; a one-off step and noise do not pass that.

    scripts/soak.sh 600            (ten minutes, prints the samples and the verdict)
    python3 soak.py --seconds 60   (inside a network namespace of its own, as the
                                    end-to-end tests run; test_soak.py runs this in CI)
"""

import argparse
import csv
import os
import re
import sys
import time

import harness

MAIN = "KXLobby0"
HUB_EXE = "TavloraTest.exe"
# The demo login saved, sound off: only a contact coming online plays its sound.
SAVED = ("73!3 demo demo1234!4 1!5 1!6 0!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")
# The demo runs one lobby change every 2000 ms; the soak ten times as many.
LOBBY_CHANGE_MS = 200
# Rooms entered in turn, each opened first by a lobby change of the soak's own, as the
# random changes lock and open rooms (room 4, "VIP Salon", is left alone).
ROOMS = [1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12]
ROOMS_PER_CYCLE = 2
TICKS = os.sysconf("SC_CLK_TCK")
# Generous: Wine starts programs slowly on a loaded machine (the probe's own runs end
# after 60 s, so its waits stay below that).
WAIT_S = 45.0

# Margins of the growth rule (grown()): how far the late third may lie above the early one.
GROWTH_LIMITS = {
    # The hub's Windows handles less those the platform's WaitForInputIdle keeps, one
    # per sibling start under Wine 8 (the hub measures that itself, code 903).
    "handles_net": 4,
    "gdi_outstanding": 0,    # made minus deleted by painting: 0 between paints
    "threads": 1,
    "fds": 4,
    "rss_kb": 6 * 1024,      # resident memory; the lobby itself changes size meanwhile
    "private_kb": 6 * 1024,
}


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:
        return b""


def prefix_processes(prefix):
    """pid -> lower-case program name of every process running in the prefix."""
    wanted = b"WINEPREFIX=" + prefix.encode()
    found = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit() and wanted in read("/proc/%s/environ" % entry).split(b"\0"):
            cmdline = read("/proc/%s/cmdline" % entry).split(b"\0")[0].decode("utf-8", "replace")
            found[int(entry)] = cmdline.replace("\\", "/").rsplit("/", 1)[-1].lower()
    return found


def cpu_ticks(pid):
    stat = read("/proc/%d/stat" % pid).decode()
    if not stat:
        return 0
    fields = stat[stat.rindex(")") + 2:].split()
    return int(fields[11]) + int(fields[12])


def status_kb(pid, key):
    match = re.search(rb"^%s:\s+(\d+) kB" % key.encode(), read("/proc/%d/status" % pid), re.M)
    return int(match.group(1)) if match else 0


def count_entries(path):
    try:
        return len(os.listdir(path))
    except OSError:
        return 0


def grown(values, margin):
    """(growth, grows) of the samples after the warm-up, cut in three: growth is the
    lowest late value less the highest early one. A leak climbs with every cycle, so each
    third lies wholly above the one before; a one-off step (a library starting threads
    the first time it is used) lifts one boundary only, and noise neither."""
    third = len(values) // 3
    if third < 1:
        return 0, False
    early, middle, late = values[:third], values[third:len(values) - third], values[-third:]
    growth = min(late) - max(early)
    rising = min(middle) > max(early) and min(late) > max(middle)
    return growth, rising and growth > margin


class Soak:
    def __init__(self, hub, out):
        self.hub = hub
        self.out = out
        self.report_path = os.path.join(hub.dir, "report.txt")
        self.sequence = 0
        self.samples = []
        self.cycles = 0
        self.skipped = []
        self.opened = {"rooms": 0, "tables": 0}
        self.next_room = 0
        self.probe_reruns = 0

    def probe(self, *args, check=True):
        """probe.exe, run again when it printed nothing at all. On a loaded machine a run
        now and then ends with exit code 1 and no output, not even the probe's own
        failure line; every command the soak gives is harmless when repeated."""
        for attempt in range(3):
            try:
                found = self.hub.probe(*args, check=check)
            except AssertionError as error:
                if not str(error).rstrip().endswith("):") or attempt == 2:
                    raise
                found = []
            if found:
                return found
            self.probe_reruns += 1
        return found

    # --- the hub's own counts, and Linux's view of its process ---
    def hub_report(self):
        self.sequence += 1
        self.probe("post", MAIN, "TavloraIntMessage", "903", str(self.sequence))
        pattern = re.compile(r"^report %d (.*)$" % self.sequence, re.M)

        def line():
            match = pattern.search(read(self.report_path).decode("ascii", "replace"))
            return match and match.group(1)

        text = harness.wait_until(line, WAIT_S, what="the hub's report %d" % self.sequence)
        return {k: int(v) for k, v in (w.split("=", 1) for w in text.split())}

    def pids(self):
        processes = prefix_processes(self.hub.prefix)
        hub = [p for p, n in processes.items() if n == HUB_EXE.lower()]
        wineserver = [p for p, n in processes.items() if n.startswith("wineserver")]
        return hub, wineserver

    def sample(self):
        report = self.hub_report()
        hub_pids, server_pids = self.pids()
        if len(hub_pids) != 1:
            raise AssertionError("expected one %s process, found %s" % (HUB_EXE, hub_pids))
        pid = hub_pids[0]
        now = time.monotonic()
        entry = {
            "t": now - self.start,
            "cycle": self.cycles,
            "rss_kb": status_kb(pid, "VmRSS"),
            "peak_rss_kb": status_kb(pid, "VmHWM"),
            "private_kb": report["private_kb"],
            "working_set_kb": report["working_set_kb"],
            "handles": report["handles"],
            "sibling_starts": self.sibling_starts(),
            "idle_wait_leak": max(0, report["idle_wait_leak"]),
            "gdi_made": report["gdi_made"],
            "gdi_outstanding": report["gdi_made"] - report["gdi_deleted"],
            "paints": report["paints"],
            "gdi_reported": report["gdi"],
            "user_reported": report["user"],
            "threads": count_entries("/proc/%d/task" % pid),
            "fds": count_entries("/proc/%d/fd" % pid),
            "hub_ticks": cpu_ticks(pid),
            "server_ticks": sum(cpu_ticks(p) for p in server_pids),
        }
        entry["handles_net"] = entry["handles"] - entry["idle_wait_leak"] * entry["sibling_starts"]
        previous = self.samples[-1] if self.samples else None
        span = now - self.start - previous["t"] if previous else 0
        for name in ("hub", "server"):
            entry[name + "_cpu"] = (100.0 * (entry[name + "_ticks"] - previous[name + "_ticks"])
                                    / TICKS / span if previous and span > 0 else 0.0)
        self.samples.append(entry)
        self.print_sample(entry)
        return entry

    # --- one cycle of rooms and tables ---
    def sibling_lines(self, program, sibling_id):
        head = "%s %s " % (program, sibling_id)
        return [line[len(head):] for line in self.hub.sibling_log() if line.startswith(head)]

    def sibling_starts(self):
        """Room and table programs started so far: each logs its command line first."""
        return len([line for line in self.hub.sibling_log()
                    if line.startswith(("RoomView ", "BoardView ")) and " cmdline " in line])

    def exits(self, program, sibling_id):
        return self.sibling_lines(program, sibling_id).count("exit 0")

    def room_entries(self, room):
        return len([m for m in harness.client_messages(self.hub)
                    if re.fullmatch(r"\d+,32,%d," % room, m)])

    def room_leaves(self, room):
        return len([m for m in harness.client_messages(self.hub)
                    if re.fullmatch(r"\d+,38,%d," % room, m)])

    def newest_table(self, room):
        """The newest table of the room as its current window heard of it, or None. A
        player who leaves (22) or goes offline (17 with status 0) takes their tables
        along without a 73 to the room."""
        known = []  # (table, first player, second player)
        prefix = "copydata %d KXMessage,"
        for line in self.sibling_lines("RoomView", room):
            if line.startswith("cmdline "):
                known = []  # a new window of the room: its replay follows
            code = line.split(" ", 2)[1] if line.startswith("copydata ") else ""
            text = line[len(prefix % int(code)):] if code.isdigit() else ""
            if code == "71":
                for record in text.split(";"):
                    values = record.split(":")
                    if len(values) > 5 and values[0].isdigit():
                        known = [t for t in known if t[0] != values[0]]
                        known.append((values[0], values[4], values[5]))
            elif code == "73":
                known = [t for t in known if t[0] != text.split(",")[0]]
            elif code == "22" or (code == "17" and text.endswith(",0")):
                player = text.split(",")[0]
                known = [t for t in known if player not in t[1:]]
        return int(known[-1][0]) if known else None

    def unlock(self, room):
        """Opens the room, which the random changes may have locked, and waits until the
        hub has acknowledged that."""
        pattern = re.compile(r" > (\d+),31,%d:" % room)
        before = len(pattern.findall(self.hub.server_log_text()))
        self.hub.control("lobby room-state %d 1" % room)
        numbers = harness.wait_until(
            lambda: pattern.findall(self.hub.server_log_text())[before:], WAIT_S,
            what="31 for room %d" % room)
        self.hub.wait_received(b"!2,%s,!" % numbers[0].encode(), timeout=WAIT_S)

    def open_room(self, room):
        self.unlock(room)
        exits = self.exits("RoomView", room)
        entries = self.room_entries(room)
        self.probe("post", MAIN, "TavloraIntMessage", "900", str(room))
        # The hub tells the server after it has fed the new window; a room locked again
        # meanwhile is not entered at all, and then the window never comes.
        found = self.probe("wait", "KXLobby%d" % room, str(int(WAIT_S * 1000)), check=False)
        if not found or not found[0].get("ok"):
            self.skipped.append("room %d not entered" % room)
            return None
        harness.wait_until(lambda: self.room_entries(room) > entries, WAIT_S,
                           what="32 for room %d" % room)
        self.opened["rooms"] += 1
        return {"room": room, "exits": exits, "table": None}

    def open_table(self, opened):
        room = opened["room"]
        table = self.newest_table(room)
        if table is None:
            self.skipped.append("room %d has no table" % room)
            return
        answer = "copydata 39 KXMessage,%d:" % table
        answers = len([l for l in self.sibling_lines("RoomView", room) if l.startswith(answer)])
        board_exits = self.exits("BoardView", table)
        self.probe("test-command", "KXLobby%d" % room, "notify 31 %d" % table)
        try:
            # A table that closed meanwhile is answered with nothing.
            harness.wait_until(
                lambda: len([l for l in self.sibling_lines("RoomView", room)
                             if l.startswith(answer)]) > answers, WAIT_S,
                what="answer to 31 for table %d" % table)
        except AssertionError:
            self.skipped.append("table %d not answered" % table)
            return
        found = self.probe("wait", "KXTable%d" % table, str(int(WAIT_S * 1000)), check=False)
        if found and found[0].get("ok"):
            opened["table"] = (table, board_exits)
            self.opened["tables"] += 1
        else:
            self.skipped.append("table %d: no window" % table)

    def close(self, opened):
        room = opened["room"]
        if opened["table"]:
            table, exits = opened["table"]
            self.probe("test-command", "KXTable%d" % table, "close", check=False)
            harness.wait_until(lambda: self.exits("BoardView", table) > exits, WAIT_S,
                               what="BoardView %d ended" % table)
        leaves = self.room_leaves(room)
        self.probe("test-command", "KXLobby%d" % room, "close", check=False)
        harness.wait_until(lambda: self.exits("RoomView", room) > opened["exits"], WAIT_S,
                           what="RoomView %d ended" % room)
        harness.wait_until(lambda: self.room_leaves(room) > leaves, WAIT_S,
                           what="38 for room %d" % room)

    def siblings_gone(self):
        names = prefix_processes(self.hub.prefix).values()
        return not any(n in ("roomview.exe", "boardview.exe") for n in names)

    def cycle(self):
        opened = []
        for _ in range(ROOMS_PER_CYCLE):
            room = ROOMS[self.next_room % len(ROOMS)]
            self.next_room += 1
            entry = self.open_room(room)
            if entry:
                opened.append(entry)
        for entry in opened:
            self.open_table(entry)
        for entry in opened:
            self.close(entry)
        harness.wait_until(self.siblings_gone, WAIT_S, what="sibling processes ended")
        self.cycles += 1

    # --- output ---
    HEADER = ("%6s %5s %8s %8s %8s %7s %7s %5s %5s %6s %8s %7s %6s %6s"
              % ("t s", "cycle", "rss MB", "peak MB", "priv MB", "handles", "net", "thr",
                 "fds", "gdi+-", "gdi made", "paints", "hub%", "wsrv%"))

    def print_sample(self, s):
        if len(self.samples) == 1:
            print(self.HEADER, file=self.out)
        print("%6.0f %5d %8.1f %8.1f %8.1f %7d %7d %5d %5d %6d %8d %7d %6.1f %6.1f"
              % (s["t"], s["cycle"], s["rss_kb"] / 1024, s["peak_rss_kb"] / 1024,
                 s["private_kb"] / 1024, s["handles"], s["handles_net"], s["threads"], s["fds"],
                 s["gdi_outstanding"], s["gdi_made"], s["paints"], s["hub_cpu"], s["server_cpu"]),
              file=self.out, flush=True)

    def verdict(self, warmup_cycles):
        """{name: (growth, failed)} over the samples after the warm-up."""
        later = [s for s in self.samples if s["cycle"] >= warmup_cycles]
        return {name: grown([s[name] for s in later], margin)
                for name, margin in GROWTH_LIMITS.items()}


def run(seconds, warmup_cycles=2, min_cycles=6, out=sys.stdout, csv_path=None):
    """Runs the soak; returns (soak, verdict, hub still logged in and running)."""
    with harness.Hub("soak", config_inner=SAVED,
                     server_args=["--lobby-changes", str(LOBBY_CHANGE_MS)]) as hub:
        soak = Soak(hub, out)
        hub.env["TAVLORA_TEST_REPORT"] = "Z:" + soak.report_path.replace("/", "\\")
        hub.start_hub(exe=HUB_EXE)
        hub.wait_visible("tabswindowname", timeout=WAIT_S)
        print("soak: %.0f s, lobby change every %d ms, %d rooms and their tables per cycle"
              % (seconds, LOBBY_CHANGE_MS, ROOMS_PER_CYCLE), file=out, flush=True)
        soak.start = time.monotonic()
        soak.sample()  # the hub measures the platform's handles per idle wait now, quietly
        # Once in the warm-up: a contact coming online plays a sound whatever the sound
        # setting, and Wine's first sound starts its audio threads and takes their memory.
        for command in ("lobby contact 2001 0", "lobby status 2001 3", "lobby status 2001 4"):
            hub.control(command)
        while (time.monotonic() - soak.start < seconds
               or soak.cycles < warmup_cycles + min_cycles):
            soak.cycle()
            soak.sample()
        alive = hub.hub.poll() is None and hub.visible("tabswindowname")
        changes = hub.server_log_text().count(" lobby: ")
    if csv_path:
        os.makedirs(os.path.dirname(csv_path), exist_ok=True)
        with open(csv_path, "w", newline="") as f:
            writer = csv.DictWriter(f, fieldnames=list(soak.samples[0]))
            writer.writeheader()
            writer.writerows(soak.samples)
    verdict = soak.verdict(warmup_cycles)
    last = soak.samples[-1]
    print("cycles %d (rooms opened %d, tables opened %d, skipped %d: %s); lobby changes %d; "
          "probe runs repeated %d"
          % (soak.cycles, soak.opened["rooms"], soak.opened["tables"], len(soak.skipped),
             ", ".join(soak.skipped[:6]) + (" ..." if len(soak.skipped) > 6 else ""), changes,
             soak.probe_reruns), file=out)
    print("peak resident %.1f MB; handles %d..%d, less the %d per sibling start that Wine's "
          "WaitForInputIdle keeps (%d starts) %d..%d; paints %d, GDI objects made %d, left %d "
          "(GetGuiResources: GDI %d, USER %d)"
          % (max(s["peak_rss_kb"] for s in soak.samples) / 1024,
             min(s["handles"] for s in soak.samples), max(s["handles"] for s in soak.samples),
             last["idle_wait_leak"], last["sibling_starts"],
             min(s["handles_net"] for s in soak.samples),
             max(s["handles_net"] for s in soak.samples),
             last["paints"], last["gdi_made"], last["gdi_outstanding"], last["gdi_reported"],
             last["user_reported"]), file=out)
    later = [s for s in soak.samples if s["cycle"] > warmup_cycles]
    if later:
        print("CPU after warm-up: hub %.1f %% of a core (max %.1f), wineserver %.1f %%"
              % (sum(s["hub_cpu"] for s in later) / len(later), max(s["hub_cpu"] for s in later),
                 sum(s["server_cpu"] for s in later) / len(later)), file=out)
    for name, (growth, failed) in verdict.items():
        print("growth %-16s %8d (margin %d) %s" % (name, growth, GROWTH_LIMITS[name],
                                                   "GROWS" if failed else "flat"), file=out)
    print("hub %s" % ("still logged in" if alive else "NOT LOGGED IN OR ENDED"), file=out,
          flush=True)
    return soak, verdict, alive


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=600.0)
    parser.add_argument("--csv", default=os.path.join(harness.ARTIFACTS, "soak.csv"))
    args = parser.parse_args()
    _, verdict, alive = run(args.seconds, csv_path=args.csv)
    sys.exit(0 if alive and not any(failed for _, failed in verdict.values()) else 1)


if __name__ == "__main__":
    main()
