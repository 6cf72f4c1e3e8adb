"""What the benchmarks that run the hub under Wine share besides the end-to-end fixture
(tests/e2e/harness.py): their command line, and a network namespace of their own for the
server's fixed ports."""

import argparse
import importlib
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
NETNS_MARK = "TAVLORA_BENCH_NETNS"


def arguments(doc, server=True, echo=False):
    """A parser with --bin (and --server, or with `echo` the native echo peer --peer and
    the Windows --bench) for the benchmark described by `doc`."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--bin", default=os.path.join(ROOT, "build", "windows", "bin"),
                        help="folder with Tavlora.exe and probe.exe")
    if server:
        parser.add_argument("--server", default=os.path.join(ROOT, "build", "native", "server",
                                                             "tavlora-server"))
    if echo:
        parser.add_argument("--peer", default=os.path.join(ROOT, "build", "release", "bench",
                                                           "wire_peer"))
        parser.add_argument("--bench", default=os.path.join(ROOT, "build", "windows", "bench",
                                                            "roundtrip_bench.exe"))
    return parser


def enter(script, args, needed):
    """Stops with a message when a program in `needed` is not built; runs `script` again
    inside a network namespace of its own (the server's ports are fixed); then returns the
    end-to-end harness, pointed at the programs in args.bin (and args.server, if given)."""
    for path in needed:
        if not os.path.exists(path):
            sys.exit("missing %s (build it first)" % path)
    if os.environ.get(NETNS_MARK) != "1":
        os.environ[NETNS_MARK] = "1"
        netns = os.path.join(ROOT, "scripts", "in-netns.sh")
        os.execv(netns, [netns, sys.executable, os.path.abspath(script)] + sys.argv[1:])
    os.environ["TAVLORA_BIN"] = os.path.abspath(args.bin)
    if getattr(args, "server", None):
        os.environ["TAVLORA_SERVER"] = os.path.abspath(args.server)
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    return importlib.import_module("harness")  # reads TAVLORA_BIN and TAVLORA_SERVER


def main(script, parse_args, measure, programs):
    """Runs `measure(args, harness)` with the command line read by `parse_args`, once the
    server, the echo peer and the Windows bench (those the parser has) and `programs` of
    the bin folder are there."""
    args = parse_args()
    needed = [getattr(args, name) for name in ("server", "peer", "bench")
              if getattr(args, name, None)]
    measure(args, enter(script, args, needed + [os.path.join(args.bin, p) for p in programs]))


def pairs(line):
    """The key=value words of a result line as numbers."""
    return {k: float(v) for k, v in (w.split("=", 1) for w in line.split()[1:] if "=" in w)}


def fields(text, mode):
    """The key=value pairs of the result line of `text` that starts with `mode`."""
    for line in text.splitlines():
        words = line.split()
        if words and words[0] == mode:
            return pairs(line)
    raise RuntimeError("no %s result in %r" % (mode, text))


def run_pair(hub, peer_args, bench_args, args):
    """Starts the native peer (args.peer), runs the Windows bench (args.bench) against it
    in the hub's prefix, returns both outputs."""
    peer = subprocess.Popen([args.peer] + peer_args, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)
    try:
        harness = sys.modules["harness"]  # loaded by enter()
        if "listening" not in harness.read_start_line(peer.stdout.fileno(), 30, "the peer"):
            raise RuntimeError("peer did not start: " + peer.stderr.read())
        bench = subprocess.run(["wine", args.bench] + bench_args, env=hub.env,
                               capture_output=True, text=True, timeout=300)
        if bench.returncode != 0:
            raise RuntimeError("%s failed (%d): %s" % (bench_args[0], bench.returncode,
                                                       bench.stderr.strip()))
        peer_out, peer_err = peer.communicate(timeout=30)
        if peer.returncode != 0:
            raise RuntimeError("peer %s failed: %s" % (peer_args[0], peer_err.strip()))
        return peer_out, bench.stdout
    finally:
        if peer.poll() is None:
            peer.kill()
            peer.wait()


def warn_if_logged_off(still_in_lobby):
    if not still_in_lobby:
        print("  warning: the lobby was gone at the end; the hub lost its connection")
