#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks that a desktop finds every
# file where the menu entry says, and that the installed program runs from there.
# Usage: install_test.sh BUILD_DIR EXAMPLE_PROJECT
set -euo pipefail
build="$1"
project="$2"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/splmap.desktop"
[ -f "$entry" ] || fail "no menu entry at $entry"
grep -qx '\[Desktop Entry\]' "$entry" && grep -qx 'Type=Application' "$entry" ||
    fail "$entry is not an application's [Desktop Entry]"
exec_line="$(sed -n 's/^Exec=//p' "$entry")"
icon="$(sed -n 's/^Icon=//p' "$entry")"
program="${exec_line%% *}"
[ -n "$program" ] && [ -x "$prefix/bin/$program" ] || fail "Exec=$program is not an installed program"
svg="$prefix/share/icons/hicolor/scalable/apps/$icon.svg"
[ -n "$icon" ] && grep -qs '<svg' "$svg" || fail "Icon=$icon, but $svg is no SVG picture"
for id in 1031 1032 1033; do
    [ -f "$prefix/share/splmap/Languages/$id.xml" ] || fail "language file $id.xml not installed"
done
[ ! -e "$prefix/bin/Languages" ] || fail "language files installed beside the program too"

version="$("$prefix/bin/$program" --version)"
[[ "$version" =~ ^splmap\ [0-9]+\.[0-9]+ ]] || fail "--version printed '$version'"
help="$("$prefix/bin/$program" --help)"
for command in ini-read ini-write geometry grid render; do
    grep -q "splmap $command " <<<"$help" || fail "--help does not list $command"
done

# The installed program finds its language files (the render command reads them).
out="$prefix/map.png"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$program" render "$project" --freq 1000 --out "$out" ||
    fail "the installed program could not render $project"
[ -s "$out" ] || fail "render wrote no picture"
echo "install_test: installed and ran from $prefix"
