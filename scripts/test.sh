#!/usr/bin/env bash
# Installs what is missing, builds the Debug configuration with AddressSanitizer
# and UndefinedBehaviorSanitizer, and runs every test. Pixel tests need an X
# display: without one, the tests run under a private Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/debug"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCARDOLIA_SANITIZE=ON
cmake --build "$build"

jobs=$(nproc)
run_tests=(ctest --test-dir "$build" -j "$jobs" --output-on-failure --timeout 600)
if [ -z "${DISPLAY:-}" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "${run_tests[@]}"
else
  "${run_tests[@]}"
fi
