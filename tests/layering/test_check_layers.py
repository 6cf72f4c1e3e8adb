"""The include check fails on an include against the parts table, naming the file and
line, and passes a clean tree and the repository as it stands."""
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CHECK = os.path.join(ROOT, "scripts", "check_layers.py")

README = """<!-- parts -->
| Part | What | May use |
|---|---|---|
| `low/` | bottom | nothing of ours |
| `mid/` | middle | `low/` |
<!-- end of parts -->
"""
CLEAN = {"low/a.h": "#pragma once\n", "mid/b.h": '#include "low/a.h"\n'}


def run_check(files):
    with tempfile.TemporaryDirectory() as root:
        for name, text in dict(files, **{"README.md": README}).items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w") as f:
                f.write(text)
        done = subprocess.run([sys.executable, CHECK, "--root", root],
                              capture_output=True, text=True)
        return done.returncode, done.stdout


class IncludeCheck(unittest.TestCase):
    def test_clean_tree_and_the_repository_pass(self):
        code, out = run_check(CLEAN)
        self.assertEqual(code, 0, out)
        done = subprocess.run([sys.executable, CHECK], capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stdout)

    def test_an_include_against_the_table_is_named_with_file_and_line(self):
        code, out = run_check({**CLEAN, "low/up.cpp": '// comment\n#include "mid/b.h"\n'})
        self.assertEqual(code, 1)
        self.assertIn("low/up.cpp:2: low/ may not include mid/b.h", out)


if __name__ == "__main__":
    unittest.main()
