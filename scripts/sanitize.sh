#!/usr/bin/env bash
# Builds the unit tests and the soak in build-san/ (scripts/sanitizer-build.sh: clang with
# AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer) and runs them (a shortened
# soak); any report fails the run. Needs the ordinary build's Data/ (scripts/setup.sh).
# Usage: scripts/sanitize.sh [build|unit|soak]   (default: all three, in that order)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-san
step=${1:-all}
[ -f build/Data/.generated ] || { echo "no Data/ in build/: run scripts/setup.sh first"; exit 1; }
if [ "$step" = all ] || [ "$step" = build ]; then
  # The fuzz targets come along: one build, shared with scripts/fuzz.sh.
  scripts/sanitizer-build.sh brenvask_unit_tests brenvask_soak fuzz_bmp fuzz_mdl fuzz_wav fuzz_seeds
fi
# Leaks inside the system's OpenGL driver are not ours; everything else must be clean.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
if [ "$step" = all ] || [ "$step" = unit ]; then
  # The generator's determinism test is left to the ordinary build, which made the Data/
  # copied here: running the generator twice more under the sanitizers would cost minutes.
  ctest --output-on-failure -j"$(nproc)" -L unit -E '^DataTree\.TwoRunsWriteTheSameBytes$'
fi
if [ "$step" = all ] || [ "$step" = soak ]; then
  # Two races on each circuit, every 50th frame drawn.
  soak/brenvask_soak --races 2 --frames 1000 --draw-every 50
fi
