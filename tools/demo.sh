#!/bin/sh
# The main job on bundled data, in a fresh program folder under the build tree.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
home="$build/demo-home"
rm -rf "$home"
mkdir -p "$home"
cli="$build/bin/arcanote-cli"
"$cli" --home "$home" texts
"$cli" --home "$home" settings

# A database built from the bundled sample: its emulator lists and support
# files take the place of the emulator's output and of the downloads.
cp "$build/bin/Arcanote.mdx" "$home/"
cp -R "$root/data/sample/dat" "$root/data/sample/ini" "$home/"
cp "$root/data/sample/listxml.txt" "$root/data/sample/vermame.txt" "$home/"
"$cli" --home "$home" --yes build --data program

# The game sheets of the demo database, written into demo-home/site/.
site="$(cd "$home" && pwd)/site/"
if [ -f "$home/Arcanote.mdb" ]; then
    index=$("$cli" --home "$home" --yes sheets --out "$site")
    echo "Game sheets: $index"
else
    echo "No demo database: the game sheets were not written." >&2
fi
