#!/usr/bin/env bash
# Builds the Debian packages as a distribution does: a clean clone of the last commit (or of
# $BRENVASK_COMMIT), then
# dpkg-buildpackage -us -uc (source and binaries, the unit tests at build time unless
# DEB_BUILD_OPTIONS has nocheck). lintian --pedantic on the .changes must find no error or
# warning, and the packages must pass the package test's checks (tests/e2e/lib/packages.bash),
# with the debug symbols in brenvask-dbgsym. Not part of ./test.sh (a whole build from nothing).
# Usage: scripts/debian-package.sh [OUTPUT_FOLDER]   (default: build/debian; made afresh)
# The clone goes to a temporary folder, or to $BRENVASK_CLONE (reproducible.sh varies it).
# Extra arguments for dpkg-buildpackage may come in $DPKG_BUILDPACKAGE_OPTIONS (e.g. -j2).
top=$(realpath "$(dirname "$0")/..")
source "$top/tests/e2e/lib/common.bash"
source "$top/tests/e2e/lib/packages.bash"
out=$(realpath -m "${1:-$top/build/debian}")
commit=$(git -C "$top" rev-parse "${BRENVASK_COMMIT:-HEAD}") || fail "not a git checkout"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clone=${BRENVASK_CLONE:-$scratch/src/brenvask}
rm -rf "$clone" && mkdir -p "$(dirname "$clone")" || fail "cannot make $clone"
git clone -q --no-checkout "$top" "$clone" && git -C "$clone" checkout -q --detach "$commit" || fail "clone failed"
# shellcheck disable=SC2086
(cd "$clone" && dpkg-buildpackage -us -uc ${DPKG_BUILDPACKAGE_OPTIONS:-}) >"$scratch/build.log" 2>&1 ||
  fail "dpkg-buildpackage failed: $(tail -n 30 "$scratch/build.log")"

rm -rf "$out" && mkdir -p "$out" || fail "cannot make $out"
parent=$(dirname "$clone")
cp "$parent"/brenvask_1.0.0* "$parent"/brenvask-*.deb "$scratch/build.log" "$out/"
rm -rf "$clone" "$parent"/brenvask[_-]*
architecture=$(dpkg --print-architecture)
lintian --info --pedantic "$out/brenvask_1.0.0_$architecture.changes" >"$out/lintian" 2>&1
! grep -E '^[EW]: ' "$out/lintian" || fail "lintian: $(cat "$out/lintian")"
check_packages "$out/brenvask_1.0.0_$architecture.deb" "$out/brenvask-data_1.0.0_all.deb"
[ -f "$out/brenvask-dbgsym_1.0.0_$architecture.deb" ] || fail "no brenvask-dbgsym package: $(ls "$out")"
echo "Debian packages in $out: ok"
