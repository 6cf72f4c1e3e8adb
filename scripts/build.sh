#!/bin/sh
# Configures and builds the native half (core, unit tests, development server) and the
# Windows half (Tavlora.exe, siblings, Win32 tests). The native half comes first: the
# Windows half's tests use its server.
set -eu
cd "$(dirname "$0")/.."
jobs=${TAVLORA_JOBS:-$(nproc)}
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
