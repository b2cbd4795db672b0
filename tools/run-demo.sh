#!/bin/bash
# Installs what is missing, builds in build/, writes the demo card afresh and runs vok on it
# from the build folder (where media/ and lang/ are) in a window when a display exists;
# otherwise runs the guided tour (tools/tour.sh), which saves a picture of every screen.
# Extra arguments go to vok in the window.
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

echo "No display: the guided tour runs vok headless through every screen on a demo card."
exec bash ../tools/tour.sh "$PWD"
