#!/usr/bin/env python3
"""Repaint cost of the room list under Wine, with 20 rooms and with 2,000, and of one row.

The running Tavlora.exe, logged in to the development server, first gets a lobby of 20
rooms, then 1,980 more in one room list message; each time probe.exe invalidates the room
list body and has it painted at once, many times (the list draws only its twelve visible
rows, so both figures should be alike); then only the band of its second row is
invalidated, as when one room's record changes. Prints

    list repaint 20 rooms: <x> ms
    list repaint 2000 rooms: <y> ms
    list row repaint 2000 rooms: <z> ms

(median milliseconds per repaint, seen from outside the hub). Runs in a network namespace
of its own (fixed server ports). Builds nothing.
"""

import os
import statistics

import wine_bench

BODY = "KXLobby0/tabswindowname/roombodywindowname"
SMALL, LARGE = 20, 2000
ROW = ["0", "16", "430", "32"]  # the second row's band of the 430-pixel-wide body


def rooms(first, last):
    """Room records named so that the list, sorted by name, starts with the lowest."""
    return "".join("%d:Room %04d:%d:1;" % (100 + n, n, 1 + n % 3) for n in range(first, last))


def parse_args():
    parser = wine_bench.arguments(__doc__)
    parser.add_argument("--count", type=int, default=300, help="repaints per measurement")
    parser.add_argument("--repeat", type=int, default=5, help="runs of each; medians shown")
    return parser.parse_args()


def first_row(hub):
    return hub.window("roombodywindowname")["text"].split("\n")[0].split("\t")[0]


def repaints(hub, args, part=()):
    return [hub.probe("redraw", BODY, str(args.count), *part)[0]["ms_per_redraw"]
            for _ in range(args.repeat)]


def measure(args, harness):
    # The server answers nothing by itself: the lobby is exactly these rooms.
    with harness.Hub("list-paint-bench", screen="800x600x24",
                     config_inner=harness.saved(sound=0, contacts=0),
                     scenario=harness.login_scenario(rooms=rooms(LARGE - SMALL, LARGE))) as hub:
        hub.start_hub()
        hub.probe("wait-visible", BODY, "60000")
        first = "Room %04d" % (LARGE - SMALL)
        harness.wait_until(lambda: first_row(hub) == first, 60, what="the first 20 rooms")
        small = repaints(hub, args)
        hub.control("message 31," + rooms(0, LARGE - SMALL))
        harness.wait_until(lambda: first_row(hub) == "Room 0000", 120, what="2,000 rooms")
        large = repaints(hub, args)
        row = repaints(hub, args, ROW)

    print("Room list repaints under Wine (median of %d runs of %d; CPUs %s; load %.2f)"
          % (args.repeat, args.count, ",".join(map(str, sorted(os.sched_getaffinity(0)))),
             os.getloadavg()[0]))
    print("  runs with %d rooms: %s" % (SMALL, ", ".join("%.2f" % v for v in small)))
    print("  runs with %d rooms: %s" % (LARGE, ", ".join("%.2f" % v for v in large)))
    print("list repaint %d rooms: %.2f ms" % (SMALL, statistics.median(small)))
    print("  runs of one row with %d rooms: %s" % (LARGE, ", ".join("%.2f" % v for v in row)))
    print("list repaint %d rooms: %.2f ms" % (LARGE, statistics.median(large)))
    print("list row repaint %d rooms: %.2f ms" % (LARGE, statistics.median(row)))


def main():
    wine_bench.main(__file__, parse_args, measure, ['probe.exe', 'Tavlora.exe'])


if __name__ == "__main__":
    main()
