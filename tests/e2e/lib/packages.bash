# Checks of the two Debian packages, whichever route made them (cpack, or dpkg-buildpackage
# with debian/): lintian --pedantic finds no error or warning; brenvask holds the game and
# what describes it, brenvask-data its Data/, both packed with xz and from one source; the
# game depends on its data of the same version and on freeglut's and OpenAL's libraries.
# check_packages GAME.deb DATA.deb: fails (see common.bash) on the first fault.
check_packages() {
  local game=$1 data=$2 file member
  lintian --info --pedantic "$game" "$data" >"$scratch/lintian" 2>/dev/null
  ! grep -E '^[EW]: |hardening-' "$scratch/lintian" || fail "lintian: $(cat "$scratch/lintian")"

  contents() { dpkg-deb -c "$1" | awk '{ print $6 }'; }
  for file in games/brenvask share/applications/org.brenvask.Brenvask.desktop share/man/man6/brenvask.6.gz \
    share/icons/hicolor/{48x48,128x128,256x256}/apps/brenvask.png share/metainfo/org.brenvask.Brenvask.metainfo.xml \
    share/doc/brenvask/copyright share/doc/brenvask/changelog.gz; do
    contents "$game" | grep -qx "./usr/$file" || fail "brenvask lacks /usr/$file"
  done
  for file in share/games/brenvask/Data/font2.bmp share/games/brenvask/Data/pod.mdl share/games/brenvask/Data/engine.wav share/doc/brenvask-data/copyright; do
    contents "$data" | grep -qx "./usr/$file" || fail "brenvask-data lacks /usr/$file"
  done
  ! contents "$data" | grep -q '/games/brenvask$' || fail "brenvask-data holds the executable"
  # Nothing else than the game's own: no tools, tests, benchmark or soak.
  ! { contents "$game"; contents "$data"; } | grep -E 'datagen|circuitcheck|icongen|_tests|bench|soak' ||
    fail "a package holds a tool"

  for member in "$game" "$data"; do
    ar t "$member" | grep -qx data.tar.xz || fail "$member is not packed with xz: $(ar t "$member")"
  done
  [ "$(dpkg-deb -f "$game" Section)" = games ] || fail "section is not games"
  [ "$(dpkg-deb -f "$data" Architecture)" = all ] || fail "brenvask-data is not for all architectures"
  [ "$(dpkg-deb -f "$data" Source)" = brenvask ] || fail "brenvask-data's source is not brenvask"
  local depends
  depends=$(dpkg-deb -f "$game" Depends)
  [[ $depends == *"brenvask-data (= 1.0.0)"* && $depends == *libglut* && $depends == *libopenal1* ]] ||
    fail "Depends lacks brenvask-data (= 1.0.0), freeglut's libglut or OpenAL's libopenal1: $depends"
}
