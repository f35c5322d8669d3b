#!/usr/bin/env bash
# Installs what the game needs, builds only the game and its Data/, and starts it there.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --play build
cd build
exec ./brenvask "$@"
