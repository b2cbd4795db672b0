#!/bin/bash
# Makes the kernel run ARM programs through qemu-arm (binfmt_misc), for the tests of the armel
# build that start vok through a shell script (the installed command, the SD-card package's
# vok.gpe): those cannot put the emulator in front themselves.
#   tools/setup-binfmt.sh SYSROOT
# Registers qemu-user-binfmt's entry as root when it is missing, then checks that an ARM
# program of SYSROOT runs (QEMU_LD_PREFIX and QEMU_CPU, exported by the caller, pick its
# libraries and the CPU). Fails with what is needed when it cannot.
set -u
sysroot=${1:?usage: setup-binfmt.sh SYSROOT}
folder=/proc/sys/fs/binfmt_misc
entry=/usr/lib/binfmt.d/qemu-arm.conf

say() { echo "setup-binfmt: $*" >&2; }

registered() { [ -f "$folder/qemu-arm" ] && head -1 "$folder/qemu-arm" | grep -q enabled; }

if ! registered; then
    if [ "$(id -u)" -ne 0 ]; then
        say "ARM programs are not registered with binfmt_misc and only root can do it: run"
        say "  sudo bash $0 $sysroot"
        exit 1
    fi
    if [ ! -f "$entry" ]; then
        say "$entry is missing: install qemu-user-binfmt (bash tools/setup-packages.sh --arm)"
        exit 1
    fi
    if [ ! -w "$folder/register" ]; then
        mount -t binfmt_misc binfmt_misc "$folder" 2>/dev/null
    fi
    if [ ! -w "$folder/register" ]; then
        say "cannot mount binfmt_misc on $folder (a container without that right?); the tests"
        say "that start vok through a shell script need it: give the machine binfmt_misc"
        say "(mount -t binfmt_misc binfmt_misc $folder as root on the host) and rerun"
        exit 1
    fi
    if ! grep -v '^#' "$entry" | head -1 >"$folder/register"; then
        say "the kernel refused the entry of $entry"
        exit 1
    fi
fi
registered || { say "the qemu-arm entry of $folder is not enabled"; exit 1; }

if ! "$sysroot/usr/bin/dpkg" --version >/dev/null 2>&1; then
    say "an ARM program of $sysroot does not run through binfmt_misc: is QEMU_LD_PREFIX=$sysroot"
    say "exported, and does $folder/qemu-arm name an interpreter that exists?"
    exit 1
fi
