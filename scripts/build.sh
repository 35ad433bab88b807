#!/usr/bin/env bash
# Configures and builds one build folder. Usage: scripts/build.sh DIR [cmake options...]
# BUILD_TARGETS, when set, names the targets to build instead of all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
shift
cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
