#!/bin/bash
# The SD-card package, cross-built with Debian's armel compiler on Debian 12:
#   tools/make-package.sh [BUILD_FOLDER]      (default build-armel-handheld/)
# Installs what is missing (as root), makes or reuses the bookworm armel sysroot, builds the
# handheld variant and writes BUILD_FOLDER/sd-card/vok/ and BUILD_FOLDER/vok-sd-card.zip.
set -u
cd "$(dirname "$0")/.." || exit 1
build=${1:-build-armel-handheld}
bash tools/setup-packages.sh --arm || exit 1
sysroot=$(bash tools/make-sysroot.sh) || exit 1
mkdir -p "$build" && log=$build/package.log
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/arm-linux.cmake \
    -DVOK_SYSROOT="$sysroot" -DVOK_HANDHELD=ON >"$log" 2>&1 \
    && cmake --build "$build" -j2 --target sd_package >>"$log" 2>&1 \
    || { tail -30 "$log"; echo "make-package: the build failed (whole log in $log)" >&2; exit 1; }
echo "$build/sd-card/vok/ (copy into the card's game/ folder) and $build/vok-sd-card.zip"
