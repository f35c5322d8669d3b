# Shared helpers for the end-to-end tests: a private Xvfb display, the game started from a
# given folder, keys held and released with xdotool, screenshots read by pixel colour.
# Usage in a test: source this file, then start_display, start_game DIR, ... , finish.
# Every wait is for an effect, with a deadline on the wall clock: a busy machine draws
# slowly, so a fixed pause that suffices on a quiet one may not on a loaded one.

set -uo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# now_ms: milliseconds on the wall clock.
now_ms() { local micro=${EPOCHREALTIME/[.,]/}; echo $(( micro / 1000 )); }

# poll SECONDS COMMAND [ARGS]: runs COMMAND every tenth of a second until it succeeds, or
# fails once SECONDS (a whole number) have passed. A slow COMMAND does not stretch the deadline.
poll() {
  local deadline=$(( $(now_ms) + $1 * 1000 ))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

display_answers() { xdpyinfo >/dev/null 2>&1 || ! kill -0 "$XVFB_PID" 2>/dev/null; }

# Our own Xvfb holds the display: another test may have started one on the same number
# between the check for a free number and the start, and that one answers too.
display_ours() {
  kill -0 "$XVFB_PID" 2>/dev/null && [ "$(tr -d ' \n' <"/tmp/.X$1-lock" 2>/dev/null)" = "$XVFB_PID" ]
}

# start_display [FOLDER]: a free display; with FOLDER, Xvfb also keeps its screen there.
# -noreset: by default the server resets each time its last client leaves, and a game that
# connects during that reset (just after a check with xdpyinfo) cannot open the display.
start_display() {
  local screen_file=()
  [ $# -gt 0 ] && screen_file=(-fbdir "$1")
  for display_number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ] && continue
    Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp -noreset "${screen_file[@]}" >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display_number"
    poll 30 display_answers && xdpyinfo >/dev/null 2>&1 && display_ours "$display_number" && return 0
    kill "$XVFB_PID" 2>/dev/null
  done
  fail "no Xvfb display could be started"
}

# The screen is no longer black: the game has drawn its first picture.
screen_drawn() {
  local shot=$1
  if [ -n "${SCREEN_DIR:-}" ]; then grab "$shot"; else import -window root "$shot" 2>/dev/null || return 1; fi
  [ "$(convert "$shot" -format "%[fx:mean>0.01]" info: 2>/dev/null)" = 1 ]
}

game_up() {
  ! game_running && return 0
  WINDOW=$(xdotool search --name Brenvask 2>/dev/null | head -n 1)
  [ -n "$WINDOW" ] && screen_drawn "$GAME_FIRST_SHOT"
}

# start_game EXECUTABLE WORKDIR [ARGS]: runs the game there, stdout to $GAME_OUT; returns once
# its window is up and the game has drawn into it.
start_game() {
  local executable=$1 workdir=$2
  shift 2
  GAME_OUT=$(mktemp)
  GAME_ERR=$(mktemp)
  local kind=png
  [ -n "${SCREEN_DIR:-}" ] && kind=xwd
  GAME_FIRST_SHOT=$(mktemp --suffix=".$kind")
  (cd "$workdir" && exec "$executable" "$@") >"$GAME_OUT" 2>"$GAME_ERR" &
  GAME_PID=$!
  poll 60 game_up || fail "no window titled Brenvask with a picture in it within 60 s"
  game_running || fail "the game ended before showing a window: $(cat "$GAME_ERR")"
}

game_running() { kill -0 "$GAME_PID" 2>/dev/null; }
game_ended() { ! game_running; }

# hold KEY [SECONDS]: key down, about a tenth of a second (or SECONDS), key up, as a person
# presses a key (the game reads held keys once per frame). One xdotool run, so that starting
# a second program on a busy machine cannot lengthen the hold.
hold() {
  local key=$1 seconds=${2:-0.1}
  xdotool keydown --window "$WINDOW" "$key" sleep "$seconds" keyup --window "$WINDOW" "$key" 2>/dev/null ||
    xdotool keydown "$key" sleep "$seconds" keyup "$key"
}

# tap KEY: down and up back to back (no delay between them), as a rule within one frame.
tap() { xdotool key --delay 0 --window "$WINDOW" "$1" 2>/dev/null || xdotool key --delay 0 "$1"; }

# press KEY / release KEY: the two halves of a hold, for keys held across other steps.
press() { xdotool keydown --window "$WINDOW" "$1" 2>/dev/null || xdotool keydown "$1"; }
release() { xdotool keyup --window "$WINDOW" "$1" 2>/dev/null || xdotool keyup "$1"; }

# expect_quit_on_escape: Escape ends the game with status 0, having printed only its one line.
expect_quit_on_escape() {
  hold Escape
  wait_exit 30 || fail "Escape did not end the game within 30 s"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
  [ "$(cat "$GAME_OUT")" = "Chargement en cours ..." ] || fail "unexpected output: $(cat "$GAME_OUT")"
  [ "$(wc -c <"$GAME_OUT")" -eq 24 ] || fail "output is not exactly one line"
}

# wait_exit SECONDS: waits for the game to end; sets GAME_STATUS.
wait_exit() {
  poll "$1" game_ended || return 1
  wait "$GAME_PID"
  GAME_STATUS=$?
}

# screenshot FILE: the whole screen as PNG.
screenshot() { import -window root "$1" 2>/dev/null || fail "screenshot failed"; }

# pixel FILE X Y: prints "R G B" (0..255) of one pixel, (0, 0) at the top left.
pixel() {
  convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n '2s/.*(\([0-9.]*\),\([0-9.]*\),\([0-9.]*\).*/\1 \2 \3/p' | awk '{printf "%d %d %d\n", $1, $2, $3}'
}

finish() {
  if [ -n "${GAME_PID:-}" ] && game_running; then kill "$GAME_PID" 2>/dev/null; fi
  if [ -n "${XVFB_PID:-}" ]; then kill "$XVFB_PID" 2>/dev/null; fi
  rm -f "${GAME_OUT:-}" "${GAME_ERR:-}" "${GAME_FIRST_SHOT:-}"
}
trap finish EXIT
