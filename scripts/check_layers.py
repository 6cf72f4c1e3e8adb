#!/usr/bin/env python3
"""Checks every #include of the repository against the parts table in README.md.

Fails, naming file:line, for
  - an include that crosses from one part into another the table does not allow,
  - a circle between parts,
  - <windows.h>, <winsock2.h> or <commctrl.h> reached from a portable file (one whose
    name does not end in _win.cpp or _win.h), directly or through our own headers.

The table lies between the markers "<!-- parts -->" and "<!-- end of parts -->": the
first column names the folders of a part, the last what they may use (folders in
backticks, "everything", or "nothing of ours"). Folders listed after
"Win32-only folders:" in the same block are exempt from the portability rule.
"""
import argparse
import os
import re
import subprocess
import sys

WINDOWS_HEADERS = {"windows.h", "winsock2.h", "commctrl.h"}
SOURCE_SUFFIXES = (".cpp", ".h", ".cc", ".hpp")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
FOLDER = re.compile(r"`([A-Za-z0-9_./-]+)/`")


def read_table(readme):
    text = open(readme, encoding="utf-8").read()
    try:
        block = text.split("<!-- parts -->", 1)[1].split("<!-- end of parts -->", 1)[0]
    except IndexError:
        sys.exit(f"{readme}: no parts table between <!-- parts --> and <!-- end of parts -->")
    allowed, win32_only = {}, set()
    for line in block.splitlines():
        if line.startswith("Win32-only folders:"):
            win32_only.update(FOLDER.findall(line))
            continue
        if not line.startswith("|") or set(line) <= set("|-: "):
            continue
        cells = [c.strip() for c in line.strip().strip("|").split("|")]
        parts = FOLDER.findall(cells[0])
        if not parts:
            continue  # the heading row
        uses = cells[-1]
        used = "*" if uses == "everything" else set(FOLDER.findall(uses))
        for part in parts:
            allowed[part] = used
    return allowed, win32_only


def source_files(root):
    try:
        out = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard"],
                             cwd=root, capture_output=True, text=True, check=True).stdout
        names = out.splitlines()
    except (OSError, subprocess.CalledProcessError):
        names = [os.path.relpath(os.path.join(d, f), root)
                 for d, _, fs in os.walk(root) for f in fs]
    return sorted(n for n in names
                  if n.endswith(SOURCE_SUFFIXES) and not n.startswith("build")
                  and os.path.isfile(os.path.join(root, n)))


def part_of(path, allowed):
    """The longest table folder that contains `path`, or None."""
    best = None
    for part in allowed:
        if path.startswith(part + "/") and (best is None or len(part) > len(best)):
            best = part
    return best


def scan(root, files):
    """file -> [(line number, bracket, resolved path or header name)]"""
    includes = {}
    for name in files:
        entries = []
        with open(os.path.join(root, name), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, target = m.groups()
                if kind == '"':
                    local = os.path.normpath(os.path.join(os.path.dirname(name), target))
                    if os.path.isfile(os.path.join(root, target)):
                        entries.append((number, '"', target))
                    elif os.path.isfile(os.path.join(root, local)):
                        entries.append((number, '"', local))
                    # anything else is generated or external: not ours to check
                else:
                    entries.append((number, "<", target.lower()))
        includes[name] = entries
    return includes


def is_portable(name, win32_only):
    base = os.path.basename(name)
    if base.endswith(("_win.cpp", "_win.h")):
        return False
    return not any(name.startswith(folder + "/") for folder in win32_only)


def windows_chain(name, includes, memo, visiting):
    """The chain of our headers from `name` to a Windows header, or None."""
    if name in memo:
        return memo[name]
    if name in visiting:
        return None
    visiting.add(name)
    found = None
    for number, kind, target in includes.get(name, []):
        if kind == "<" and os.path.basename(target) in WINDOWS_HEADERS:
            found = [(name, number, target)]
            break
        if kind == '"':
            rest = windows_chain(target, includes, memo, visiting)
            if rest:
                found = [(name, number, target)] + rest
                break
    visiting.discard(name)
    memo[name] = found
    return found


def find_circle(edges):
    colour, stack = {}, []

    def visit(node):
        colour[node] = 1
        stack.append(node)
        for nxt in sorted(edges.get(node, ())):
            if colour.get(nxt) == 1:
                return stack[stack.index(nxt):] + [nxt]
            if colour.get(nxt) is None:
                circle = visit(nxt)
                if circle:
                    return circle
        stack.pop()
        colour[node] = 2
        return None

    for node in sorted(edges):
        if colour.get(node) is None:
            circle = visit(node)
            if circle:
                return circle
    return None


def check(root):
    allowed, win32_only = read_table(os.path.join(root, "README.md"))
    files = source_files(root)
    includes = scan(root, files)
    problems = []
    edges, first_site = {}, {}
    for name in files:
        here = part_of(name, allowed)
        if here is None:
            problems.append(f"{name}:1: not in any part of the README's parts table")
            continue
        for number, kind, target in includes[name]:
            if kind != '"':
                continue
            there = part_of(target, allowed)
            if there is None or there == here:
                continue
            edges.setdefault(here, set()).add(there)
            first_site.setdefault((here, there), f"{name}:{number}")
            if allowed[here] != "*" and there not in allowed[here]:
                problems.append(f"{name}:{number}: {here}/ may not include {target} "
                                f"({there}/ is not among what {here}/ may use)")
    circle = find_circle(edges)
    if circle:
        sites = ", ".join(first_site[(a, b)] for a, b in zip(circle, circle[1:]))
        problems.append(f"{first_site[(circle[0], circle[1])]}: parts in a circle: "
                        f"{' -> '.join(p + '/' for p in circle)} (at {sites})")
    memo = {}
    for name in files:
        if not is_portable(name, win32_only):
            continue
        chain = windows_chain(name, includes, memo, set())
        if chain:
            path = " -> ".join(f"{f}:{n}" for f, n, _ in chain)
            problems.append(f"{name}:{chain[0][1]}: portable file reaches <{chain[-1][2]}> "
                            f"({path})")
    return problems, len(files)


def report(problems, failure, success):
    """Prints each problem, then `failure` or `success`; gives the exit status."""
    for problem in problems:
        print(problem)
    print(failure if problems else success)
    return 1 if problems else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), ".."))
    args = parser.parse_args()
    problems, count = check(os.path.abspath(args.root))
    return report(problems, f"include check: {len(problems)} problem(s) in {count} files",
                  f"include check: {count} files, every include follows the parts table")


if __name__ == "__main__":
    sys.exit(main())
