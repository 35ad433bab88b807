#!/usr/bin/env bash
# Fails when a tracked C++ source is not as clang-format (.clang-format) would write it.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "Formatting: every source as clang-format writes it."
