"""The include check fails on a wrong arrow, a circle and a Windows header in portable
code, naming the file and line, and passes the repository as it stands."""
import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CHECK = os.path.join(ROOT, "scripts", "check_layers.py")

README = textwrap.dedent("""\
    <!-- parts -->
    | Part | What | May use |
    |---|---|---|
    | `low/` | bottom | nothing of ours |
    | `mid/` | middle | `low/` |
    | `top/` | top | everything |

    Win32-only folders: `top/win32/`
    <!-- end of parts -->
    """)


def run_check(files):
    with tempfile.TemporaryDirectory() as root:
        with open(os.path.join(root, "README.md"), "w") as f:
            f.write(README)
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w") as f:
                f.write(textwrap.dedent(text))
        done = subprocess.run([sys.executable, CHECK, "--root", root],
                              capture_output=True, text=True)
        return done.returncode, done.stdout


CLEAN = {
    "low/a.h": "#pragma once\n",
    "mid/b.cpp": '#include "low/a.h"\n',
    "top/c_win.cpp": '#include <windows.h>\n#include "mid/b.h"\n',
    "mid/b.h": "#pragma once\n",
    "top/win32/t.cpp": "#include <windows.h>\n",
}


class IncludeCheck(unittest.TestCase):
    def test_clean_tree_passes(self):
        code, out = run_check(CLEAN)
        self.assertEqual(code, 0, out)

    def test_include_up_the_table_is_named_with_file_and_line(self):
        code, out = run_check({**CLEAN, "low/up.cpp": '// comment\n#include "mid/b.h"\n'})
        self.assertEqual(code, 1)
        self.assertIn("low/up.cpp:2: low/ may not include mid/b.h", out)

    def test_circle_between_parts(self):
        # Both arrows are allowed by this table's "everything", yet they make a circle.
        readme_everything = {**CLEAN, "top/x.h": '#include "mid/b.h"\n',
                             "mid/y.cpp": '#include "top/x.h"\n'}
        code, out = run_check(readme_everything)
        self.assertEqual(code, 1)
        self.assertIn("parts in a circle", out)

    def test_windows_header_through_our_header(self):
        files = {**CLEAN, "low/w.h": "#pragma once\n#include <Windows.h>\n",
                 "low/portable.cpp": '#include <string>\n#include "low/w.h"\n'}
        code, out = run_check(files)
        self.assertEqual(code, 1)
        self.assertIn("low/portable.cpp:2: portable file reaches <windows.h>", out)
        self.assertIn("low/w.h:2", out)

    def test_file_outside_every_part(self):
        code, out = run_check({**CLEAN, "stray/z.cpp": "int z;\n"})
        self.assertEqual(code, 1)
        self.assertIn("stray/z.cpp:1: not in any part", out)

    def test_repository_follows_its_table(self):
        done = subprocess.run([sys.executable, CHECK], capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stdout)


if __name__ == "__main__":
    unittest.main()
