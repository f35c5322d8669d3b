#!/usr/bin/env bash
# Sets everything up, builds, and runs the whole test suite (see README, "Tests").
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
(cd build && ctest --output-on-failure -j"$(nproc)")
# Twenty whole races on each circuit with random key holds: bodies stay finite, no growth.
(cd build && soak/brenvask_soak)
# The unit tests and a shorter soak again under AddressSanitizer, UndefinedBehaviorSanitizer
# and LeakSanitizer.
scripts/sanitize.sh
# The BMP and .mdl readers under libFuzzer, about 20 seconds each; any finding fails.
scripts/fuzz.sh
