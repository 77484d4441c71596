#!/bin/sh
# Install test of the Debian package, as root: builds the package of BUILD_DIR
# with CPack, installs it, runs the installed programs as a new user (fresh
# HOME) on the bundled sample, then removes the package and checks that none
# of its files is left.
# usage: tools/install-test.sh BUILD_DIR
set -eu

fail() {
    echo "install-test: FAILED: $*" >&2
    exit 1
}

[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || fail "must run as root (dpkg -i, dpkg -r)"
build=$(cd "$1" && pwd) || fail "no build folder $1"
root=$(cd "$(dirname "$0")/.." && pwd)
for tool in cpack dpkg-shlibdeps apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is missing (packages cmake, dpkg-dev, apt)"
done

work=$(mktemp -d /tmp/arcanote-install-test.XXXXXX)
cleanup() {
    rm -rf "$work"
    if dpkg-query -W -f='${Status}' arcanote 2>/dev/null | grep -q "install ok installed"; then
        echo "install-test: removing the package left by a failed step" >&2
        dpkg -r arcanote >/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A previous run that stopped half way may have left the package installed.
if dpkg-query -W -f='${Status}' arcanote 2>/dev/null | grep -q "install ok installed"; then
    echo "install-test: removing an earlier install of arcanote"
    dpkg -r arcanote >/dev/null || fail "cannot remove the earlier install"
fi

echo "install-test: building the package"
rm -f "$build"/arcanote_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack -G DEB failed in $build"
}
set -- "$build"/arcanote_*.deb
[ -f "$1" ] || fail "cpack made no arcanote_*.deb in $build"
deb=$1
echo "install-test: installing $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$deb" \
    >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get install $deb failed"
}
dpkg -L arcanote >"$work/files" || fail "dpkg -L arcanote failed after install"

# Minimal images may tell dpkg to drop the manual pages.
man_pages="/usr/share/man/man1/arcanote.1.gz /usr/share/man/man1/arcanote-cli.1.gz"
if grep -qs '^path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg.d/*; then man_pages=""; fi
for file in /usr/bin/arcanote /usr/bin/arcanote-cli /usr/bin/myzip \
    /usr/share/arcanote/Arcanote.mdx $man_pages /usr/share/bash-completion/completions/arcanote-cli \
    /usr/share/applications/io.github.arcanote.Arcanote.desktop \
    /usr/share/metainfo/io.github.arcanote.Arcanote.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/arcanote.svg; do
    [ -f "$file" ] || fail "the package did not install $file"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate /usr/share/applications/io.github.arcanote.Arcanote.desktop ||
        fail "desktop-file-validate rejects the desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net /usr/share/metainfo/io.github.arcanote.Arcanote.metainfo.xml \
        >"$work/appstream.log" 2>&1 || {
        cat "$work/appstream.log" >&2
        fail "appstreamcli validate rejects the metainfo"
    }
fi
if [ -n "$man_pages" ] && command -v man >/dev/null; then
    for page in arcanote arcanote-cli; do
        man -l "/usr/share/man/man1/$page.1.gz" 2>/dev/null | grep -q "PROGRAM FOLDER" ||
            fail "man -l cannot show the manual page $page(1)"
    done
fi

# A new user: a fresh HOME, no XDG_DATA_HOME, the installed programs only.
home="$work/home"
mkdir -p "$home"
user() {
    (cd "$home" && env HOME="$home" XDG_DATA_HOME= PATH=/usr/bin:/bin "$@")
}
version=$(user arcanote-cli --version) || fail "arcanote-cli --version failed"
echo "install-test: $version"
folder="$home/.local/share/arcanote"
mkdir -p "$folder"
cp -R "$root/data/sample/dat" "$root/data/sample/ini" "$folder/"
cp "$root/data/sample/listxml.txt" "$root/data/sample/vermame.txt" "$folder/"
user arcanote-cli --yes build --data program >"$work/build.log" 2>&1 || {
    cat "$work/build.log" >&2
    fail "arcanote-cli build on the bundled sample failed"
}
[ -f "$folder/Arcanote.mdx" ] || fail "the program folder was not filled from /usr/share/arcanote"
[ -f "$folder/Arcanote.mdb" ] || fail "the build wrote no database in $folder"
user arcanote-cli --yes sheets --out "$home/site/" >"$work/sheets.log" 2>&1 || {
    cat "$work/sheets.log" >&2
    fail "arcanote-cli sheets failed"
}
[ -f "$home/site/index.htm" ] || fail "the site has no index.htm"

echo "install-test: removing the package"
dpkg -r arcanote >"$work/remove.log" 2>&1 || {
    cat "$work/remove.log" >&2
    fail "dpkg -r arcanote failed"
}
left=""
while IFS= read -r path; do
    # Shared folders (/usr, /usr/share/man/man1...) stay; the package's files must go.
    if [ -e "$path" ] && [ ! -d "$path" ]; then left="$left $path"; fi
done <"$work/files"
[ -z "$left" ] || fail "files left after dpkg -r:$left"
[ ! -e /usr/share/arcanote ] || fail "/usr/share/arcanote is left after dpkg -r"
echo "install-test: OK (installed, built the sample as a new user, wrote the site, removed)"
