#!/usr/bin/env bash
# Reports how fast the game program comes up (a benchmark, not a test):
# time to the window, to the first frame of the player selection, from
# "Continue Player" to the main menu (cold and warm), and the peak memory.
# Builds the Release configuration in build/timing and runs each
# measurement on a private X server.   Usage: scripts/startup-timing.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/timing"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDOLIA_TESTS=ON >/dev/null
cmake --build "$build" --target Cardolia_DX9 StartupTiming GameData
"$build/tests/Bench/StartupTiming" "${1:-5}"
