#!/usr/bin/env bash
# The game as a player's system gets it: installed into a prefix, its desktop entry,
# metainfo and man page valid, its command line answered without a window, started from /
# installed and from the build folder past an empty Data/ (menu with the three pictures,
# Escape ends it cleanly), in a window of the size -geometry gives; a lone copy of the
# executable fails clearly.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
executable=$1
build=$2

scratch=$(mktemp -d)
trap 'finish; rm -rf "$scratch"' EXIT
# A home folder with a space, as players have: the desktop entry must quote the path.
prefix="$scratch/home dir/.local"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

desktop=("$prefix"/share/applications/*.desktop)
desktop-file-validate "${desktop[@]}" || fail "desktop entry not valid"
grep -qxF "Exec=\"$prefix/games/brenvask\"" "${desktop[@]}" || fail "desktop entry does not start the installed game"
appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >/dev/null || fail "metainfo not valid"
warnings=$(zcat "$prefix/share/man/man6/brenvask.6.gz" | LC_ALL=C.UTF-8 groff -t -man -Tutf8 -ww -z 2>&1)
[ -z "$warnings" ] || fail "man page: $warnings"
[ -s "$prefix/share/doc/brenvask/copyright" ] || fail "no copyright file"

# The command line, with no display: what needs no window opens none.
installed=$prefix/games/brenvask
run() { (cd / && exec env -u DISPLAY "$installed" "$@") >"$scratch/out" 2>"$scratch/err"; echo $?; }
[ "$(run --help)" = 0 ] && grep -q '^Usage: brenvask \[--window\]' "$scratch/out" && [ ! -s "$scratch/err" ] &&
  ! grep -q Chargement "$scratch/out" && grep -q 'man 6 brenvask' "$scratch/out" ||
  fail "--help: $(cat "$scratch/out" "$scratch/err")"
[ "$(run -h)" = 0 ] && grep -q '^Usage' "$scratch/out" || fail "-h: $(cat "$scratch/out" "$scratch/err")"
[ "$(run -v)" = 0 ] && [ "$(cat "$scratch/out")" = "brenvask 1.0.0" ] || fail "-v: $(cat "$scratch/out")"
# From the build, whose man page is not installed beside it, --help points into the source tree.
"$executable" --help | grep -q 'man -l packaging/brenvask.6.in' || fail "the build's --help names an uninstalled man page"
[ "$(run --window -display)" = 2 ] && [ ! -s "$scratch/out" ] &&
  [ "$(cat "$scratch/err")" = "brenvask: option '-display' needs a value; see brenvask --help" ] ||
  fail "-display without a value: $(cat "$scratch/out" "$scratch/err")"
[ "$(run --window --bogus)" = 2 ] && [ ! -s "$scratch/out" ] &&
  [ "$(cat "$scratch/err")" = "brenvask: unknown option '--bogus'; see brenvask --help" ] ||
  fail "--bogus: $(cat "$scratch/out" "$scratch/err")"
# A display that cannot be opened: GLUT says so, status 1.
[ "$(run -display :99999)" = 1 ] && grep -q ':99999' "$scratch/err" || fail "-display :99999: $(cat "$scratch/err")"

# Started from /, which holds no Data/, and from a folder with an empty Data/ (a modder's or
# a backup's): the menu shows the three circuit pictures, not flat placeholders, and Escape
# ends the game with status 0 and its one line.
start_display
menu_then_quit() {  # GAME FOLDER
  start_game "$1" "$2"
  screenshot "$scratch/menu.png"
  for preview in "0.06 0.64 0.30 0.86" "0.37 0.64 0.63 0.86" "0.70 0.64 0.94 0.86"; do
    # shellcheck disable=SC2086
    at_least "$(share "$scratch/menu.png" $preview "r+g+b>0.15")" 0.95 &&
      at_least "$(deviation "$scratch/menu.png" $preview)" 0.03 ||
      fail "$1 from $2: no circuit picture at $preview"
  done
  expect_quit_on_escape
}
menu_then_quit "$prefix/games/brenvask" /
mkdir -p "$scratch/stray/Data"
menu_then_quit "$executable" "$scratch/stray"

# A window of the size -geometry gives, where it says.
start_game "$prefix/games/brenvask" / --window -geometry 640x480+10+20
size=$(xwininfo -id "$WINDOW" | awk '/^ *(Width|Height|Absolute upper-left [XY]):/ { printf "%s ", $NF }')
[ "$size" = "10 20 640 480 " ] || fail "--window -geometry 640x480+10+20 gave x y width height $size"
expect_quit_on_escape

# The executable alone, far from any Data/ and with no display: one line on stderr naming
# the folders tried, nothing on stdout, status 1 (a window attempt would fail differently).
mkdir "$scratch/alone"
cp "$executable" "$scratch/alone/"
(cd / && exec env -u DISPLAY "$scratch/alone/brenvask") >"$scratch/out" 2>"$scratch/err"
status=$?
[ "$status" -eq 1 ] || fail "lone executable: status $status"
[ ! -s "$scratch/out" ] || fail "lone executable wrote on stdout: $(cat "$scratch/out")"
[ "$(wc -l <"$scratch/err")" -eq 1 ] &&
  grep -qF "brenvask: no Data/ folder found; looked in: / (no Data/), $scratch/alone (no Data/), " "$scratch/err" ||
  fail "lone executable: unexpected message: $(cat "$scratch/err")"
echo "install end-to-end: ok"
