#!/usr/bin/env bash
# Builds the Debian package of a build and checks what it holds: the installed files (checked
# by the install test) under /usr, the software centres' description, and the Qt libraries
# the program links among its dependencies.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/splmap_*.deb)
[ -f "${debs[0]}" ] || fail "no splmap_*.deb in $out"
deb="${debs[0]}"

grep -q '^-rwxr-xr-x .* ./usr/bin/splmap$' <<<"$(dpkg-deb -c "$deb")" || fail "no usr/bin/splmap"

[ "$(dpkg-deb -f "$deb" Package)" = splmap ] || fail "the package is not named splmap"
depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6charts6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

# The description the package carries is the one installed beside the menu entry.
metainfo="$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/splmap.metainfo.xml)" ||
    fail "no usr/share/metainfo/splmap.metainfo.xml"
grep -q '<launchable type="desktop-id">splmap.desktop</launchable>' <<<"$metainfo" ||
    fail "the metainfo does not launch splmap.desktop"
echo "package_test: $(basename "$deb") holds what it should"
