#!/usr/bin/env python3
"""CPU time of a connected, idle hub under Wine.

Starts the development server and Tavlora.exe logged in with a saved login, waits for the
lobby, then reads the CPU time (user + system) of the Tavlora.exe process, of the prefix's
wineserver and of the prefix's other Wine processes over a quiet interval, and prints each
as a percentage of one core. Runs in a network namespace of its own (fixed server ports).
Builds nothing.
"""

import argparse
import os
import time

import wine_bench
from wine_bench import ROOT, TICKS, cpu_ticks, prefix_processes


# config.ini of a user who saved the demo login and its settings.
SAVED = ("73!3 demo demo1234!4 1!5 1!6 1!7 2!8 3!9 2!10 2!11 1!12 3!13 1!14 3!15 2!16 1!17 1!"
         "18 1!19 1!20 1!21 1!22 0!23 1!24 0!25 0!26 1!27 1!28 1!29 1!")


def parse_args():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(ROOT, "build", "windows", "bin"),
                        help="folder with Tavlora.exe and probe.exe")
    parser.add_argument("--server", default=os.path.join(ROOT, "build", "native", "server",
                                                         "tavlora-server"))
    parser.add_argument("--seconds", type=float, default=60.0, help="length of the interval")
    parser.add_argument("--settle", type=float, default=5.0,
                        help="seconds to wait after the lobby shows, before measuring")
    return parser.parse_args()


def percent(ticks, seconds):
    return 100.0 * ticks / TICKS / seconds


def measure(args):
    import harness  # reads TAVLORA_BIN and TAVLORA_SERVER when imported

    with harness.Hub("idle-cpu", config_inner=SAVED) as hub:
        hub.start_hub()
        hub.wait_visible("tabswindowname", timeout=60)
        time.sleep(args.settle)
        processes = prefix_processes(hub.prefix)
        before = {pid: cpu_ticks(pid) for pid in processes}
        start = time.monotonic()
        time.sleep(args.seconds)
        after = {pid: cpu_ticks(pid) for pid in processes}
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
    if not still_in_lobby:
        print("  warning: the lobby was gone at the end; the hub lost its connection")


def main():
    args = parse_args()
    wine_bench.enter(__file__, args, [
        args.server,
        os.path.join(args.bin, "Tavlora.exe"),
        os.path.join(args.bin, "probe.exe")])
    measure(args)


if __name__ == "__main__":
    main()
