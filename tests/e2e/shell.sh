#!/usr/bin/env bash
# The real executable as a player starts it: one line on standard output, a window,
# left Ctrl harmless, Escape ends it with status 0.
source "$(dirname "$0")/lib/common.bash"
executable=$1

workdir=$(mktemp -d)
trap 'finish; rm -rf "$workdir"' EXIT
start_display
start_game "$executable" "$workdir"

hold Control_L 0.4
hold Super_R 0.4
sleep 0.3
game_running || fail "left Ctrl or right Super ended the game"

expect_quit_on_escape
echo "shell end-to-end: ok"
