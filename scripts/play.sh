#!/usr/bin/env bash
# Installs what is missing, builds the Release configuration and starts the game
# from the build folder, which holds the generated Data/ and Languages/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDOLIA_TESTS=OFF
cmake --build "$build"

if [ ! -x "$build/Cardolia_DX9" ]; then
  echo "Built the engine libraries. The game is not playable yet: its program does not exist so far."
  exit 0
fi
cd "$build"
exec ./Cardolia_DX9 "$@"
