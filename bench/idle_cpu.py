#!/usr/bin/env python3
"""CPU time of a connected, idle hub under Wine.

Starts the development server and Tavlora.exe logged in with a saved login, waits for the
lobby, then reads the CPU time (user + system) of the Tavlora.exe process, of the prefix's
wineserver and of the prefix's other Wine processes over a quiet interval, and prints each
as a percentage of one core. Runs in a network namespace of its own (fixed server ports).
Builds nothing.
"""

import os
import time

import wine_bench


def parse_args():
    parser = wine_bench.arguments(__doc__)
    parser.add_argument("--seconds", type=float, default=60.0, help="length of the interval")
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds to wait after the lobby shows, before measuring")
    return parser.parse_args()


def measure(args, harness):
    def percent(ticks, seconds):
        return 100.0 * ticks / harness.TICKS / seconds

    with harness.Hub("idle-cpu", config_inner=harness.SAVED) as hub:
        hub.log_in(timeout=60)
        time.sleep(args.settle)
        processes = harness.prefix_processes(hub.prefix)
        before = {pid: harness.cpu_ticks(pid) for pid in processes}
        start = time.monotonic()
        time.sleep(args.seconds)
        after = {pid: harness.cpu_ticks(pid) for pid in processes}
        seconds = time.monotonic() - start
        still_in_lobby = hub.visible("tabswindowname")

    def kind(name):
        if name.lower() == "tavlora.exe":
            return "hub"
        return "wineserver" if name.startswith("wineserver") else "other"

    def share(wanted):
        pids = [p for p in processes if kind(processes[p]) == wanted]
        return percent(sum(after[p] - before[p] for p in pids), seconds), pids

    hub_share, hub_pids = share("hub")
    server_share, server_pids = share("wineserver")
    other_share, _ = share("other")
    others = sorted(set(n for n in processes.values() if kind(n) == "other"))
    print("Idle connected hub under Wine, %.0f s in the lobby (load %.2f)"
          % (seconds, os.getloadavg()[0]))
    print("  Tavlora.exe (pid %s):  %5.2f %% of one core  (aim: below 0.5 %%) %s"
          % (",".join(map(str, hub_pids)) or "not found", hub_share,
             "ok" if hub_pids and hub_share < 0.5 else "ABOVE AIM" if hub_pids else "?"))
    print("  wineserver (pid %s):  %5.2f %% of one core"
          % (",".join(map(str, server_pids)) or "not found", server_share))
    print("  other Wine processes:  %5.2f %% of one core  (%s)" % (other_share, ", ".join(others)))
    wine_bench.warn_if_logged_off(still_in_lobby)


def main():
    wine_bench.main(__file__, parse_args, measure, ['Tavlora.exe', 'probe.exe'])


if __name__ == "__main__":
    main()
