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

With --storming-room, the hub (TavloraTest.exe) has also opened that room's window in the
development RoomView's storm mode, which answers each of the 100 relays a second, and
each answer to its reports, with ten requests for its first table; the line then reads
"report storm CPU: <x> % of a core" (aim: under 25 %).
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
    parser.add_argument("--rate", type=int, default=100, help="presence changes per second")
    parser.add_argument("--storming-room", type=int, default=0,
                        help="a room of the demo lobby whose window storms (5 has tables)")
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds of storm after the lobby shows, before measuring")
    return parser.parse_args()


def presences_sent(hub):
    return sum(1 for line in hub.server_log_text().splitlines() if PRESENCE_SENT.search(line))


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
        start = time.monotonic()
        time.sleep(args.seconds)
        after = {pid: harness.cpu_ticks(pid) for pid in pids}
        seconds = time.monotonic() - start
        sent = presences_sent(hub) - sent_before
        still_in_lobby = hub.visible("tabswindowname")
        answers = len([r for r in harness.relays(hub, "RoomView", room) if r.startswith("39 ")])

    share = 100.0 * sum(after[p] - before[p] for p in pids) / harness.TICKS / seconds
    print("Hub under Wine with the contacts window shown, %.0f s of presence storm (load %.2f)"
          % (seconds, os.getloadavg()[0]))
    print("  Tavlora.exe pid %s; the server sent %d presence changes, %.1f per second "
          "(asked for %d)" % (",".join(map(str, pids)) or "not found", sent, sent / seconds,
                              args.rate))
    aim = 25.0 if args.storming_room else AIM_PERCENT
    if args.storming_room:
        print("  room %d's window in storm mode; the hub answered its requests %d times in all"
              % (args.storming_room, answers))
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
