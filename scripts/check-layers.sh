#!/usr/bin/env bash
# Fails on any #include under src/ that reaches a layer above its own file's layer, naming the
# file and the line. The layers, top first, are the boxes of the picture in
# docs/architecture.md: the one place the order is written down.
# Usage: scripts/check-layers.sh [source-root]   (default: the checkout this script is in)
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

# "| folder   |" lines of the picture, in order.
layers=$(sed -n 's/^| \([a-z/]*\) *|.*/\1/p' docs/architecture.md)
if [ -z "$layers" ]; then
  echo "docs/architecture.md: no layer picture found" >&2
  exit 1
fi

mapfile -t files < <(find src -name '*.h' -o -name '*.cpp' | LC_ALL=C sort)
awk -v layers="$layers" '
  BEGIN {
    count = split(layers, order, "\n")
    for (i = 1; i <= count; ++i) rank[order[i]] = i
  }
  # The deepest layer a path under src/ belongs to (app/services before app), or "".
  function layerOf(path,    parts, n, prefix, best, i) {
    n = split(path, parts, "/")
    prefix = ""
    best = ""
    for (i = 1; i < n; ++i) {
      prefix = (i == 1) ? parts[i] : prefix "/" parts[i]
      if (prefix in rank) best = prefix
    }
    return best
  }
  FNR == 1 {
    file = FILENAME
    own = layerOf(substr(file, 5))
    if (own == "") { print file ": in no layer of docs/architecture.md"; bad = 1 }
  }
  own != "" && /^[ \t]*#[ \t]*include[ \t]*"/ {
    target = $0
    sub(/^[^"]*"/, "", target)
    sub(/".*/, "", target)
    ++includes
    # A bare name is a neighbour in the same folder.
    if (index(target, "/") == 0) next
    reached = layerOf(target)
    if (reached == "") {
      print file ":" FNR ": includes \"" target "\", which is in no layer"
      bad = 1
    } else if (rank[reached] < rank[own]) {
      print file ":" FNR ": includes \"" target "\" of " reached ", above its own layer " own
      bad = 1
    }
  }
  END {
    if (bad) exit 1
    line = order[1]
    for (i = 2; i <= count; ++i) line = line " > " order[i]
    print includes " includes under src/ follow the layers: " line
  }
' "${files[@]}"
