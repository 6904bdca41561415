#!/usr/bin/env bash
# Checks that every library includes only headers of its own layer or of the
# layers below it, the layers in this order (each may use those before it):
#   Platform <- Engine (with Engine/DX9) <- Engine/MWin <- Game (with
#   Game/Variants, Game/Decks) <- App <- Screens (with Screens/Decks)
#   <- Shell <- the program entry (App/Entry)
# and the starter program (Starter/) includes nothing of the project.
# A layer that needs calls from above declares them in a header of its own
# (Game/GameImports.h, App/AppImports.h, Screens/ScreensImports.h) that a
# layer above implements. The
# engine's public headers (Engine/*.h) also keep its back end (Engine/DX9/)
# out of sight of the portable code that includes them.
# Usage: scripts/check-layers.sh [source root]   (exit 1 on an upward include)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

# Lowest first: folder, how deep its files are searched ("" all the way),
# and the folders below it that belong to another layer.
layers=(
  "Platform||"
  "Engine|1|"
  "Engine/DX9||"
  "Engine/MWin||"
  "Game||"
  "App||App/Entry"
  "Screens||"
  "Shell||"
  "App/Entry||"
)

failed=0
# check <folder> <max depth or ""> <excluded sub-folder or ""> <file names>
#       <forbidden include prefixes...>
check() {
  local folder=$1 depth=$2 excluded=$3 names=$4
  shift 4
  [ -d "$folder" ] && [ $# -gt 0 ] || return 0
  local pattern
  pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "$*"))/"
  local found
  found=$(find "$folder" ${depth:+-maxdepth "$depth"} ${excluded:+-path "$excluded" -prune -o} \
            -type f -name "$names" -print0 | sort -z | xargs -0 -r grep -HnE "$pattern" || true)
  if [ -n "$found" ]; then
    echo "Include against the layers in $folder/:"
    echo "$found" | sed 's/^/  /'
    failed=1
  fi
}

for names in '*.cpp' '*.h'; do
  for ((i = 0; i < ${#layers[@]}; i++)); do
    IFS='|' read -r folder depth excluded <<< "${layers[i]}"
    above=()
    for ((j = i + 1; j < ${#layers[@]}; j++)); do
      # Engine/DX9 is the engine's own back end, not a layer above it.
      [ "$folder" = Engine ] && [ "${layers[j]%%|*}" = Engine/DX9 ] && continue
      above+=("${layers[j]%%|*}")
    done
    check "$folder" "$depth" "$excluded" "$names" "${above[@]}"
  done
  check Starter "" "" "$names" Platform Engine Game App Screens Shell
done
check Engine 1 "" '*.h' Engine/DX9

if [ "$failed" -ne 0 ]; then
  echo "A layer includes a header from above it: declare the call in the lower layer's own header instead."
  exit 1
fi
echo "Layers point one way."
