#!/usr/bin/env bash
# The whole game as a player uses it, on the real executable under Xvfb, from the build
# folder with the generated Data/: the menu, the loading picture, a race on each circuit
# with the head-up display, thrust and brake, back to the menu and out.
# Screenshots stay in <build>/screenshots for anyone to look at.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
game_and_build "$1" "$2"
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"

# Pixel conditions, on r, g, b from 0 to 1. Text is added to what lies behind it: black on
# the first menu, the fog colour (dark blue) once a race has set it as the clear colour.
YELLOW="r>0.5 && g>0.5 && b<r-0.25"
RED="r>0.5 && g<r-0.35 && b<r-0.35"
# Brighter than either background.
DRAWN="r+g+b>1.2"
LIT="r+g+b>0.15"
# The red HUD labels over a blue or grey sky: red saturates, green stays below it.
HUD_RED="r>0.85 && g<r-0.2"

menu_shown() {  # CIRCUIT FILE
  check_share "$2" 0.15 0.05 0.85 0.25 "$YELLOW" 0.1 1 "yellow title" &&
    check_share "$2" 0.35 0.40 0.65 0.50 "$RED" 0.05 1 "red heading" &&
    # The previews fill eye x -50..-20, -15..15, 20..50 and y -30..-10; black between them.
    check_share "$2" 0.06 0.64 0.30 0.86 "$LIT" 0.95 1 "preview 0" &&
    check_share "$2" 0.37 0.64 0.63 0.86 "$LIT" 0.95 1 "preview 1" &&
    check_share "$2" 0.70 0.64 0.94 0.86 "$LIT" 0.95 1 "preview 2" &&
    check_share "$2" 0.32 0.64 0.35 0.86 "$DRAWN" 0 0.01 "gap between previews" &&
    marker_on "$1" "$2"
}

race_shown() {  # FILE
  # "POSITION" first: the menu and the loading picture leave that corner black.
  in_race "$1" &&
    check_share "$1" 0.01 0.80 0.20 0.84 "$HUD_TEXT" 0.08 1 "\"TEMPS\"" &&
    check_share "$1" 0.75 0.90 0.96 0.94 "$HUD_TEXT" 0.08 1 "\"VITESSE\"" &&
    check_share "$1" 0.01 0.01 0.10 0.05 "$HUD_RED" 0.04 1 "red \"FPS\"" &&
    check_share "$1" 0.90 0.01 0.99 0.05 "$HUD_RED" 0.04 1 "red \"TOUR\"" &&
    # At least one digit under "FPS".
    check_share "$1" 0.01 0.052 0.10 0.11 "$HUD_TEXT" 0.05 1 "frame rate value" &&
    # Sky above the horizon, lit ground below it.
    check_share "$1" 0.3 0.12 0.7 0.16 "$LIT" 0.99 1 "sky" &&
    check_share "$1" 0.3 0.55 0.7 0.75 "$LIT" 0.99 1 "ground"
}

# changed_from PREVIOUS LIMIT FILE: the screenshots differ by LIMIT or more.
changed_from() {
  local value
  value=$(difference "$1" "$3")
  at_least "$value" "$2" && return 0
  SEEN="difference ${value:-unknown} from $(basename "$1"), below $2"
  return 1
}

# Thrust on circuit 0: a speed of 100 or more, and a view that has moved since the start.
thrusting() {  # FILE
  speed_hundreds_lit "$1" && speed_tens_lit "$1" && changed_from "$SHOTS/race-0.png" 0.05 "$1"
}

# Starts the race on the circuit the marker is on, and waits for its head-up display, which
# stays. The loading picture and the pods ahead at the start are up for a moment only, which a
# busy machine may never show: the drawing tests check them (MenuDrawing, StartGrid).
start_race() {  # CIRCUIT
  hold space
  await "race-$1" 60 "the race on circuit $1 with its head-up display" race_shown
}

leave_race() {  # CIRCUIT
  hold Escape
  await "menu-after-$1" 60 "the menu with the marker on circuit $1 after Escape in the race" menu_shown "$1"
}

start_display_with_screen_file
trap 'finish; rm -rf "$SCREEN_DIR"' EXIT
start_game "$executable" "$build"

# The menu, and the arrows moving the marker.
await menu 60 "the menu with the marker on circuit 0" menu_shown 0
hold Right
await menu-right 30 "the marker on circuit 1 after Right" marker_on 1
hold Left
await menu-left 30 "the marker on circuit 0 after Left" marker_on 0

# Circuit 0, raced in full: thrust and brake.
start_race 0
# The Space that started the race left the missile loaded; a press in the race fires it, so
# that its blinking sign stays out of the comparisons below.
hold space
press w
await race-0-thrust 60 "a speed of 100 or more and a moving view while 'w' is held" thrusting
release w
rm -f "$SCREEN_DIR/before.png"
press x
await race-0-braked 60 "a speed below 10 or a still view while 'x' is held" braked
release x
# The three views (F1 to F3) change a picture that time also moves: the drawing tests check
# them with the clock held still (RaceFrame).
leave_race 0

# Circuits 1 and 2: each loads, races and returns with the marker on it.
for circuit in 1 2; do
  hold Right
  await "menu-$circuit" 30 "the marker on circuit $circuit after Right" marker_on "$circuit"
  start_race "$circuit"
  press w
  await "race-$circuit-thrust" 60 "a speed of 10 or more while 'w' is held on circuit $circuit" speed_tens_lit
  release w
  leave_race "$circuit"
done

# Escape on the menu ends the process cleanly, having printed only its one line.
expect_quit_on_escape
echo "game end-to-end: ok (screenshots in $SHOTS)"
