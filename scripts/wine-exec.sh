#!/bin/sh
# Runs one Windows program under Wine, as CMake's cross-compiling emulator: in a fresh
# prefix of its own, on the current X display or on a private Xvfb when there is none.
# Returns the program's exit code; every process it started is gone when it returns.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/with-display.sh" "$0" "$@"
fi
prefix=$("$here/wine-prefix.sh")
export WINEPREFIX="$prefix" HOME="$prefix/home" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    rm -rf "$prefix"
}
trap cleanup EXIT INT TERM
status=0
wine "$@" || status=$?
exit $status
