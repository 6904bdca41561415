#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration and starts the game
# program Cardolia_DX9 from the build folder, which holds the generated Data/
# and Languages/. Arguments are passed on ("CONFIGURATION": the start-up
# settings).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDOLIA_TESTS=OFF
cmake --build "$build"

# The game runs from the build folder, next to its Data/ and Languages/.
cd "$build"
exec ./Cardolia_DX9 "$@"
