#!/usr/bin/env bash
# Sets everything up, builds, and starts the game from the folder that holds its Data/.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh build
cd build
exec ./brenvask "$@"
