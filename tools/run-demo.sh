#!/bin/bash
# Installs what is missing, builds in build/, writes the demo card afresh and runs vok on it
# from the build folder (where media/ and lang/ are): in a window when a display exists,
# otherwise a short headless run that saves a screenshot. Extra arguments go to vok.
set -eu
cd "$(dirname "$0")/.."
bash tools/setup-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target vok make_demo_card
rm -rf build/demo-card
build/tools/make_demo_card "$PWD/build/demo-card"
cd build

if [ -n "${DISPLAY:-}" ]; then
    echo "vok on the demo card: arrow keys, B X Y L R, Return or Escape for the menu,"
    echo "mouse clicks as touches; closing the window ends it."
    exec ./vok --store demo-card/ "$@"
fi

shots="$PWD/demo-shots"
rm -rf "$shots"
mkdir -p "$shots"
printf '30 screenshot %s/home.bmp\n' "$shots" > "$shots/tour.txt"
./vok --store demo-card/ --max-frames 30 --script "$shots/tour.txt" "$@"
echo "No display: vok ran headless for 30 frames on the demo card (build/demo-card)."
echo "Its last screen is in $shots/home.bmp."
