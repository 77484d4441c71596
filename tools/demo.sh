#!/bin/sh
# The main job on bundled data, in a fresh program folder under the build tree:
# a database built from the sample's emulator list and support files, then its
# site of game sheets. The commands' own output goes to demo-home/demo.log.
set -eu
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
home="$build/demo-home"
rm -rf "$home"
mkdir -p "$home"
home=$(cd "$home" && pwd)
cli="$build/bin/arcanote-cli"
log="$home/demo.log"

echo "Arcanote demo: a database and a site of game sheets from the bundled sample"
echo "(data/sample: an emulator list and the community support files), in $home"

# The sample's lists take the place of the emulator's output, its dat/ and ini/
# files the place of the downloads.
cp "$build/bin/Arcanote.mdx" "$home/"
cp -R "$root/data/sample/dat" "$root/data/sample/ini" "$home/"
cp "$root/data/sample/listxml.txt" "$root/data/sample/vermame.txt" "$home/"
if ! "$cli" --home "$home" --yes build --data program >"$log" 2>&1; then
    cat "$log" >&2
    echo "The demo database could not be built." >&2
    exit 1
fi

games=$("$cli" --home "$home" search 2>>"$log" | wc -l)
parents=$("$cli" --home "$home" search --clones none 2>>"$log" | wc -l)
echo "Database: $home/Arcanote.mdb"
echo "  $games games: $parents parents and $((games - parents)) clones, with their history,"
echo "  categories, players, controls, cheats and high scores from the support files"

index=$("$cli" --home "$home" --yes sheets --out "$home/site/" 2>>"$log")
echo "Site: $index"
echo "  open it in a web browser; the desktop program is $build/bin/arcanote"
