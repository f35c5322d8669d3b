#!/usr/bin/env bash
# The layer check fails on an include that runs upwards, naming the file and the line: an
# upward include is injected into a scratch copy of the sources, which passes before it.
# Usage: upward-include.sh <source-root>
set -euo pipefail
root=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fresh_copy() {
  rm -rf "$scratch/tree"
  mkdir -p "$scratch/tree/docs"
  cp -r "$root/src" "$scratch/tree/src"
  cp "$root/docs/architecture.md" "$scratch/tree/docs/"
}

# expect_refused <file under src/> <header>: the header included on the file's line 2 is named.
expect_refused() {
  fresh_copy
  sed -i "1a #include \"$2\"" "$scratch/tree/src/$1"
  if output=$(bash "$root/scripts/check-layers.sh" "$scratch/tree" 2>&1); then
    echo "FAIL: src/$1 including $2 passed the layer check: $output"
    exit 1
  fi
  if ! grep -q "^src/$1:2: includes \"$2\"" <<<"$output"; then
    echo "FAIL: the refusal of $2 in src/$1 does not name the file and line 2: $output"
    exit 1
  fi
  echo "refused as expected: $output"
}

fresh_copy
bash "$root/scripts/check-layers.sh" "$scratch/tree" >/dev/null || { echo "FAIL: the untouched copy is refused"; exit 1; }
expect_refused geometry/Vector3.h app/Window.h        # the bottom reaching the shell's entry
expect_refused race/Race.cpp sound/Sound.h            # the race calling the sound that reads it
