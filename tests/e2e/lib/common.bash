# Shared helpers for the end-to-end tests: a private Xvfb display, the game started from a
# given folder, keys held and released with xdotool, screenshots read by pixel colour.
# Usage in a test: source this file, then start_display, start_game DIR, ... , finish.

set -uo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_display [FOLDER]: a free display; with FOLDER, Xvfb also keeps its screen there.
start_display() {
  local screen_file=()
  [ $# -gt 0 ] && screen_file=(-fbdir "$1")
  for display_number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ] && continue
    Xvfb ":$display_number" -screen 0 1024x768x24 -nolisten tcp "${screen_file[@]}" >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$display_number"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  fail "no Xvfb display could be started"
}

# start_game EXECUTABLE WORKDIR: runs the game there, stdout to $GAME_OUT.
start_game() {
  local executable=$1 workdir=$2
  GAME_OUT=$(mktemp)
  GAME_ERR=$(mktemp)
  (cd "$workdir" && exec "$executable") >"$GAME_OUT" 2>"$GAME_ERR" &
  GAME_PID=$!
  for _ in $(seq 100); do
    WINDOW=$(xdotool search --name Brenvask 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] && { sleep 0.5; return 0; }
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before showing a window: $(cat "$GAME_ERR")"
    sleep 0.1
  done
  fail "no window titled Brenvask appeared"
}

game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

# hold KEY SECONDS: key down, wait, key up (the game reads held keys once per frame).
hold() {
  press "$1"
  sleep "$2"
  release "$1"
}

# tap KEY: down and up back to back (no delay between them), as a rule within one frame.
tap() { xdotool key --delay 0 --window "$WINDOW" "$1" 2>/dev/null || xdotool key --delay 0 "$1"; }

# press KEY / release KEY: the two halves of a hold, for keys held across other steps.
press() { xdotool keydown --window "$WINDOW" "$1" 2>/dev/null || xdotool keydown "$1"; }
release() { xdotool keyup --window "$WINDOW" "$1" 2>/dev/null || xdotool keyup "$1"; }

# expect_quit_on_escape: Escape ends the game with status 0, having printed only its one line.
expect_quit_on_escape() {
  hold Escape 0.4
  wait_exit 10 || fail "Escape did not end the game"
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS"
  [ "$(cat "$GAME_OUT")" = "Chargement en cours ..." ] || fail "unexpected output: $(cat "$GAME_OUT")"
  [ "$(wc -c <"$GAME_OUT")" -eq 24 ] || fail "output is not exactly one line"
}

# poll SECONDS COMMAND [ARGS]: runs COMMAND every tenth of a second until it succeeds, or
# fails once SECONDS have passed.
poll() {
  local tries=$(( $1 * 10 ))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# wait_exit SECONDS: waits for the game to end; sets GAME_STATUS.
wait_exit() {
  for _ in $(seq $(( $1 * 10 ))); do
    if ! game_running; then
      wait "$GAME_PID"
      GAME_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  return 1
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
  rm -f "${GAME_OUT:-}" "${GAME_ERR:-}"
}
trap finish EXIT
