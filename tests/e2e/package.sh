#!/usr/bin/env bash
# The Debian packages: cpack makes them from the build's configuration with its own /usr
# build; lintian finds no error or warning in them; brenvask holds the game and what
# describes it, brenvask-data its Data/; unpacked into a scratch root nothing in them names
# /usr/local, and the installed game started from / shows the menu and quits on Escape.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
build=$2

scratch=$(mktemp -d)
trap 'finish; rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -n 5 "$scratch/cpack.log")"
game=$scratch/brenvask_1.0.0_$(dpkg --print-architecture).deb
data=$scratch/brenvask-data_1.0.0_all.deb
[ -f "$game" ] && [ -f "$data" ] || fail "cpack made: $(cd "$scratch" && echo *.deb)"

lintian --info --pedantic "$game" "$data" >"$scratch/lintian" 2>/dev/null
! grep -E '^[EW]: |hardening-' "$scratch/lintian" || fail "lintian: $(cat "$scratch/lintian")"

contents() { dpkg-deb -c "$1" | awk '{ print $6 }'; }
for file in games/brenvask share/applications/org.brenvask.Brenvask.desktop share/man/man6/brenvask.6.gz \
  share/icons/hicolor/{48x48,128x128,256x256}/apps/brenvask.png share/metainfo/org.brenvask.Brenvask.metainfo.xml \
  share/doc/brenvask/copyright share/doc/brenvask/changelog.gz; do
  contents "$game" | grep -qx "./usr/$file" || fail "brenvask lacks /usr/$file"
done
for file in share/games/brenvask/Data/font2.bmp share/games/brenvask/Data/pod.mdl share/games/brenvask/Data/engine.wav \
            share/doc/brenvask-data/copyright; do
  contents "$data" | grep -qx "./usr/$file" || fail "brenvask-data lacks /usr/$file"
done
! contents "$data" | grep -q '/games/brenvask$' || fail "brenvask-data holds the executable"
# Nothing else than the game's own: no tools, tests, benchmark or soak.
! { contents "$game"; contents "$data"; } | grep -E 'datagen|circuitcheck|icongen|_tests|bench|soak' ||
  fail "a package holds a tool"

[ "$(dpkg-deb -f "$game" Section)" = games ] || fail "section is not games"
[ "$(dpkg-deb -f "$data" Architecture)" = all ] || fail "brenvask-data is not for all architectures"
depends=$(dpkg-deb -f "$game" Depends)
[[ $depends == *"brenvask-data (= 1.0.0)"* && $depends == *libglut* && $depends == *libopenal1* ]] ||
  fail "Depends lacks brenvask-data (= 1.0.0), freeglut's libglut or OpenAL's libopenal1: $depends"

root=$scratch/root
dpkg-deb -x "$game" "$root" && dpkg-deb -x "$data" "$root" || fail "could not unpack the packages"
zcat "$root/usr/share/man/man6/brenvask.6.gz" >"$root/man"
! grep -rl /usr/local "$root" || fail "these files name /usr/local"
grep -q /usr/share/games/brenvask "$root/man" || fail "the man page does not name /usr/share/games/brenvask"
grep -qx 'Exec=/usr/games/brenvask' "$root/usr/share/applications/org.brenvask.Brenvask.desktop" ||
  fail "the packaged desktop entry does not start /usr/games/brenvask"

# Installed in the scratch root and started from /: it finds its Data/ beside itself.
start_display_with_screen_file
start_game "$root/usr/games/brenvask" /
menu_pictures() { at_least "$(share "$1" 0.06 0.64 0.94 0.86 "r+g+b>0.15")" 0.5; }
shown 20 menu_pictures || fail "the installed game shows no circuit pictures"
expect_quit_on_escape
echo "package end-to-end: ok"
