#!/usr/bin/env bash
# Fuzzes the BMP, .mdl and WAV readers with libFuzzer (clang, ASan, UBSan) in build-fuzz/: each
# target runs for a bounded time from seeds the game's own writers make. Any crash, leak,
# undefined behaviour, timeout or out-of-memory fails the run and leaves its input in
# build-fuzz/findings/ (turn each one into a regression test in tests/assets/).
# Usage: scripts/fuzz.sh [seconds per target]   (default: 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build-fuzz

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DBRENVASK_FUZZ=ON -DBRENVASK_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_bmp fuzz_mdl fuzz_wav fuzz_seeds

rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/findings"
"$build/fuzz/fuzz_seeds" "$build/seeds"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
status=0
for reader in bmp mdl wav; do
  mkdir -p "$build/corpus/$reader"
  echo "Fuzzing the $reader reader for ${seconds}s"
  if ! "$build/fuzz/fuzz_$reader" "$build/corpus/$reader" "$build/seeds/$reader" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1 \
        -artifact_prefix="$build/findings/$reader-" >"$build/fuzz-$reader.log" 2>&1; then
    echo "The $reader reader failed under fuzzing; see $build/fuzz-$reader.log and $build/findings/"
    tail -n 40 "$build/fuzz-$reader.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units' "$build/fuzz-$reader.log" || true
  fi
done
exit $status
