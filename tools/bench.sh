#!/bin/bash
# The frame benchmark (not part of the test suite): builds vok for the desktop and for the
# handheld, runs each on a fresh demo card headless under valgrind's callgrind and prints one
# table: instructions per steady frame of every screen, the keyboard's slide, the zoom copy,
# start-up, opening and stepping games, switching player, allocations per frame and peak
# resident memory, each beside the floor (a background blit and a flip, tools/bench_floor.cpp)
# measured in the same run, so every figure is also a ratio on one machine. Those frames are
# drawn in full (--draw-every-frame), as any frame that changes something is; then the frames at
# rest (drawing only when something changed), the CPU share of ten seconds at rest, what
# start-up reads, and the frames of a card with 50 keyed 24-bit icons and full-length texts.
#
#   tools/bench.sh [DESKTOP_BUILD [HANDHELD_BUILD]]   (default build-bench/, build-bench-handheld/)
#
# Instruction counts are repeatable even on a loaded machine. A steady frame is the mean of
# frames 31 to 90 (the difference between a 90-frame and a 30-frame run, divided by 60); an
# event (open, step, switch) costs what its two frames cost over the steady frames around it;
# start-up is counted from main (--toggle-collect=main) to the end of the first frame.
set -eu
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
desktop="${1:-$source_dir/build-bench}"
handheld="${2:-$source_dir/build-bench-handheld}"
command -v valgrind >/dev/null || { echo "bench: valgrind is missing (apt-get install valgrind)" >&2; exit 1; }

build() { # FOLDER CMAKE-OPTIONS...
    local folder=$1
    shift
    cmake -S "$source_dir" -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOK_TESTS=OFF "$@" >/dev/null
    nice cmake --build "$folder" -j2 --target vok vok_data make_demo_card bench_floor bench_buttons >/dev/null
}
echo "bench: building in $desktop and $handheld" >&2
build "$desktop" -DVOK_HANDHELD=OFF
build "$handheld" -DVOK_HANDHELD=ON

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
frames=90
# Frames at rest are counted after reading ahead (the neighbours' avatars and icons, one step a
# frame) has ended: frames 91 to 150 of a longer run.
rest_frames=150

# The keyed-icon card's content for make_demo_card: two players who unlocked everything of
# three games of 50 achievements, each with a 24-bit magenta-cornered icon (the demo card's
# drawing), names, descriptions, titles and authors of the formats' full lengths.
keyed="$work/keyed"
mkdir -p "$keyed/games"
long() { # TEXT LENGTH: TEXT's words repeated to exactly LENGTH characters
    local text="$1" out=""
    while [ ${#out} -lt $2 ]; do out="$out$text "; done
    printf '%s' "${out:0:$2}" | sed 's/ $/x/'
}
for g in alpha beta gamma; do
    {
        echo "title $(long "Title of the $g game" 255)"
        echo "author $(long "Author $g" 255)"
        echo "texts English"
        echo "default English"
        echo "textlanguage English"
        echo "emblems KWPHXCGOTM"
        echo "emblem K"
        echo "iconsize 24"
        echo "theme 7E6A93 3A2C48"
        for i in $(seq 1 50); do
            echo "achievement 10"
            echo "English $(long "Name $g $i" 20) | $(long "Description $i of $g, a sentence" 100)"
        done
    } >"$keyed/games/$g.txt"
done
{
    for p in Ana Ben; do
        echo "player $p"
        echo "language English"
        echo "avatar 02 03 01 02 01 04 00 06 00 03"
        for g in alpha beta gamma; do echo "play $g * 100 1"; done
    done
} >"$keyed/players.txt"
card_content="" # empty: the demo card; "$keyed": the keyed-icon card

# run NAME BUILD SCRIPT [vok options]: one callgrind run of FRAMES frames on a fresh demo card,
# a dump after every frame; leaves the per-frame costs in $work/NAME.frames (line k: frame k).
run() {
    local name=$1 build=$2 script=$3 frames=$frames
    shift 3
    case $name in rest-*) frames=$rest_frames ;; esac
    rm -rf "$work/card" "$work/cg"
    mkdir -p "$work/cg"
    "$build/tools/make_demo_card" "$work/card" $card_content >/dev/null
    printf '%b' "$script" >"$work/$name.script"
    local preload=""
    [ "$build" = "$handheld" ] && preload="$handheld/tools/libbench_buttons.so"
    (cd "$build" && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$preload" \
        valgrind --tool=callgrind --callgrind-out-file="$work/cg/out" --dump-after='PlatformEndFrame*' \
        --toggle-collect=main ./vok --store "$work/card/" --launcher /nonexistent \
        --script "$work/$name.script" --max-frames $frames "$@" >/dev/null 2>&1) || true
    local k
    : >"$work/$name.frames"
    for ((k = 1; k <= frames; k++)); do
        sed -n 's/^totals: //p' "$work/cg/out.$k" >>"$work/$name.frames"
    done
    [ "$(wc -l <"$work/$name.frames")" = $frames ] || { echo "bench: run $name stopped early" >&2; exit 1; }
}

frame() { sed -n "${2}p" "$work/$1.frames"; } # NAME K: the cost of frame K
steady() { sed -n '31,90p' "$work/$1.frames" | awk '{ s += $1 } END { printf "%.0f", s / NR }'; }
rested() { sed -n '91,150p' "$work/$1.frames" | awk '{ s += $1 } END { printf "%.0f", s / NR }'; }
# event NAME F...: the largest cost of a press handled in frame F, over the steady frames around it
event() {
    local name=$1 f worst=0 cost
    shift
    for f in "$@"; do
        cost=$(( $(frame $name $f) - $(frame $name $((f - 1))) + $(frame $name $((f + 1))) - $(frame $name $((f + 3))) ))
        [ $cost -gt $worst ] && worst=$cost
    done
    echo $worst
}
slide() { sed -n "$2,$3p" "$work/$1.frames" | sort -n | tail -1; } # NAME FROM TO: the dearest frame
# pressed NAME BEFORE AFTER F...: in a run drawing only when something changed, the largest cost
# of a press handled in frame F over the two steady frames drawn in full that it replaces, of the
# screen before (BEFORE) and after (AFTER); the frames around it draw nothing or read ahead.
pressed() {
    local name=$1 before=$2 after=$3 f worst=0 cost
    shift 3
    for f in "$@"; do
        cost=$(( $(frame $name $f) + $(frame $name $((f + 1))) - before - after ))
        [ $cost -gt $worst ] && worst=$cost
    done
    echo $worst
}

# allocations NAME BUILD SCRIPT: heap allocations per steady frame drawn in full (memcheck, 90 minus 30 frames)
allocations() {
    local name=$1 build=$2 script=$3 n counts=()
    printf '%b' "$script" >"$work/$name.script"
    for n in 30 90; do
        rm -rf "$work/card"
        "$build/tools/make_demo_card" "$work/card" >/dev/null
        counts+=($(cd "$build" && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
            valgrind --tool=memcheck --leak-check=no ./vok --store "$work/card/" --script "$work/$name.script" $every \
            --max-frames $n 2>&1 | sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' | tr -d ,))
    done
    awk -v a="${counts[0]}" -v b="${counts[1]}" 'BEGIN { printf "%.1f", (b - a) / 60 }'
}

# The floor, in each build: 90 minus 30 frames of blit and flip, over 60.
floor_of() {
    local build=$1 n totals=()
    for n in 30 90; do
        (cd "$build" && env -u DISPLAY SDL_VIDEODRIVER=dummy valgrind --tool=callgrind \
            --callgrind-out-file="$work/floor.out" ./tools/bench_floor $n >/dev/null 2>&1)
        totals+=($(sed -n 's/^totals: //p' "$work/floor.out"))
    done
    echo $(( (totals[1] - totals[0]) / 60 ))
}

# The screens: each script's last press lands by frame 12, so frames 31 to 90 are steady.
declare -A scripts=(
    [home]=''
    [popup]='10 button menu\n'
    [game]='10 button b\n'
    [editor]='10 button x\n'
    [keyboard]='10 button y\n14 button right\n'
    [notice]='10 button y\n14 button x\n'
)
screens="home popup game editor keyboard notice"
declare -A titles=(
    [home]="home screen" [popup]="home screen, menu open" [game]="game screen (a 50-icon grid)"
    [editor]="profile editor" [keyboard]="editor, keyboard open" [notice]="editor, notice shown"
)

echo "bench: measuring (about five minutes)" >&2
floor=$(floor_of "$desktop")
floor_handheld=$(floor_of "$handheld")
every=--draw-every-frame
for s in $screens; do
    run "d-$s" "$desktop" "${scripts[$s]}" $every
    run "h-$s" "$handheld" "${scripts[$s]}" $every
    run "rest-d-$s" "$desktop" "${scripts[$s]}"
    run "rest-h-$s" "$handheld" "${scripts[$s]}"
    run "rest-z-$s" "$desktop" "${scripts[$s]}" --zoom 2
done
run zoom2 "$desktop" '' --zoom 2 $every
# Presses are measured as the program runs, drawing only when something changed: the frames
# between them read ahead what the next press shows.
run steps "$desktop" '10 button b\n20 button r\n30 button r\n40 button r\n50 button r\n60 button l\n'
run switches "$desktop" '10 button right\n20 button right\n30 button right\n40 button right\n'
run h-steps "$handheld" '10 button b\n20 button r\n30 button r\n40 button r\n50 button r\n60 button l\n'
run h-switches "$handheld" '10 button right\n20 button right\n30 button right\n40 button right\n'

# The keyed-icon card: its game screen drawn, the cursor walking the grid one cell a frame (a
# new achievement's texts each frame), its home screen reading ahead, the keyboard sliding.
card_content="$keyed"
walk='10 button b\n'
for ((k = 31; k <= 39; k++)); do walk="$walk$k button right\n"; done
for ((k = 40; k <= 44; k++)); do walk="$walk$k button down\n"; done
for ((k = 45; k <= 53; k++)); do walk="$walk$k button left\n"; done
for b in d h; do
    build=$desktop
    [ $b = h ] && build=$handheld
    run "k$b-game" "$build" '10 button b\n' $every
    run "k$b-walk" "$build" "$walk"
    run "k$b-home" "$build" '' $every
    run "k$b-reading" "$build" ''
    run "k$b-keyboard" "$build" '10 button y\n14 button right\n'
done
card_content=""

# Peak resident memory of a native run through every screen and a few games.
rm -rf "$work/card"
"$desktop/tools/make_demo_card" "$work/card" >/dev/null
printf '%b' '5 button menu\n7 button menu\n9 button right\n11 button b\n13 button r\n15 button r\n17 button y\n19 button y\n21 button right\n25 button x\n' >"$work/rss.script"
rss=$( (cd "$desktop" && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy /usr/bin/time -f %M \
    ./vok --store "$work/card/" --script "$work/rss.script" --max-frames 60 2>&1 >/dev/null) | tail -1)

# The CPU share of ten seconds at rest on the home screen (a native run, every thread: the
# frame loop and the mixer's), counted from two seconds after the start to twelve.
cpu_ns() { # PID: nanoseconds on a CPU so far, all threads
    cat /proc/$1/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%.0f", s }'
}
rm -rf "$work/card"
"$desktop/tools/make_demo_card" "$work/card" >/dev/null
(cd "$desktop" && exec env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ./vok --store "$work/card/" \
    --launcher /nonexistent --max-frames 4000 >/dev/null 2>&1) &
rest_pid=$!
sleep 2
before=$(cpu_ns $rest_pid)
sleep 10
after=$(cpu_ns $rest_pid)
kill $rest_pid 2>/dev/null || true
wait $rest_pid 2>/dev/null || true
cpu_share=$(awk -v a="$before" -v b="$after" 'BEGIN { printf "%.2f %%", (b - a) / 1e10 * 100 }')

# What a run of one frame reads of our own files (media/, lang/ and the card), counted from
# strace's record of every open and read: bytes, files, and the most readings of one file (an
# opening that reads or lists it; a folder opened only to write in it or to know it is not one).
startup_reads() { # BUILD
    rm -rf "$work/card"
    "$1/tools/make_demo_card" "$work/card" >/dev/null
    local preload=""
    [ "$1" = "$handheld" ] && preload="$handheld/tools/libbench_buttons.so"
    (cd "$1" && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy LD_PRELOAD="$preload" \
        strace -f -o "$work/strace.out" -e trace=open,openat,dup,fcntl,read,pread64,getdents64 ./vok --store "$work/card/" \
        --launcher /nonexistent --max-frames 1 >/dev/null 2>&1) || true
    awk -v card="$work/card" '
        function ours(p) { return index(p, card) == 1 || p ~ /^(media|lang)\// }
        /open(at)?\(/ && / = [0-9]+$/ {
            match($0, /"[^"]*"/); p = substr($0, RSTART + 1, RLENGTH - 2)
            split($2, a, /[(,]/); base = fd[$1 " " a[2]]; sub(/\/+$/, "", base)
            if (a[1] == "openat" && a[2] != "AT_FDCWD" && p !~ /^\//) p = base "/" p # a name in a folder opened
            key = $1 " " $NF; fd[key] = p; counted[key] = 0
        }
        /^[0-9]+ (dup|fcntl)\([0-9]+(\)|, F_DUPFD)/ && / = [0-9]+$/ { # a copy reads the same file
            split($2, a, /[(,)]/); key = $1 " " $NF; fd[key] = fd[$1 " " a[2]]; counted[key] = 0
        }
        /(read|pread64|getdents64)\([0-9]+,/ && / = [0-9]+$/ && $NF > 0 {
            split($2, a, /[(,]/); key = $1 " " a[2]; p = fd[key]
            if (p == "" || !ours(p)) next
            if ($2 !~ /^getdents/) bytes += $NF
            if (!counted[key]) { counted[key] = 1; readings[p]++ }
        }
        END {
            for (p in readings) { files++; if (readings[p] > most) most = readings[p] }
            printf "%.2f MB in %d files, ", bytes / 1e6, files
            if (most == 1) printf "each read once"; else printf "one of them read %d times", most
        }' "$work/strace.out"
}
reads_desktop=$(startup_reads "$desktop")
reads_handheld=$(startup_reads "$handheld")

mega() { awk -v n="$1" 'BEGIN { printf "%.3f M", n / 1e6 }'; }
ratio() { awk -v n="$1" -v f="$2" 'BEGIN { printf "%.1f", n / f }'; }
row() { # TITLE DESKTOP HANDHELD ALLOCATIONS GOAL (empty: no figure)
    local d="" dr="" h="" hr=""
    [ -n "$2" ] && d=$(mega "$2") && dr=$(ratio "$2" "$floor")
    [ -n "$3" ] && h=$(mega "$3") && hr=$(ratio "$3" "$floor_handheld")
    printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$1" "$d" "$dr" "$h" "$hr" "$4" "$5"
}

echo "| per frame or event (instructions) | desktop, zoom 1 | x floor | handheld | x floor | allocations per frame | goal |"
echo "|---|---|---|---|---|---|---|"
row "the floor: background blit + flip" "$floor" "$floor_handheld" "" ""
for s in $screens; do
    row "${titles[$s]}" "$(steady d-$s)" "$(steady h-$s)" "$(allocations "a-$s" "$desktop" "${scripts[$s]}")" "0.40 M"
done
row "home screen reading the neighbours' icons ahead, dearest frame" "$(slide rest-d-home 2 90)" "$(slide rest-h-home 2 90)" "" "0.40 M"
row "keyboard sliding open, dearest frame" "$(slide d-keyboard 14 28)" "$(slide h-keyboard 14 28)" "" "0.6 M"
row "zoom 2 adds (home screen)" "$(( $(steady zoom2) - $(steady d-home) ))" "" "" "0.5 M"
row "start-up, from main to the first frame drawn" "$(frame d-home 1)" "$(frame h-home 1)" "" "15 M"
home_d=$(steady d-home) home_h=$(steady h-home) game_d=$(steady d-game) game_h=$(steady h-game)
row "opening the game screen" "$(pressed rest-d-game $home_d $game_d 10)" "$(pressed rest-h-game $home_h $game_h 10)" "" "1.0 M"
row "stepping games with L or R, dearest of 5" "$(pressed steps $game_d $game_d 20 30 40 50 60)" \
    "$(pressed h-steps $game_h $game_h 20 30 40 50 60)" "" "1.0 M"
row "switching player, dearest of 4" "$(pressed switches $home_d $home_d 10 20 30 40)" \
    "$(pressed h-switches $home_h $home_h 10 20 30 40)" "" "0.3 M"
for s in $screens; do
    row "${titles[$s]} at rest (nothing changed), a frame" "$(rested rest-d-$s)" "$(rested rest-h-$s)" "" "0.02 M"
done
worst=0
for s in $screens; do
    cost=$(rested rest-z-$s)
    [ $cost -gt $worst ] && worst=$cost
done
row "at rest at zoom 2, dearest screen's frame" "$worst" "" "" "0.02 M"
row "keyed-icon card: game screen (50 keyed 24-bit icons)" "$(steady kd-game)" "$(steady kh-game)" "" "0.40 M"
row "keyed-icon card: the cursor walking the grid, dearest frame" "$(slide kd-walk 31 56)" "$(slide kh-walk 31 56)" "" "0.40 M"
row "keyed-icon card: home screen" "$(steady kd-home)" "$(steady kh-home)" "" "0.40 M"
row "keyed-icon card: home screen reading ahead, dearest frame" "$(slide kd-reading 2 90)" "$(slide kh-reading 2 90)" "" "0.40 M"
row "keyed-icon card: keyboard sliding open, dearest frame" "$(slide kd-keyboard 14 28)" "$(slide kh-keyboard 14 28)" "" "0.6 M"
echo "| ten seconds at rest on the home screen, CPU share (desktop, native) | $cpu_share | | | | | 0.2 % |"
echo "| start-up reads of media/, lang/ and the card | $reads_desktop | | $reads_handheld | | | 1.5 MB, once each |"
echo "| peak resident memory (desktop, through every screen) | $(awk -v k="$rss" 'BEGIN { printf "%.1f MB", k / 1024 }') | | | | | 20 MB |"
