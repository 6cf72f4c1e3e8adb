#!/usr/bin/env python3
"""Soak: the hub in the demo lobby changing ten times as often as in the demo, room and
table windows opened and closed in a loop, a sample after each cycle with no sibling open
(the hub's own counts by code 903, and from Linux its memory, threads, file descriptors
and CPU), and which values grow (README, "Soak").

    scripts/soak.sh 600            (ten minutes, prints the samples and the verdict)
    python3 soak.py --seconds 60   (in a network namespace of its own; test_soak.py)
"""

import argparse
import csv
import os
import re
import sys
import time

import harness
from harness import MAIN, HUB_WITH_HOOK, TICKS, read_bytes, sibling_lines, wait_until

LOBBY_CHANGE_MS = 200  # the demo changes its lobby every 2000 ms
# Rooms entered in turn, each opened first, as the random changes lock and open rooms.
ROOMS = [1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12]
ROOMS_PER_CYCLE = 2
WAIT_S = 45.0  # Wine starts programs slowly on a loaded machine; the probe ends at 60 s
# How far the late third may lie above the early one.
GROWTH_LIMITS = {
    "handles_net": 4,  # less those Wine's WaitForInputIdle keeps, one per sibling start
    "gdi_outstanding": 0, "threads": 1, "fds": 4,
    "rss_kb": 6 * 1024, "private_kb": 6 * 1024,  # the lobby itself changes size meanwhile
}
SHOWN = ["t", "cycle", "rss_kb", "peak_rss_kb", "private_kb", "handles", "handles_net",
         "threads", "fds", "gdi_outstanding", "gdi_made", "paints", "hub_cpu", "server_cpu"]


def status_kb(pid, key):
    match = re.search(rb"^%s:\s+(\d+) kB" % key.encode(), read_bytes("/proc/%d/status" % pid),
                      re.M)
    return int(match.group(1)) if match else 0


def grown(values, margin):
    """(growth, grows): growth is the lowest late value less the highest early one; a leak
    climbs every cycle, a one-off step does not lift each third above the one before."""
    third = len(values) // 3
    if third < 1:
        return 0, False
    early, middle, late = values[:third], values[third:len(values) - third], values[-third:]
    growth = min(late) - max(early)
    return growth, min(middle) > max(early) and min(late) > max(middle) and growth > margin


class Soak:
    def __init__(self, hub, out):
        self.hub, self.out = hub, out
        self.report_path = os.path.join(hub.dir, "report.txt")
        self.sequence = self.cycles = self.next_room = 0
        self.samples, self.skipped = [], []
        self.opened = {"rooms": 0, "tables": 0}

    def sample(self):
        self.sequence += 1
        self.hub.probe("post", MAIN, "TavloraIntMessage", "903", str(self.sequence))
        pattern = re.compile(r"^report %d (.*)$" % self.sequence, re.M)
        text = wait_until(lambda: (lambda m: m and m.group(1))(pattern.search(
            read_bytes(self.report_path).decode("ascii", "replace"))), WAIT_S,
            what="the hub's report %d" % self.sequence)
        report = {k: int(v) for k, v in (w.split("=", 1) for w in text.split())}
        processes = harness.prefix_processes(self.hub.prefix)
        hubs = [p for p, n in processes.items() if n.lower() == HUB_WITH_HOOK.lower()]
        if len(hubs) != 1:
            raise AssertionError("expected one %s process, found %s" % (HUB_WITH_HOOK, hubs))
        pid, now = hubs[0], time.monotonic()
        s = {"t": now - self.start, "cycle": self.cycles, "rss_kb": status_kb(pid, "VmRSS"),
             "peak_rss_kb": status_kb(pid, "VmHWM"), "private_kb": report["private_kb"],
             "handles": report["handles"],
             "sibling_starts": len([l for l in self.hub.sibling_log() if " cmdline " in l and
                                    l.startswith(("RoomView ", "BoardView "))]),
             "idle_wait_leak": max(0, report["idle_wait_leak"]), "gdi_made": report["gdi_made"],
             "gdi_outstanding": report["gdi_made"] - report["gdi_deleted"],
             "paints": report["paints"],
             "threads": len(os.listdir("/proc/%d/task" % pid)),
             "fds": len(os.listdir("/proc/%d/fd" % pid)), "hub_ticks": harness.cpu_ticks(pid),
             "server_ticks": sum(harness.cpu_ticks(p) for p, n in processes.items()
                                 if n.startswith("wineserver"))}
        s["handles_net"] = s["handles"] - s["idle_wait_leak"] * s["sibling_starts"]
        last = self.samples[-1] if self.samples else None
        span = s["t"] - last["t"] if last else 0
        for name in ("hub", "server"):
            s[name + "_cpu"] = (100.0 * (s[name + "_ticks"] - last[name + "_ticks"]) / TICKS
                                / span if span > 0 else 0.0)
        self.samples.append(s)
        print(" ".join("%s=%g" % (k, round(s[k], 1)) for k in SHOWN), file=self.out, flush=True)

    # --- one cycle of rooms and tables ---
    def count(self, program, sibling_id, start):
        return len([l for l in sibling_lines(self.hub, program, sibling_id) if l.startswith(start)])

    def sent(self, kind, room):
        return len(harness.client(self.hub, r"\d+,%d,%d," % (kind, room)))

    def newest_table(self, room):
        """The newest table of the room as its current window heard of it; a player who
        leaves (22) or goes offline (17 with status 0) takes their tables along."""
        known = []  # (table, first player, second player)
        for line in sibling_lines(self.hub, "RoomView", room):
            if line.startswith("cmdline "):
                known = []  # a new window of the room: its replay follows
            match = re.match(r"copydata (\d+) KXMessage,(.*)", line)
            code, text = match.groups() if match else ("", "")
            if code == "71":
                for values in (r.split(":") for r in text.split(";")):
                    if len(values) > 5 and values[0].isdigit():
                        known = [t for t in known if t[0] != values[0]]
                        known.append((values[0], values[4], values[5]))
            elif code == "73":
                known = [t for t in known if t[0] != text.split(",")[0]]
            elif code == "22" or (code == "17" and text.endswith(",0")):
                known = [t for t in known if text.split(",")[0] not in t[1:]]
        return int(known[-1][0]) if known else None

    def open_room(self, room):
        # Opens the room, which the random changes may have locked, acknowledged first.
        pattern = re.compile(r" > (\d+),31,%d:" % room)
        before = len(pattern.findall(self.hub.server_log_text()))
        self.hub.control("lobby room-state %d 1" % room)
        numbers = wait_until(lambda: pattern.findall(self.hub.server_log_text())[before:],
                             WAIT_S, what="31 for room %d" % room)
        self.hub.wait_received(b"!2,%s,!" % numbers[0].encode(), timeout=WAIT_S)
        exits, entries = self.count("RoomView", room, "exit 0"), self.sent(32, room)
        self.hub.probe("post", MAIN, "TavloraIntMessage", "900", str(room))
        # A room locked again meanwhile is not entered, and the window never comes.
        found = self.hub.probe("wait", "KXLobby%d" % room, str(int(WAIT_S * 1000)), check=False)
        if not found or not found[0].get("ok"):
            self.skipped.append("room %d not entered" % room)
            return None
        wait_until(lambda: self.sent(32, room) > entries, WAIT_S, what="32 for room %d" % room)
        self.opened["rooms"] += 1
        return {"room": room, "exits": exits, "table": None}

    def open_table(self, opened):
        room, table = opened["room"], self.newest_table(opened["room"])
        if table is None:
            return self.skipped.append("room %d has no table" % room)
        answer = "copydata 39 KXMessage,%d:" % table
        answers, exits = self.count("RoomView", room, answer), self.count("BoardView", table,
                                                                          "exit 0")
        self.hub.probe("test-command", "KXLobby%d" % room, "notify 31 %d" % table)
        try:  # a table that closed meanwhile is answered with nothing
            wait_until(lambda: self.count("RoomView", room, answer) > answers, WAIT_S,
                       what="answer to 31 for table %d" % table)
        except AssertionError:
            return self.skipped.append("table %d not answered" % table)
        found = self.hub.probe("wait", "KXTable%d" % table, str(int(WAIT_S * 1000)), check=False)
        if found and found[0].get("ok"):
            opened["table"] = (table, exits)
            self.opened["tables"] += 1
        else:
            self.skipped.append("table %d: no window" % table)

    def close(self, opened):
        room = opened["room"]
        if opened["table"]:
            table, exits = opened["table"]
            self.hub.probe("test-command", "KXTable%d" % table, "close", check=False)
            wait_until(lambda: self.count("BoardView", table, "exit 0") > exits, WAIT_S,
                       what="BoardView %d ended" % table)
        leaves = self.sent(38, room)
        self.hub.probe("test-command", "KXLobby%d" % room, "close", check=False)
        wait_until(lambda: self.count("RoomView", room, "exit 0") > opened["exits"], WAIT_S,
                   what="RoomView %d ended" % room)
        wait_until(lambda: self.sent(38, room) > leaves, WAIT_S, what="38 for room %d" % room)

    def cycle(self):
        opened = []
        for _ in range(ROOMS_PER_CYCLE):
            entry = self.open_room(ROOMS[self.next_room % len(ROOMS)])
            self.next_room += 1
            opened += [entry] if entry else []
        for entry in opened:
            self.open_table(entry)
        for entry in opened:
            self.close(entry)
        wait_until(lambda: not {"roomview.exe", "boardview.exe"} & {
            n.lower() for n in harness.prefix_processes(self.hub.prefix).values()}, WAIT_S,
            what="sibling processes ended")
        self.cycles += 1


def run(seconds, warmup_cycles=2, min_cycles=6, out=sys.stdout, csv_path=None):
    """Returns (soak, {name: (growth, grows)}, hub still logged in)."""
    with harness.Hub("soak", config_inner=harness.saved(sound=0),
                     server_args=["--lobby-changes", str(LOBBY_CHANGE_MS)]) as hub:
        soak = Soak(hub, out)
        hub.env["TAVLORA_TEST_REPORT"] = "Z:" + soak.report_path.replace("/", "\\")
        hub.log_in(exe=HUB_WITH_HOOK, timeout=WAIT_S)
        print("soak: %.0f s, lobby change every %d ms, %d rooms and their tables per cycle"
              % (seconds, LOBBY_CHANGE_MS, ROOMS_PER_CYCLE), file=out, flush=True)
        soak.start = time.monotonic()
        soak.sample()  # the hub measures the platform's handles per idle wait now, quietly
        # In the warm-up, once: a contact coming online plays a sound whatever the sound
        # setting, and Wine's first sound starts its audio threads.
        for command in ("lobby contact 2001 0", "lobby status 2001 3", "lobby status 2001 4"):
            hub.control(command)
        while time.monotonic() - soak.start < seconds or soak.cycles < warmup_cycles + min_cycles:
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
    later = [s for s in soak.samples if s["cycle"] >= warmup_cycles]
    verdict = {name: grown([s[name] for s in later], margin)
               for name, margin in GROWTH_LIMITS.items()}
    span = lambda key: "%d..%d" % (min(s[key] for s in soak.samples),  # noqa: E731
                                   max(s[key] for s in soak.samples))
    last = soak.samples[-1]
    print("cycles %d, rooms %d, tables %d opened; skipped %d %s; lobby changes %d; peak resident %.1f MB; handles %s, less the %d per sibling start Wine's "
          "WaitForInputIdle keeps (%d starts) %s; paints %d, GDI objects made %d, left %d"
          % (soak.cycles, soak.opened["rooms"], soak.opened["tables"], len(soak.skipped),
             soak.skipped[:6], changes,
             max(s["peak_rss_kb"] for s in soak.samples) / 1024, span("handles"),
             last["idle_wait_leak"], last["sibling_starts"], span("handles_net"),
             last["paints"], last["gdi_made"], last["gdi_outstanding"]), file=out)
    for name, (growth, failed) in verdict.items():
        print("growth %-16s %8d (margin %d) %s" % (name, growth, GROWTH_LIMITS[name],
                                                   "GROWS" if failed else "flat"), file=out)
    print("hub " + ("still logged in" if alive else "NOT LOGGED IN OR ENDED"), file=out,
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
