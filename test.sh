#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite (see docs/testing.md), one stage
# after another, each printing its wall and processor time; it ends with one line of the whole,
# "N passed, N failed". A failed build stops it; a failed test does not stop the later stages.
# --quick: the build and CTest only, for the edit-test loop; CI runs the whole suite.
set -uo pipefail
cd "$(dirname "$0")"
quick=false
if [ "${1:-}" = --quick ]; then
  quick=true
fi
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
passed=0
failed=0
began=$EPOCHREALTIME

# Sets CPU to the processor seconds (user + system) of every child waited for so far; times
# runs in this shell, not in a subshell that has no children of its own.
read_cpu() {
  times >"$logs/times"
  CPU=$(awk 'NR == 2 { gsub(/s/, ""); split($1, u, "m"); split($2, s, "m"); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' "$logs/times")
}

# stage NAME COMMAND...: runs COMMAND, output kept in $logs/NAME.log too, and prints one line.
stage() {
  local name=$1 start=$EPOCHREALTIME cpu status
  shift
  read_cpu
  cpu=$CPU
  "$@" 2>&1 | tee "$logs/$name.log"
  status=${PIPESTATUS[0]}
  read_cpu
  awk -v n="$name" -v s="$status" -v w0="$start" -v w1="$EPOCHREALTIME" -v c0="$cpu" -v c1="$CPU" \
    'BEGIN { printf "== stage %-10s %s %7.1f s wall %7.1f s processor\n", n, (s == 0 ? "ok    " : "FAILED"), w1 - w0, c1 - c0 }' |
    tee -a "$logs/stages"
  return "$status"
}

# count NAME: adds the stage's CTest summary ("... N tests failed out of M") to the counts.
count() {
  local summary
  summary=$(grep -E 'tests? failed out of [0-9]+' "$logs/$1.log" | tail -n 1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))
    return
  fi
  local bad total
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/')
  total=$(echo "$summary" | sed -E 's/.* failed out of ([0-9]+).*/\1/')
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# check NAME COMMAND...: a stage that is one check of its own.
check() {
  if stage "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}

finish() {
  echo
  cat "$logs/stages"
  read_cpu
  awk -v w0="$began" -v w1="$EPOCHREALTIME" -v c="$CPU" \
    'BEGIN { printf "== all              %7.1f s wall %7.1f s processor\n", w1 - w0, c }'
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit
}

# A build that fails is one failure, and nothing after it can run.
build() { stage "$@" || { failed=$((failed + 1)); finish; }; }

build build scripts/setup.sh --test build
# Every test of the ordinary build but the memcheck runs, picked by label: unit, e2e and
# whatever else is added.
stage ctest bash -c 'cd build && ctest --output-on-failure -j"$(nproc)" -LE "^memcheck$"'
count ctest
$quick && finish
# The pure-logic test programs under valgrind's memcheck.
stage memcheck bash -c 'cd build && ctest --output-on-failure -j"$(nproc)" -L "^memcheck$"'
count memcheck
# Twenty whole races on each circuit with random key holds: bodies stay finite, no growth.
check soak bash -c 'cd build && soak/brenvask_soak'
# One clang build carries AddressSanitizer, UndefinedBehaviorSanitizer, LeakSanitizer and the
# libFuzzer targets; it takes the ordinary build's Data/.
build san-build scripts/sanitize.sh build
stage san-unit scripts/sanitize.sh unit
count san-unit
check san-soak scripts/sanitize.sh soak
# The BMP, .mdl and WAV readers under libFuzzer, 20 seconds each; any finding fails.
if stage fuzz scripts/fuzz.sh; then
  passed=$((passed + 3))
else
  bad=$(grep -c '^The .* reader failed under fuzzing' "$logs/fuzz.log")
  [ "$bad" -gt 0 ] || bad=3
  failed=$((failed + bad))
  passed=$((passed + 3 - bad))
fi
finish
