#!/usr/bin/env bash
# Sets up, builds (Release) and starts splmap with the bundled example project.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSPLMAP_BENCH=OFF >/dev/null
cmake --build build-release --target splmap -j"$(nproc)"
project=examples/demo.ini
args=()
[ -f "$project" ] && args=("$project")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display found, so the main window cannot be shown." >&2
    echo "        Start it from a desktop session, or under a virtual display:" >&2
    echo "        xvfb-run ./run.sh (xvfb-run comes with the xvfb package)." >&2
    exit 1
fi
exec build-release/splmap "${args[@]}"
