#!/usr/bin/env bash
# Builds the unit tests and the soak with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in build-san/ and runs them (a shortened soak); any report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-san
# -O1 keeps every check and report (with frame pointers) and runs the heavy terrain and sky
# equivalence tests several times faster than -O0 does.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DBRENVASK_SANITIZE=ON >/dev/null
# Only what runs here: the unit tests with their Data/ tree, and the soak.
cmake --build "$build" -j"$(nproc)" --target brenvask_unit_tests brenvask_soak
# Leaks inside the system's OpenGL driver are not ours; everything else must be clean.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
# The generator's determinism test is left to the ordinary build: here the generator has
# already run once under the sanitizers, making this build's Data/, and twice more would
# cost most of a minute.
ctest --output-on-failure -j"$(nproc)" -L unit -E '^DataTree\.TwoRunsWriteTheSameBytes$'
# Two races on each circuit, every 50th frame drawn.
soak/brenvask_soak --races 2 --frames 1000 --draw-every 50
