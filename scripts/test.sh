#!/bin/sh
# Every test: installs what is missing, builds both halves, runs the native unit tests
# (ASan+UBSan), the Win32 tests under Wine and the end-to-end tests, all through CTest,
# and each fuzz target over its whole corpus and 5 seconds of new inputs (scripts/fuzz.sh).
# The end-to-end tests mostly wait on Wine and the server, so the fuzz build and run go
# beside them at a lower priority; their report follows CTest's.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --preset native
mkdir -p build
nice -n 15 scripts/fuzz.sh 5 >build/fuzz-run.log 2>&1 &
fuzz=$!
status=0
ctest --preset windows || status=1
wait "$fuzz" || status=1
cat build/fuzz-run.log
exit "$status"
