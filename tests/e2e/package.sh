#!/usr/bin/env bash
# The Debian packages: cpack makes them from the build's configuration with its own /usr
# build; they pass lib/packages.bash's checks (lintian, contents, xz, dependencies); unpacked
# into a scratch root nothing in them names /usr/local, and the installed game started from /
# shows the menu and quits on Escape. scripts/debian-package.sh checks dpkg-buildpackage's.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/screen.bash"
source "$(dirname "$0")/lib/packages.bash"
build=$2

scratch=$(mktemp -d)
trap 'finish; rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -n 5 "$scratch/cpack.log")"
game=$scratch/brenvask_1.0.0_$(dpkg --print-architecture).deb
data=$scratch/brenvask-data_1.0.0_all.deb
[ -f "$game" ] && [ -f "$data" ] || fail "cpack made: $(cd "$scratch" && echo *.deb)"

check_packages "$game" "$data"

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
