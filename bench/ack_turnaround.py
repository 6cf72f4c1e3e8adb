#!/usr/bin/env python3
"""Time from a server message to the real Tavlora.exe's acknowledgement under Wine, with
the lobby idle and with the lobby moving, next to a raw Winsock ping-pong of the same run.

bench/wire_peer's `hub` mode plays the development server's own session (the handshake,
the demo login and lobby, its random lobby changes) for Tavlora.exe logged in with a saved
login and the contacts window shown. Once the lobby shows, the peer sends clock messages
(type 10: dispatched on the main thread, nothing repainted) one at a time, each once the
one before is acknowledged, and times each from the write that carried its last byte to
the read that brought `2,<n>,!`: first --count with the lobby idle, then --count with a
random lobby change every --lobby-changes ms going out between them. Before the hub
starts and again at the end, roundtrip_bench.exe pingpong times a raw blocking send and
receive of a message of the same size against the peer's echo in the same Wine prefix:
the floor. Runs in a network namespace of its own (fixed server ports). With several
--hub, each is measured in turn in the same prefix, --rounds times. Builds nothing: build
the native peer optimised (release preset) and the Windows bench first. `taskset -c 1` in
front of the command pins everything to one CPU.
"""

import os
import statistics
import subprocess

import wine_bench

ECHO_PORT = 3560
MESSAGE_BYTES = 36  # a numbered clock message: "<n>,10,<nine numbers>,!"


def parse_args():
    parser = wine_bench.arguments(__doc__, server=False, echo=True)
    parser.add_argument("--count", type=int, default=10000, help="messages timed per phase")
    parser.add_argument("--lobby-changes", type=int, default=200,
                        help="a random lobby change this often (ms) in the second phase")
    parser.add_argument("--hub", action="append",
                        help="a hub to measure (repeatable, e.g. a build before and after a "
                        "change; default: Tavlora.exe of --bin)")
    parser.add_argument("--rounds", type=int, default=1, help="runs of each hub, in turn")
    return parser.parse_args()


def pingpong(hub, args):
    _, out = wine_bench.run_pair(hub, ["echo", str(ECHO_PORT)], [
        "pingpong", str(args.count), str(MESSAGE_BYTES), str(ECHO_PORT)], args)
    return wine_bench.fields(out, "pingpong")


def run_hub(harness, hub, args, exe):
    """Logs `exe` in against a new peer and returns the peer's two phases."""
    peer = subprocess.Popen([args.peer, "hub", str(args.count), str(args.lobby_changes)],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)
    hub.processes.append(peer)
    hub.files += [peer.stdin, peer.stdout, peer.stderr]
    line = harness.read_start_line(peer.stdout.fileno(), 30, "the peer")
    if "listening" not in line:
        raise AssertionError("peer did not start: " + line)
    hub.write_config_ini(harness.SAVED)
    hub.log_in(exe=exe, timeout=60)
    hub.wait_visible("contactswindowname", timeout=60)
    peer.stdin.write("go\n")
    peer.stdin.flush()
    harness.wait_exit(peer, 1200, "the peer's timed messages")
    phases = [wine_bench.pairs(x) for x in peer.stdout.read().splitlines() if x.startswith("hub ")]
    if peer.returncode != 0 or len(phases) != 2:
        raise AssertionError("peer failed (%s): %s" % (peer.returncode, peer.stderr.read()))
    hub.close_hub()
    return phases


def measure(args, harness):
    load_start = os.getloadavg()[0]
    hubs = args.hub or [os.path.join(args.bin, "Tavlora.exe")]
    results = [[] for _ in hubs]  # by position: the same build may be given twice
    with harness.Hub("ack-turnaround", server=False) as hub:
        raw = [pingpong(hub, args)]
        for _ in range(args.rounds):
            for exe, runs in zip(hubs, results):
                runs.append(run_hub(harness, hub, args, os.path.abspath(exe)))
        raw.append(pingpong(hub, args))
    cpus = ",".join(map(str, sorted(os.sched_getaffinity(0))))
    print("Server message to acknowledgement of Tavlora.exe under Wine (CPUs %s; load %.2f at "
          "the start, %.2f at the end)" % (cpus, load_start, os.getloadavg()[0]))
    for when, found in zip(("before", "after"), raw):
        print("  raw ping-pong %s (%d round trips of %d bytes): p50 %.0f us, p99 %.0f us, "
              "max %.0f us" % (when, args.count, MESSAGE_BYTES, found["p50_us"], found["p99_us"],
                               found["max_us"]))
    for exe, hub_results in zip(hubs, results):
        if len(hubs) > 1:
            print("  %s (median of %d rounds):" % (exe, args.rounds))
        for k, moving in enumerate((False, True)):
            runs = [phases[k] for phases in hub_results]
            p50, p99 = (statistics.median(r[key] for r in runs) for key in ("p50_us", "p99_us"))
            print("  %s: %s" % ("moving" if moving else "idle",
                                "a lobby change every %d ms (%d other messages between)"
                                % (runs[0]["lobby_every_ms"], runs[0]["others"]) if moving
                                else "idle lobby"))
            print("    acknowledgement p50 %.0f us, p99 %.0f us, max %.0f us (%d messages; aims: "
                  "p50 under 300 us %s, p99 under 3000 us %s)"
                  % (p50, p99, max(r["max_us"] for r in runs), runs[0]["count"],
                     "ok" if p50 < 300 else "MISSED", "ok" if p99 < 3000 else "MISSED"))
            if len(runs) > 1:
                print("    runs: " + ", ".join("p50 %.0f p99 %.0f" % (r["p50_us"], r["p99_us"])
                                               for r in runs))


def main():
    wine_bench.main(__file__, parse_args, measure, ["Tavlora.exe", "probe.exe"])


if __name__ == "__main__":
    main()
