#!/bin/bash
# Makes sure the Debian packages for building, testing, the tour pictures (libpng), the
# real-window test (X11, Xvfb, xdotool) and the power-cut test (strace) are installed.
# As root: one apt-get update, then apt-get install -y of what is missing. Otherwise: prints
# the exact install command and fails, so nothing half-installed is built on.
set -u

packages="cmake make g++ pkg-config libsdl1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
          libgtest-dev fonts-dejavu-extra libpng-dev libx11-dev xvfb xdotool strace"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "These Debian packages are missing. Install them as root with:" >&2
    echo "apt-get install -y$missing" >&2
    exit 1
fi
echo "Installing:$missing"
apt-get update || exit 1
DEBIAN_FRONTEND=noninteractive apt-get install -y $missing || exit 1
