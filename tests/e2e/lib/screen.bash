# Reading the game's screenshots by regions given in the game's own screen fractions
# (x from 0 at the left to 1 at the right, y from 0 at the top to 1 at the bottom), mapped
# as the text and the menu pictures are: onto the eye plane z = -100 under the 45-degree,
# 4/3 projection, on the 1024 x 768 screen.

# game_and_build EXECUTABLE BUILD: the two arguments every screen test takes; screenshots go
# to BUILD/screenshots, kept after the run.
game_and_build() {
  executable=$1
  build=$2
  SHOTS=$build/screenshots
  mkdir -p "$SHOTS"
}

# rect X1 Y1 X2 Y2: prints the ImageMagick geometry WxH+X+Y of the fraction rectangle.
rect() {
  awk -v x1="$1" -v y1="$2" -v x2="$3" -v y2="$4" 'BEGIN {
    hw = 100 * 0.41421356 * 4 / 3; hh = 100 * 0.41421356
    px1 = int(((110 * x1 - 55) / hw + 1) / 2 * 1024); px2 = int(((110 * x2 - 55) / hw + 1) / 2 * 1024)
    py1 = int((1 - ((40 - 80 * y1) / hh + 1) / 2) * 768); py2 = int((1 - ((40 - 80 * y2) / hh + 1) / 2) * 768)
    if (px1 < 0) px1 = 0; if (py1 < 0) py1 = 0
    if (px2 > 1024) px2 = 1024; if (py2 > 768) py2 = 768
    printf "%dx%d+%d+%d\n", px2 - px1, py2 - py1, px1, py1 }'
}

# share FILE X1 Y1 X2 Y2 CONDITION: the fraction (0..1) of the rectangle's pixels for which
# the ImageMagick -fx CONDITION (on r, g, b in 0..1) holds.
share() {
  local geometry sample=100%
  geometry=$(rect "$2" "$3" "$4" "$5")
  # Large regions are read on every other row and column: the share hardly moves, -fx is slow.
  [ "$(awk -v g="$geometry" 'BEGIN { split(g, s, /[x+]/); print (s[1] * s[2] > 40000) }')" = 1 ] && sample=50%
  # -fx on the red channel alone: one evaluation per pixel instead of three.
  convert "$1" -crop "$geometry" +repage -sample "$sample" -channel R -fx "$6" +channel \
    -format "%[fx:mean.r]\n" info: 2>/dev/null
}

# mean_rgb FILE X1 Y1 X2 Y2: the rectangle's mean colour as "R G B" (0..255).
mean_rgb() {
  convert "$1" -crop "$(rect "$2" "$3" "$4" "$5")" +repage -resize '1x1!' \
    -format "%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]\n" info: 2>/dev/null
}

# difference A B: root-mean-square difference of two screenshots, 0 (equal) .. 1.
difference() {
  compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}

# at_least VALUE LIMIT: true when VALUE >= LIMIT (decimals allowed).
at_least() { [ -n "$1" ] && [ -n "$2" ] && awk -v v="$1" -v l="$2" 'BEGIN { exit !(v >= l) }'; }

# start_display, but Xvfb also keeps its screen in a file, so that a screenshot is a
# plain file copy: asking the X server for the picture (import) can take seconds while the
# game keeps it busy with frames, and the loading picture is up for less than that.
start_display_with_screen_file() {
  SCREEN_DIR=$(mktemp -d)
  start_display "$SCREEN_DIR"
}

# grab FILE: the raw screen now (X window dump format), for snap or later conversion.
grab() { cp "$SCREEN_DIR/Xvfb_screen0" "$1"; }

# to_png RAW PNG: converts a grabbed screen.
to_png() { convert "xwd:$1" "png:$2" 2>/dev/null || fail "could not convert $1"; }

# snap FILE: the whole screen as PNG, at once.
snap() {
  grab "$1.xwd"
  to_png "$1.xwd" "$1"
  rm -f "$1.xwd"
}

# deviation FILE X1 Y1 X2 Y2: the rectangle's standard deviation (0..1): near 0 for a flat colour.
deviation() {
  convert "$1" -crop "$(rect "$2" "$3" "$4" "$5")" +repage -colorspace gray -format "%[fx:standard_deviation]\n" info: 2>/dev/null
}

# shown SECONDS TEST [ARGS]: screenshots (into $SCREEN_DIR/shot.png) until TEST ARGS FILE
# passes on one, or SECONDS pass: a busy machine may take a while to draw the next frame.
shown() {
  local seconds=$1
  shift
  poll "$seconds" snapped "$@"
}
snapped() { snap "$SCREEN_DIR/shot.png" && "$@" "$SCREEN_DIR/shot.png"; }

# A test that reads a screenshot and fails records what it measured in SEEN.
SEEN=
snapped_or_ended() { game_ended || snapped "$@"; }

# await NAME SECONDS WHAT TEST [ARGS]: shown, keeping the last screenshot as $SHOTS/NAME.png;
# stops early when the game ends. On failure names the screenshot and what TEST measured.
await() {
  local seconds=$2 what=$3 kept=$SHOTS/$1.png
  shift 3
  SEEN=
  poll "$seconds" snapped_or_ended "$@"
  local passed=$?
  [ -f "$SCREEN_DIR/shot.png" ] && cp "$SCREEN_DIR/shot.png" "$kept"
  game_running || fail "the game ended while waiting for $what (last screenshot $kept)"
  [ "$passed" -eq 0 ] || fail "$what: not seen within $seconds s; last screenshot $kept: ${SEEN:-nothing measured}"
}

# check_share FILE X1 Y1 X2 Y2 CONDITION MIN MAX WHAT: the share lies in MIN .. MAX; if not,
# SEEN says by how much it missed.
check_share() {
  local value
  value=$(share "$1" "$2" "$3" "$4" "$5" "$6")
  [ -n "$value" ] || { SEEN="could not read the screenshot"; return 1; }
  at_least "$value" "$7" && at_least "$8" "$value" && return 0
  SEEN="$9: share $value outside $7 .. $8"
  return 1
}

# in_race FILE: the head-up display's "POSITION", low on the left, where the menu and the
# loading picture leave the screen black. Text is added to what lies behind it: near white.
in_race() { check_share "$1" 0.01 0.90 0.20 0.94 "r+g+b>2.3" 0.08 1 "\"POSITION\""; }

# HUD text is added to what lies behind it, so over the sky or the ground it is near white.
HUD_TEXT="r+g+b>2.3"

# The hundreds and tens cells of the speed ("%3d"): blank below 10, both digits from 100 on.
speed_hundreds_lit() { check_share "$1" 0.75 0.95 0.82 0.99 "$HUD_TEXT" 0.05 1 "hundreds of the speed"; }
speed_tens_lit() { check_share "$1" 0.82 0.95 0.89 0.99 "$HUD_TEXT" 0.05 1 "tens of the speed"; }
speed_below_100() { check_share "$1" 0.75 0.95 0.82 0.99 "$HUD_TEXT" 0 0.01 "blank hundreds of the speed"; }
speed_below_10() {  # FILE
  speed_below_100 "$1" && check_share "$1" 0.82 0.95 0.89 0.99 "$HUD_TEXT" 0 0.01 "blank tens of the speed"
}

# view_stopped FILE: the view has all but stopped since the screenshot the call before was
# given (none the first time: remove $SCREEN_DIR/before.png before a new wait).
view_stopped() {
  local before=$SCREEN_DIR/before.png value
  if [ -f "$before" ]; then
    value=$(difference "$before" "$1")
    at_least 0.1 "$value" && return 0
    SEEN="${SEEN:+$SEEN; and }the view still moves (difference ${value:-unknown} from the screenshot before)"
  fi
  cp "$1" "$before"
  return 1
}

# Braked: the speed reads below 10 or, where white ground under the display hides the
# digits, the view has all but stopped since the screenshot before.
braked() { speed_below_10 "$1" || view_stopped "$1"; }

# marker_on CIRCUIT FILE: the menu's marker stands above the given circuit's preview and
# above no other.
marker_on() {
  local c x1 x2
  for c in 0 1 2; do
    x1=$(awk -v c=$c 'BEGIN { print 0.15 + 0.3 * c }')
    x2=$(awk -v c=$c 'BEGIN { print 0.25 + 0.3 * c }')
    if [ "$c" -eq "$1" ]; then
      check_share "$2" "$x1" 0.55 "$x2" 0.60 "r>0.5 && g>0.5 && b>0.5 && abs(r-b)<0.2" 0.05 1 "marker above circuit $c"
    else
      check_share "$2" "$x1" 0.55 "$x2" 0.60 "r+g+b>1.2" 0 0.001 "no marker above circuit $c"
    fi || return 1
  done
}

# record_screens DIR COUNT SECONDS: copies the raw screen into DIR/0001.xwd, 0002.xwd, ...
# each time it differs from the copy before, until COUNT copies are kept or SECONDS pass;
# run in the background, it keeps a picture that is up only briefly however busy the
# machine is, and skips the frames that repeat the one before.
record_screens() {
  local dir=$1 count=$2 deadline=$(( $(now_ms) + $3 * 1000 )) kept=0 last=
  mkdir -p "$dir"
  while [ "$kept" -lt "$count" ] && [ "$(now_ms)" -lt "$deadline" ]; do
    grab "$dir/next"
    if [ -z "$last" ] || ! cmp -s "$dir/next" "$last"; then
      kept=$(( kept + 1 ))
      last=$dir/$(printf %04d "$kept").xwd
      mv "$dir/next" "$last"
    fi
  done
  rm -f "$dir/next"
}

# record_from_space DIR COUNT SECONDS: records every changed screen (record_screens) from just
# before Space is held until COUNT are kept or SECONDS pass. RECORDER_PID names the recorder
# meanwhile, so that a trap can stop it.
record_from_space() {
  record_screens "$1" "$2" "$3" &
  RECORDER_PID=$!
  poll 30 test -e "$1/0001.xwd" || return 1
  hold space
  wait "$RECORDER_PID"
  RECORDER_PID=
}
