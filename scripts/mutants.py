#!/usr/bin/env python3
"""Plants faults in the portable product code, one at a time, and checks the native tests
catch each of them.

    python3 scripts/mutants.py [--count N] [--seed S] [--timeout SECONDS] [--only TEXT]
    python3 scripts/mutants.py --list

Run from the repository root with the native build configured (build/native). Faults:
a flipped comparison (< <=, > >=, == !=), an integer constant moved by one, a dropped call
statement, two arguments of a call swapped, two adjacent statements swapped. Sites come
from the portable .cpp files of net/, settings/, lobby/, session/ and ui/ (not *_win.cpp),
outside comments, string literals and preprocessor lines, and are drawn from a fixed seed
over sorted files and sites: the same sources give the same list. Each fault is applied
and built (`cmake --build --preset native`, only the test programs), then the tests run
up to the first failure; a hang past --timeout counts as caught. The file is restored
byte for byte afterwards, also on Ctrl-C, which ends the run with a summary of the
faults so far. A fault that does not build counts as "not built" and no other fault is
drawn in its place.

The tests are those of `ctest --preset native` less the layering checks (no fault here
changes an #include or where a symbol lives), each test program run once for all its
GoogleTest cases with --gtest_fail_fast (CTest runs it in two shards).
--ctest runs `ctest --preset native --stop-on-failure` instead.

Prints one line per fault, in the order drawn (spread over the folders),

    caught|survived|not-built <file>:<line> <description>

and a summary line. The exit status is 0 whatever survives.
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time

DIRS = ["net", "settings", "lobby", "session", "ui"]
KEYWORDS = {"if", "for", "while", "switch", "return", "sizeof", "catch", "alignof", "decltype",
            "static_assert", "noexcept", "static_cast", "reinterpret_cast", "const_cast",
            "delete", "throw", "case", "default", "else", "do", "break", "continue", "goto",
            "assert", "defined", "operator", "co_return", "co_await", "alignas"}
COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
CMP_RE = re.compile(r"(?<=[\w)\]] )(<=|>=|==|!=|<|>)(?= [\w(!\-*&'\"])")
INT_RE = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
CALL_STMT_RE = re.compile(r"^(\s*)(?:[\w:]+(?:\.|->))*[\w:]+(?:<[\w:, ]*>)?\(.*\);$")
SIMPLE_STMT_RE = re.compile(
    r"^\s*(?:(?:\+\+|--)[\w.:>\[\]-]+|[\w.:>\[\]-]+(?:\(.*\)|\s*(?:[-+*/|&^]|<<|>>)?=\s.*|\+\+|--));$")
ARG_RE = re.compile(r"^(?:[\w:]+(?:\.|->))*[\w:]+(?:\(\))?$|^-?\d+$|^'.*'$|^\".*\"$")


def masked(text):
    """The text with comments, string and character literals and preprocessor lines
    blanked (newlines kept), so offsets still match the original."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c == "#" or text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            while text[j - 1] == "\\" and j < n:  # continued preprocessor line
                j = text.find("\n", j + 1)
                j = n if j < 0 else j
            for k in range(i, j):
                out[k] = " "
            i = j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c == 'R' and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            d = text[i + 2:text.find("(", i)]
            j = text.find(")" + d + '"', i) + len(d) + 2
        elif c in "\"'" and not (c == "'" and i > 0 and text[i - 1].isalnum()):
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
            out[i + 1:j - 1] = [" "] * (j - i - 2)  # keep the quotes: literal args stay visible
            i = j
            line_start = False
            continue
        else:
            if c == "\n":
                line_start = True
            elif not c.isspace():
                line_start = False
            i += 1
            continue
        for k in range(i, j):
            if out[k] != "\n":
                out[k] = " "
        i = j
    return "".join(out)


def arg_kind(arg):
    """literal, constant or variable: swapping two of a kind is likelier to build."""
    if re.match(r"^-?\d|^['\"]", arg):
        return "literal"
    if re.match(r"^k[A-Z]|^[A-Z][A-Z0-9_]+$", arg) or "::" in arg:
        return "constant"
    return "variable"


def top_level_args(s, start):
    """Arguments (start, end offsets) of the call whose '(' is at start, or None."""
    depth, args, begin = 0, [], start + 1
    for k in range(start, len(s)):
        ch = s[k]
        if ch in "([{":
            depth += 1
        elif ch in ")]}":
            depth -= 1
            if depth == 0:
                args.append((begin, k))
                return args
        elif ch == "," and depth == 1:
            args.append((begin, k))
            begin = k + 1
        elif ch in ";\n" or ch == "<" and depth == 1:
            return None
    return None


def sites(path):
    """Every fault this file offers: (path, line, kind, description, new text)."""
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    m = masked(text)
    lines, mlines = text.split("\n"), m.split("\n")
    offs = [0]
    for ln in lines:
        offs.append(offs[-1] + len(ln) + 1)
    found = []

    def edit(a, b, new, kind, desc, line):
        found.append((path, line, kind, desc, text[:a] + new + text[b:]))

    for i, ml in enumerate(mlines):
        no, base = i + 1, offs[i]
        if not ml.strip() or "static_assert" in ml or "template" in ml:
            continue
        for mo in CMP_RE.finditer(ml):
            op = mo.group(1)
            edit(base + mo.start(), base + mo.end(), COMPARISONS[op], "cmp", f"{op} -> {COMPARISONS[op]}", no)
        for mo in INT_RE.finditer(ml):
            if ml[max(0, mo.start() - 2):mo.start()] in ("0x", "0X"):
                continue
            v = int(mo.group(1))
            nv = v + 1 if v == 0 or (no + mo.start()) % 2 else v - 1
            edit(base + mo.start(1), base + mo.end(1), str(nv), "const", f"{v} -> {nv}", no)
        prev = mlines[i - 1].rstrip() if i else ""
        header_ok = not prev or prev[-1] in ";{}:"
        cm = CALL_STMT_RE.match(ml)
        if cm and header_ok and ml.strip().split("(")[0].split("::")[-1] not in KEYWORDS:
            if ml.count("(") == ml.count(")"):
                edit(base + len(cm.group(1)), base + len(lines[i]), ";", "drop",
                     f"drop call {lines[i].strip()[:60]}", no)
        for cm2 in re.finditer(r"\b(\w+)(?:<[\w:, ]*>)?\(", ml):
            if cm2.group(1) in KEYWORDS:
                continue
            args = top_level_args(ml, cm2.end() - 1)
            if not args or len(args) < 2:
                continue
            k = (no + cm2.start()) % (len(args) - 1)
            (a0, a1), (b0, b1) = args[k], args[k + 1]
            x, y = lines[i][a0:a1].strip(), lines[i][b0:b1].strip()
            if (x != y and ARG_RE.match(ml[a0:a1].strip()) and ARG_RE.match(ml[b0:b1].strip())
                    and arg_kind(x) == arg_kind(y)):
                swapped = lines[i][:a0] + lines[i][a0:a1].replace(x, y) + "," + \
                    lines[i][b0:b1].replace(y, x) + lines[i][b1:]
                edit(base, base + len(lines[i]), swapped, "swap-args",
                     f"swap {x}, {y} in {cm2.group(1)}()", no)
        if i + 1 < len(mlines) and header_ok:
            nxt = mlines[i + 1]
            indent = len(ml) - len(ml.lstrip())
            if (SIMPLE_STMT_RE.match(ml) and SIMPLE_STMT_RE.match(nxt)
                    and indent == len(nxt) - len(nxt.lstrip()) and ml.strip() != nxt.strip()
                    and not any(w in (ml + nxt).split("(")[0].split() for w in KEYWORDS)
                    and ml.count("(") == ml.count(")") and nxt.count("(") == nxt.count(")")):
                edit(base, offs[i + 2] - 1, lines[i + 1] + "\n" + lines[i], "swap-stmts",
                     f"swap with next line: {lines[i].strip()[:50]}", no)
    return found


def fault_list(count, seed, only):
    """Draws count faults spread evenly over the folders and, within one, the kinds."""
    rng = random.Random(seed)
    per_dir = {}
    for d in DIRS:
        files = sorted(os.path.join(d, f) for f in os.listdir(d)
                       if f.endswith(".cpp") and not f.endswith("_win.cpp"))
        per_dir[d] = [s for f in files for s in sites(f)]
    chosen, d_i, kinds = [], 0, ["cmp", "const", "drop", "swap-args", "swap-stmts"]
    pools = {d: {k: [s for s in per_dir[d] if s[2] == k] for k in kinds} for d in DIRS}
    k_i = {d: 0 for d in DIRS}
    while len(chosen) < count and any(any(p.values()) for p in pools.values()):
        d = DIRS[d_i % len(DIRS)]
        d_i += 1
        for _ in kinds:
            pool = pools[d][kinds[k_i[d] % len(kinds)]]
            k_i[d] += 1
            if pool:
                chosen.append(pool.pop(rng.randrange(len(pool))))
                break
    return [s for s in chosen if only in s[0]]


def test_programs():
    """CTest's tests less the layering checks, one command per program: (command, folder)."""
    listing = subprocess.run(["ctest", "--preset", "native", "--show-only=json-v1"],
                             check=True, capture_output=True, text=True).stdout
    commands = {}
    for test in json.loads(listing)["tests"]:
        props = {p["name"]: p["value"] for p in test.get("properties", [])}
        if "layering" in props.get("LABELS", []):
            continue
        cmd = [a for a in test["command"] if not a.startswith("--gtest_filter=")]
        if cmd[0].endswith("_tests"):
            cmd.append("--gtest_fail_fast")
        commands[tuple(cmd)] = props.get("WORKING_DIRECTORY")
    return sorted(commands.items())


def run(cmd, timeout, cwd=None):
    """Runs cmd in its own process group; returns its exit code, or None on timeout."""
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True, cwd=cwd)
    try:
        return p.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        return None
    except BaseException:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        raise


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--count", type=int, default=60)
    ap.add_argument("--seed", type=int, default=20261207)
    ap.add_argument("--timeout", type=float, default=120, help="seconds of tests per fault")
    ap.add_argument("--only", default="", help="only faults in files whose path holds this")
    ap.add_argument("--list", action="store_true", help="print the faults, run nothing")
    ap.add_argument("--ctest", action="store_true", help="test with ctest itself (slower)")
    args = ap.parse_args()
    faults = fault_list(args.count, args.seed, args.only)
    if args.list:
        for path, line, kind, desc, _ in faults:
            print(f"{path}:{line} {kind}: {desc}")
        print(f"mutants: {len(faults)} faults")
        return 0
    if not os.path.isdir("build/native"):
        sys.exit("mutants: configure the native build first (cmake --preset native)")
    jobs = os.environ.get("TAVLORA_JOBS", "2")
    build = ["cmake", "--build", "--preset", "native", "-j", jobs]
    if run(build, None) != 0:
        sys.exit("mutants: the unchanged tree does not build")
    if args.ctest:
        programs = [(("ctest", "--preset", "native", "-j", jobs, "--stop-on-failure"), None)]
        build_tests = build
    else:
        programs = test_programs()
        built_here = [os.path.relpath(c[0], "build/native") for c, _ in programs
                      if c[0].startswith(os.path.abspath("build/native"))]
        build_tests = build + ["--target"] + built_here if built_here else build

    def tests_pass():
        deadline = time.monotonic() + args.timeout
        return all(run(list(cmd), max(1, deadline - time.monotonic()), cwd) == 0
                   for cmd, cwd in programs)

    tally = {"caught": 0, "survived": 0, "not-built": 0}
    start, done = time.monotonic(), 0
    try:
        for path, line, kind, desc, new in faults:
            with open(path, "rb") as f:
                original = f.read()
            try:
                with open(path, "w", encoding="utf-8", newline="") as f:
                    f.write(new)
                if run(build_tests, 900) != 0:
                    result = "not-built"
                else:
                    result = "survived" if tests_pass() else "caught"
            finally:
                with open(path, "wb") as f:
                    f.write(original)
                os.utime(path)  # newer than the mutant's objects: the next build redoes them
            tally[result] += 1
            done += 1
            print(f"{result} {path}:{line} {kind}: {desc}", flush=True)
    except KeyboardInterrupt:
        print(f"mutants: interrupted after {done} of {len(faults)}", flush=True)
    run(build, None)
    built = done - tally["not-built"]
    pct = 100.0 * tally["caught"] / max(1, built)
    print(f"mutants: {tally['caught']} caught, {tally['survived']} survived, "
          f"{tally['not-built']} not built of {done} ({pct:.1f} % of those built caught; "
          f"{time.monotonic() - start:.0f} s, {(time.monotonic() - start) / max(1, done):.0f} s a fault)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
