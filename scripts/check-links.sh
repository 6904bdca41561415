#!/usr/bin/env bash
# Checks the link direction: no static library takes a symbol that only a
# library of a layer above it defines. The layers are given lowest first,
# each one library, or several joined with "+" that count as one layer (their
# calls between each other are not checked). A symbol counts as taken from
# above when a library leaves it undefined, neither it nor a layer at or below
# it defines it, and a layer above does. Weak definitions (inline functions,
# templates) are left out: every library that uses them has its own copy.
# Usage: scripts/check-links.sh LAYER...   (LAYER: lib.a or lib.a+lib.a...;
#        exit 1 naming each symbol taken from above)
set -euo pipefail
[ $# -gt 0 ] || { echo "Usage: $0 LAYER... (static libraries, lowest layer first)" >&2; exit 2; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# defined <lib.a>: its strong global definitions, one a line, sorted.
defined() { nm -g --defined-only -P "$1" | awk 'NF >= 2 && $2 ~ /^[TDBRGSC]$/ { print $1 }' | sort -u; }
# name <layer>: its libraries' file names, joined with "+".
name() { local IFS='+' out=() lib; for lib in $1; do out+=("$(basename "$lib")"); done; echo "${out[*]}"; }
undefined() { nm -g -u -P "$1" | awk '{ print $1 }' | sort -u; }

layers=("$@")
n=${#layers[@]}
for ((i = 0; i < n; i++)); do
  IFS='+' read -r -a libs <<< "${layers[i]}"
  for lib in "${libs[@]}"; do
    [ -f "$lib" ] || { echo "No such library: $lib" >&2; exit 2; }
    defined "$lib" >> "$tmp/layer$i.def"
  done
  sort -u -o "$tmp/layer$i.def" "$tmp/layer$i.def"
done

failed=0
: > "$tmp/below.def"
for ((i = 0; i < n; i++)); do
  sort -u "$tmp/below.def" "$tmp/layer$i.def" -o "$tmp/below.def"
  IFS='+' read -r -a libs <<< "${layers[i]}"
  for lib in "${libs[@]}"; do
    undefined "$lib" | comm -23 - "$tmp/below.def" > "$tmp/open"
    for ((j = i + 1; j < n; j++)); do
      comm -12 "$tmp/open" "$tmp/layer$j.def" > "$tmp/taken"
      [ -s "$tmp/taken" ] || continue
      failed=1
      echo "$(basename "$lib") takes from $(name "${layers[j]}") above it:"
      c++filt < "$tmp/taken" | sed 's/^/  /'
    done
  done
done

if [ "$failed" -ne 0 ]; then
  echo "A library calls a library above it: the calls must point down the layers."
  exit 1
fi
echo "Links point one way."
