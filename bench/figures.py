#!/usr/bin/env python3
"""Every speed and memory figure of the hub as one table, each next to a reference
measured in the same run and the aim it is held to.

Runs the optimised Google Benchmark programs (build/release/bench) and the Wine
measurements (bench/*.py, which need the Windows build and the development server), then
prints the table in Markdown. A program or script that is not there, fails, or prints
nothing readable gives "not measured" in its rows; the table always comes out.
scripts/bench.sh builds what is missing first and then runs this.
"""

import argparse
import json
import os
import platform
import re
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RELEASE = os.path.join(ROOT, "build", "release", "bench")
NOT_MEASURED = "not measured"
FRAME_MS = 1000.0 / 60


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true",
                        help="fewer repetitions and a 20 s idle interval (a rough table)")
    parser.add_argument("--log", default=os.path.join(ROOT, "build", "bench-figures.log"),
                        help="every program's own output goes here")
    return parser.parse_args()


class Runner:
    def __init__(self, log_path):
        os.makedirs(os.path.dirname(log_path), exist_ok=True)
        self.log = open(log_path, "w")

    def run(self, command, timeout=1800):
        """The command's stdout, or None when it is missing or fails."""
        program = command[1] if command[0] == sys.executable else command[0]
        if not os.path.exists(program):
            self.log.write("missing: %s\n" % " ".join(command))
            return None
        print("  running %s ..." % " ".join(os.path.relpath(c, ROOT) if c.startswith(ROOT)
                                             else c for c in command), file=sys.stderr,
              flush=True)
        start = time.monotonic()
        try:
            result = subprocess.run(command, capture_output=True, text=True, timeout=timeout,
                                    cwd=ROOT)
        except subprocess.TimeoutExpired:
            self.log.write("timed out: %s\n" % " ".join(command))
            return None
        self.log.write("$ %s  (%.0f s, exit %d)\n%s\n%s\n" % (
            " ".join(command), time.monotonic() - start, result.returncode, result.stdout,
            result.stderr))
        self.log.flush()
        return result.stdout if result.returncode == 0 else None

    def benchmarks(self, program, repetitions):
        """{name: benchmark result} of a Google Benchmark program (medians when repeated)."""
        path = os.path.join(RELEASE, program)
        args = [path, "--benchmark_format=json"]
        if repetitions > 1:
            args += ["--benchmark_repetitions=%d" % repetitions,
                     "--benchmark_report_aggregates_only=true"]
        out = self.run(args)
        if out is None:
            return {}
        try:
            runs = json.loads(out)["benchmarks"]
        except (ValueError, KeyError):
            return {}
        found = {}
        for entry in runs:
            name = entry.get("run_name", entry["name"])
            if entry.get("aggregate_name") in (None, "median"):
                found[name] = entry
        return found


def number(pattern, text, group=1):
    match = re.search(pattern, text or "")
    return float(match.group(group)) if match else None


def ms(entry):
    """Real time of one iteration in milliseconds."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[entry["time_unit"]]
    return entry["real_time"] * scale


def fmt(value, unit, digits=1):
    if value is None:
        return NOT_MEASURED
    return ("%." + str(digits) + "f %s") % (value, unit)


def meets(ok):
    return "-" if ok is None else ("yes" if ok else "NO")


def measure(args, runner):
    reps = 1 if args.quick else 5
    rows = []

    def row(figure, measured, reference, aim, ok):
        rows.append((figure, measured, reference, aim, meets(ok)))

    # --- wire and dispatch, natively ---
    dispatch = runner.benchmarks("dispatch_bench", reps)
    split, memchr = dispatch.get("SplitAndDispatch"), dispatch.get("MemchrPass")
    if split and memchr:
        rate, floor = split["bytes_per_second"] / 1e6, memchr["bytes_per_second"] / 1e6
        row("Wire splitting + dispatch of an 8 MB lobby stream (native)", fmt(rate, "MB/s", 0),
            "memchr pass %s (x%.1f)" % (fmt(floor, "MB/s", 0), floor / rate),
            "within 4x of memchr", floor / rate <= 4)
    else:
        row("Wire splitting + dispatch of an 8 MB lobby stream (native)", NOT_MEASURED,
            NOT_MEASURED, "within 4x of memchr", None)
    # Splitting and dispatch now fill the real lobby lists; the receive loop's own work on
    # the bytes is the reassembly.
    reassembly = dispatch.get("ReassembleReads")
    if reassembly and memchr:
        rate = reassembly["bytes_per_second"] / 1e6
        row("Receive loop reassembly of the same stream in 1000-byte reads (native)",
            fmt(rate, "MB/s", 0), "memchr pass %s (x%.1f)" % (fmt(floor, "MB/s", 0), floor / rate),
            "report", None)

    # --- loopback round trips under Wine ---
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "wine_roundtrip.py"),
                      "--repeat", "1" if args.quick else "3"])
    queue = number(r"hub queue:\s+([\d.]+) messages/s", out)
    raw = number(r"raw ping-pong:\s+([\d.]+) round trips/s", out)
    p50 = number(r"p50 ([\d.]+) us, p99", out)
    p99 = number(r"p99 ([\d.]+) us", out)
    row("Loopback round trip, 10,000 queued messages (Wine)", fmt(queue, "msg/s", 0),
        "raw Winsock ping-pong %s%s" % (fmt(raw, "round trips/s", 0),
                                        " (x%.2f)" % (queue / raw) if queue and raw else ""),
        "at least 0.6 of the ping-pong", queue / raw >= 0.6 if queue and raw else None)
    round_trip_us = 1e6 / raw if raw else None
    row("Server message to acknowledgement, p50 (Wine)", fmt(p50, "us", 0),
        "raw round trip %s" % fmt(round_trip_us, "us", 0), "under 500 us",
        p50 < 500 if p50 is not None else None)
    row("Server message to acknowledgement, p99 (Wine)", fmt(p99, "us", 0),
        "raw round trip %s" % fmt(round_trip_us, "us", 0), "report", None)

    # --- the real hub's acknowledgements under Wine, idle and with the lobby moving ---
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "ack_turnaround.py")]
                     + (["--count", "2000"] if args.quick else []))
    raw50 = number(r"raw ping-pong .*: p50 ([\d.]+) us", out)
    raw99 = number(r"raw ping-pong .*p99 ([\d.]+) us", out)
    for phase, name in (("idle", "an idle lobby"), ("moving", "a lobby change every 200 ms")):
        found = re.search(r"^  %s: .*\n\s+acknowledgement p50 ([\d.]+) us, p99 ([\d.]+) us"
                          % phase, out or "", re.M)
        for k, (label, raw_us, limit) in enumerate((("p50", raw50, 300), ("p99", raw99, 3000))):
            value = float(found.group(k + 1)) if found else None
            row("Tavlora.exe: server message to acknowledgement, %s, %s (Wine)" % (label, name),
                fmt(value, "us", 0), "raw ping-pong %s %s" % (label, fmt(raw_us, "us", 0)),
                "under %d us" % limit, value < limit if value is not None else None)

    # --- idle CPU under Wine ---
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "idle_cpu.py"), "--seconds",
                      "20" if args.quick else "60"])
    idle = number(r"Tavlora\.exe \(pid [^)]*\):\s+([\d.]+) %", out)
    wineserver = number(r"wineserver \(pid [^)]*\):\s+([\d.]+) %", out)
    row("CPU of a connected hub idling in the lobby (Wine)", fmt(idle, "% of a core", 2),
        "wineserver meanwhile %s" % fmt(wineserver, "%", 2), "below 0.5 %",
        idle < 0.5 if idle is not None else None)

    # --- the lobby model, natively ---
    lobby = runner.benchmarks("lobby_bench", 1 if args.quick else 3)
    half, full = lobby.get("InitialLobbyLoad/half"), lobby.get("InitialLobbyLoad/full")
    if half and full:
        ratio = ms(full) / ms(half)
        row("Initial lobby load, 2,000 rooms / 50,000 players / 10,000 tables / 40,000 seats",
            "%.0f ms, peak heap %.0f MB" % (ms(full), full["peak_MB"]),
            "half size %.0f ms, peak %.0f MB (time x%.2f)" % (ms(half), half["peak_MB"], ratio),
            "time ratio at most 2.2 for the doubling", ratio <= 2.2)
    else:
        row("Initial lobby load at full and half size", NOT_MEASURED, NOT_MEASURED,
            "time ratio at most 2.2 for the doubling", None)
    change, relay = lobby.get("PresenceChange"), lobby.get("RelayToOneRoomWindow")
    row("One presence change at full size (native, windows faked)",
        fmt(ms(change) * 1000, "us", 2) if change else NOT_MEASURED,
        "relaying it to one room window %s" % (fmt(ms(relay) * 1000, "us", 2) if relay
                                                else NOT_MEASURED), "report", None)
    sort = lobby.get("SortOnHeadClick")
    row("Sort on a head click, 2,000 rooms (native)",
        fmt(ms(sort), "ms", 3) if sort else NOT_MEASURED, "one frame %.1f ms" % FRAME_MS,
        "within one frame", ms(sort) < FRAME_MS if sort else None)

    # --- repaints under Wine ---
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "wine_paint.py"), "--repeat",
                      "1" if args.quick else "3"])

    def paint(name):
        match = re.search(r"^\s+%s\s+([\d.]+) ms\s+([\d.]+) ms\s+\d+\s+\d+\s+(\d+)" % name,
                          out or "", re.M)
        return (float(match.group(1)), float(match.group(2)), int(match.group(3))) \
            if match else None

    for name, figure, aim, limit in (
            ("main", "Main window repaint, every visible control (Wine, in-process)",
             "at most 8 ms", 8.0),
            ("error", "Error dialog repaint (Wine, in-process)", "report", None)):
        found = paint(name)
        row(figure, fmt(found[1], "ms", 2) if found else NOT_MEASURED,
            "the running hub through probe %s; GDI objects left %d"
            % (fmt(found[0], "ms", 2), found[2]) if found else NOT_MEASURED, aim,
            found[1] <= limit if found and limit else None)

    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "wine_list_paint.py")])
    list20 = number(r"list repaint 20 rooms:\s*([\d.]+) ms", out)
    list2000 = number(r"list repaint 2000 rooms:\s*([\d.]+) ms", out)
    row("Room list repaint with 2,000 rooms (Wine)", fmt(list2000, "ms", 2),
        "with 20 rooms %s" % fmt(list20, "ms", 2),
        "at most 4 ms, and within 1.5x of 20 rooms",
        list2000 <= 4.0 and list2000 <= 1.5 * list20 if list20 and list2000 else None)
    one_row = number(r"list row repaint 2000 rooms:\s*([\d.]+) ms", out)
    row("One room's row of that list repainted, as a change of its record paints it (Wine)",
        fmt(one_row, "ms", 2), "the whole list %s" % fmt(list2000, "ms", 2), "report", None)

    # --- contacts, natively, and the presence storm under Wine ---
    contacts = runner.benchmarks("contacts_bench", 1 if args.quick else 3)
    # The slowest of the rebuilds measured (sort orders, ignored contacts shown or not).
    rebuilds = [e for n, e in contacts.items() if "rebuild" in n.lower()]
    rebuild = max(rebuilds, key=ms) if rebuilds else None
    row("Contacts rebuild, 5,000 relations / 50,000 players, slowest variant (native)",
        fmt(ms(rebuild), "ms", 3) if rebuild else NOT_MEASURED, "one frame %.1f ms" % FRAME_MS,
        "under 5 ms", ms(rebuild) < 5 if rebuild else None)
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "presence_storm.py")]
                     + (["--seconds", "20"] if args.quick else []))
    storm = number(r"presence storm CPU:\s*([\d.]+) %", out)
    row("Hub CPU in a presence storm, 100 changes/s for a minute (Wine)",
        fmt(storm, "% of a core", 1), "idle hub %s" % fmt(idle, "%", 2), "below 10 %",
        storm < 10 if storm is not None else None)
    out = runner.run([sys.executable, os.path.join(ROOT, "bench", "presence_storm.py"),
                      "--storming-room", "5"] + (["--seconds", "20"] if args.quick else []))
    reports = number(r"report storm CPU:\s*([\d.]+) %", out)
    row("Hub CPU in a report storm: a room and its table window answering everything with 10 "
        "requests, 5 relays/s (Wine)", fmt(reports, "% of a core", 1),
        "presence storm %s" % fmt(storm, "%", 1), "below 25 %",
        reports < 25 if reports is not None else None)
    return rows


def machine():
    model, cores = "unknown CPU", os.cpu_count()
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    memory = number(r"MemTotal:\s+(\d+) kB", open("/proc/meminfo").read())
    try:
        wine = subprocess.run(["wine", "--version"], capture_output=True, text=True,
                              timeout=60).stdout.strip()
    except (OSError, subprocess.TimeoutExpired):
        wine = "no wine"
    return "%s, %d cores, %.0f GB, %s %s, %s" % (model, cores, (memory or 0) / 1048576,
                                                platform.system(), platform.release(), wine)


def main():
    args = parse_args()
    runner = Runner(args.log)
    started = time.strftime("%Y-%m-%d %H:%M UTC", time.gmtime())
    load = os.getloadavg()[0]
    rows = measure(args, runner)
    print()
    print("Figures of %s on %s (load average %.2f at the start, %.2f at the end)"
          % (started, machine(), load, os.getloadavg()[0]))
    print()
    print("| Figure | Measured | Reference in the same run | Aim | Meets |")
    print("|---|---|---|---|---|")
    for figure, measured, reference, aim, ok in rows:
        print("| %s | %s | %s | %s | %s |" % (figure, measured, reference, aim, ok))
    print()
    print("Every program's own output: %s" % os.path.relpath(args.log, ROOT))


if __name__ == "__main__":
    main()
