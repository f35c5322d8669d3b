#!/usr/bin/env bash
# The whole game as a player uses it, on the real executable under Xvfb, from the build
# folder with the generated Data/: the menu, the loading picture, a race on each circuit
# with the head-up display, thrust, the three views, back to the menu and out.
# Screenshots stay in <build>/screenshots for anyone to look at.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
executable=$1
build=$2
shots=$build/screenshots
mkdir -p "$shots"
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"

# Pixel conditions, on r, g, b from 0 to 1. Text is added to what lies behind it: black on
# the first menu, the fog colour (dark blue) once a race has set it as the clear colour.
YELLOW="r>0.5 && g>0.5 && b<r-0.25"
RED="r>0.5 && g<r-0.35 && b<r-0.35"
# Brighter than either background.
DRAWN="r+g+b>1.2"
WHITE="r>0.5 && g>0.5 && b>0.5 && abs(r-b)<0.2"
LIT="r+g+b>0.15"
# HUD text is added to what lies behind it, so over the sky or the ground it is near white.
HUD_TEXT="r+g+b>2.3"
# The red HUD labels over a blue or grey sky: red saturates, green stays below it.
HUD_RED="r>0.85 && g<r-0.2"

expect_share() {  # FILE X1 Y1 X2 Y2 CONDITION MIN MAX WHAT
  local value
  value=$(share "$1" "$2" "$3" "$4" "$5" "$6")
  [ -n "$value" ] || fail "could not read $1"
  at_least "$value" "$7" && at_least "$8" "$value" ||
    fail "$9: share $value outside $7 .. $8 in $(basename "$1")"
}

# The marker stands above the given circuit's preview and above no other.
expect_marker_on() {  # FILE CIRCUIT
  local c
  for c in 0 1 2; do
    local x1 x2
    x1=$(awk -v c=$c 'BEGIN { print 0.15 + 0.3 * c }')
    x2=$(awk -v c=$c 'BEGIN { print 0.25 + 0.3 * c }')
    if [ "$c" -eq "$2" ]; then
      expect_share "$1" "$x1" 0.55 "$x2" 0.60 "$WHITE" 0.05 1 "marker above circuit $c"
    else
      expect_share "$1" "$x1" 0.55 "$x2" 0.60 "$DRAWN" 0 0.001 "no marker above circuit $c"
    fi
  done
}

expect_menu() {  # FILE CIRCUIT
  expect_share "$1" 0.15 0.05 0.85 0.25 "$YELLOW" 0.1 1 "yellow title"
  expect_share "$1" 0.35 0.40 0.65 0.50 "$RED" 0.05 1 "red heading"
  # The previews fill eye x -50..-20, -15..15, 20..50 and y -30..-10; black between them.
  expect_share "$1" 0.06 0.64 0.30 0.86 "$LIT" 0.95 1 "preview 0"
  expect_share "$1" 0.37 0.64 0.63 0.86 "$LIT" 0.95 1 "preview 1"
  expect_share "$1" 0.70 0.64 0.94 0.86 "$LIT" 0.95 1 "preview 2"
  expect_share "$1" 0.32 0.64 0.35 0.86 "$DRAWN" 0 0.01 "gap between previews"
  expect_marker_on "$1" "$2"
}

# The loading picture: the chosen preview over most of the screen and the red message
# (added to the picture, so red shows as a saturated red channel).
is_loading_picture() {  # FILE
  at_least "$(share "$1" 0.35 0.41 0.65 0.49 "$HUD_RED")" 0.05 &&
    at_least "$(share "$1" 0.05 0.15 0.95 0.35 "$LIT")" 0.95
}

# Pods ahead of the player's own in the chase view: their engines glow blue below the horizon.
shows_pods_ahead() {  # FILE
  at_least "$(share "$1" 0.0 0.28 1.0 0.47 "b>0.6 && b>r+0.25 && b>g+0.1")" 0.002
}

expect_race() {  # FILE
  expect_share "$1" 0.01 0.80 0.20 0.84 "$HUD_TEXT" 0.08 1 "\"TEMPS\""
  expect_share "$1" 0.01 0.90 0.20 0.94 "$HUD_TEXT" 0.08 1 "\"POSITION\""
  expect_share "$1" 0.75 0.90 0.96 0.94 "$HUD_TEXT" 0.08 1 "\"VITESSE\""
  expect_share "$1" 0.01 0.01 0.10 0.05 "$HUD_RED" 0.04 1 "red \"FPS\""
  expect_share "$1" 0.90 0.01 0.99 0.05 "$HUD_RED" 0.04 1 "red \"TOUR\""
  # The frame rate has been measured by now: at least one digit under "FPS".
  expect_share "$1" 0.01 0.052 0.10 0.11 "$HUD_TEXT" 0.05 1 "frame rate value"
  # Sky above the horizon, lit ground below it.
  expect_share "$1" 0.3 0.12 0.7 0.16 "$LIT" 0.99 1 "sky"
  expect_share "$1" 0.3 0.55 0.7 0.75 "$LIT" 0.99 1 "ground"
}

# The hundreds and tens cells of the speed ("%3d"): blank below 10, both digits from 100 on.
speed_hundreds() { share "$1" 0.75 0.95 0.82 0.99 "$HUD_TEXT"; }
speed_tens() { share "$1" 0.82 0.95 0.89 0.99 "$HUD_TEXT"; }

# Starts the race on the circuit the marker is on; leaves a race screenshot in $2.
# Set-up loads the whole circuit in one frame with the loading picture up meanwhile, and
# the computer pods leave the start within a second: both are caught by grabbing the
# screen every few hundredths of a second.
start_race() {  # CIRCUIT FILE
  local raw=$shots/raw-$1 n found=
  rm -rf "$raw"
  mkdir -p "$raw"
  press space
  for n in $(seq -w 40); do grab "$raw/$n.xwd"; sleep 0.03; done
  release space
  game_running || fail "the game ended while loading circuit $1"
  for n in $(seq -w 40); do
    to_png "$raw/$n.xwd" "$raw/$n.png"
    if [ -z "$found" ] && is_loading_picture "$raw/$n.png"; then
      found=$n
      cp "$raw/$n.png" "$shots/loading-$1.png"
    elif [ -n "$found" ] && ! is_loading_picture "$raw/$n.png" && shows_pods_ahead "$raw/$n.png"; then
      cp "$raw/$n.png" "$shots/race-$1-start.png"
      break
    fi
  done
  rm -rf "$raw"
  [ -n "$found" ] || fail "no loading picture seen for circuit $1"
  [ -f "$shots/race-$1-start.png" ] || fail "no pods seen ahead at the start on circuit $1"
  sleep 2  # the frame-rate window has closed at least once
  snap "$2"
  expect_race "$2"
}

leave_race() {  # CIRCUIT
  hold Escape 0.2
  sleep 1
  game_running || fail "Escape in the race ended the game"
  snap "$shots/menu-after-$1.png"
  expect_menu "$shots/menu-after-$1.png" "$1"
}

start_display_with_screen_file
trap 'finish; rm -rf "$SCREEN_DIR"' EXIT
start_game "$executable" "$build"
sleep 1

# The menu, and the arrows moving the marker.
snap "$shots/menu.png"
expect_menu "$shots/menu.png" 0
hold Right 0.1
sleep 0.4
snap "$shots/menu-right.png"
expect_marker_on "$shots/menu-right.png" 1
hold Left 0.1
sleep 0.4
snap "$shots/menu-left.png"
expect_marker_on "$shots/menu-left.png" 0

# Circuit 0, raced in full: thrust, brake, the three views.
start_race 0 "$shots/race-0.png"
press w
sleep 2.5
snap "$shots/race-0-thrust.png"
release w
at_least "$(speed_hundreds "$shots/race-0-thrust.png")" 0.05 && at_least "$(speed_tens "$shots/race-0-thrust.png")" 0.05 ||
  fail "holding 'w' gave no speed of 100 or more"
at_least "$(difference "$shots/race-0.png" "$shots/race-0-thrust.png")" 0.05 || fail "holding 'w' did not change the view"
hold x 2
# Views: each key changes the picture much more than time alone does.
snap "$shots/race-0-f2-a.png"
sleep 0.3
snap "$shots/race-0-f2-b.png"
still=$(difference "$shots/race-0-f2-a.png" "$shots/race-0-f2-b.png")
previous="$shots/race-0-f2-b.png"
for key in F1 F3 F2; do
  hold "$key" 0.2
  sleep 0.3
  snap "$shots/race-0-$key.png"
  changed=$(difference "$previous" "$shots/race-0-$key.png")
  at_least "$changed" "$(awk -v s="$still" 'BEGIN { print 2 * s + 0.02 }')" ||
    fail "$key did not change the view ($changed against $still without a key)"
  previous="$shots/race-0-$key.png"
done
leave_race 0

# Circuits 1 and 2: each loads, races and returns with the marker on it.
for circuit in 1 2; do
  hold Right 0.1
  sleep 0.4
  start_race "$circuit" "$shots/race-$circuit.png"
  hold w 1
  game_running || fail "circuit $circuit ended the game"
  leave_race "$circuit"
done

# Escape on the menu ends the process cleanly, having printed only its one line.
expect_quit_on_escape
echo "game end-to-end: ok (screenshots in $shots)"
