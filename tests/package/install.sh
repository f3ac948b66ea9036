#!/usr/bin/env bash
# `make install` and `make uninstall` with PREFIX and DESTDIR: everything lands under the prefix,
# the game runs from there, and uninstalling, even without the build folder, leaves nothing,
# not even the folders the install made; folders that were there before stay.
set -euo pipefail
build="$1"  # the release build folder that `make install` uses
stage=$(mktemp -d) log=$(mktemp)
trap 'rm -rf "$stage" "$log"' EXIT
fail() {
  echo "FAIL: install: $*" >&2
  exit 1
}
# make TARGET DESTDIR, quietly unless it fails.
run_make() {
  make --no-print-directory "$1" PREFIX="$prefix" DESTDIR="$2" >"$log" 2>&1 ||
    fail "make $1 DESTDIR=$2: $(cat "$log")"
}
prefix=/opt/vardenholt-test
mkdir -p "$stage/kept$prefix/bin"

run_make install "$stage/fresh"
run_make install "$stage/kept"
for destdir in "$stage/fresh" "$stage/kept"; do
  for path in bin/vardenholt share/man/man6/vardenholt.6.gz share/doc/vardenholt/copyright \
    share/applications/vardenholt.desktop share/icons/hicolor/scalable/apps/vardenholt.svg \
    share/metainfo/org.vardenholt.Vardenholt.metainfo.xml; do
    [ -f "$destdir$prefix/$path" ] || fail "no $prefix/$path under DESTDIR"
  done
  "$destdir$prefix/bin/vardenholt" --version >/dev/null || fail "the installed game does not run"
done

# Again over the first install, which must not forget the folders that one made.
run_make install "$stage/fresh"
mv "$build" "$build.away"
trap 'mv "$build.away" "$build"; rm -rf "$stage" "$log"' EXIT
run_make uninstall "$stage/fresh"
run_make uninstall "$stage/kept"

left=$(cd "$stage" && find . -mindepth 1 | sort | tr '\n' ' ')
expected="./fresh ./kept ./kept/opt ./kept$prefix ./kept$prefix/bin "
[ "$left" = "$expected" ] || fail "after uninstalling: $left, expected $expected"
echo "install: make install and make uninstall leave the tree as they found it"
