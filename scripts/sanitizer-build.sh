#!/usr/bin/env bash
# Configures build-san/ with clang: AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer for everything, and the libFuzzer targets beside them; builds the targets named.
# Data/ is copied from the ordinary build (build/, made by scripts/setup.sh) rather than
# generated a second time.
# Usage: scripts/sanitizer-build.sh TARGET...
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-san
# A build-san/ configured for another compiler is made anew: CMake cannot switch compilers.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:.*clang++' "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
# -O1 keeps every check and report (with frame pointers) and runs the heavy terrain and sky
# equivalence tests several times faster than -O0 does.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DCMAKE_CXX_COMPILER=clang++ \
      -DBRENVASK_SANITIZE=ON -DBRENVASK_FUZZ=ON -DBRENVASK_BENCH=OFF -DBRENVASK_WERROR=ON \
      -DBRENVASK_CONTENT_FROM="$PWD/build" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "$@"
