#!/bin/sh
# Opens the demo site's index.htm and one game page in headless Chromium and
# takes a screenshot of each. Usage: browser-check.sh [BUILD_DIR [SHOT_DIR]]
# Exit 77 (skipped) without Chromium or without a demo database.
set -eu
build=${1:-build}
shots=${2:-$build/browser-check}
site="$build/demo-home/site"

browser=""
for name in chromium chromium-browser google-chrome; do
    if command -v "$name" >/dev/null 2>&1; then browser=$(command -v "$name"); break; fi
done
if [ -z "$browser" ]; then
    echo "browser-check: no Chromium installed, skipped"
    exit 77
fi
if [ ! -f "$site/index.htm" ]; then
    sh "$(dirname "$0")/demo.sh" "$build" >/dev/null
fi
if [ ! -f "$site/index.htm" ]; then
    echo "browser-check: no demo site (no demo database), skipped"
    exit 77
fi
site=$(cd "$site" && pwd)
game=$(ls "$site/html" | grep -E '^[a-z0-9_]+\.htm$' | head -n 1)
if [ -z "$game" ]; then
    echo "browser-check: the demo site has no game page" >&2
    exit 1
fi

mkdir -p "$shots"
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
status=0
shoot() {
    out="$shots/$1"
    rm -f "$out"
    timeout 90 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --hide-scrollbars --window-size=1100,1400 \
        --screenshot="$out" "file://$2" >/dev/null 2>&1 || true
    size=$(wc -c <"$out" 2>/dev/null || echo 0)
    if [ "$size" -gt 2000 ]; then
        echo "browser-check: $2 -> $out ($size bytes)"
    else
        echo "browser-check: no screenshot of $2" >&2
        status=1
    fi
}
shoot index.png "$site/index.htm"
shoot game.png "$site/html/$game"
exit $status
