#!/bin/sh
# The desktop stays live while a real-list build runs: under a virtual X
# server, the desktop program builds a database from the emulator's whole
# list (through its menu command), takes two pictures of the progress window
# one second apart, covering and uncovering the main window between them, then presses Cancel and
# answers Yes. The previous database must come out unchanged.
#   usage: [ARCANOTE_LIVE_START=MS] tools/desktop-live.sh [build-dir] [listxml]
#   (ARCANOTE_LIVE_START: the first picture this long after the progress window
#   showed, 0 by default; the rest follows: the cover at +0.1 s, uncovered
#   at +0.3 s and checked at +0.6 s, the second picture and Cancel at +1 s)
#   (listxml: the emulator's -listxml output; default: /usr/games/mame's, made once)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
list=${2:-}
[ -x "$build/bin/arcanote" ] || { echo "desktop-live: $build/bin/arcanote not found" >&2; exit 1; }
command -v xvfb-run >/dev/null || { echo "desktop-live: xvfb-run is missing" >&2; exit 1; }
home=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$home"' EXIT
if [ -z "$list" ]; then
    list="$home/emulator-list.xml"
    /usr/games/mame -listxml >"$list"
fi

# The previous database: the bundled sample's, built by the command line.
cp "$build/bin/Arcanote.mdx" "$home/"
cp -R "$root/data/sample/dat" "$root/data/sample/ini" "$home/"
cp "$root/data/sample/listxml.txt" "$root/data/sample/vermame.txt" "$home/"
"$build/bin/arcanote-cli" --home "$home" --yes build --data program >"$home/cli.log" 2>&1
"$build/bin/arcanote-cli" --home "$home" settings --save >/dev/null
before=$(sha256sum "$home/Arcanote.mdb" | cut -d' ' -f1)
games=$("$build/bin/arcanote-cli" --home "$home" search 2>/dev/null | wc -l)
echo "previous database: $games games, sha256 $before"

# The desktop's build then reads the whole real list.
cp "$list" "$home/listxml.txt"
echo "real list: $(grep -c '<machine ' "$home/listxml.txt") machines"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/arcanote" --home "$home" \
    --live-check "$home" 2>"$home/desktop.err"
after=$(sha256sum "$home/Arcanote.mdb" | cut -d' ' -f1)
if [ "$before" = "$after" ]; then
    echo "previous database intact: sha256 unchanged"
else
    echo "previous database CHANGED: $after" >&2
    exit 1
fi
ls "$home"/*.building* "$home"/Arcanote.mdb.bak 2>/dev/null && {
    echo "a build file was left behind" >&2
    exit 1
}
cp "$home"/live-*.png "$build/" 2>/dev/null && echo "pictures: $build/live-1.png $build/live-2.png $build/live-uncovered.png"
exit 0
