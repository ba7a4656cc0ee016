#!/usr/bin/env bash
# Sets up, builds (Release) and starts splmap with the bundled example project.
# Without a display it renders the example's SPL map to a PNG in the working folder.
set -euo pipefail
here="$PWD"
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSPLMAP_BENCH=OFF >/dev/null
cmake --build build-release --target splmap -j"$(nproc)"
project=examples/demo.ini
args=()
[ -f "$project" ] && args=("$project")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    picture="$here/splmap-demo.png"
    build-release/splmap render "$project" --freq 1000 --out "$picture"
    echo "run.sh: no display found, so the main window is not shown. The SPL map of"
    echo "        $project at 1000 Hz, as the main window would show it, is in:"
    echo "        $picture"
    echo "        (to open the window: run this from a desktop session, or under a virtual"
    echo "        display with xvfb-run ./run.sh)"
    exit 0
fi
exec build-release/splmap "${args[@]}"
