#!/usr/bin/env python3
"""Loopback round trips of the hub's network threads under Wine, next to the raw floor.

Pairs the native bench/wire_peer with the Windows roundtrip_bench in a network namespace
of its own (the server ports are fixed) and prints one summary: the hub's queue rate next
to a raw Winsock ping-pong of the same message size, and the time from a server message
to the hub's acknowledgement. Builds nothing: build the native peer optimised (release
preset) and the Windows bench first.

Every hand-over between threads and the wineserver is a wake-up; on a virtual machine
where waking the other CPU is slow the figures swing between runs. `taskset -c 1` in
front of the command keeps everything on one CPU and gives steadier figures.
"""

import os
import statistics

import wine_bench

ECHO_PORT = 3560


def parse_args():
    parser = wine_bench.arguments(__doc__, server=False, echo=True)
    parser.add_argument("--count", type=int, default=10000, help="queued messages")
    parser.add_argument("--latency-count", type=int, default=10000)
    parser.add_argument("--payload", type=int, default=8,
                        help="bytes of the field of each latency message")
    parser.add_argument("--repeat", type=int, default=3, help="runs of each; medians shown")
    return parser.parse_args()


def message_size(count):
    """Mean bytes of the queued messages on the wire: "<seq>,99,<i>,!" with seq = i."""
    return round(sum(2 * len(str(i)) + 6 for i in range(1, count + 1)) / count)


def measure(args, harness):
    size = message_size(args.count)
    queue, push_share, pingpong, p50, p99, mean = [], [], [], [], [], []
    with harness.Hub("roundtrip-bench", server=False) as hub:
        for _ in range(args.repeat):
            _, out = wine_bench.run_pair(hub, ["ack"], ["queue", str(args.count)], args)
            result = wine_bench.fields(out, "queue")
            queue.append(result["rate"])
            push_share.append(result["push_seconds"] / result["seconds"])
            _, out = wine_bench.run_pair(
                hub, ["echo", str(ECHO_PORT)],
                ["pingpong", str(args.count), str(size), str(ECHO_PORT)], args)
            pingpong.append(wine_bench.fields(out, "pingpong")["rate"])
            out, _ = wine_bench.run_pair(
                hub, ["latency", str(args.latency_count), str(args.payload)], ["serve"], args)
            latency = wine_bench.fields(out, "latency")
            p50.append(latency["p50_us"])
            p99.append(latency["p99_us"])
            mean.append(latency["mean_us"])

    def median(values):
        return statistics.median(values)

    def runs(values, unit):
        return "runs: " + ", ".join("%.0f%s" % (v, unit) for v in values)

    ratio = median(queue) / median(pingpong)
    print("Loopback round trips under Wine (median of %d runs; CPUs %s; load %.2f)"
          % (args.repeat, ",".join(map(str, sorted(os.sched_getaffinity(0)))),
             os.getloadavg()[0]))
    print("  hub queue:      %7.0f messages/s  (%d messages of ~%d bytes; %s)"
          % (median(queue), args.count, size, runs(queue, "")))
    print("    of which pushing the messages (no acknowledgement dispatched meanwhile): %.0f %%"
          % (100 * median(push_share)))
    print("  raw ping-pong:  %7.0f round trips/s (%d bytes each way; %s)"
          % (median(pingpong), size, runs(pingpong, "")))
    print("  queue / raw:    %7.2f  (aim: at least 0.6) %s"
          % (ratio, "ok" if ratio >= 0.6 else "BELOW AIM"))
    print("  server message to acknowledgement (%d messages, %d-byte field):"
          % (args.latency_count, args.payload))
    print("    p50 %.0f us, p99 %.0f us, mean %.0f us  (aim: p50 under 500 us) %s"
          % (median(p50), median(p99), median(mean), "ok" if median(p50) < 500 else "BELOW AIM"))
    print("    p50 %s" % runs(p50, " us"))


def main():
    wine_bench.main(__file__, parse_args, measure, ["probe.exe"])


if __name__ == "__main__":
    main()
