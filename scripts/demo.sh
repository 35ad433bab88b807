#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the built-in demo log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=Release

bin="$root/build/bin"
demo="$root/build/demo/demo.sl2"
echo "== Verifying $demo"
"$bin/tarnex" "$demo"
echo "== Converting $demo to $root/build/demo/demo.csv"
"$bin/tarnex" "$demo" "$root/build/demo/demo.csv"
echo "== First rows of the CSV ($(wc -l < "$root/build/demo/demo.csv") lines):"
head -n 8 "$root/build/demo/demo.csv"
