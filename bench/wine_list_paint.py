#!/usr/bin/env python3
"""Repaint cost of the room list under Wine, with 20 rooms and with 2,000.

The running Tavlora.exe, logged in to the development server, first gets a lobby of 20
rooms, then 1,980 more in one room list message; each time probe.exe invalidates the room
list body and has it painted at once, many times (the list draws only its twelve visible
rows, so both figures should be alike). Prints

    list repaint 20 rooms: <x> ms
    list repaint 2000 rooms: <y> ms

(median milliseconds per repaint, seen from outside the hub). Runs in a network namespace
of its own (fixed server ports). Builds nothing.
"""

import argparse
import os
import statistics

import wine_bench
from wine_bench import ROOT

MAIN = "KXLobby0"
BODY = MAIN + "/tabswindowname/roombodywindowname"
SAVED = ("73!3 demo demo1234!4 1!5 1!6 0!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 0!27 1!28 1!29 1!")
SMALL, LARGE = 20, 2000


def rooms(first, last):
    """Room records named so that the list, sorted by name, starts with the lowest."""
    return "".join("%d:Room %04d:%d:1;" % (100 + n, n, 1 + n % 3) for n in range(first, last))


# The server answers nothing by itself: the lobby is exactly these rooms.
LOBBY = """replies off
expect ,11, 60000
message 11,5
message 13,1001,1,0
message 14,12345,99999,7
message 31,%s
message 15,0
""" % rooms(LARGE - SMALL, LARGE)


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(ROOT, "build", "windows", "bin"),
                        help="folder with Tavlora.exe and probe.exe")
    parser.add_argument("--server", default=os.path.join(ROOT, "build", "native", "server",
                                                         "tavlora-server"))
    parser.add_argument("--count", type=int, default=300, help="repaints per measurement")
    parser.add_argument("--repeat", type=int, default=5, help="runs of each; medians shown")
    return parser.parse_args()


def first_row(hub):
    return hub.window("roombodywindowname")["text"].split("\n")[0].split("\t")[0]


def repaints(hub, args):
    return [hub.probe("redraw", BODY, str(args.count))[0]["ms_per_redraw"]
            for _ in range(args.repeat)]


def measure(args):
    import harness  # reads TAVLORA_BIN and TAVLORA_SERVER when imported

    with harness.Hub("list-paint-bench", screen="800x600x24", config_inner=SAVED,
                     scenario=LOBBY) as hub:
        hub.start_hub()
        hub.probe("wait-visible", BODY, "60000")
        first = "Room %04d" % (LARGE - SMALL)
        harness.wait_until(lambda: first_row(hub) == first, 60, what="the first 20 rooms")
        small = repaints(hub, args)
        hub.control("message 31," + rooms(0, LARGE - SMALL))
        harness.wait_until(lambda: first_row(hub) == "Room 0000", 120, what="2,000 rooms")
        large = repaints(hub, args)

    print("Room list repaints under Wine (median of %d runs of %d; CPUs %s; load %.2f)"
          % (args.repeat, args.count, ",".join(map(str, sorted(os.sched_getaffinity(0)))),
             os.getloadavg()[0]))
    print("  runs with %d rooms: %s" % (SMALL, ", ".join("%.2f" % v for v in small)))
    print("  runs with %d rooms: %s" % (LARGE, ", ".join("%.2f" % v for v in large)))
    print("list repaint %d rooms: %.2f ms" % (SMALL, statistics.median(small)))
    print("list repaint %d rooms: %.2f ms" % (LARGE, statistics.median(large)))


def main():
    args = parse_args()
    wine_bench.enter(__file__, args, [
        args.server,
        os.path.join(args.bin, "probe.exe"),
        os.path.join(args.bin, "Tavlora.exe")])
    measure(args)


if __name__ == "__main__":
    main()
