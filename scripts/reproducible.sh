#!/usr/bin/env bash
# Builds the Debian packages of the last commit twice by each route, dpkg-buildpackage
# (scripts/debian-package.sh) and cpack as docs/install.md runs it, and checks that the two
# builds' .deb files are byte for byte the same. The second build of each pair runs in other folders
# (a longer path, another build folder name), under another umask (077 against 022), time
# zone and locale, and minutes later on the clock; SOURCE_DATE_EPOCH is left unset.
# On a difference it names the files, and shows them with diffoscope where it is installed.
# Not part of ./test.sh: four builds from nothing.
# Usage: scripts/reproducible.sh [WORK_FOLDER [ROUTE...]]   (routes: debian cpack; default both)
top=$(realpath "$(dirname "$0")/..")
source "$top/tests/e2e/lib/common.bash"
work=$(realpath -m "${1:-$top/build/reproducible}")
[ $# -gt 0 ] && shift
routes=("$@")
[ ${#routes[@]} -gt 0 ] || routes=(debian cpack)
commit=$(git -C "$top" rev-parse HEAD) || fail "not a git checkout"
rm -rf "$work" && mkdir -p "$work" || fail "cannot make $work"
unset SOURCE_DATE_EPOCH

# Each build in its own environment: 1 is plain, 2 is changed in every way listed above.
in_build() {
  local which=$1
  shift
  if [ "$which" = 1 ]; then
    (umask 022 && TZ=UTC LC_ALL=C.UTF-8 "$@")
  else
    (umask 077 && TZ=Pacific/Kiritimati LC_ALL=C "$@")
  fi
}
folder() { [ "$1" = 1 ] && echo "$work/$2/1" || echo "$work/$2/second/build-with-a-longer-path"; }

cpack_route() {
  local which=$1 clone build
  clone=$(folder "$which" cpack)/brenvask
  build=$clone/build-$which
  git clone -q --no-checkout "$top" "$clone" && git -C "$clone" checkout -q --detach "$commit" || return 1
  cmake -S "$clone" -B "$build" -DBRENVASK_TESTS=OFF -DBRENVASK_BENCH=OFF >/dev/null &&
    (cd "$build" && cpack -G DEB >"$work/cpack-$which.log" 2>&1) || return 1
  mkdir -p "$work/cpack-$which" && cp "$build"/*.deb "$work/cpack-$which/"
}
# The unit tests at build time change nothing in the packages: nocheck spares their build.
debian_route() {
  BRENVASK_COMMIT=$commit BRENVASK_CLONE=$(folder "$1" debian)/brenvask DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}" \
    DPKG_BUILDPACKAGE_OPTIONS=-j"$(nproc)" "$top/scripts/debian-package.sh" "$work/debian-$1" >/dev/null
}

status=0
for route in "${routes[@]}"; do
  for which in 1 2; do
    start=$(date +%s)
    in_build "$which" "${route}_route" "$which" || fail "$route build $which failed (see $work)"
    echo "$route build $which: $(( $(date +%s) - start )) s"
  done
  for deb in "$work/$route-1"/*.deb; do
    name=$(basename "$deb")
    paste -d ' ' <(sha256sum "$deb" | cut -c1-64) <(sha256sum "$work/$route-2/$name" | cut -c1-64) <(echo "$route $name")
    if ! cmp -s "$deb" "$work/$route-2/$name"; then
      status=1
      echo "DIFFERS: $route $name"
      command -v diffoscope >/dev/null && diffoscope --text "$work/$route-diff-$name.txt" "$deb" "$work/$route-2/$name"
    fi
  done
done
[ "$status" = 0 ] && echo "reproducible: every .deb the same in both builds" || fail "not reproducible"
