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
    def test_clean_tree_and_the_repository_pass(self):
        code, out = run_check(CLEAN)
        self.assertEqual(code, 0, out)
        done = subprocess.run([sys.executable, CHECK], capture_output=True, text=True)
        self.assertEqual(done.returncode, 0, done.stdout)

    def test_faults_are_named_with_file_and_line(self):
        cases = [
            ({"low/up.cpp": '// comment\n#include "mid/b.h"\n'},
             ["low/up.cpp:2: low/ may not include mid/b.h"]),
            # Both arrows are allowed by this table's "everything", yet they make a circle.
            ({"top/x.h": '#include "mid/b.h"\n', "mid/y.cpp": '#include "top/x.h"\n'},
             ["parts in a circle"]),
            ({"low/w.h": "#pragma once\n#include <Windows.h>\n",
              "low/portable.cpp": '#include <string>\n#include "low/w.h"\n'},
             ["low/portable.cpp:2: portable file reaches <windows.h>", "low/w.h:2"]),
            ({"stray/z.cpp": "int z;\n"}, ["stray/z.cpp:1: not in any part"]),
        ]
        for files, messages in cases:
            with self.subTest(messages[0]):
                code, out = run_check({**CLEAN, **files})
                self.assertEqual(code, 1)
                for message in messages:
                    self.assertIn(message, out)


if __name__ == "__main__":
    unittest.main()
