#!/usr/bin/env bash
# Fuzzes the BMP, .mdl and WAV readers with libFuzzer (clang, ASan, UBSan) in build-san/ (the
# sanitizer build, scripts/sanitizer-build.sh): each target runs for a bounded time from seeds
# the game's own writers make, as many at once as there are cores. Any crash, leak, undefined
# behaviour, timeout or out-of-memory fails the run and leaves its input in
# build-san/findings/ (turn each one into a regression test in tests/assets/).
# Usage: scripts/fuzz.sh [seconds per target]   (default: 20)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=build-san

scripts/sanitizer-build.sh fuzz_bmp fuzz_mdl fuzz_wav fuzz_seeds

rm -rf "$build/corpus" "$build/findings"
mkdir -p "$build/findings"
"$build/fuzz/fuzz_seeds" "$build/seeds"

export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# fuzz READER: one target for its time; its log in build-san/fuzz-READER.log.
fuzz() {
  local reader=$1
  mkdir -p "$build/corpus/$reader"
  "$build/fuzz/fuzz_$reader" "$build/corpus/$reader" "$build/seeds/$reader" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$reader-" >"$build/fuzz-$reader.log" 2>&1
}
readers=(bmp mdl wav)
declare -A pids
status=0
for (( i = 0; i < ${#readers[@]}; i++ )); do
  reader=${readers[i]}
  echo "Fuzzing the $reader reader for ${seconds}s"
  fuzz "$reader" &
  pids[$reader]=$!
  # No more targets at once than cores: each keeps a whole core for its time.
  if (( (i + 1) % $(nproc) == 0 )) || (( i + 1 == ${#readers[@]} )); then
    for started in "${!pids[@]}"; do
      if ! wait "${pids[$started]}"; then
        echo "The $started reader failed under fuzzing; see $build/fuzz-$started.log and $build/findings/"
        tail -n 40 "$build/fuzz-$started.log"
        status=1
      else
        echo "$started: $(grep -E '^stat::number_of_executed_units' "$build/fuzz-$started.log" || true)"
      fi
    done
    pids=()
  fi
done
exit $status
