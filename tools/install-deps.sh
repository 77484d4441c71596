#!/bin/sh
# Installs the Debian packages that the build and the tests need, when missing.
set -eu

PACKAGES="g++ cmake make pkg-config libsqlite3-dev libxml2-dev libxml2-utils zlib1g-dev
libcurl4-openssl-dev libarchive-dev qt6-base-dev libgtest-dev libgmock-dev zip unzip xvfb xauth
python3"
[ -n "${ARCANOTE_EXTRA_PACKAGES:-}" ] && PACKAGES="$PACKAGES $ARCANOTE_EXTRA_PACKAGES"

missing=""
for pkg in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $pkg"
    fi
done
[ -z "$missing" ] && exit 0

echo "Missing packages:$missing"
if [ "$(id -u)" -ne 0 ]; then
    echo "Run as root: apt-get update && apt-get install -y$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends $missing
