#!/usr/bin/env bash
# Sets up, builds and runs every test; prints ctest's summary.
# Extra arguments go to CMake (for example -DSPLMAP_SANITIZE=ON, or -DCMAKE_BUILD_TYPE=Release
# in place of the default Debug build), BUILD_DIR picks the folder (build/ by default).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
