#!/usr/bin/env bash
# Runs clang-tidy with the project's checks (.clang-tidy) over the code of the library, the
# converter, the viewer and the log tools; prints every finding and fails on any.
# Usage: scripts/tidy.sh [build folder]   (default build-tidy, configured for its compile commands)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-tidy}
"$root/scripts/install-deps.sh" --tidy
# Only the compile commands: the sources include nothing generated but what configuring writes.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DBRELLIX_TESTS=OFF -DBRELLIX_BENCH=OFF >/dev/null
mapfile -t files < <(cd "$root" && git ls-files 'library/*.cpp' 'converter/*.cpp' \
    'viewer/*.cpp' 'tools/*.cpp' | sed "s|^|$root/|")
log="$build/tidy.log"
run-clang-tidy -quiet -p "$build" -j "$(nproc)" "${files[@]}" >"$log" 2>&1 || true
if grep -E '(warning|error): ' "$log" | grep -v '^Suppressed' >/dev/null; then
    grep -E -A3 '(warning|error): ' "$log"
    echo "clang-tidy: $(grep -cE '(warning|error): ' "$log") findings (full log: $log)"
    exit 1
fi
echo "clang-tidy: ${#files[@]} files, no findings"
