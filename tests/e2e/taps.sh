#!/usr/bin/env bash
# Quick taps, each key let go at once as a hurried player does, act as surely as held keys:
# the menu's arrows, Space to race, Escape to leave the race and Escape to quit.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
game_and_build "$1" "$2"
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"

start_display_with_screen_file
trap 'finish; rm -rf "$SCREEN_DIR"' EXIT
start_game "$executable" "$build"
await taps-menu 60 "the menu with the marker on circuit 0" marker_on 0

# Each tap moves the marker one step: one that acted twice leaves it where no check expects it.
for step in "Right 1" "Right 2" "Right 0" "Left 2" "Return 1"; do
  set -- $step
  tap "$1"
  await "taps-$1-$2" 30 "the marker on circuit $2 after a tap of $1 (not further)" marker_on "$2"
done

tap space
await taps-race 60 "a race after a tap of Space" in_race

tap Escape
await taps-menu-after 60 "the menu with the marker on circuit 1 after a tap of Escape in the race" marker_on 1

tap Escape
wait_exit 30 || fail "a tap of Escape on the menu did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
echo "taps end-to-end: ok"
