#!/usr/bin/env bash
# Torvi tests: builds the Debian package from the build tree, unpacks it into a throw-away
# folder and checks what a desktop and apt would see.
# Usage: deb_package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail

build=$1
source=$2
version=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; echo "FAIL: cpack" >&2; exit 1; }
arch=$(dpkg --print-architecture)
deb="$work/out/torvi_${version}_${arch}.deb"
[ -f "$deb" ] || { ls "$work/out" >&2; echo "FAIL: no $(basename "$deb")" >&2; exit 1; }

root="$work/root"
dpkg-deb -x "$deb" "$root"

# Exactly these files: a missing one breaks the desktop, an extra one (a test program, a
# library's headers) does not belong to users.
expected=$(cat <<LIST
usr/bin/torvi
usr/share/applications/torvi.desktop
usr/share/icons/hicolor/128x128/apps/torvi.png
usr/share/icons/hicolor/16x16/apps/torvi.png
usr/share/icons/hicolor/256x256/apps/torvi.png
usr/share/icons/hicolor/32x32/apps/torvi.png
usr/share/icons/hicolor/48x48/apps/torvi.png
usr/share/icons/hicolor/64x64/apps/torvi.png
usr/share/icons/hicolor/scalable/apps/torvi.svg
usr/share/metainfo/example.torvi.Torvi.metainfo.xml
LIST
)
actual=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" != "$(echo "$expected" | LC_ALL=C sort)" ]; then
    fail "package files differ from the expected list:"
    diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual") >&2 || true
fi

# The registration's desktop entry runs this fixed path; the package must put the program there.
command=$(sed -n 's/.*LinuxInstalledCommand = "\(.*\)";.*/\1/p' "$source/src/tools/install_paths.h")
[ -n "$command" ] || fail "no LinuxInstalledCommand in install_paths.h"
[ -x "$root$command" ] || fail "$command is not an executable in the package"

entry="$root/usr/share/applications/torvi.desktop"
exec_line=$(grep '^Exec=' "$entry" || true)
[ "$exec_line" = "Exec=$command %u" ] || fail "desktop entry says '$exec_line', not 'Exec=$command %u'"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
    fail "desktop entry's icon '$icon' has no scalable picture"
if ! report=$(desktop-file-validate "$entry" 2>&1) || [ -n "$report" ]; then
    fail "desktop-file-validate: $report"
fi

# validate-tree also checks that the metadata's launchable names an installed desktop entry.
if ! report=$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1) ||
    grep -qE '^ *[EW]: ' <<<"$report"; then
    fail "appstreamcli validate-tree: $report"
fi
metainfo="$root/usr/share/metainfo/example.torvi.Torvi.metainfo.xml"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metadata has no release $version"

# Each PNG must be as large as the folder it sits in says; the width and height are the
# big-endian words at bytes 16 and 20 of the PNG header.
for png in "$root"/usr/share/icons/hicolor/*x*/apps/torvi.png; do
    folder=$(basename "$(dirname "$(dirname "$png")")")
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "$size" = "$folder" ] || fail "$folder icon is $size"
done

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = torvi ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = web ] || fail "Section is '$(field Section)'"
[ "$(field Maintainer)" = "Torvi Software <sviluppo@torvi.example>" ] ||
    fail "Maintainer is '$(field Maintainer)'"

depends=$(field Depends)
# Package names are compared whole and literally ("libstdc++6" is no pattern).
depends_on() { tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | grep -qxF "$1"; }
# Qt loads these at run time, so no library scan finds them: the engine's helper process and
# the SVG plugins that draw the buttons.
for package in libqt6webenginecore6-bin libqt6svg6; do
    depends_on "$package" || fail "Depends '$depends' lacks $package"
done
# Every shared library the program links must come from a package it depends on.
for soname in $(readelf -d "$root$command" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    # dpkg-query prints "pkg:arch, other:arch: /path" for each matching path.
    owners=$(dpkg-query -S "*/$soname" 2>/dev/null | sed 's|: /.*||' | tr ',' '\n' |
        sed 's/^ *//; s/:.*//' | sort -u | tr '\n' ' ')
    found=no
    for owner in $owners; do
        depends_on "$owner" && found=yes
    done
    [ "$found" = yes ] || fail "$soname (from ${owners:-no package}) is not in Depends '$depends'"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "$(basename "$deb"): files, desktop entry, metadata and control fields are right"
