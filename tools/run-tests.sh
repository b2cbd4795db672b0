#!/bin/bash
# Installs what is missing, then builds and tests three variants, each in its own folder:
# build/ (desktop), build-sanitize/ (desktop under AddressSanitizer and UndefinedBehaviorSanitizer)
# and build-handheld/ (the GP2X-Wiz variant: its frame, platform and whole-program tests);
# then builds the libFuzzer harnesses with clang (build-fuzz/) and runs each for 10 s.
# Exits non-zero when anything fails; the other variants still run, so one report shows all.
set -u
cd "$(dirname "$0")/.." || exit 1
bash tools/setup-packages.sh || exit 1

failed=""

# variant NAME FOLDER "CMAKE OPTIONS" "BUILD TARGETS (empty: all)" "CTEST OPTIONS"
variant() {
    local name=$1 folder=$2 options=$3 targets=$4 select=$5
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
}

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

start=$(date +%s)
variant "desktop" build "-DCMAKE_BUILD_TYPE=RelWithDebInfo" "" ""
variant "sanitizers" build-sanitize "-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_SANITIZE=ON" "" ""
variant "handheld" build-handheld "-DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_HANDHELD=ON" \
    "vok frame_test platform_test program_test" "-L frame_test|platform_test|program_test"
echo "=== fuzzers: building in build-fuzz and running each for 10 s"
bash tools/fuzz.sh 10 || failed="$failed fuzzers"
echo "=== total $(( $(date +%s) - start )) s"

if [ -n "$failed" ]; then
    echo "=== FAILED:$failed"
    exit 1
fi
echo "=== all variants passed"
