#!/bin/sh
# Makes what a player downloads from a Windows build, without building it again: an
# installer (NSIS, per user, scripts/tavlora.nsi) and a portable zip, both holding a
# stripped Tavlora.exe and the sibling programs in one folder. The stripped hub names
# Tavlora.debug, kept beside it and not shipped, for reading crash dumps.
#
#   scripts/package.sh [--host HOST | --hub EXE] [--siblings DIR] [--out DIR]
#
#   --hub EXE      the Tavlora.exe to pack (default build/windows/bin/Tavlora.exe, the
#                  `windows` preset's: the game server on 127.0.0.1, the development
#                  server's demo)
#   --host HOST    a hub for another game server (a name or an IPv4 address): the host is
#                  fixed when the hub is built, so it is configured and built in
#                  build/windows-HOST and packed into build/package-HOST
#   --siblings DIR every file of DIR, copied as it is (the service's RoomView.exe,
#                  BoardView.exe, JoinView.exe, ChatView.exe and what they need); by
#                  default the development programs of build/windows/bin, stripped
#   --out DIR      where the files go (default build/package)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
hub=$root/build/windows/bin/Tavlora.exe
host= siblings= out=
while [ $# -gt 1 ]; do
  case $1 in
    --hub) hub=$2 ;;
    --host) host=$2 ;;
    --siblings) siblings=$2 ;;
    --out) out=$2 ;;
    *) break ;;
  esac
  shift 2
done
if [ $# -gt 0 ]; then
  echo "usage: $0 [--host HOST | --hub EXE] [--siblings DIR] [--out DIR]" >&2
  exit 2
fi
programs="RoomView.exe BoardView.exe JoinView.exe ChatView.exe"

if [ -n "$host" ] && [ "$host" != 127.0.0.1 ]; then
  build=$root/build/windows-$host
  # With the compiler cache, only the one file that knows the host is compiled again.
  cache=$(command -v ccache >/dev/null && echo ccache || true)
  cmake --preset windows -B "$build" -DTAVLORA_SERVER_HOST="$host" \
    -DCMAKE_CXX_COMPILER_LAUNCHER="$cache" -DCMAKE_C_COMPILER_LAUNCHER="$cache" >/dev/null
  cmake --build "$build" -j "${TAVLORA_JOBS:-$(nproc)}" --target Tavlora
  hub=$build/bin/Tavlora.exe
  out=${out:-$root/build/package-$host}
fi
if [ ! -f "$hub" ]; then
  echo "package: no $hub; build it first (scripts/build.sh)" >&2
  exit 1
fi
mkdir -p "${out:=$root/build/package}"
out=$(cd "$out" && pwd)

stage=$out/Tavlora
rm -rf "$stage" "$out"/Tavlora-*-setup.exe "$out"/Tavlora-*.zip
mkdir -p "$stage"
objcopy=x86_64-w64-mingw32-objcopy
if [ -n "$siblings" ]; then
  cp "$siblings"/* "$stage/"
else
  for program in $programs; do
    $objcopy --strip-all "$root/build/windows/bin/$program" "$stage/$program"
  done
fi
$objcopy --only-keep-debug "$hub" "$stage/Tavlora.debug"
$objcopy --strip-all --add-gnu-debuglink="$stage/Tavlora.debug" "$hub" "$stage/Tavlora.exe"
for program in $programs; do
  if [ ! -f "$stage/$program" ]; then
    echo "package: $program is missing: the hub starts it from its own folder" >&2
    exit 1
  fi
done

# The uninstaller removes exactly the files installed.
files=$out/uninstall-files.nsh
(cd "$stage" && for f in *; do
  [ "$f" = Tavlora.debug ] || printf 'Delete "$INSTDIR\\%s"\n' "$f"
done) >"$files"
makensis -V1 -DSTAGE="$stage" -DOUTDIR="$out" -DFILES="$files" "$root/scripts/tavlora.nsi"
setup=$(ls "$out"/Tavlora-*-setup.exe)
version=${setup##*/Tavlora-}
version=${version%-setup.exe}
zip=$out/Tavlora-$version.zip
(cd "$out" && zip -q -9 -r "$zip" Tavlora -x Tavlora/Tavlora.debug)

size() { echo "$(($(stat -c %s "$1") / 1024)) KiB"; }
echo "package: $setup ($(size "$setup"))"
echo "package: $zip ($(size "$zip"))"
echo "package: stripped $stage/Tavlora.exe ($(size "$stage/Tavlora.exe")), debug information beside it"
