#!/bin/sh
# The main job on bundled data, in a fresh program folder under the build tree.
set -eu
build=${1:-build}
home="$build/demo-home"
rm -rf "$home"
mkdir -p "$home"
cli="$build/bin/arcanote-cli"
"$cli" --home "$home" texts
"$cli" --home "$home" settings
