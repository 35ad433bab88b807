#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBRELLIX_WARNINGS_AS_ERRORS=ON
ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)"
