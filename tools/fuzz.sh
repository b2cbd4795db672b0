#!/bin/bash
# Builds the libFuzzer harnesses with clang in build-fuzz/ and runs each for SECONDS seconds
# (default 60), two at a time, on a working copy of its seeds from tests/corpus/<target>/
# (tests/corpus itself is never written). Findings land in build-fuzz/findings/<target>/; one
# line per harness gives its executions. Exits non-zero when a harness finds anything.
#
#   tools/fuzz.sh [SECONDS]
set -u
cd "$(dirname "$0")/.." || exit 1
seconds=${1:-60}
folder=build-fuzz
targets="key_value summary records texts bitmap language progress"

mkdir -p "$folder"
if ! CC=clang CXX=clang++ cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_FUZZ=ON -DVOK_TESTS=OFF \
        >"$folder/build.log" 2>&1 \
    || ! nice cmake --build "$folder" -j2 --target fuzzers >>"$folder/build.log" 2>&1; then
    tail -40 "$folder/build.log"
    echo "=== fuzz: BUILD FAILED (whole log in $folder/build.log)"
    exit 1
fi

# run TARGET: one harness, its log in build-fuzz/logs/TARGET.log
run() {
    local target=$1
    local corpus="$folder/corpus/$target" findings="$folder/findings/$target"
    rm -rf "$corpus" "$findings"
    mkdir -p "$corpus" "$findings" "$folder/logs"
    cp tests/corpus/"$target"/* "$corpus"/
    # from the build folder: the language table reads ./lang there, as vok does
    (cd "$folder" && ASAN_OPTIONS=detect_leaks=1 "fuzz/fuzz_$target" -max_total_time="$seconds" \
        -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 -artifact_prefix="findings/$target/" \
        "corpus/$target") >"$folder/logs/$target.log" 2>&1
}

failed=""
set -- $targets
while [ $# -gt 0 ]; do
    run "$1" & first=$!
    [ $# -gt 1 ] && { run "$2" & second=$!; } || second=""
    wait "$first" || failed="$failed $1"
    [ -n "$second" ] && { wait "$second" || failed="$failed $2"; }
    shift; [ $# -gt 0 ] && shift
done

for target in $targets; do
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$folder/logs/$target.log" | grep -o '[0-9]*$')
    found=$(ls "$folder/findings/$target" | wc -l)
    echo "=== fuzz $target: ${runs:-?} executions in $seconds s, $found findings"
done
if [ -n "$failed" ]; then
    for target in $failed; do tail -30 "$folder/logs/$target.log"; done
    echo "=== fuzz FAILED:$failed (inputs in $folder/findings/)"
    exit 1
fi
echo "=== fuzz: no findings"
