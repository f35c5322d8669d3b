#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite (see docs/testing.md).
# --quick: the build and CTest only, for the edit-test loop; CI runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")"
quick=false
if [ "${1:-}" = --quick ]; then
  quick=true
fi
scripts/setup.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")
$quick && exit 0
# Twenty whole races on each circuit with random key holds: bodies stay finite, no growth.
(cd build && soak/brenvask_soak)
# The unit tests and a shorter soak again under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer.
scripts/sanitize.sh
# The BMP, .mdl and WAV readers under libFuzzer, about 20 seconds each; any finding fails.
scripts/fuzz.sh
