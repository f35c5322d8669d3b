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

hold Escape 0.4
wait_exit 10 || fail "Escape did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
[ "$(cat "$GAME_OUT")" = "Chargement en cours ..." ] || fail "unexpected output: $(cat "$GAME_OUT")"
[ "$(wc -c <"$GAME_OUT")" -eq 24 ] || fail "output is not exactly one line"
echo "shell end-to-end: ok"
