#!/bin/sh
# The main job: installs what is missing, builds, starts the development server and
# Tavlora.exe and logs in to the demo lobby. Without a display it runs on a virtual one
# and saves a screenshot of the lobby (the path is printed at the end).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh >/dev/null
exec python3 scripts/run_demo.py
