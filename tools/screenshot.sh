#!/bin/sh
# Screenshots of the desktop program for docs/, made on the demo program folder
# (tools/demo.sh: a database and game sheets built from the bundled sample):
# the main window with the game browser, the search window (under a virtual X
# server), and a game sheet (in headless Chromium, when installed).
#   usage: tools/screenshot.sh [build-dir] [output-dir]   (default: build docs)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
out=${2:-$root/docs}
game=pacman
[ -x "$build/bin/arcanote" ] || {
    echo "screenshot: $build/bin/arcanote not found (build with -DARCANOTE_WITH_QT=ON)" >&2
    exit 1
}
command -v xvfb-run >/dev/null || { echo "screenshot: xvfb-run is missing (apt-get install xvfb)" >&2; exit 1; }

sh "$root/tools/demo.sh" "$build" >/dev/null
home=$(cd "$build/demo-home" && pwd)
[ -f "$home/Arcanote.mdb" ] || { echo "screenshot: the demo database was not made" >&2; exit 1; }
# English settings saved beforehand: no first-run question.
"$build/bin/arcanote-cli" --home "$home" settings --save >/dev/null
mkdir -p "$out"
out=$(cd "$out" && pwd)

shoot() {  # window picture
    rm -f "$out/$2"
    xvfb-run -a -s "-screen 0 1280x900x24" "$build/bin/arcanote" --home "$home" \
        --screenshot "$out/$2" --screenshot-window "$1" --screenshot-select "${3:-$game}"
    [ -s "$out/$2" ] || { echo "screenshot: no picture of the $1 window" >&2; exit 1; }
    echo "$out/$2"
}
# A few favourites and plays, as a user's would be, in the demo's user
# database: the program makes it and marks the favourites; the plays and the
# browser's layout are written into its tables.
"$build/bin/arcanote-cli" --home "$home" favourites --add pacman mspacman galaga >/dev/null
if command -v sqlite3 >/dev/null; then
    sqlite3 "$home/Arcanote.user.db" <<'SQL'
INSERT OR REPLACE INTO Preference VALUES ('GameBrowser.Layout',
    'sort=1 descending=0 widths=70,180,45,110,0,0,0,0,28,125,45,95,0 hidden=4,5,6,7 splitter=760,420');
INSERT INTO Play VALUES ('', 'pacman', 1796800000, 1260), ('', 'pacman', 1796900000, 845),
    ('', 'mspacman', 1796850000, 2400), ('', 'puckman', 1796700000, 300),
    ('', 'galaga', 1796950000, 1830);
SQL
else
    echo "screenshot: sqlite3 is missing, the browser shows no plays" >&2
fi
shoot browser-text screenshot-browser.png "power dot"
shoot search screenshot-search.png

browser=""
for name in chromium chromium-browser google-chrome; do
    if command -v "$name" >/dev/null 2>&1; then browser=$(command -v "$name"); break; fi
done
if [ -z "$browser" ]; then
    echo "screenshot: no Chromium installed, no picture of a game sheet" >&2
    exit 0
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
sheet="$out/screenshot-sheet.png"
rm -f "$sheet"
timeout 90 "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=1100,900 \
    --screenshot="$sheet" "file://$home/site/html/$game.htm" >/dev/null 2>&1 || true
[ -s "$sheet" ] || { echo "screenshot: no picture of the game sheet" >&2; exit 1; }
echo "$sheet"
