#!/bin/sh
# Makes a fresh Wine prefix for one test or run from the prepared template and prints
# its path. The big, never-written system folders are hard links into the template;
# the registry and the user's folders are real copies, so nothing one run writes is
# seen by another. Documents and the other shell folders become real folders inside
# the prefix (the template's links point at a HOME that no longer exists).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
template=$("$here/wine-template.sh")
dest=${1:-$(mktemp -d /tmp/tavlora-prefix.XXXXXX)}
mkdir -p "$dest"
cp -al "$template/prefix/." "$dest/"
for f in "$dest"/*.reg; do cp --remove-destination "$template/prefix/$(basename "$f")" "$f"; done
rm -rf "$dest/drive_c/users"
cp -a "$template/prefix/drive_c/users" "$dest/drive_c/users"
for link in "$dest"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link"; mkdir "$link"; fi
done
mkdir -p "$dest/home"
echo "$dest"
