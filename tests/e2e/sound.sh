#!/usr/bin/env bash
# The game heard: OpenAL's wave writer records what it plays while a player moves the menu
# marker, starts a race, stands still, fires and thrusts; the recording is then measured over
# time windows. Times in the recording come from its size when each key goes down (the writer
# keeps pace with the clock). Then the game without a usable sound backend, and with --mute,
# still runs, races and quits as before.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
game_and_build "$1" "$2"
[ -f "$build/Data/engine.wav" ] || fail "no generated sounds in $build/Data"


RECORDING=$(mktemp -d)
start_display_with_screen_file
trap 'finish; rm -rf "$SCREEN_DIR" "$RECORDING"' EXIT
REC=$RECORDING/race.wav
# In stereo, as a player hears it; each window is measured on the left channel.
printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 22050\n[wave]\nfile = %s\n' "$REC" \
  >"$RECORDING/alsoft.conf"
BYTES_PER_SECOND=88200

recorded() { stat -c %s "$REC" 2>/dev/null || echo 0; }
# recorded_past BYTES SECONDS: the recording holds SECONDS more than it did at BYTES.
recorded_past() { [ "$(recorded)" -ge $(( $1 + ${2%.*} * BYTES_PER_SECOND + 4096 )) ]; }
# grow SECONDS: waits until that much more has been recorded.
grow() { local from; from=$(recorded); poll $(( $1 * 4 + 30 )) recorded_past "$from" "$1" || fail "the recording stopped growing"; }

# A session that stands, fires and thrusts, noting where in the recording each key went down.
# Started from the recording's folder with ALSOFT_CONF relative to it: the game changes into
# its own folder, which holds Data/, and must still find the file.
ALSOFT_DRIVERS=wave ALSOFT_CONF=alsoft.conf start_game "$executable" "$RECORDING"
await sound-menu 60 "the menu" marker_on 0
grow 1
at_right=$(recorded)
hold Right
await sound-marker 30 "the marker on circuit 1" marker_on 1
grow 1
hold space
await sound-race 60 "a race" in_race
grow 3  # the computer pods fly off; the player's pod stands still
at_still=$(recorded)
grow 2
at_fire=$(recorded)
hold space
grow 2
at_thrust=$(recorded)
press w
grow 4
at_thrust_end=$(recorded)
release w
hold Escape
await sound-menu-again 60 "the menu after the race" marker_on 1
at_menu=$(recorded)
expect_quit_on_escape

# Seconds into the sound data for a size noted during the run: the header is what the
# finished file holds beyond its samples.
samples=$(soxi -s "$REC") || fail "the recording is not a readable WAV file"
header=$(( $(stat -c %s "$REC") - samples * 4 ))
at() { awk -v b="$1" -v h="$header" -v r="$BYTES_PER_SECOND" -v d="${2:-0}" 'BEGIN { t = (b - h) / r + d; printf "%.3f", t < 0 ? 0 : t }'; }
# measure FROM SECONDS FIELD: "RMS" or "Maximum" amplitude of that window.
measure() { sox "$REC" -n remix 1 trim "$1" "$2" stat 2>&1 | awk -v f="$3" '$1 == f && /amplitude/ { print $NF }'; }
greater() { awk -v a="$1" -v b="$2" -v k="$3" 'BEGIN { exit !(a > k * b) }'; }

quiet=$(measure "$(at "$at_right" -0.9)" 0.8 Maximum)
click=$(measure "$(at "$at_right")" 1 Maximum)
echo "menu: peak $quiet before the arrow, $click after it"
greater "$click" 0.05 1 && greater "$click" "$quiet" 4 || fail "no click followed the arrow (peak $click after, $quiet before)"

still=$(measure "$(at "$at_still")" 1.5 RMS)
before_fire=$(measure "$(at "$at_fire" -1)" 1 Maximum)
launch=$(measure "$(at "$at_fire")" 1 Maximum)
thrust=$(measure "$(at "$at_thrust_end" -1.5)" 1.5 RMS)
echo "race: engine RMS $still standing, $thrust with w held; peak $before_fire before Space, $launch after it"
greater "$thrust" "$still" 1.4 || fail "the engine did not rise while w was held (RMS $thrust against $still standing)"
greater "$launch" "$before_fire" 1.8 || fail "no launch followed Space (peak $launch after, $before_fire before)"

left=$(measure "$(at "$at_menu" -0.3)" 0.3 Maximum)
echo "after the race: peak $left"
greater 0.01 "$left" 1 || fail "race sounds went on after the race was left (peak $left)"

# Without a usable backend, and muted: the same game, the same one line on stdout, at most one
# line on stderr.
plays_as_before() {  # NAME, then start_game's arguments
  local name=$1
  shift
  start_game "$@"
  await "sound-$name-menu" 60 "the menu ($name)" marker_on 0
  hold space
  await "sound-$name-race" 60 "a race ($name)" in_race
  press w
  sleep 1
  release w
  hold Escape
  await "sound-$name-menu-again" 60 "the menu after the race ($name)" marker_on 0
  expect_quit_on_escape
  [ "$(wc -l <"$GAME_ERR")" -le 1 ] || fail "more than one line on stderr ($name): $(cat "$GAME_ERR")"
  echo "$name: stderr \"$(cat "$GAME_ERR")\""
}
ALSOFT_DRIVERS=nonesuch plays_as_before no-backend "$executable" "$build"
plays_as_before muted "$executable" "$build" --mute
[ ! -s "$GAME_ERR" ] || fail "--mute printed: $(cat "$GAME_ERR")"
echo "sound end-to-end: ok"
