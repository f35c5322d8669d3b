#!/usr/bin/env bash
# Retakes the README's pictures in docs/ from the real game, played under a private Xvfb with
# xdotool as a player plays it (keys held a tenth of a second):
#   menu.png   the circuit menu;
#   race.png   the start of a race on the second circuit, in the chase view;
#   skies.png  the three skies from the cockpit (F1), one tile per circuit;
#   roads.png  the close chase view (F3) behind a computer pod ('+') on each circuit, taken
#              when the chevrons of a bend, a checkpoint's gate or the causeway is ahead;
#   screenshots/*.png  whole screens in full colour at the game's 1024 x 768 for the AppStream
#              metainfo: the three circuits' races from the cockpit, and the menu.
# Every step waits for the screen it needs, so a busy machine only makes it slower.
# Needs Xvfb, xdotool and ImageMagick (./test.sh installs them). Not a test. Run it by hand
# from the top folder after a change to how the game looks, then look at docs/ and commit:
#   scripts/readme-pictures.sh build/brenvask build
source "$(dirname "$0")/../tests/e2e/lib/common.bash"
source "$(dirname "$0")/../tests/e2e/lib/screen.bash"
[ $# -eq 2 ] || fail "usage: $0 EXECUTABLE BUILD_FOLDER"
executable=$(realpath "$1")
build=$(realpath "$2")
docs=$(realpath "$(dirname "$0")/../docs")
[ -f "$build/Data/font2.bmp" ] || fail "no generated Data/ in $build"
work=$(mktemp -d)

# Pixel conditions on r, g, b from 0 to 1.
YELLOW="r>0.5 && g>0.5 && b<r-0.25"
ENGINE="b>0.6 && b>r+0.25 && b>g+0.1"
HULL="r>0.6 && g>0.6 && b>0.6 && abs(r-b)<0.15"
DOME="b>0.6 && b>r+0.2"
RED="r>0.55 && g<0.35 && b<0.35"
POST="r>0.7 && g>0.55 && b<0.35"
SEA="g>r+0.1 && b>r+0.1"
STONE="r>g+0.15 && r>b+0.2 && r>0.45"

menu_on() {  # CIRCUIT FILE: the title, the previews and the marker above CIRCUIT
  check_share "$2" 0.15 0.05 0.85 0.25 "$YELLOW" 0.1 1 "title" &&
    check_share "$2" 0.37 0.64 0.63 0.86 "r+g+b>0.15" 0.95 1 "preview" && marker_on "$1" "$2"
}
# The start: pods ahead of the player's own, their engines glowing above its own.
# The player starts at the end of the row, so the others are small and off to one side.
pods_ahead() { in_race "$1" && check_share "$1" 0 0.28 1 0.47 "$ENGINE" 0.001 1 "engines ahead"; }
# Cockpit: no hull of the player's own pod in the lower middle, and no engines of it.
cockpit() {
  in_race "$1" && check_share "$1" 0.4 0.55 0.6 0.7 "$HULL" 0 0.1 "no hull" &&
    check_share "$1" 0.3 0.55 0.7 1 "$ENGINE" 0 0.002 "no engines"
}
# Close chase: the followed pod's hull fills the bottom middle, and its blue dome shows (a
# docked missile hides it and puts its flame in the middle of the picture).
close_view() {
  in_race "$1" && check_share "$1" 0.42 0.72 0.58 0.85 "$HULL" 0.3 1 "close hull" &&
    check_share "$1" 0.44 0.58 0.56 0.72 "$DOME" 0.05 1 "the pod's dome"
}
# The road's sights, each read before the view around it: most screens fail the first reading.
chevrons() { check_share "$1" 0 0.45 1 0.64 "$RED" 0.045 1 "chevrons ahead" && close_view "$1"; }
gate() {
  check_share "$1" 0 0.5 0.4 0.72 "$POST" 0.01 1 "left post" &&
    check_share "$1" 0.6 0.5 1 0.72 "$POST" 0.01 1 "right post" && close_view "$1"
}
causeway() {
  check_share "$1" 0.35 0.42 0.65 0.56 "$STONE" 0.3 1 "causeway ahead" &&
    check_share "$1" 0 0.4 0.35 0.65 "$SEA" 0.4 1 "sea on the left" &&
    check_share "$1" 0.65 0.4 1 0.65 "$SEA" 0.4 1 "sea on the right" && close_view "$1"
}

# take SECONDS NAME TEST [ARGS]: the screen TEST passes, kept as $work/NAME.png.
take() {
  local seconds=$1 name=$2
  shift 2
  SEEN=
  if ! shown "$seconds" "$@"; then
    cp "$SCREEN_DIR/shot.png" "/tmp/readme-pictures-$name.png" 2>/dev/null
    fail "$name: not seen within $seconds s (${SEEN:-the game ended?}); last screen /tmp/readme-pictures-$name.png"
  fi
  cp "$SCREEN_DIR/shot.png" "$work/$name.png"
}
next_circuit() { hold Right; take 30 "menu-$1" marker_on "$1"; }
start_race() { hold space; take 60 "race-$1" in_race; }
leave_race() { hold Escape; take 60 "left-$1" menu_on "$1"; }
# The sky's tile once the pods ahead have pulled away to specks on the horizon.
clear_sky() { cockpit "$1" && check_share "$1" 0.19 0.44 0.81 0.76 "$ENGINE" 0 0.0008 "pods in the way"; }
sky() { hold F1; take 60 "sky-$1" clear_sky; }

start_display_with_screen_file
RECORDER_PID=
trap '[ -n "$RECORDER_PID" ] && kill "$RECORDER_PID" 2>/dev/null; finish; rm -rf "$SCREEN_DIR" "$work"' EXIT
start_game "$executable" "$build"
take 60 menu menu_on 0

# The start on the second circuit is over within a second: every new screen is recorded
# from Space on, and the first with pods ahead is the picture.
next_circuit 1
record_from_space "$work/start" 90 60 || fail "no screen recorded"
for raw in "$work"/start/*.xwd; do
  SEEN=
  pods_ahead "$raw" && { to_png "$raw" "$work/race.png"; break; }
done
[ -f "$work/race.png" ] || fail "no pods ahead at the start: ${SEEN:-}"
rm -rf "$work/start"
shown 30 in_race || fail "no race on circuit 1"
sky 1
leave_race 1
next_circuit 2
start_race 2
sky 2
leave_race 2

# From here on the camera follows a computer pod, which keeps to the road; a new race keeps it.
# '+' held a tenth of a second moves the camera on by as many objects as frames are drawn, so
# it is held again until the close view shows a pod rather than a missile or a bonus.
follow_pod() {
  hold F3
  for _ in $(seq 40); do
    hold plus
    shown 5 close_view && return 0
  done
  fail "the camera never came to a pod"
}
road() { hold F3; take 180 "road-$1" "$2"; }
next_circuit 0
start_race 0
sky 0
follow_pod
road 0 chevrons
for next in "1 gate" "2 causeway"; do
  set -- $next
  leave_race $(( ($1 + 2) % 3 ))
  next_circuit "$1"
  start_race "$1"
  road "$1" "$2"
done
leave_race 2
expect_quit_on_escape

# Whole screens halved; the skies cut from above the horizon, clear of the display's text.
cd "$work" || fail "no $work"
convert menu.png -resize 640x480 -colors 256 +repage "PNG8:$docs/menu.png"
convert race.png -resize 640x480 -colors 256 +repage "PNG8:$docs/race.png"
convert sky-0.png sky-1.png sky-2.png -crop 640x480+192+100 +repage -resize 320x240 +append \
  -colors 256 +repage "PNG8:$docs/skies.png"
convert road-0.png road-1.png road-2.png -resize 512x384 +append -colors 256 +repage "PNG8:$docs/roads.png"
mkdir -p "$docs/screenshots"
for shot in sky-0:race-valley sky-1:race-pass sky-2:race-islands menu:menu; do
  convert "${shot%%:*}.png" -strip "PNG24:$docs/screenshots/${shot#*:}.png"
done
echo "README pictures written to $docs"
