"""What the benchmarks that run the hub under Wine share: the repository's folders, a
network namespace of their own for the server's fixed ports, and CPU time read from
/proc."""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCRIPTS = os.path.join(ROOT, "scripts")
NETNS_MARK = "TAVLORA_BENCH_NETNS"
TICKS = os.sysconf("SC_CLK_TCK")


def enter(script, args, needed):
    """Stops with a message when a program in `needed` is not built; runs `script` again
    inside a network namespace of its own (the server's ports are fixed); then points the
    end-to-end harness at the programs in args.bin (and args.server, if given)."""
    for path in needed:
        if not os.path.exists(path):
            sys.exit("missing %s (build it first)" % path)
    if os.environ.get(NETNS_MARK) != "1":
        os.environ[NETNS_MARK] = "1"
        netns = os.path.join(SCRIPTS, "in-netns.sh")
        os.execv(netns, [netns, sys.executable, os.path.abspath(script)] + sys.argv[1:])
    os.environ["TAVLORA_BIN"] = os.path.abspath(args.bin)
    if getattr(args, "server", None):
        os.environ["TAVLORA_SERVER"] = os.path.abspath(args.server)
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))


def read(path):
    try:
        with open(path, "rb") as f:
            return f.read()
    except OSError:  # the process ended meanwhile
        return b""


def prefix_processes(prefix):
    """pid -> short name of every process running with WINEPREFIX=prefix."""
    wanted = b"WINEPREFIX=" + prefix.encode()
    found = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit() and wanted in read("/proc/%s/environ" % entry).split(b"\0"):
            cmdline = read("/proc/%s/cmdline" % entry).split(b"\0")[0].decode("utf-8", "replace")
            found[int(entry)] = cmdline.replace("\\", "/").rsplit("/", 1)[-1]
    return found


def cpu_ticks(pid):
    """utime + stime of the whole process (all its threads), in clock ticks."""
    stat = read("/proc/%d/stat" % pid).decode()
    if not stat:
        return 0
    fields = stat[stat.rindex(")") + 2:].split()  # the name may hold spaces
    return int(fields[11]) + int(fields[12])
