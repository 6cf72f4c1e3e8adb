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
starts, roundtrip_bench.exe pingpong times a raw blocking send and receive of a message of
the same size against the peer's echo in the same Wine prefix: the floor. Runs in a network
namespace of its own (fixed server ports). Builds nothing: build the native peer optimised
(release preset) and the Windows bench first. `taskset -c 1` in front of the command
pins everything to one CPU.
"""

import os
import subprocess

import wine_bench
from wine_bench import ROOT

ECHO_PORT = 3560
MESSAGE_BYTES = 36  # a numbered clock message: "<n>,10,<nine numbers>,!"


def parse_args():
    parser = wine_bench.arguments(__doc__, server=False)
    parser.add_argument("--peer", default=os.path.join(ROOT, "build", "release", "bench",
                                                       "wire_peer"))
    parser.add_argument("--bench", default=os.path.join(ROOT, "build", "windows", "bench",
                                                        "roundtrip_bench.exe"))
    parser.add_argument("--count", type=int, default=10000, help="messages timed per phase")
    parser.add_argument("--lobby-changes", type=int, default=200,
                        help="a random lobby change this often (ms) in the second phase")
    return parser.parse_args()


def fields(line):
    return {k: float(v) for k, v in (w.split("=", 1) for w in line.split()[1:] if "=" in w)}


def pingpong(harness, hub, args):
    peer = subprocess.Popen([args.peer, "echo", str(ECHO_PORT)], stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL)
    try:
        line = harness.read_start_line(peer.stdout.fileno(), 30, "the echo peer")
        if "listening" not in line:
            raise AssertionError("echo peer did not start: " + line)
        out = harness.run(["wine", args.bench, "pingpong", str(args.count), str(MESSAGE_BYTES),
                           str(ECHO_PORT)], 300, env=hub.env, capture_output=True, text=True)
        if out.returncode != 0:
            raise AssertionError("pingpong failed: " + out.stderr.strip())
        return fields(next(l for l in out.stdout.splitlines() if l.startswith("pingpong")))
    finally:
        harness.wait_exit(peer, 30, "the echo peer")
        peer.stdout.close()


def measure(args, harness):
    load_start = os.getloadavg()[0]
    with harness.Hub("ack-turnaround", server=False, config_inner=harness.SAVED) as hub:
        raw = pingpong(harness, hub, args)
        peer = subprocess.Popen([args.peer, "hub", str(args.count), str(args.lobby_changes)],
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.PIPE, text=True)
        hub.processes.append(peer)
        hub.files += [peer.stdin, peer.stdout, peer.stderr]
        line = harness.read_start_line(peer.stdout.fileno(), 30, "the peer")
        if "listening" not in line:
            raise AssertionError("peer did not start: " + line)
        hub.log_in(timeout=60)
        hub.wait_visible("contactswindowname", timeout=60)
        peer.stdin.write("go\n")
        peer.stdin.flush()
        harness.wait_exit(peer, 1200, "the peer's timed messages")
        phases = [fields(l) for l in peer.stdout.read().splitlines() if l.startswith("hub ")]
        if peer.returncode != 0 or len(phases) != 2:
            raise AssertionError("peer failed (%s): %s" % (peer.returncode, peer.stderr.read()))
    cpus = ",".join(map(str, sorted(os.sched_getaffinity(0))))
    print("Server message to acknowledgement of Tavlora.exe under Wine (CPUs %s; load %.2f at "
          "the start, %.2f at the end)" % (cpus, load_start, os.getloadavg()[0]))
    print("  raw ping-pong (%d round trips of %d bytes): p50 %.0f us, p99 %.0f us, max %.0f us"
          % (args.count, MESSAGE_BYTES, raw["p50_us"], raw["p99_us"], raw["max_us"]))
    for phase in phases:
        moving = phase["lobby_every_ms"] > 0
        name = "moving lobby (a change every %d ms, %d other messages between)" % (
            phase["lobby_every_ms"], phase["others"]) if moving else "idle lobby"
        ok = phase["p50_us"] < 300 and phase["p99_us"] < 3000
        print("  %s: %s" % ("moving" if moving else "idle", name))
        print("    acknowledgement p50 %.0f us, p99 %.0f us, max %.0f us, mean %.0f us "
              "(%d messages; aim: p50 under 300 us, p99 under 3000 us) %s"
              % (phase["p50_us"], phase["p99_us"], phase["max_us"], phase["mean_us"],
                 phase["count"], "ok" if ok else "BELOW AIM"))


def main():
    args = parse_args()
    measure(args, wine_bench.enter(__file__, args, [
        args.peer, args.bench, os.path.join(args.bin, "Tavlora.exe"),
        os.path.join(args.bin, "probe.exe")]))


if __name__ == "__main__":
    main()
