#!/bin/sh
# Every test: installs what is missing, builds both halves, runs the native unit tests
# (ASan+UBSan), the Win32 tests under Wine and the end-to-end tests, all through CTest.
set -eu
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
ctest --preset native
ctest --preset windows
