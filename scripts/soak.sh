#!/bin/sh
# Soak of the hub (tests/e2e/soak.py): the demo lobby changing every 200 ms, room and
# table windows opened and closed in a loop, for the seconds given (default 600). Prints
# a sample after every cycle (memory, handles, threads, GDI objects, CPU) and whether
# anything grew; exit code 1 if it did. The samples also go to
# build/windows/e2e-artifacts/soak.csv. Needs the Windows build and the native server.
set -eu
cd "$(dirname "$0")/.."
export TAVLORA_ARTIFACTS="${TAVLORA_ARTIFACTS:-$PWD/build/windows/e2e-artifacts}"
export PYTHONDONTWRITEBYTECODE=1
exec scripts/in-netns.sh python3 tests/e2e/soak.py --seconds "${1:-600}" \
    --csv "$TAVLORA_ARTIFACTS/soak.csv"
