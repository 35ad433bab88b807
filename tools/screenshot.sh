#!/usr/bin/env bash
# Runs a program on a virtual X screen and saves a PNG of the whole screen after a delay.
# Usage: tools/screenshot.sh [-d SECONDS] [-s WIDTHxHEIGHT] [-o OUT.png] [--] COMMAND [ARGS...]
set -euo pipefail

usage() {
    cat <<'TEXT'
Usage: tools/screenshot.sh [-d SECONDS] [-s WIDTHxHEIGHT] [-o OUT.png] [--] COMMAND [ARGS...]
Starts COMMAND on a virtual X screen (xvfb-run), waits SECONDS (default 3), saves the
screen as OUT.png (default screenshot.png) and stops COMMAND. The screen is 1280x800 unless
-s says otherwise. Missing packages (xvfb, xauth, imagemagick) are installed with apt-get.
Exit status: 0 saved; 1 the shot failed or COMMAND ended before it; 2 bad arguments.
TEXT
}

delay=3
size=1280x800
out=screenshot.png
while getopts ":d:s:o:h" opt; do
    case $opt in
    d) delay=$OPTARG ;;
    s) size=$OPTARG ;;
    o) out=$OPTARG ;;
    h) usage; exit 0 ;;
    *) usage >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [[ ${1:-} == -- ]]; then
    shift
fi
if [[ $# -lt 1 ]]; then
    echo "screenshot: no command given" >&2
    usage >&2
    exit 2
fi
if ! [[ $delay =~ ^[0-9]+([.][0-9]+)?$ ]]; then
    echo "screenshot: -d needs a number of seconds, not '$delay'" >&2
    exit 2
fi
if ! [[ $size =~ ^[0-9]+x[0-9]+$ ]]; then
    echo "screenshot: -s needs WIDTHxHEIGHT, not '$size'" >&2
    exit 2
fi

missing=()
command -v xvfb-run >/dev/null 2>&1 || missing+=(xvfb)
command -v xauth >/dev/null 2>&1 || missing+=(xauth)
command -v import >/dev/null 2>&1 || missing+=(imagemagick)
if [[ ${#missing[@]} -gt 0 ]]; then
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    echo "screenshot: installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

out=$(realpath -m -- "$out")
mkdir -p -- "$(dirname -- "$out")"
rm -f -- "$out" # a shot left from an earlier run must not pass for this one

# The inner shell lives inside the X session: start the program, wait, shoot, stop it.
status=0
# The variables of the inner script expand in the inner shell.
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    delay=$1
    out=$2
    shift 2
    "$@" &
    pid=$!
    sleep "$delay"
    status=0
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && code=0 || code=$?
        echo "screenshot: $1 ended with status $code before the shot" >&2
        status=1
    fi
    import -window root "$out" || status=1
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit $status
' screenshot "$delay" "$out" "$@" || status=$?

if [[ -s $out ]]; then
    echo "screenshot: saved $out"
fi
exit "$status"
