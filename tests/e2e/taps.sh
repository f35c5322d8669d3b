#!/usr/bin/env bash
# Quick taps, each key let go at once as a hurried player does, act as surely as held keys:
# the menu's arrows, Space to race, Escape to leave the race and Escape to quit.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
executable=$1
build=$2
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"

# The marker stands above the given circuit's preview only.
marker_on() {  # CIRCUIT FILE
  local c x1 x2 value
  for c in 0 1 2; do
    x1=$(awk -v c=$c 'BEGIN { print 0.15 + 0.3 * c }')
    x2=$(awk -v c=$c 'BEGIN { print 0.25 + 0.3 * c }')
    value=$(share "$2" "$x1" 0.55 "$x2" 0.60 "r>0.5 && g>0.5 && b>0.5")
    if [ "$c" -eq "$1" ]; then at_least "$value" 0.05 || return 1
    else at_least 0.001 "$value" || return 1; fi
  done
}

# The head-up display's "POSITION", low on the left, where the menu and the loading picture
# leave the screen black.
in_race() { at_least "$(share "$1" 0.01 0.90 0.20 0.94 "r+g+b>2.3")" 0.08; }

start_display_with_screen_file
trap 'finish; rm -rf "$SCREEN_DIR"' EXIT
start_game "$executable" "$build"
sleep 1

# Each tap moves the marker one step: one that acted twice leaves it where no check expects it.
for step in "Right 1" "Right 2" "Right 0" "Left 2" "Return 1"; do
  set -- $step
  tap "$1"
  shown 3 marker_on "$2" || fail "a tap of $1 did not move the marker to circuit $2 (or moved it further)"
done

tap space
shown 10 in_race || fail "a tap of Space did not start a race"

tap Escape
shown 5 marker_on 1 || fail "a tap of Escape did not leave the race for the menu"
game_running || fail "a tap of Escape in the race ended the game"

tap Escape
wait_exit 10 || fail "a tap of Escape on the menu did not end the game"
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
echo "taps end-to-end: ok"
