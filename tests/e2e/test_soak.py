"""A minute of the soak (soak.py; scripts/soak.sh runs it longer): the hub's handles,
threads, file descriptors, memory and the GDI objects its painting leaves must not grow
while room and table windows open and close, and it stays logged in."""

import io
import os
import sys
import unittest

import harness
import soak


class Soak(unittest.TestCase):
    def test_a_minute_of_rooms_and_tables_leaves_nothing_growing(self):
        out = io.StringIO()
        try:
            run, verdict, alive = soak.run(float(os.environ.get("TAVLORA_SOAK_SECONDS", "60")),
                                           out=out, csv_path=os.path.join(harness.ARTIFACTS,
                                                                          "soak-ci.csv"))
        finally:
            sys.stderr.write(out.getvalue())
        self.assertTrue(alive, "the hub is still running and logged in")
        self.assertGreater(min(run.opened.values()), 0, "rooms and tables opened")
        self.assertGreater(run.samples[-1]["paints"], run.samples[0]["paints"], "paints counted")
        self.assertEqual({name: growth for name, (growth, grows) in verdict.items() if grows},
                         {}, "values whose late third lies above the early one by the margin")


if __name__ == "__main__":
    harness.main()
