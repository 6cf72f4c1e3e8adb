#!/bin/sh
# Installs every Debian package the build, the tests and the run command need.
# Idempotent and quiet: packages already present are skipped, and the package
# index is refreshed at most once per run.
set -eu

PACKAGES="cmake ninja-build g++ make pkg-config git
g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
wine wine64 fonts-wine xvfb xdotool x11-utils imagemagick fonts-liberation fonts-dejavu-core
googletest libgtest-dev libbenchmark-dev clang-format
clang libclang-rt-14-dev llvm
iproute2 util-linux procps psmisc python3
nsis zip"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -n "$missing" ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages:$missing (run as root to install them)" >&2
    exit 1
  fi
  echo "setup: installing$missing"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >/dev/null
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
