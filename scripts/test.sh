#!/usr/bin/env bash
# Installs what is missing, builds the Debug configuration with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test. The tests that open
# windows start X servers (Xvfb) of their own, so they need no display here
# and run side by side.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/debug"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCARDOLIA_SANITIZE=ON
cmake --build "$build"

ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 600
