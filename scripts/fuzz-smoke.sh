#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan + UBSan and runs each for a bounded time
# from the writer's seed corpus. Usage: scripts/fuzz-smoke.sh [seconds per target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/install-deps.sh" --fuzz
build="$root/build-fuzz"
# Only what the fuzzers need: the targets, the seed writer and the library the reader loads.
BUILD_TARGETS="converter_fuzz subheader_fuzz subheader_cross_fuzz decode_fuzz reader_fuzz chart_fuzz kcf_fuzz settings_fuzz make_corpus vantrel" \
CC=clang CXX=clang++ "$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRELLIX_FUZZ=ON -DBRELLIX_SANITIZE=ON -DBRELLIX_TESTS=OFF -DBRELLIX_BENCH=OFF \
    -DBRELLIX_WARNINGS_AS_ERRORS=ON

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/fuzz/make_corpus" "$work/seeds"
# The targets run side by side, one a core (libFuzzer uses one); each log is printed when all
# have ended, in order. A crash leaves its input in the build folder's fuzz-artifacts/.
mkdir -p "$build/fuzz-artifacts"
run_target() {
    local target=$1 name
    name=$(basename "$target")
    mkdir -p "$work/corpus/$name"
    "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$name-" "$work/corpus/$name" "$work/seeds/$name" \
        >"$work/$name.log" 2>&1
    echo $? >"$work/$name.status"
}
for target in "$build"/fuzz/*_fuzz; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n || true; done
    run_target "$target" &
done
wait
status=0
for target in "$build"/fuzz/*_fuzz; do
    name=$(basename "$target")
    echo "== $name: ${seconds}s"
    tail -n 12 "$work/$name.log"
    if [ "$(cat "$work/$name.status")" != 0 ]; then
        echo "$name FAILED (its input is kept in $build/fuzz-artifacts/)"
        status=1
    fi
done
exit $status
