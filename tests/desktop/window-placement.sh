#!/usr/bin/env bash
# The viewer under a real window manager (openbox on a virtual X screen): the main window and
# the chart settings window come back where they were over several restarts, and positions
# stored off the screen are brought back onto it; at a scale factor of 2 the stored twips still
# place and size the main window in scaled pixels.
# Usage: window-placement.sh BIN_DIR
set -euo pipefail
bin=$1/brellix
for tool in Xvfb openbox wmctrl xdotool; do
    command -v "$tool" >/dev/null || { echo "window-placement: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
    [ -n "${viewer:-}" ] && kill "$viewer" 2>/dev/null || true
    [ -n "${wm:-}" ] && kill "$wm" 2>/dev/null || true
    [ -n "${xserver:-}" ] && kill "$xserver" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xserver=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
export XDG_CONFIG_HOME=$work/config
ini=$XDG_CONFIG_HOME/Brellix/Brellix.ini
# Without the tip of the day, which would wait for its OK at every start.
mkdir -p "$(dirname "$ini")"
printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n' >"$ini"

# One run: start, wait for both windows, close through the window manager, wait for the end.
run() {
    "$bin" >/dev/null 2>&1 &
    viewer=$!
    for _ in $(seq 100); do
        [ "$(xdotool search --onlyvisible --name '^(Brellix|Chart Options)$' 2>/dev/null | wc -l)" -ge 2 ] && break
        sleep 0.1
    done
    sleep 1 # the window manager frames and places them
    wmctrl -c Brellix
    for _ in $(seq 100); do kill -0 "$viewer" 2>/dev/null || break; sleep 0.1; done
    kill "$viewer" 2>/dev/null || true
    wait "$viewer" 2>/dev/null || true
    viewer=
}
placement() { grep -E '^(MainLeft|MainTop|ChartOptionsLeft|ChartOptionsTop)=' "$ini" | sort | tr '\n' ' '; }

run
first=$(placement)
for i in 2 3; do
    run
    now=$(placement)
    if [ "$now" != "$first" ]; then
        echo "window-placement: run $i moved the windows: $first -> $now" >&2
        exit 1
    fi
done
echo "stable over three starts: $first"

mkdir -p "$(dirname "$ini")"
printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n\n[Settings]\nMainLeft=-90000\nMainTop=99999\nChartOptionsLeft=40000\nChartOptionsTop=-3000\n' >"$ini"
run
read -r main_left main_top options_left options_top < <(placement | sed 's/[A-Za-z]*=//g' |
    awk '{print $3, $4, $1, $2}')
# The screen is 1280 x 800 pixels, 19200 x 12000 twips at 96 dots per inch.
for value in "$main_left" "$main_top" "$options_left" "$options_top"; do
    if ! awk -v v="$value" 'BEGIN { exit !(v >= 0 && v < 19200) }'; then
        echo "window-placement: a window stayed off the screen: $(placement)" >&2
        exit 1
    fi
done
echo "brought back onto the screen: $(placement)"

# At a scale factor of 2 a twip is still a fifteenth of a (scaled) pixel: the window comes up
# twice as many screen pixels wide and high as at 1, and keeps its stored place.
printf '[Options]\nShow%%20Tips%%20at%%20Startup=0\n\n[Settings]\nMainLeft=1500\nMainTop=750\nMainWidth=6000\nMainHeight=4500\nState=0\n' >"$ini"
export QT_SCALE_FACTOR=2
"$bin" >/dev/null 2>&1 &
viewer=$!
main_window=
for _ in $(seq 100); do
    main_window=$(xdotool search --onlyvisible --name '^Brellix$' 2>/dev/null | head -1 || true)
    [ -n "$main_window" ] && break
    sleep 0.1
done
sleep 1
geometry=$(xdotool getwindowgeometry "$main_window" | sed -n 's/.*Geometry: //p')
wmctrl -c Brellix
for _ in $(seq 100); do kill -0 "$viewer" 2>/dev/null || break; sleep 0.1; done
kill "$viewer" 2>/dev/null || true
wait "$viewer" 2>/dev/null || true
viewer=
unset QT_SCALE_FACTOR
# 6000 x 4500 twips are 400 x 300 scaled pixels, 800 x 600 on the screen.
if ! awk -v g="$geometry" 'BEGIN { split(g, s, "x"); exit !(s[1] >= 780 && s[1] <= 820 && s[2] >= 580 && s[2] <= 620) }'; then
    echo "window-placement: at scale 2 the main window is $geometry, not about 800x600" >&2
    exit 1
fi
stored=$(grep -E '^(MainLeft|MainTop|MainWidth|MainHeight)=' "$ini" | sort | tr '\n' ' ')
if [ "$stored" != "MainHeight=4500 MainLeft=1500 MainTop=750 MainWidth=6000 " ]; then
    echo "window-placement: at scale 2 the stored place changed: $stored" >&2
    exit 1
fi
echo "scale factor 2: $geometry on the screen, stored $stored"
