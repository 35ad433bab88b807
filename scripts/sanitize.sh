#!/usr/bin/env bash
# Builds the tests with AddressSanitizer + UBSan and runs them (benchmarks and the install
# checks excluded).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Line tables are all the reports' stack traces need, and cost less to build than full
# debugging information.
"$root/scripts/build.sh" "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DBRELLIX_WARNINGS_AS_ERRORS=ON -DBRELLIX_SANITIZE=ON -DBRELLIX_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The install and package checks are about files in place, not memory: the plain build runs them.
ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" -LE install
