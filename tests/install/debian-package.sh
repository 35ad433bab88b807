#!/usr/bin/env bash
# The Debian package: cpack builds it, its dependencies come from the binaries, and the
# programs unpacked from it (dpkg-deb -x, no installation) run and find the unpacked library.
#
# Usage: tests/install/debian-package.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brellix-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(ls "$work"/out/brellix_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libstdc++6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
contents=$(dpkg-deb -c "$deb")
grep -q "usr/share/applications/brellix.desktop" <<<"$contents" || fail "no desktop file"

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
lib=$(dirname "$(find "$usr" -name libvantrel.so.0 | head -1)")
[[ -n $lib ]] || fail "no libvantrel.so.0 in the package"
"$build/bin/logsynth" --format sl2 --size-mb 1 --seed 5 "$work/trip.sl2" >/dev/null
"$usr/bin/tarnex" "$work/trip.sl2" | grep -q "All headers look good." ||
    fail "unpacked tarnex did not verify the log"
"$usr/bin/tarnex" "$work/trip.sl2" "$work/trip.csv" >/dev/null
[[ $(wc -l <"$work/trip.csv") -gt 10 ]] || fail "unpacked tarnex wrote no rows"
version=$(env -u DISPLAY "$usr/bin/brellix" --version)
grep -q "Sonar data library: $lib/libvantrel.so.0" <<<"$version" ||
    fail "unpacked brellix --version: $version"
echo "Debian package: $(basename "$deb"); Depends: $depends"
