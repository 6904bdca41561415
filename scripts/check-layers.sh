#!/usr/bin/env bash
# Checks that every library includes only headers of its own layer or of the
# layers below it:
#   Platform <- Engine (with Engine/DX9) <- Engine/MWin <- Game <- App
#            <- Screens, Decks
# and the starter program (Starter/) includes nothing of the project.
# A layer that needs calls from above declares them in a header of its own
# (Game/GameImports.h, ...) that the layer above implements. The engine's
# public headers (Engine/*.h) also keep its back end (Engine/DX9/) out of
# sight of the portable code that includes them.
# Usage: scripts/check-layers.sh [source root]   (exit 1 on an upward include)
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"

failed=0
# check <folder> <max depth or ""> <file names> <forbidden include prefixes...>
check() {
  local folder=$1 depth=$2 names=$3
  shift 3
  [ -d "$folder" ] || return 0
  local pattern
  pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"($(IFS='|'; echo "$*"))/"
  local found
  found=$(find "$folder" ${depth:+-maxdepth "$depth"} -type f -name "$names" -print0 | sort -z | xargs -0 -r grep -HnE "$pattern" || true)
  if [ -n "$found" ]; then
    echo "Include against the layers in $folder/:"
    echo "$found" | sed 's/^/  /'
    failed=1
  fi
}

above_app=(Screens Decks)
for names in '*.cpp' '*.h'; do
  check Platform "" "$names" Engine Game App "${above_app[@]}"
  check Engine 1 "$names" Engine/MWin Game App "${above_app[@]}"
  check Engine/DX9 "" "$names" Engine/MWin Game App "${above_app[@]}"
  check Engine/MWin "" "$names" Game App "${above_app[@]}"
  check Game "" "$names" App "${above_app[@]}"
  check App "" "$names" "${above_app[@]}"
  check Starter "" "$names" Platform Engine Game App "${above_app[@]}"
done
check Engine 1 '*.h' Engine/DX9

if [ "$failed" -ne 0 ]; then
  echo "A layer includes a header from above it: declare the call in the lower layer's own header instead."
  exit 1
fi
echo "Layers point one way."
