"""A minute of the soak (soak.py): the lobby changing every 200 ms, room and table windows
opened and closed in a loop; the hub's handles, threads, file descriptors, memory and the
GDI objects its painting leaves must not grow, and it stays logged in.
scripts/soak.sh runs the same for longer and prints every sample."""

import io
import os
import sys
import unittest

import harness
import soak

SECONDS = float(os.environ.get("TAVLORA_SOAK_SECONDS", "60"))


class Soak(unittest.TestCase):
    def test_a_minute_of_rooms_and_tables_leaves_nothing_growing(self):
        out = io.StringIO()
        try:
            run, verdict, alive = soak.run(
                SECONDS, out=out, csv_path=os.path.join(harness.ARTIFACTS, "soak-ci.csv"))
        finally:
            sys.stderr.write(out.getvalue())
        self.assertTrue(alive, "the hub is still running and logged in")
        self.assertGreater(run.opened["rooms"], 0)
        self.assertGreater(run.opened["tables"], 0)
        self.assertGreater(run.samples[-1]["paints"], run.samples[0]["paints"],
                           "the paint counter moves")
        self.assertEqual({name: growth for name, (growth, failed) in verdict.items() if failed},
                         {}, "values that grew (late window above early one by more than "
                             "the margin)")


if __name__ == "__main__":
    harness.main()
