#!/usr/bin/env bash
# The real executable as a player starts it: one line on standard output, a window,
# left Ctrl and right Super harmless, Escape ends it with status 0.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
executable=$1
SHOTS=$2/screenshots
mkdir -p "$SHOTS"

workdir=$(mktemp -d)
start_display_with_screen_file
trap 'finish; rm -rf "$workdir" "$SCREEN_DIR"' EXIT
start_game "$executable" "$workdir"
await shell-menu 60 "the menu with the marker on circuit 0" marker_on 0

# The game reads its keys in order: once Right has moved the marker, Ctrl and Super before
# it have been read, and the game still runs.
hold Control_L
hold Super_R
hold Right
await shell-after-modifiers 30 "the marker on circuit 1 after left Ctrl, right Super and Right" marker_on 1

expect_quit_on_escape
echo "shell end-to-end: ok"
