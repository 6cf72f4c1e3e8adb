#!/bin/sh
# Every test: installs what is missing, builds both halves, runs the native unit tests
# (ASan+UBSan), the Win32 tests under Wine and the end-to-end tests, all through CTest,
# then each fuzz target over its whole corpus and 5 seconds of new inputs (scripts/fuzz.sh).
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --preset native
ctest --preset windows
scripts/fuzz.sh 5
