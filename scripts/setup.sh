#!/usr/bin/env bash
# Installs what the game and its tests need (Debian packages), then configures and builds.
# Usage: scripts/setup.sh [build-folder]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make clang libclang-rt-14-dev libgtest-dev freeglut3-dev libglu1-mesa-dev
          libgl1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri xvfb xdotool x11-utils imagemagick xauth
          libpng-dev desktop-file-utils appstream groff-base dpkg-dev file)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Missing packages. Run this once, then try again:"
    echo "  sudo apt-get install -y ${missing[*]}"
    exit 1
  fi
fi

build=${1:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)"
