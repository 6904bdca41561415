#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, and only
# those that are missing. Safe to run again: with everything present it only
# asks dpkg and returns. With --fuzz it also installs what scripts/fuzz.sh
# needs (clang and its libFuzzer runtime); the test command does not.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libtomcrypt-dev zlib1g-dev libfreetype-dev libjpeg-dev libpng-dev
  libcurl4-openssl-dev libsdl2-dev libgl-dev libgtk-3-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-dejavu-core iso-flags-png-320x240 ca-certificates
  xvfb xauth xdotool python3-pyftpdlib openssl python3
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then sudo="sudo"; else
    echo "error: packages are missing and this user is not root and has no sudo: ${missing[*]}" >&2
    exit 1
  fi
fi

export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get update -q; then
  echo "error: 'apt-get update' failed; check the network and the apt sources" >&2
  exit 1
fi
if ! $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"; then
  echo "error: 'apt-get install' failed for: ${missing[*]}" >&2
  exit 1
fi
