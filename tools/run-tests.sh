#!/bin/bash
# Installs what is missing, then builds and tests four variants, each in its own folder:
# build/ (desktop), build-sanitize/ (desktop under AddressSanitizer and UndefinedBehaviorSanitizer),
# build-handheld/ (the GP2X-Wiz variant: its frame, platform, whole-program and SD-card package
# tests) and armel: the whole suite cross-built for the handheld's CPU (build-armel/) and the
# SD-card package with its test (build-armel-handheld/), both run under qemu-arm -cpu arm926;
# then builds the libFuzzer harnesses with clang (build-fuzz/) and runs each for 10 s.
# Exits non-zero when anything fails; the other variants still run, so one report shows all.
set -u
cd "$(dirname "$0")/.." || exit 1
bash tools/setup-packages.sh --arm || exit 1

failed=""

# variant NAME FOLDER "CMAKE OPTIONS" "BUILD TARGETS (empty: all)" "CTEST OPTIONS"
variant() {
    local name=$1 folder=$2 options=$3 targets=$4 select=$5 began=$(date +%s)
    echo "=== $name: configuring and building in $folder"
    local target_args="" log="$folder/build.log"
    mkdir -p "$folder"
    for target in $targets; do target_args="$target_args --target $target"; done
    if ! cmake -S . -B "$folder" $options >"$log" 2>&1 \
        || ! cmake --build "$folder" -j2 $target_args >>"$log" 2>&1; then
        tail -40 "$log"
        echo "=== $name: BUILD FAILED (whole log in $log)"
        failed="$failed $name"
        return
    fi
    echo "=== $name: testing"
    if ! (cd "$folder" && ctest -j2 --output-on-failure --no-tests=error $select); then
        echo "=== $name: TESTS FAILED"
        failed="$failed $name"
    fi
    echo "=== $name: $(( $(date +%s) - began )) s"
}

# The armel variants need the bookworm armel sysroot (made once, then cached) and, for the
# tests that start vok through a shell script, qemu-arm registered with binfmt_misc.
armel() {
    local sysroot began=$(date +%s)
    if ! sysroot=$(bash tools/make-sysroot.sh); then
        echo "=== armel: NO SYSROOT (messages above)"
        failed="$failed armel"
        return
    fi
    export QEMU_LD_PREFIX="$sysroot" QEMU_CPU=arm926
    if ! bash tools/setup-binfmt.sh "$sysroot"; then
        echo "=== armel: qemu-arm is not registered with binfmt_misc (above): the installed-command"
        echo "=== and SD-card package tests will fail; the others run qemu-arm themselves"
    fi
    echo "=== armel: sysroot $sysroot ready after $(( $(date +%s) - began )) s"
    local cross="-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=cmake/arm-linux.cmake -DVOK_SYSROOT=$sysroot"
    variant "armel" build-armel "$cross -DVOK_NATIVE_BUILD=$PWD/build" "" ""
    variant "armel-handheld" build-armel-handheld "$cross -DVOK_HANDHELD=ON" \
        "sd_package frame_test platform_test program_test package_test" \
        "-L frame_test|platform_test|program_test|package_test"
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

start=$(date +%s)
variant "desktop" build "-DCMAKE_BUILD_TYPE=RelWithDebInfo" "" ""
variant "sanitizers" build-sanitize "-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_SANITIZE=ON" "" ""
variant "handheld" build-handheld "-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_HANDHELD=ON" \
    "vok frame_test platform_test program_test package_test" \
    "-L frame_test|platform_test|program_test|package_test"
armel
echo "=== fuzzers: building in build-fuzz and running each for 10 s"
bash tools/fuzz.sh 10 || failed="$failed fuzzers"
echo "=== total $(( $(date +%s) - start )) s"

if [ -n "$failed" ]; then
    echo "=== FAILED:$failed"
    exit 1
fi
echo "=== all variants passed"
