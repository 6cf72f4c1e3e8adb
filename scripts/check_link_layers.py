#!/usr/bin/env python3
"""Checks the built part libraries against the parts table in README.md: a function or
variable one part uses must not be defined by a part above it (a call up the table).

Usage: check_link_layers.py part=path/to/libtavlora_part.a ...
Reads the symbols with nm. Only strong definitions count, so inline functions and
templates (weak, defined wherever they are used) do not; the include check catches
the headers they come from.
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_layers import read_table, report  # noqa: E402

STRONG = set("TDBRS")


def symbols(library):
    out = subprocess.run(["nm", "-C", "--defined-only", library], capture_output=True,
                         text=True, check=True).stdout
    defined = set()
    for line in out.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3 and parts[1] in STRONG:
            defined.add(parts[2])
    out = subprocess.run(["nm", "-C", "--undefined-only", library], capture_output=True,
                         text=True, check=True).stdout
    undefined = set()
    current = None
    by_symbol = {}
    for line in out.splitlines():
        if line.endswith(":") and not line.startswith(" "):
            current = line[:-1]
            continue
        parts = line.split(None, 1)
        if len(parts) == 2 and parts[0] == "U":
            undefined.add(parts[1])
            by_symbol.setdefault(parts[1], current)
    return defined, undefined, by_symbol


def main(argv):
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    allowed, _ = read_table(os.path.join(root, "README.md"))
    libraries = dict(arg.split("=", 1) for arg in argv)
    tables = {part: symbols(path) for part, path in libraries.items()}
    owner = {}
    for part, (defined, _, _) in tables.items():
        for symbol in defined:
            owner.setdefault(symbol, part)
    problems = []
    for part, (defined, undefined, where) in sorted(tables.items()):
        may = allowed.get(part)
        for symbol in sorted(undefined - defined):
            there = owner.get(symbol)
            if there is None or there == part:
                continue
            if may != "*" and there not in may:
                problems.append(f"{part}/ ({where[symbol]}) uses {symbol}, defined in {there}/, "
                                f"which {part}/ may not use")
    return report(problems, f"link check: {len(problems)} call(s) up the parts table",
                  f"link check: {len(libraries)} part libraries, no call up the parts table")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
