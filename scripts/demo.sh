#!/usr/bin/env bash
# Installs what is missing, builds, and opens the viewer on the built-in demo log. Without a
# display it plays the demo on a virtual screen and saves a screenshot instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo

demo="$root/build/demo/demo.sl2"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$root/build/bin/brellix" "$demo"
fi
echo "No display: playing $demo on a virtual screen for 10 seconds."
"$root/tools/view-demo.sh" -b "$root/build" -t 10 -o "$root/build/view-demo.png" "$demo"
echo "Screenshot: $root/build/view-demo.png"
