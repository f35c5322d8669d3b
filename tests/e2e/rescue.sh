#!/usr/bin/env bash
# Backspace rescues a pod flown into the border: on the first circuit the player turns off
# the road and holds 'w' until the pod is held off the road, slow, with the way-back arrow
# shown; one press of Backspace puts it back on the road at rest, and the arrow goes.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
game_and_build "$1" "$2"
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"

# The way-back arrow, opaque yellow at the top middle, whichever way it turns.
ARROW_REGION="0.42 0.19 0.58 0.35"
ARROW="r>0.9 && g>0.9 && b<0.25"
arrow_shown() { check_share "$1" $ARROW_REGION "$ARROW" 0.04 1 "the way-back arrow"; }
arrow_gone() { check_share "$1" $ARROW_REGION "$ARROW" 0 0.003 "no way-back arrow"; }

# Off the road and held there with 'w' held: the arrow, and a speed under 100 or, where white
# rock under the display hides the digits, a view that has all but stopped.
held_off_the_road() { arrow_shown "$1" && { speed_below_100 "$1" || view_stopped "$1"; }; }

# Rescued, and staying so: no arrow and at rest in three screenshots in a row, a second apart.
RESCUED_SEEN=0
rescued() {
  if arrow_gone "$1" && braked "$1"; then RESCUED_SEEN=$(( RESCUED_SEEN + 1 )); else RESCUED_SEEN=0; fi
  [ "$RESCUED_SEEN" -ge 3 ] && return 0
  sleep 0.9
  return 1
}

start_display_with_screen_file
trap 'release w; finish; rm -rf "$SCREEN_DIR"' EXIT
start_game "$executable" "$build"
await rescue-menu 60 "the menu with the marker on circuit 0" marker_on 0
hold space
await rescue-race 60 "the race on circuit 0" in_race

# Half round to the left, then full thrust into whatever is there.
hold Left 1
press w
rm -f "$SCREEN_DIR/before.png"
await rescue-held 150 "the pod held off the road (arrow shown, speed under 100) with 'w' held" held_off_the_road
release w
hold BackSpace
rm -f "$SCREEN_DIR/before.png"
await rescue-done 60 "the pod back on the road at rest after Backspace (no arrow, at rest, in three screenshots)" rescued
echo "rescue end-to-end: ok (screenshots in $SHOTS)"
