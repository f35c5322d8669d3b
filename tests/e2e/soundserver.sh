#!/usr/bin/env bash
# The game outlives its sound server: a private PulseAudio server with a null sink, in a
# private runtime folder, recorded from the sink's monitor with parec. Killed mid-race, the game
# goes on and its screen keeps changing; started again, the engines are heard within 5 s,
# without restarting the game; stderr then holds at most the loss and the return.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
game_and_build "$1" "$2"
command -v pulseaudio >/dev/null && command -v parec >/dev/null || fail "pulseaudio and parec (pulseaudio-utils) are needed"

PULSE=$(mktemp -d)
start_display_with_screen_file
stop_server() { [ -n "${SERVER_PID:-}" ] && kill "$SERVER_PID" 2>/dev/null; wait "${SERVER_PID:-}" 2>/dev/null; SERVER_PID=; }
stop_recording() { [ -n "${RECORDER_PID:-}" ] && kill "$RECORDER_PID" 2>/dev/null; RECORDER_PID=; }
trap 'finish; stop_recording; stop_server; rm -rf "$SCREEN_DIR" "$PULSE"' EXIT

# Every client of this test, the game included, talks to this server alone and never starts one.
mkdir -m 700 "$PULSE/run" "$PULSE/home"
export XDG_RUNTIME_DIR=$PULSE/run HOME=$PULSE/home PULSE_SERVER=unix:$PULSE/run/pulse/native
printf 'autospawn = no\n' >"$PULSE/client.conf"
export PULSE_CLIENTCONFIG=$PULSE/client.conf

server_answers() { pactl info >/dev/null 2>&1; }
start_server() {
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=file:"$PULSE/server.log" \
    -L module-native-protocol-unix -L "module-null-sink sink_name=brenvask" &
  SERVER_PID=$!
  poll 30 server_answers || fail "the private PulseAudio server did not answer within 30 s"
}
# record FILE: the sink's monitor, mono 16-bit at 22050 Hz, until stop_recording.
record() {
  parec -d brenvask.monitor --format=s16le --channels=1 --rate=22050 --raw >"$1" 2>/dev/null &
  RECORDER_PID=$!
}
peak() { sox -t raw -r 22050 -e signed -b 16 -c 1 "$1" -n stat 2>&1 | awk '/^Maximum amplitude/ { print $NF }'; }
heard() { [ "$(stat -c %s "$1")" -gt 4410 ] && awk -v p="$(peak "$1")" 'BEGIN { exit !(p > 0.01) }'; }
changed_from() { [ "$(awk -v d="$(difference "$1" "$2")" 'BEGIN { print (d > 0) }')" = 1 ]; }

start_server
ALSOFT_DRIVERS=pulse start_game "$executable" "$build"
await server-menu 60 "the menu" marker_on 0
hold space
await server-race 60 "a race" in_race
record "$PULSE/before.raw"
poll 10 heard "$PULSE/before.raw" || fail "no engines heard before the server went (peak $(peak "$PULSE/before.raw"))"
echo "before: peak $(peak "$PULSE/before.raw")"
stop_recording

# The server goes: the race runs on and keeps drawing.
{ kill -9 "$SERVER_PID"; wait "$SERVER_PID"; } 2>/dev/null
SERVER_PID=
lost_said() { grep -q 'lost' "$GAME_ERR"; }
poll 10 lost_said || fail "the loss was not noticed within 10 s: $(cat "$GAME_ERR")"
snap "$SHOTS/server-gone.png"
poll 30 snapped changed_from "$SHOTS/server-gone.png" || fail "the screen stopped changing without a server"
game_running || fail "the game ended when its sound server went: $(cat "$GAME_ERR")"

# Back: the engines return by themselves.
start_server
back_at=$(now_ms)
record "$PULSE/after.raw"
poll 5 heard "$PULSE/after.raw"
heard_after=$?
elapsed=$(( $(now_ms) - back_at ))
echo "after: peak $(peak "$PULSE/after.raw") within $elapsed ms of the server's return"
[ "$heard_after" -eq 0 ] || fail "no engines within 5 s of the server's return (peak $(peak "$PULSE/after.raw")); stderr: $(cat "$GAME_ERR")"
stop_recording

hold Escape
await server-menu-again 60 "the menu after the race" marker_on 0
expect_quit_on_escape
echo "stderr: $(cat "$GAME_ERR")"
[ "$(wc -l <"$GAME_ERR")" -le 2 ] || fail "more than the two lines on stderr"
grep -q 'back' "$GAME_ERR" || fail "the return was not said"
echo "sound server end-to-end: ok"
