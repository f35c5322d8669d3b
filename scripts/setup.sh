#!/usr/bin/env bash
# Installs what is missing (Debian packages), then configures and builds.
# Usage: scripts/setup.sh [--play|--test] [build-folder]   (default: build)
#   --play: only what building and running the game needs, and only the game, its Data/
#           and icons are built; without it, the tests' packages too, and everything is built.
#   --test: as without it, but warnings are errors and the benchmark, which no test runs, is
#           left for `cmake --build build --target brenvask_bench` (the test command's build).
set -euo pipefail
cd "$(dirname "$0")/.."

play_only=false
test_build=false
case "${1:-}" in
  --play) play_only=true; shift ;;
  --test) test_build=true; shift ;;
esac
build=${1:-build}

# Building and running the game: compiler, CMake, OpenGL, GLU, freeglut, Mesa's renderers,
# OpenAL Soft for the sound, and libpng for the icon drawing among the content tools.
game_packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libopenal-dev libpng-dev)
# The tests, the benchmark, the soak, the sanitizer and fuzz runs, and the Debian packages
# (cpack's, and debian/'s with its build dependencies).
# libclang-rt-dev comes with clang from the same Debian source: the sanitizer and libFuzzer
# runtime of whatever version the default clang is. sox measures the game's recorded sound;
# a private PulseAudio server (pulseaudio, and parec from pulseaudio-utils) is the sound server
# the game must outlive; valgrind checks that the pure-logic tests read no memory they never
# wrote.
test_packages=(clang libclang-rt-dev libgtest-dev libegl-dev libegl-mesa0 xvfb xdotool x11-utils
               imagemagick xauth desktop-file-utils appstream groff-base dpkg-dev file lintian sox
               debhelper git pulseaudio pulseaudio-utils valgrind)
packages=("${game_packages[@]}")
$play_only || packages+=("${test_packages[@]}")

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  # Waits for a dpkg lock held by another apt (unattended upgrades on a fresh desktop).
  apt=(apt-get -o DPkg::Lock::Timeout=600)
  update=("${apt[@]}" update -qq)
  install=("${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}")
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${update[@]}"
    "${install[@]}" >/dev/null
  else
    # One command, so that sudo or su runs the update and the install alike as root.
    command="${update[*]} && ${install[*]}"
    echo "Missing packages. Installing them needs root: run one of these once (su asks for root's"
    echo "password), then try again:"
    echo "  sudo sh -c '$command'"
    echo "  su -c '$command'"
    exit 1
  fi
fi

if $play_only; then
  # A build folder configured before keeps its options (the tests may be on there).
  options=()
  # but a player's never turns warnings into errors.
  [ -f "$build/CMakeCache.txt" ] || options=(-DBRENVASK_TESTS=OFF -DBRENVASK_BENCH=OFF)
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVASK_WERROR=OFF "${options[@]}" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target brenvask brenvask_data brenvask_icons
else
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRENVASK_TESTS=ON -DBRENVASK_BENCH=ON \
        -DBRENVASK_WERROR="$($test_build && echo ON || echo OFF)" >/dev/null
  cmake --build "$build" -j"$(nproc)"
  $test_build || cmake --build "$build" -j"$(nproc)" --target brenvask_bench
fi
