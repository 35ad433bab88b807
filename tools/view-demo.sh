#!/usr/bin/env bash
# Runs the viewer on a virtual X screen with the demo log, lets it play and saves a PNG.
# Usage: tools/view-demo.sh [-t SECONDS] [-o OUT.png] [-s WIDTHxHEIGHT] [-b BUILD] [-T] [LOG]
set -euo pipefail

usage() {
    cat <<'TEXT'
Usage: tools/view-demo.sh [-t SECONDS] [-o OUT.png] [-s WIDTHxHEIGHT] [-b BUILD] [-T] [LOG]
Starts BUILD/bin/brellix (BUILD default build) on LOG (default build/demo/demo.sl2) on a virtual X screen through
tools/screenshot.sh, tiles the chart windows, presses Play (through the Sonar Chart menu, by
keyboard), lets the log play for SECONDS (default 10) and saves the screen as OUT.png
(default view-demo.png); -T opens the track window (View > Track) first. The viewer runs on a settings store of its own in a temporary folder,
with the main window filling the screen; the user's settings are not touched.
Missing packages (xdotool; those of screenshot.sh) are installed with apt-get.
Exit status: 0 saved; 1 the viewer, the log or the shot failed; 2 bad arguments.
TEXT
}

root=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
seconds=10
out=view-demo.png
size=1280x800
build=$root/build
track=0
while getopts ":t:o:s:b:Th" opt; do
    case $opt in
    t) seconds=$OPTARG ;;
    o) out=$OPTARG ;;
    s) size=$OPTARG ;;
    b) build=$OPTARG ;;
    T) track=1 ;;
    h) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
log=${1:-$root/build/demo/demo.sl2}

if ! [[ $seconds =~ ^[0-9]+([.][0-9]+)?$ ]]; then
    echo "view-demo: -t needs a number of seconds, not '$seconds'" >&2
    exit 2
fi
if ! [[ $size =~ ^([0-9]+)x([0-9]+)$ ]]; then
    echo "view-demo: -s needs WIDTHxHEIGHT, not '$size'" >&2
    exit 2
fi
width=${BASH_REMATCH[1]}
height=${BASH_REMATCH[2]}
viewer=$(realpath -m -- "$build/bin/brellix")
if [[ ! -x $viewer ]]; then
    echo "view-demo: $viewer is missing; build first (cmake --build build)" >&2
    exit 1
fi
if [[ ! -f $log ]]; then
    echo "view-demo: no log at $log" >&2
    exit 1
fi
log=$(realpath -- "$log")

if ! command -v xdotool >/dev/null 2>&1; then
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    echo "view-demo: installing xdotool" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq xdotool >/dev/null
fi

# A settings store of its own: the main window at the screen's size (Xvfb has 96 dots per
# inch, 15 twips a pixel), the chart settings window hidden so that it covers no chart. Under
# QT_SCALE_FACTOR the twips count the scaled pixels, so the screen holds fewer of them.
twips_wide=$(awk -v w="$width" -v f="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", w * 15 / f }')
twips_high=$(awk -v h="$height" -v f="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", h * 15 / f }')
config=$(mktemp -d)
trap 'rm -rf -- "$config"' EXIT
mkdir -p "$config/Brellix"
cat >"$config/Brellix/Brellix.ini" <<INI
[Settings]
MainLeft=0
MainTop=0
MainWidth=$twips_wide
MainHeight=$twips_high
State=0

[Options]
Show%20Chart%20Settings=False
Show%20Tips%20at%20Startup=0
INI

# Played in the X session: start the viewer, wait for its window, tile the charts
# (Window > Tile Vertical: tall charts side by side) and press Play (Sonar Chart > Position > Play) by keyboard.
# The variables expand in the inner shell.
# shellcheck disable=SC2016
play='
viewer=$1
log=$2
track=$3
"$viewer" "$log" &
pid=$!
trap "kill $pid 2>/dev/null" TERM INT EXIT
for _ in $(seq 50); do
    win=$(xdotool search --onlyvisible --name "Brellix$" 2>/dev/null | head -n 1) && [[ -n $win ]] && break
    sleep 0.2
done
if [[ -n ${win:-} ]]; then
    sleep 1
    xdotool windowfocus --sync "$win" 2>/dev/null || true
    xdotool key --delay 150 alt+w v
    sleep 0.5
    if [[ $track == 1 ]]; then
        xdotool key --delay 150 alt+v k
        sleep 0.5
        xdotool windowfocus --sync "$win" 2>/dev/null || true
    fi
    xdotool key --delay 150 alt+s Right Return
else
    echo "view-demo: the viewer window did not appear" >&2
fi
wait $pid
'
# Three seconds more for start-up, tiling and the key presses.
delay=$(awk -v s="$seconds" 'BEGIN { print s + 3 }')
XDG_CONFIG_HOME=$config "$root/tools/screenshot.sh" -d "$delay" \
    -s "$size" -o "$out" -- bash -c "$play" view-demo "$viewer" "$log" "$track"
