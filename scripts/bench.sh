#!/bin/sh
# Every speed and memory figure as one table, each next to a reference measured in the
# same run and its aim (bench/figures.py). Builds what is missing first: the optimised
# benchmarks (release preset), and the Windows programs with the development server.
# Takes several minutes; `--quick` gives a rough table sooner.
set -eu
cd "$(dirname "$0")/.."
jobs=${TAVLORA_JOBS:-$(nproc)}
if [ ! -x build/windows/bin/Tavlora.exe ] || [ ! -x build/native/server/tavlora-server ]; then
    scripts/build.sh >/dev/null
fi
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" >/dev/null
cmake --build --preset windows -j "$jobs" --target roundtrip_bench paint_bench >/dev/null
exec python3 bench/figures.py "$@"
