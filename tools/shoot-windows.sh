#!/usr/bin/env bash
# Screenshots of the viewer on a virtual X screen under openbox: the readout popup over a chart,
# a zoom band being dragged, the chart settings window with the colour scheme editor in its
# region layout, the editor in its single layout, the splash, the open dialog, the log's
# properties, the options, the tip of the day, the about box and the print dialog.
# Usage: tools/shoot-windows.sh [-b BUILD] [-o FOLDER] [-l SPLASHLOG] [LOG]
set -euo pipefail

usage() {
    cat <<'TEXT'
Usage: tools/shoot-windows.sh [-b BUILD] [-o FOLDER] [-l SPLASHLOG] [LOG]
Runs BUILD/bin/brellix (BUILD default build) on LOG (default BUILD/demo/demo.slg) and saves
readout.png, band.png, settings-regions.png, editor-single.png, splash.png, open.png,
properties.png, options.png, tip.png, about.png, print.png and printed-page.png (the
page printed to a PDF file, through pdftoppm) in FOLDER (default screenshots). The
splash stands only while the main window loads: SPLASHLOG (default LOG), a large log, keeps
it up long enough to be seen (build/bin/logsynth --size-mb 1500 writes one). Each run has a settings store of its own; the user's settings are not touched.
Needs Xvfb, openbox, xdotool and ImageMagick's import (scripts/install-deps.sh installs them).
Exit status: 0 saved; 1 a tool, the viewer or a shot failed; 2 bad arguments.
TEXT
}

root=$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
folder=screenshots
splashlog=
while getopts ":b:o:l:h" opt; do
    case $opt in
    b) build=$OPTARG ;;
    l) splashlog=$OPTARG ;;
    o) folder=$OPTARG ;;
    h) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
log=$(realpath -m -- "${1:-$build/demo/demo.slg}")
splashlog=$(realpath -m -- "${splashlog:-$log}")
viewer=$(realpath -m -- "$build/bin/brellix")
for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "shoot-windows: $tool is missing" >&2; exit 1; }
done
[[ -x $viewer ]] || { echo "shoot-windows: $viewer is missing; build first" >&2; exit 1; }
[[ -f $log ]] || { echo "shoot-windows: no log at $log" >&2; exit 1; }
mkdir -p -- "$folder"
folder=$(realpath -- "$folder")

work=$(mktemp -d)
# A home of its own, where the printed page's PDF file goes.
export HOME=$work/home
mkdir -p "$HOME"
cleanup() {
    [[ -n ${pid:-} ]] && kill "$pid" 2>/dev/null || true
    [[ -n ${wm:-} ]] && kill "$wm" 2>/dev/null || true
    [[ -n ${xserver:-} ]] && kill "$xserver" 2>/dev/null || true
    rm -rf -- "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# Starts the viewer on a fresh store with the given colour mode and chart settings window,
# the main window on the left 900 x 760 pixels (15 twips a pixel on Xvfb), and the chart
# filling its area.
start() {
    local mode=$1 settings=$2
    export XDG_CONFIG_HOME=$work/config-$mode-$settings
    mkdir -p "$XDG_CONFIG_HOME/Brellix"
    cat >"$XDG_CONFIG_HOME/Brellix/Brellix.ini" <<INI
[Settings]
MainLeft=0
MainTop=0
MainWidth=13500
MainHeight=11400
State=0

[Options]
ColorMode0=$mode
Show%20Chart%20Settings=$settings
Show%20Tips%20at%20Startup=0
INI
    "$viewer" "$log" >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name '^Brellix$' 2>/dev/null | head -n 1) && [[ -n $win ]] && break
        sleep 0.1
    done
    [[ -n ${win:-} ]] || { echo "shoot-windows: the viewer did not appear" >&2; exit 1; }
    sleep 1
    xdotool windowactivate --sync "$win" 2>/dev/null || true
    # Window > Tile Horizontal: the one chart fills the area.
    xdotool key --delay 150 alt+w h
    sleep 1.5
}
stop() {
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}
shoot() { import -window root "$folder/$1"; echo "saved $folder/$1"; }

start 2 False
xdotool mousemove 300 300
sleep 0.2
xdotool mousemove 310 305
sleep 0.8
shoot readout.png
xdotool mousemove 500 250 mousedown 1
sleep 0.2
xdotool mousemove 520 330
sleep 0.2
xdotool mousemove 530 420
sleep 0.5
shoot band.png
xdotool mouseup 1
stop

start 7 True
sleep 0.5
shoot settings-regions.png
stop

start 6 False
sleep 0.5
shoot editor-single.png
# The dialogs, each through its keys, closed with Escape.
dialog() {
    local name=$1
    shift
    xdotool key --delay 200 "$@"
    sleep 1.2
    shoot "$name"
    xdotool key Escape
    sleep 0.5
}
dialog open.png ctrl+o
dialog properties.png alt+f i
dialog options.png alt+v o
dialog tip.png alt+h t
dialog about.png alt+h a
# The print dialog from the toolbar's Print button (the fifth button, past the file buttons).
xdotool mousemove 98 53 click 1
sleep 1.2
shoot print.png
# Print: the page goes to a PDF file in the home folder (a temporary one here), shown as PNG.
xdotool key Return
for _ in $(seq 100); do [[ -s $HOME/$(basename "${log%.*}").pdf ]] && break; sleep 0.1; done
sleep 1
if command -v pdftoppm >/dev/null; then
    pdftoppm -r 100 -png -singlefile "$HOME/$(basename "${log%.*}").pdf" "$folder/printed-page" &&
        echo "saved $folder/printed-page.png"
fi
stop

# The splash stands only while the main window loads: frames of the screen every 50 ms from
# the start, the first one that shows something kept.
export XDG_CONFIG_HOME=$work/config-splash
"$viewer" "$splashlog" >/dev/null 2>&1 &
pid=$!
for i in $(seq -w 1 40); do
    import -window root "$work/splash-$i.png"
    if [[ $(convert "$work/splash-$i.png" -format '%[fx:maxima]' info:) != 0 ]]; then
        cp "$work/splash-$i.png" "$folder/splash.png"
        echo "saved $folder/splash.png"
        break
    fi
    sleep 0.05
done
stop
