#!/bin/sh
# Starts the desktop program under a virtual X server on a fresh program folder
# (English settings written beforehand, so no first-run question), opens the
# paths window and saves a PNG of the main window.
#   usage: tools/screenshot.sh [build-dir] [output.png]
set -eu
build=${1:-build}
out=${2:-$build/screenshot-paths.png}
[ -x "$build/bin/arcanote" ] || {
    echo "screenshot: $build/bin/arcanote not found (build with -DARCANOTE_WITH_QT=ON)" >&2
    exit 1
}
command -v xvfb-run >/dev/null || { echo "screenshot: xvfb-run is missing (apt-get install xvfb)" >&2; exit 1; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$(dirname "$out")"
out_abs=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
rm -f "$out_abs"

"$build/bin/arcanote-cli" --home "$home" settings --save >/dev/null
xvfb-run -a -s "-screen 0 1280x900x24" "$build/bin/arcanote" --home "$home" --screenshot "$out_abs"
[ -s "$out_abs" ] || { echo "screenshot: no picture was written" >&2; exit 1; }
echo "$out_abs"
