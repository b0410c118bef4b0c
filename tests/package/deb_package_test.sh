#!/usr/bin/env bash
# Torvi tests: builds the Debian package from the build tree, unpacks it into a throw-away
# folder and checks what a desktop and apt would see.
# Usage: deb_package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/log" 2>&1 ||
    { cat "$work/log" >&2; exit 1; }
deb="$work/torvi_${version}_$(dpkg --print-architecture).deb"
root="$work/root"
dpkg-deb -x "$deb" "$root"

# Exactly these files: a missing one breaks the desktop, an extra one (a test program, a
# library's headers) does not belong to users.
icons=usr/share/icons/hicolor
expected="usr/bin/torvi usr/share/applications/torvi.desktop \
$(for size in 128 16 256 32 48 64; do echo -n "$icons/${size}x$size/apps/torvi.png "; done)\
$icons/scalable/apps/torvi.svg usr/share/metainfo/example.torvi.Torvi.metainfo.xml"
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort | xargs)
[ "$actual" = "$expected" ] || fail "the package holds $actual"

# The registration's desktop entry runs this fixed path; the package must put the program there.
command=$(sed -n 's/.*LinuxInstalledCommand = "\(.*\)";.*/\1/p' "$source/src/tools/install_paths.h")
[ -x "$root$command" ] || fail "'$command' is not an executable in the package"
entry="$root/usr/share/applications/torvi.desktop"
grep -qx "Exec=$command %u" "$entry" || fail "the desktop entry does not run '$command %u'"
report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] || fail "$report"
# validate-tree also checks that the metadata's launchable names an installed desktop entry.
report=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) &&
    ! grep -qE '^ *[EW]: ' <<<"$report" || fail "$report"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
depends_on() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
# Qt loads these at run time, so no library scan finds them: the engine's helper process and
# the SVG plugins that draw the buttons.
for package in libqt6webenginecore6-bin libqt6svg6; do
    depends_on "$package" || fail "Depends '$depends' lacks $package"
done
# Every shared library the program links comes from a package it depends on.
for soname in $(readelf -d "$root$command" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    owners=$(dpkg-query -S "*/$soname" 2>/dev/null | sed 's|: /.*||; s/, /\n/g; s/:[^\n]*//g')
    found=no
    for owner in $owners; do
        depends_on "$owner" && found=yes
    done
    [ "$found" = yes ] || fail "$soname (from ${owners:-no package}) is not in Depends '$depends'"
done
[ "$failures" -eq 0 ] || exit 1
echo "$(basename "$deb"): files, desktop entry, metadata and dependencies are right"
