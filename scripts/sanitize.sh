#!/usr/bin/env bash
# Builds the unit tests and the soak with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in build-san/ and runs them (a shortened soak); any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-san
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBRENVASK_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
# Leaks inside the system's OpenGL driver are not ours; everything else must be clean.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
ctest --output-on-failure -j"$(nproc)" -L unit
# Two races on each circuit, every 50th frame drawn.
soak/brenvask_soak --races 2 --frames 1000 --draw-every 50
