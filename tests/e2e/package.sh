#!/usr/bin/env bash
# The Debian package: built with cpack from the build's configuration into a scratch folder,
# it holds the game, its Data/, desktop entry, icons, metainfo and man page for /usr, and its
# Depends, computed from the executable's libraries, names freeglut's library.
source "$(dirname "$0")/lib/common.bash"
build=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1) ||
  fail "cpack failed: $(tail -n 5 "$scratch/cpack.log")"
package=$(ls "$scratch"/brenvask_1.0.0_*.deb 2>/dev/null) || fail "no brenvask_1.0.0_<arch>.deb"
[ "$(basename "$package")" = "brenvask_1.0.0_$(dpkg --print-architecture).deb" ] || fail "package name $package"

dpkg-deb -c "$package" | awk '{ print $6 }' >"$scratch/contents"
for file in games/brenvask share/games/brenvask/Data/font2.bmp share/applications/org.brenvask.Brenvask.desktop \
  share/icons/hicolor/{48x48,128x128,256x256}/apps/brenvask.png share/metainfo/org.brenvask.Brenvask.metainfo.xml \
  share/man/man6/brenvask.6; do
  grep -qx "./usr/$file" "$scratch/contents" || fail "package lacks /usr/$file"
done
# Nothing else than the game's own: no tools, tests, benchmark or soak.
! grep -E 'datagen|circuitcheck|icongen|_tests|bench|soak' "$scratch/contents" || fail "package holds a tool"

[ "$(dpkg-deb -f "$package" Section)" = games ] || fail "section is not games"
depends=$(dpkg-deb -f "$package" Depends)
[[ $depends == *libglut* ]] || fail "Depends does not name freeglut's libglut: $depends"
dpkg-deb --fsys-tarfile "$package" | tar -xO ./usr/share/applications/org.brenvask.Brenvask.desktop |
  grep -qx 'Exec=/usr/games/brenvask' || fail "the packaged desktop entry does not start /usr/games/brenvask"
echo "package end-to-end: ok"
