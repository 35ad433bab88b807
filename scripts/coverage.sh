#!/usr/bin/env bash
# Builds the tree with clang's source-based coverage, runs the whole test suite and prints line
# and branch coverage of the library, the converter and the viewer's reader and drawing code.
# Usage: scripts/coverage.sh [build folder]   (default build-coverage; the report stays there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-coverage}
"$root/scripts/install-deps.sh" --coverage
CC=clang CXX=clang++ "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DBRELLIX_COVERAGE=ON -DBRELLIX_BENCH=OFF -DBRELLIX_WARNINGS_AS_ERRORS=ON

profiles="$build/profiles"
rm -rf "$profiles"
mkdir -p "$profiles"
# %p: every process its own file (the tests start tarnex and load the library); %m merges runs
# of one binary.
LLVM_PROFILE_FILE="$profiles/%p-%m.profraw" QT_QPA_PLATFORM=offscreen \
    ctest --test-dir "$build" -j "$(nproc)" --timeout 300 -E '^desktop' >"$build/coverage-tests.log" \
    || { tail -n 30 "$build/coverage-tests.log"; exit 1; }
# A process the tests limit or kill (tarnex under a file-size limit) leaves a cut profile.
llvm-profdata merge -sparse -failure-mode=all "$profiles"/*.profraw -o "$build/coverage.profdata"

# Every instrumented binary that ran: the programs, the library and the test executables.
objects=()
for binary in "$build"/bin/tarnex "$build"/bin/brellix "$build"/bin/libvantrel.so \
              "$build"/tests/*_tests "$build"/fuzz/*_fuzz; do
    [ -f "$binary" ] && objects+=(-object "$binary")
done
first=${objects[1]}
report() {
    # Inline code that differs between binaries (test doubles, fuzz builds) is counted once.
    llvm-cov report "$first" "${objects[@]:2}" -instr-profile="$build/coverage.profdata" \
        -ignore-filename-regex='(tests|tools|fuzz|bench)/' "$@" "$root/$area" \
        2> >(grep -v 'functions have mismatched data' >&2)
}
echo
printf '%-16s %12s %12s\n' area lines branches
for area in library converter viewer/logs viewer/render; do
    report -summary-only >"$build/coverage-$(echo "$area" | tr / -).txt"
    total=$(grep '^TOTAL' "$build/coverage-$(echo "$area" | tr / -).txt")
    # TOTAL regions missed cover functions missed executed lines missed cover branches missed cover
    lines=$(echo "$total" | awk '{print $10}')
    branches=$(echo "$total" | awk '{print $13}')
    printf '%-16s %12s %12s\n' "$area" "$lines" "$branches"
done
echo "per-file figures: $build/coverage-*.txt"
