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
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds of storm after the lobby shows, before measuring")
    return parser.parse_args()


def presences_sent(hub):
    return sum(1 for line in hub.server_log_text().splitlines() if PRESENCE_SENT.search(line))


def measure(args, harness):
    # The demo login saved, with the contacts window shown at login.
    with harness.Hub("presence-storm", config_inner=harness.SAVED,
                     server_args=["--presence-storm", str(args.rate)]) as hub:
        hub.log_in(timeout=60)
        hub.wait_visible("contactswindowname", timeout=60)
        harness.wait_until(lambda: "presence storm" in hub.server_log_text(), timeout=60,
                           what="the storm started")
        time.sleep(args.settle)
        pids = [pid for pid, name in harness.prefix_processes(hub.prefix).items()
                if name.lower() == "tavlora.exe"]
        before = {pid: harness.cpu_ticks(pid) for pid in pids}
        sent_before = presences_sent(hub)
        start = time.monotonic()
        time.sleep(args.seconds)
        after = {pid: harness.cpu_ticks(pid) for pid in pids}
        seconds = time.monotonic() - start
        sent = presences_sent(hub) - sent_before
        still_in_lobby = hub.visible("tabswindowname")

    share = 100.0 * sum(after[p] - before[p] for p in pids) / harness.TICKS / seconds
    print("Hub under Wine with the contacts window shown, %.0f s of presence storm (load %.2f)"
          % (seconds, os.getloadavg()[0]))
    print("  Tavlora.exe pid %s; the server sent %d presence changes, %.1f per second "
          "(asked for %d)" % (",".join(map(str, pids)) or "not found", sent, sent / seconds,
                              args.rate))
    print("presence storm CPU: %.2f %% of a core" % share)
    print("  aim: below %.0f %%: %s" % (AIM_PERCENT, "ok" if pids and share < AIM_PERCENT
                                          else "ABOVE AIM" if pids else "?"))
    wine_bench.warn_if_logged_off(still_in_lobby)


def main():
    wine_bench.main(__file__, parse_args, measure, ['Tavlora.exe', 'probe.exe'])


if __name__ == "__main__":
    main()
