#!/usr/bin/env bash
# scripts/setup.sh as an ordinary user with packages missing: it prints the one command to
# run as root in both forms, sudo sh -c '...' and su -c '...', and each runs the update and
# the install together, both waiting for the dpkg lock. apt-get, sudo and su are stand-ins.
source "$(dirname "$0")/lib/common.bash"
top=$(realpath "$(dirname "$0")/../..")
stubs=$(mktemp -d)
trap 'rm -rf "$stubs"' EXIT
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1" && chmod +x "$stubs/$1"; }
stub id 'echo 1000'
stub dpkg-query 'exit 1'
stub apt-get 'echo "apt-get $*" >>"$APT_LOG"'
stub sudo 'exec "$@"'
stub su '[ "$1" = -c ] && exec sh -c "$2"'

PATH=$stubs:$PATH "$top/scripts/setup.sh" >"$stubs/out" 2>&1 && fail "setup.sh went on without its packages"
for form in "sudo sh -c '" "su -c '"; do
  line=$(grep -F "  $form" "$stubs/out") || fail "no $form...' line: $(cat "$stubs/out")"
  export APT_LOG=$stubs/apt-$RANDOM
  PATH=$stubs:$PATH eval "$line" || fail "$form...' failed"
  lock=' -o DPkg::Lock::Timeout=600'
  grep -qx "apt-get$lock update -qq" "$APT_LOG" && grep -q "^apt-get$lock install .* lintian " "$APT_LOG" &&
    [ "$(wc -l <"$APT_LOG")" = 2 ] || fail "$form...' ran: $(cat "$APT_LOG")"
done
echo "root command end-to-end: ok"
