#!/usr/bin/env bash
# The installed tree as a user and another program's build see it: cmake --install into a
# temporary prefix, the desktop files checked by their validators, the file types known to
# the desktop's MIME database and handed to the viewer, the manual pages free of warnings, the
# installed programs finding their library and tips, and the README's C example built against
# the installed library through pkg-config and through find_package(Vantrel).
#
# Usage: tests/install/install-tree.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brellix-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$root" >/dev/null
for path in bin/brellix bin/tarnex include/vantrel/vantrel.h lib/pkgconfig/vantrel.pc \
    lib/cmake/Vantrel/VantrelConfig.cmake share/brellix/TIPOFDAY.TXT \
    share/applications/brellix.desktop share/mime/packages/brellix.xml \
    share/metainfo/org.brellix.brellix.metainfo.xml share/man/man1/brellix.1 \
    share/man/man1/tarnex.1 share/icons/hicolor/scalable/apps/brellix.svg \
    share/icons/hicolor/48x48/apps/brellix.png \
    share/icons/hicolor/256x256/mimetypes/application-x-sl2-sonar-log.png; do
    [[ -e $root/$path ]] || fail "not installed: $path"
done
# The library under its SONAME, with the link a linker and the viewer look for.
soname=$(objdump -p "$root/lib/libvantrel.so" | awk '/SONAME/ { print $2 }')
[[ $soname == libvantrel.so.0 ]] || fail "SONAME is '$soname'"
[[ -L $root/lib/libvantrel.so.0 && -L $root/lib/libvantrel.so ]] || fail "SONAME links missing"
for size in 16 24 32 48 64 128 256; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/brellix.png" |
        grep -q "PNG image data, $size x $size" || fail "icon of $size pixels"
done

# Validators of the desktop's own formats: their hints and warnings count as failures too.
out=$(desktop-file-validate "$root/share/applications/brellix.desktop" 2>&1) ||
    fail "desktop-file-validate: $out"
[[ -z $out ]] || fail "desktop-file-validate: $out"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/org.brellix.brellix.metainfo.xml" \
    >/dev/null || fail "appstreamcli validate"
for page in brellix tarnex; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/$page.1" \
        2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "man $page: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/share/man/man1/$page.1" 2>/dev/null |
        grep -q "EXIT STATUS" || fail "man $page has no exit status section"
done

# The file types, in a data folder of the user's own: by name, by content, and opened by the
# viewer's menu entry.
xdg=$work/xdg
mkdir -p "$xdg/mime/packages" "$xdg/applications"
cp "$root/share/mime/packages/brellix.xml" "$xdg/mime/packages/"
cp "$root/share/applications/brellix.desktop" "$xdg/applications/"
export XDG_DATA_HOME=$xdg XDG_DATA_DIRS=/usr/share XDG_CONFIG_HOME=$work/config
update-mime-database "$xdg/mime"
update-desktop-database "$xdg/applications"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION GNOME_DESKTOP_SESSION_ID
"$build/bin/logsynth" --format sl2 --size-mb 1 --seed 3 "$work/trip.sl2" >/dev/null
"$build/bin/logsynth" --format slg --size-mb 1 --seed 3 "$work/trip.slg" >/dev/null
cp "$work/trip.sl2" "$work/unnamed"
printf 'not a colour file\n' >"$work/scheme.kcf"
expect_type() {
    local got
    got=$(xdg-mime query filetype "$1")
    [[ $got == "$2"* ]] || fail "xdg-mime query filetype $(basename "$1"): '$got', not $2"
}
expect_type "$work/trip.sl2" application/x-sl2-sonar-log
expect_type "$work/trip.slg" application/x-slg-sonar-log
expect_type "$work/scheme.kcf" application/x-kcf-colors
expect_type "$work/unnamed" application/x-sl2-sonar-log
for type in application/x-sl2-sonar-log application/x-slg-sonar-log application/x-kcf-colors; do
    handler=$(xdg-mime query default "$type")
    [[ $handler == brellix.desktop ]] || fail "xdg-mime query default $type: '$handler'"
done

# The installed programs: the converter on a log, the viewer's version naming the installed
# library (no display needed), the tips in the data folder.
"$root/bin/tarnex" "$work/trip.sl2" "$work/trip.csv" >/dev/null
[[ $(head -c 7 "$work/trip.csv") == Channel ]] || fail "installed tarnex wrote no rows"
version=$(env -u DISPLAY "$root/bin/brellix" --version)
grep -q "Sonar data library: $root/lib/libvantrel.so.0" <<<"$version" ||
    fail "installed brellix --version: $version"
env -u DISPLAY "$root/bin/brellix" --help | grep -q -- "--version" || fail "brellix --help"
if env -u DISPLAY "$root/bin/brellix" --help >/dev/full 2>&1; then fail "brellix --help into a full output passed"; fi

# The README's example, as another program would build it.
awk '/^## Use the library from C/ { in_section = 1 }
     in_section && /^```c$/ { printing = 1; next }
     printing && /^```$/ { exit }
     printing { print }' "$source/README.md" >"$work/example.c"
[[ -s $work/example.c ]] || fail "README has no C example"
export PKG_CONFIG_PATH=$root/lib/pkgconfig
# shellcheck disable=SC2046
cc -std=c99 -Wall -Wextra -Werror $(pkg-config --cflags vantrel) "$work/example.c" \
    -o "$work/example" $(pkg-config --libs vantrel)
LD_LIBRARY_PATH=$root/lib "$work/example" >"$work/example.out" || fail "C example failed"
grep -q "column 10 200 250 70" "$work/example.out" || fail "C example printed: $(cat "$work/example.out")"

mkdir -p "$work/cmake-user"
cp "$work/example.c" "$work/cmake-user/"
cat >"$work/cmake-user/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.16)
project(vantrel_user C)
find_package(Vantrel 0 REQUIRED)
add_executable(example example.c)
target_link_libraries(example PRIVATE Vantrel::vantrel)
CMAKE
cmake -S "$work/cmake-user" -B "$work/cmake-user/build" -DCMAKE_PREFIX_PATH="$root" >/dev/null
cmake --build "$work/cmake-user/build" >/dev/null
"$work/cmake-user/build/example" | grep -q "sub-header 14 bytes" || fail "CMake-built example"
echo "install tree: every check passed"
