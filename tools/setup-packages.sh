#!/bin/bash
# Makes sure the Debian packages for building, testing, the tour pictures (libpng), the
# real-window test (X11, Xvfb, xdotool), the power-cut test (strace) and the fuzzers (clang 14
# with its libFuzzer and sanitizer runtimes, libclang-rt-14-dev, which clang only recommends)
# are installed; with --arm also those of the handheld's cross build: the armel cross compiler,
# the ARM emulator with its binfmt_misc entries, the sysroot maker and zip for the SD-card package.
# As root: one apt-get update, then apt-get install -y of what is missing. Otherwise: prints
# the exact install command and fails, so nothing half-installed is built on.
set -u

packages="cmake make g++ pkg-config libsdl1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev
          libgtest-dev fonts-dejavu-extra libpng-dev libx11-dev xvfb xdotool strace
          clang libclang-rt-14-dev"
arm_packages="crossbuild-essential-armel qemu-user qemu-user-binfmt mmdebstrap zip"

case "${1:-}" in
    "") ;;
    --arm) packages="$packages $arm_packages" ;;
    *) echo "usage: $0 [--arm]" >&2; exit 2 ;;
esac

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
# Another installer may hold the package lock for a while; wait for it rather than fail.
apt-get -o DPkg::Lock::Timeout=600 update || exit 1
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y $missing || exit 1
