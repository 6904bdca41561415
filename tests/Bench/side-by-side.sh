#!/usr/bin/env bash
# The game program beside GNOME's solitaire program (package aisleriot,
# program sol), run alternately on one private X server at 1280 x 1024 with
# Mesa's llvmpipe: start-up, the deal, CPU at rest and while dragging, drag
# latency and memory, as medians side by side (a benchmark run by hand, not
# a test). Builds the Release configuration in build/bench; installs the
# peer's package when it is missing (it is only run and looked at).
#   Usage: tests/Bench/side-by-side.sh [runs] [--memory] [--keep] [--shots <folder>] [--ours]
#   --memory  also runs ours under heaptrack once per screen and prints its
#             own heap and statics apart from the GL driver's (slow)
#   --keep    leaves the runs' folders and heaptrack's files in place
#   --shots   the folder for every run's screenshots (build/bench/side-by-side-shots)
#   --ours    runs ours alone (two builds of ours compared, run by run)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/bench"

"$root/scripts/install-deps.sh"
missing=()
command -v /usr/games/sol >/dev/null || missing+=(aisleriot)
[[ "$*" == *--memory* ]] && ! command -v heaptrack >/dev/null && missing+=(heaptrack)
if ((${#missing[@]})); then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo=sudo
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCARDOLIA_TESTS=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target Cardolia_DX9 GameData SideBySide
# No other X server or GL settings of the caller's leak into the runs.
env -u LIBGL_ALWAYS_SOFTWARE -u GALLIUM_DRIVER "$build/tests/Bench/SideBySide" "$@"
