#!/usr/bin/env python3
"""CPU time of a connected hub under Wine while the server changes presences 100 times a
second.

Starts the development server with its presence storm (--presence-storm, every other
change one of the demo's contacts) and Tavlora.exe logged in with a saved login and the
contacts window shown, waits for the lobby, then reads the CPU time (user + system) of
the Tavlora.exe process over the interval and prints it as a percentage of one core in
the line "presence storm CPU: <x> % of a core", with the rate of changes the server got
out (it sends the next one only once the hub has acknowledged the last). Runs in a
network namespace of its own (fixed server ports). Builds nothing.

With --storming-room, the hub (TavloraTest.exe) has also opened that room's window, and
the table window it asks for, in the development siblings' storm mode: each relay text
and code they get, each answer to their requests included, is answered with ten requests
for the room's first table (code 31), of which the hub acts on ten a second. The line
then reads "report storm CPU: <x> % of a core" (aim: under 25 %), with the requests
posted and answered. The presence changes that keep the storm going come 5 a second by
default: a steady stream that comes faster than the hub relays it to the sibling windows
keeps the hub's dispatch loop from returning, and then nothing posted to it is handled.
"""

import os
import re
import time

import wine_bench

AIM_PERCENT = 10.0
PRESENCE_SENT = re.compile(r"pair \d+ > \d+,17,")


def parse_args():
    parser = wine_bench.arguments(__doc__)
    parser.add_argument("--seconds", type=float, default=60.0, help="length of the interval")
    parser.add_argument("--rate", type=int, help="presence changes per second (100; 5 with "
                        "--storming-room)")
    parser.add_argument("--storming-room", type=int, default=0,
                        help="a room of the demo lobby whose window storms (5 has tables)")
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds of storm after the lobby shows, before measuring")
    args = parser.parse_args()
    args.rate = args.rate or (5 if args.storming_room else 100)
    return args


def presences_sent(hub):
    return sum(1 for line in hub.server_log_text().splitlines() if PRESENCE_SENT.search(line))


def storm_counts(harness, hub, room):
    """The storming room's answers so far, and the requests its windows posted (ten for
    each relay text and code they got)."""
    lines = harness.sibling_lines(hub, "RoomView", room) + harness.sibling_lines(hub, "BoardView")
    heard = [line for line in lines if line.startswith(("copydata ", "notify "))]
    return sum(line.startswith("copydata 39 ") for line in heard), 10 * len(heard)


def measure(args, harness):
    # The demo login saved, with the contacts window shown at login.
    with harness.Hub("presence-storm", config_inner=harness.SAVED,
                     server_args=["--presence-storm", str(args.rate)]) as hub:
        room = args.storming_room
        if room:
            harness.sibling_modes(hub, "RoomView %d storm\nBoardView storm\n" % room)
        hub.log_in(exe=harness.HUB_WITH_HOOK if room else "Tavlora.exe", timeout=60)
        hub.wait_visible("contactswindowname", timeout=60)
        harness.wait_until(lambda: "presence storm" in hub.server_log_text(), timeout=60,
                           what="the storm started")
        if room:
            harness.enter_room(hub, room)
            harness.wait_until(lambda: [r for r in harness.relays(hub, "RoomView", room)
                                        if r.startswith("39 ")], 60, what="the report storm")
        time.sleep(args.settle)
        pids = [pid for pid, name in harness.prefix_processes(hub.prefix).items()
                if name.lower() in ("tavlora.exe", "tavloratest.exe")]
        before = {pid: harness.cpu_ticks(pid) for pid in pids}
        sent_before = presences_sent(hub)
        storm_before = storm_counts(harness, hub, room)
        start = time.monotonic()
        time.sleep(args.seconds)
        after = {pid: harness.cpu_ticks(pid) for pid in pids}
        seconds = time.monotonic() - start
        sent = presences_sent(hub) - sent_before
        still_in_lobby = hub.visible("tabswindowname")
        answered, posted = (b - a for a, b in zip(storm_before, storm_counts(harness, hub, room)))

    share = 100.0 * sum(after[p] - before[p] for p in pids) / harness.TICKS / seconds
    print("Hub under Wine with the contacts window shown, %.0f s of presence storm (load %.2f)"
          % (seconds, os.getloadavg()[0]))
    print("  Tavlora.exe pid %s; the server sent %d presence changes, %.1f per second "
          "(asked for %d)" % (",".join(map(str, pids)) or "not found", sent, sent / seconds,
                              args.rate))
    aim = 25.0 if args.storming_room else AIM_PERCENT
    if args.storming_room:
        print("  room %d's windows in storm mode posted %d requests, %.0f a second; the hub "
              "answered %d, %.1f a second" % (room, posted, posted / seconds, answered,
                                               answered / seconds))
    print("%s storm CPU: %.2f %% of a core" % ("report" if args.storming_room else "presence",
                                               share))
    print("  aim: below %.0f %%: %s" % (aim, "ok" if pids and share < aim
                                          else "ABOVE AIM" if pids else "?"))
    wine_bench.warn_if_logged_off(still_in_lobby)


def main():
    wine_bench.main(__file__, parse_args, measure,
                    ['Tavlora.exe', 'TavloraTest.exe', 'RoomView.exe', 'probe.exe'])


if __name__ == "__main__":
    main()
