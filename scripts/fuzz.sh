#!/usr/bin/env bash
# Fuzzes the readers of untrusted bytes (tests/Fuzz) with libFuzzer, each
# target for a chosen time: what a person runs before a release. The test
# command only replays the committed corpora; this finds new inputs.
#
#   scripts/fuzz.sh [-t seconds] [-j parallel] [-m] [target...]
#     -t  seconds per target (default 600)
#     -j  targets fuzzed at once (default 4)
#     -m  afterwards, merge the new inputs that reach new code into the
#         committed corpus tests/Fuzz/corpus/<target> (minimised)
#     target  as named in tests/Fuzz/CMakeLists.txt (default: every one)
#
# Builds with clang in build/fuzz (installing clang and its fuzzing runtime
# when missing). New inputs go to build/fuzz/corpus/<target>, logs to
# build/fuzz/logs/<target>.log, and an input that crashes a reader to
# build/fuzz/crashes/<target>/: copy it to tests/Fuzz/crashes/<target>/, so
# that the test command replays it from then on, and mend the reader.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/fuzz"

seconds=600
parallel=4
merge=0
while getopts "t:j:m" option; do
  case $option in
    t) seconds=$OPTARG ;;
    j) parallel=$OPTARG ;;
    m) merge=1 ;;
    *) sed -n '6,12p' "$0"; exit 2 ;;
  esac
done
shift $((OPTIND - 1))

"$root/scripts/install-deps.sh" --fuzz
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCARDOLIA_FUZZ=ON -DCARDOLIA_TESTS=ON -DCARDOLIA_SANITIZE=OFF >/dev/null
cmake --build "$build" --target fuzz_all

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for program in "$build"/tests/Fuzz/fuzz_*; do
    name=${program##*/fuzz_}
    [ "$name" = "${name#replay_}" ] && targets+=("$name")
  done
fi

export CARDOLIA_HEADLESS=1
# The targets' work folder, where each input's files are written and read:
# on a memory file system when there is one. On a disk the player's-file
# targets, which write, rename and delete files at every input, fuzz at a
# tenth of the speed.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  CARDOLIA_FUZZ_WORK=$(mktemp -d /dev/shm/cardolia-fuzz.XXXXXX)
  trap 'rm -rf "$CARDOLIA_FUZZ_WORK"' EXIT
else
  CARDOLIA_FUZZ_WORK="$build/work"
fi
export CARDOLIA_FUZZ_WORK
mkdir -p "$build/logs" "$CARDOLIA_FUZZ_WORK"

run() {
  local name=$1 program="$build/tests/Fuzz/fuzz_$1"
  local corpus="$build/corpus/$name" crashes="$build/crashes/$name"
  local dict="$root/tests/Fuzz/dict/$name.dict"
  rm -rf "$crashes"  # only this run's finds are reported
  mkdir -p "$corpus" "$crashes"
  local options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
                 -artifact_prefix="$crashes/")
  [ -f "$dict" ] && options+=(-dict="$dict")
  # New inputs go to the first folder; the committed corpus and the crash
  # inputs of earlier runs seed the run.
  "$program" "${options[@]}" "$corpus" "$root/tests/Fuzz/corpus/$name" \
    $( [ -d "$root/tests/Fuzz/crashes/$name" ] && echo "$root/tests/Fuzz/crashes/$name" ) \
    >"$build/logs/$name.log" 2>&1 || true
}

if [ ! -x "$build/tests/Fuzz/fuzz_${targets[0]}" ]; then
  echo "error: no fuzz target ${targets[0]}" >&2
  exit 2
fi
echo "Fuzzing ${#targets[@]} targets, ${seconds} s each, ${parallel} at once"
running=0
for name in "${targets[@]}"; do
  run "$name" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n
    running=$((running - 1))
  fi
done
wait

found=0
printf '%-20s %12s %10s  %s\n' target runs seconds result
for name in "${targets[@]}"; do
  log="$build/logs/$name.log"
  # A run that crashed prints its count but no "Done" line.
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
  time=$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' | tail -1 || true)
  crashes=$(find "$build/crashes/$name" -type f | wc -l)
  if [ "$crashes" -gt 0 ]; then
    found=1
    result="$crashes crash inputs in build/fuzz/crashes/$name (see logs/$name.log)"
  else
    result="nothing found"
  fi
  printf '%-20s %12s %10s  %s\n' "$name" "${runs:-?}" "${time:-?}" "$result"
  if [ "$merge" -eq 1 ]; then
    "$build/tests/Fuzz/fuzz_$name" -merge=1 "$root/tests/Fuzz/corpus/$name" "$build/corpus/$name" \
      >>"$log" 2>&1 || true
  fi
done
exit $found
