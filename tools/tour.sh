#!/bin/bash
# The guided tour, for a machine without a display: writes a fresh demo card, runs vok headless
# through every screen with an input script (each player's card, the home menu, the profile
# editor with the keyboard open and a name being typed, a game grid with a hidden and an
# unlocked achievement selected, L and R, the game menu, the date of an unlock and the progress
# towards a locked achievement for each player in the player's language, and two notices) and
# saves a PNG of each step in a folder that it names at the end.
#
#   tools/tour.sh [--no-build] [--docs] [BUILD_FOLDER [OUTPUT_FOLDER]]
#
# BUILD_FOLDER defaults to build/, OUTPUT_FOLDER to BUILD_FOLDER/tour (replaced on every run).
# --no-build uses the build folder as it is; --docs also copies five of the pictures into
# docs/, where the README shows them. VOK_EMULATOR, when set, is the command line that runs
# the build's programs (qemu-arm and its options, separated by blanks, for a cross build).
set -eu
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
build_first=1
docs=0
while [ $# -gt 0 ]; do
    case "$1" in
        --no-build) build_first=0 ;;
        --docs) docs=1 ;;
        *) break ;;
    esac
    shift
done
build="${1:-$source_dir/build}"
out="${2:-$build/tour}"

if [ "$build_first" = 1 ]; then
    [ -f "$build/CMakeCache.txt" ] || cmake -S "$source_dir" -B "$build" >/dev/null
    cmake --build "$build" -j2 --target vok make_demo_card bmp_to_png >/dev/null
fi
build="$(cd "$build" && pwd)"
emulator=()
[ -n "${VOK_EMULATOR:-}" ] && read -ra emulator <<<"$VOK_EMULATOR"

# The output folder is emptied, so it must be one the tour made (or new, or empty).
if [ -e "$out" ] && [ ! -f "$out/.vok-tour" ] && [ -n "$(ls -A "$out")" ]; then
    echo "tour: $out exists and is not a tour folder; give another OUTPUT_FOLDER" >&2
    exit 1
fi
rm -rf "$out"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
touch "$out/.vok-tour"
card="$out/card"
"${emulator[@]}" "$build/tools/make_demo_card" "$card" >/dev/null

# --- The card as vok will see it: directory order, as the program lists it (never sorted).

players=()
while IFS= read -r name; do
    [[ "$name" == vok_* && -f "$card/$name/vok.cfg" ]] && players+=("$name")
done < <(ls -f "$card")
games_of() { # the game folders of player $1, in directory order
    local name
    while IFS= read -r name; do
        [ "$name" != . ] && [ "$name" != .. ] && [ -e "$card/$1/$name/vok.dat" ] && echo "$name"
    done < <(ls -f "$card/$1")
}
if [ ${#players[@]} -eq 0 ]; then
    echo "tour: the demo card in $card holds no player" >&2
    exit 1
fi

# The player selected at start: the one "activevok" names, otherwise the last one listed.
current=$((${#players[@]} - 1))
active="$(cat "$card/activevok" 2>/dev/null || true)"
for i in "${!players[@]}"; do [ "${players[$i]}" = "$active" ] && current=$i && break; done

# The first game, from the selected player on, with a hidden locked and an unlocked
# achievement (an unlocked secret one, or one away from the first cell, when it has one):
# records are "id points hidden unlocked", sixteen bytes each.
target_player=$current target_game=0 hidden_cell=0 unlocked_cell=0
find_target() {
    local offset p g index id points hidden unlocked found_hidden found_unlocked
    for ((offset = 0; offset < ${#players[@]}; offset++)); do
        p=$(((current + offset) % ${#players[@]}))
        g=0
        while IFS= read -r game; do
            index=0 found_hidden=-1 found_unlocked=-1
            while read -r id points hidden unlocked; do
                [ "$hidden" != 0 ] && [ "$unlocked" = 0 ] && [ $found_hidden -lt 0 ] && found_hidden=$index
                if [ "$unlocked" != 0 ]; then
                    [ $found_unlocked -le 0 ] && found_unlocked=$index
                    [ "$hidden" != 0 ] && found_unlocked=$index
                fi
                index=$((index + 1))
            done < <(od -An -v -t d4 -w16 "$card/${players[$p]}/$game/vok.dat")
            if [ $found_hidden -ge 0 ] && [ $found_unlocked -ge 0 ]; then
                target_player=$p target_game=$g hidden_cell=$found_hidden unlocked_cell=$found_unlocked
                return
            fi
            g=$((g + 1))
        done < <(games_of "${players[$p]}")
    done
    echo "tour: no game on the demo card has both a hidden locked and an unlocked achievement" >&2
}
find_target

# For player $1: the game index and cell of the first unlocked achievement whose unlock time
# is known, and of the first locked, not hidden one with a progress target ("-1 -1" for none).
# vok.progress records are "id current target unlockedAt", the later of an id winning.
progress_cells() {
    local g=0 game index id points hidden unlocked current target at dated="-1 -1" measured="-1 -1"
    while IFS= read -r game; do
        declare -A targets=() times=()
        if [ -f "$card/$1/$game/vok.progress" ]; then
            while read -r id current target at; do
                targets[$id]=$target times[$id]=$at
            done < <(od -An -v -t d4 -w16 "$card/$1/$game/vok.progress")
        fi
        index=0
        while read -r id points hidden unlocked; do
            if [ "$dated" = "-1 -1" ] && [ "$unlocked" != 0 ] && [ "${times[$id]:-0}" != 0 ]; then dated="$g $index"; fi
            if [ "$measured" = "-1 -1" ] && [ "$unlocked" = 0 ] && [ "$hidden" = 0 ] && [ "${targets[$id]:-0}" -gt 0 ]; then
                measured="$g $index"
            fi
            index=$((index + 1))
        done < <(od -An -v -t d4 -w16 "$card/$1/$game/vok.dat")
        unset targets times
        g=$((g + 1))
    done < <(games_of "$1")
    echo "$dated $measured"
}

# --- The script: each step is queued at the current frame, pictures are saved after it.

script="$out/tour-script.txt"
frame=2 # frame 1 draws the starting screen
shots=0
: >"$script"
press() { # button NAME [frames to wait after it]
    echo "$frame button $1" >>"$script"
    frame=$((frame + ${2:-2}))
}
touch_at() { echo "$frame touch $1 $2" >>"$script"; frame=$((frame + 1)); }
wait_frames() { frame=$((frame + $1)); }
shot() { # picture of the screen as it is now
    shots=$((shots + 1))
    printf '%s screenshot %s/%02d-%s.bmp\n' "$frame" "$out" "$shots" "$1" >>"$script"
    frame=$((frame + 1))
}
move_cursor_to() { # grid cell index $1 from column 1, row 1
    local i
    for ((i = 0; i < $1 % 10; i++)); do press right 1; done
    for ((i = 0; i < $1 / 10; i++)); do press down 1; done
    wait_frames 1
}

{
    echo "# The guided tour of tools/tour.sh on the demo card $card"
    echo "# Players in directory order: ${players[*]}"
} >>"$script"

shot "card-${players[$current]}"
for ((i = 1; i < ${#players[@]}; i++)); do
    press right
    current=$(((current + 1) % ${#players[@]}))
    shot "card-${players[$current]}"
done
press right # back to the first card, in its player's language
current=$(((current + 1) % ${#players[@]}))

press menu
shot "home-menu"
press menu

# A new player in the editor: the keyboard slides in, Shift, then z, o and e are touched.
press y
shot "editor"
press right 14
shot "editor-keyboard"
touch_at 47 200
touch_at 72 200
touch_at 247 150
touch_at 97 150
shot "editor-typing"
press y 12 # leaves without storing the player; the keyboard slides away

while [ "$current" != "$target_player" ]; do
    press right 1
    current=$(((current + 1) % ${#players[@]}))
done
press b
for ((i = 0; i < target_game; i++)); do press r 1; done
shot "game"
move_cursor_to "$hidden_cell"
shot "game-hidden-achievement"
press r
shot "game-next-with-R"
press l
shot "game-previous-with-L"
move_cursor_to "$unlocked_cell"
shot "game-unlocked-achievement"
press menu
shot "game-menu"
press b 4 # the snapshot of the game screen, saved into the card copy
shot "notice-snapshot"
press x
press y
shot "home-again"

# Every player in turn, in the player's language: the date an achievement was unlocked, and
# the progress bar of a locked one.
show_cell() { # game index $1, cell $2, picture name $3: from the home screen and back
    local i
    [ "$1" -lt 0 ] && return
    press b
    for ((i = 0; i < $1; i++)); do press r 1; done
    move_cursor_to "$2"
    shot "$3"
    press y
}
for ((i = 0; i < ${#players[@]}; i++)); do
    read -r dated_game dated_cell measured_game measured_cell < <(progress_cells "${players[$current]}")
    show_cell "$dated_game" "$dated_cell" "unlock-date-${players[$current]}"
    show_cell "$measured_game" "$measured_cell" "progress-${players[$current]}"
    press right
    current=$(((current + 1) % ${#players[@]}))
done
press menu
press up
press b
shot "notice-goodbye"
press b # any button after the goodbye ends vok
echo "# ends here; the frame limit only guards against a stuck run" >>"$script"

(cd "$build" && env -u DISPLAY SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    "${emulator[@]}" ./vok --store "$card/" --script "$script" --max-frames $((frame + 30)))
"${emulator[@]}" "$build/tools/bmp_to_png" "$out"/*.bmp
rm -f "$out"/*.bmp

if [ "$docs" = 1 ]; then
    mkdir -p "$source_dir/docs"
    cp "$out"/01-card-*.png "$source_dir/docs/home.png"
    cp "$out"/*-game-hidden-achievement.png "$source_dir/docs/game.png"
    cp "$out"/*-editor-typing.png "$source_dir/docs/editor.png"
    cp "$(ls "$out"/*-unlock-date-*.png | head -1)" "$source_dir/docs/unlock-date.png"
    cp "$(ls "$out"/*-progress-*.png | head -1)" "$source_dir/docs/progress.png"
    echo "Copied five of the pictures into $source_dir/docs/."
fi
echo "The tour's $shots pictures are in $out/"
