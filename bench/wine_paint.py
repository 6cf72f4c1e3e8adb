#!/usr/bin/env python3
"""Repaint cost of the hub's skinned windows under Wine.

Two measurements of the same repaints: from outside, on the running Tavlora.exe logged
in to the development server's lobby (probe.exe invalidates a window with all its
children and has them painted at once, many times; each window's paint then also costs a
message between two processes), and inside one process (bench/paint_bench.exe builds the
same windows and repaints them itself, counting the GDI objects each paint makes and
leaves). Reports milliseconds per full repaint of the main window with every visible
control (aim: at most 8 ms), of the error dialog and of the about box; in-process only,
of the room list with 2,000 rooms, whole and one row of it (as one room's change paints
it). Runs in a network namespace of its own (fixed server ports). Builds nothing.
"""

import os
import statistics

import wine_bench
from wine_bench import ROOT

AIM_MS = 8.0


def parse_args():
    parser = wine_bench.arguments(__doc__)
    parser.add_argument("--bench", default=os.path.join(ROOT, "build", "windows", "bench",
                                                        "paint_bench.exe"))
    parser.add_argument("--count", type=int, default=300, help="repaints per measurement")
    parser.add_argument("--repeat", type=int, default=3, help="runs of each; medians shown")
    return parser.parse_args()


def from_outside(hub, target, count):
    return hub.probe("redraw", target, str(count))[0]["ms_per_redraw"]


def inside(harness, hub, bench, count):
    """{window: (ms per repaint, windows painted, objects made, objects left)}."""
    out = harness.run(["wine", bench, str(count)], 600, env=hub.env, capture_output=True,
                      text=True).stdout
    results = {}
    for line in out.splitlines():
        words = line.split()
        if len(words) == 5:
            values = dict(w.split("=", 1) for w in words[1:])
            results[words[0]] = (float(values["ms_per_repaint"]), int(values["windows"]),
                                 int(values["objects_made"]), int(values["objects_left"]))
    return results


def measure(args, harness):
    outside = {"main": [], "error": [], "about": []}
    within = {"main": [], "error": [], "about": [], "title-band": [], "rooms": [],
              "room-row": []}
    details = {}
    with harness.Hub("paint-bench", screen="800x600x24",
                     config_inner=harness.saved(sound=0, contacts=0)) as hub:
        hub.log_in()
        for _ in range(args.repeat):
            outside["main"].append(from_outside(hub, harness.MAIN, args.count))
        hub.open_about_box()
        for _ in range(args.repeat):
            outside["about"].append(from_outside(hub, "aboutwindowname", args.count))
        hub.click("aboutwindowname/aboutokwindowname")
        hub.control("message 11,2")  # "Wrong name or password.": the error dialog
        hub.probe("wait-visible", "errorwindowname", "20000")
        for _ in range(args.repeat):
            outside["error"].append(from_outside(hub, "errorwindowname", args.count))
        for _ in range(args.repeat):
            for name, result in inside(harness, hub, args.bench, args.count).items():
                within[name].append(result[0])
                details[name] = result[1:]

    median = statistics.median
    print("Repaints under Wine (median of %d runs of %d; CPUs %s; load %.2f)"
          % (args.repeat, args.count, ",".join(map(str, sorted(os.sched_getaffinity(0)))),
             os.getloadavg()[0]))
    print("  %-6s %12s %12s %9s %14s %13s" % ("", "hub (probe)", "in-process", "windows",
                                             "objects/paint", "objects left"))
    for name in ("main", "error", "about"):
        windows, made, left = details.get(name, (0, 0, 0))
        print("  %-6s %9.2f ms %9.2f ms %9d %14d %13d" % (name, median(outside[name]),
                                                         median(within[name]), windows, made,
                                                         left))
    if within["title-band"]:
        print("  title band alone (what a change of the lobby's counts repaints), in-process: "
              "%.2f ms" % median(within["title-band"]))
    for name in ("rooms", "room-row"):
        if within[name]:
            print("  %-8s %10s %9.2f ms" % (name, "", median(within[name])))
    main = median(within["main"])
    print("  main window in-process: %s (aim: at most %.0f ms)"
          % ("ok" if main <= AIM_MS else "ABOVE AIM", AIM_MS))
    print("  main runs: hub %s; in-process %s"
          % (", ".join("%.1f" % v for v in outside["main"]),
             ", ".join("%.1f" % v for v in within["main"])))


def main():
    wine_bench.main(__file__, parse_args, measure, ["probe.exe", "Tavlora.exe"])


if __name__ == "__main__":
    main()
