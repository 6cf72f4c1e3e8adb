#!/bin/sh
# Prepares, once per build tree, a Wine prefix that tests and the run command copy:
# a first wineboot takes many seconds, a copy of the finished prefix well under one.
# Prints the template's path. Safe to call from parallel tests (the first one builds it).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
template=${TAVLORA_WINE_TEMPLATE:-$root/build/wine-template}
mkdir -p "$(dirname "$template")"
exec 9>"$template.lock"
flock 9
if [ ! -f "$template/.ready-4" ]; then
    rm -rf "$template" "$template.tmp"
    mkdir -p "$template.tmp/home"
    # A throw-away HOME: the prefix's Documents link points into it, and each copy
    # re-points it at a folder of its own.
    HOME="$template.tmp/home" WINEPREFIX="$template.tmp/prefix" WINEDEBUG=-all \
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    # Wine ignores fontconfig aliases for face names; map the skin's font by hand.
    # DejaVu Sans Mono, not Liberation Mono: squeezed to the skin's 6-pixel letters,
    # Liberation's unsmoothed "B" reads as "8"; DejaVu's stays a "B".
    HOME="$template.tmp/home" WINEPREFIX="$template.tmp/prefix" WINEDEBUG=-all \
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' \
        /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
    # No window manager runs on the test displays: without this, Wine waits about two
    # seconds for one whenever a visible top-level window is hidden or destroyed.
    HOME="$template.tmp/home" WINEPREFIX="$template.tmp/prefix" WINEDEBUG=-all \
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    HOME="$template.tmp/home" WINEPREFIX="$template.tmp/prefix" wineserver -w
    mv "$template.tmp" "$template"
    touch "$template/.ready-4"
fi
echo "$template"
