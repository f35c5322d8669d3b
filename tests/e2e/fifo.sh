#!/usr/bin/env bash
# A named pipe in place of a circuit's menu picture must not freeze the game: the FIFO is
# taken for a missing picture, the menu shows with the two other pictures, and Escape quits.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
executable=$1
build=$2

scratch=$(mktemp -d)
trap 'finish; rm -rf "$scratch"' EXIT
# The build's Data/ as links, but the second circuit's picture a FIFO nobody writes to.
cp -rs "$build/Data" "$scratch/Data" || fail "could not link $build/Data"
rm "$scratch/Data/level2.bmp"
mkfifo "$scratch/Data/level2.bmp" || fail "mkfifo failed"

start_display_with_screen_file
start_game "$executable" "$scratch"
pictures() {
  at_least "$(share "$1" 0.15 0.05 0.85 0.25 "r>0.5 && g>0.5 && b<r-0.25")" 0.1 &&  # yellow title
    at_least "$(deviation "$1" 0.06 0.64 0.30 0.86)" 0.03 &&
    at_least "$(deviation "$1" 0.70 0.64 0.94 0.86)" 0.03
}
shown 20 pictures || fail "no menu with the first and third circuit pictures"
expect_quit_on_escape
echo "fifo end-to-end: ok"
