#!/usr/bin/env bash
# Times tarnex against the physical limit of reading its input: on one 1 GB SL2 log, runs
#   cat LOG >/dev/null        reading the log, nothing else
#   tarnex LOG                verification
#   tarnex LOG out.csv        conversion
# and prints each time and its ratio to cat (targets: verification within 1.10x, conversion
# within 1.5x). Each command runs three times; the best time counts.
#
# Usage: bench/converter_bench.sh [build dir] [existing SL2 log]
#   build dir   defaults to ./build; tarnex is taken from <build dir>/bin.
#   SL2 log     optional; without it the log is generated with
#                 <build dir>/bin/logsynth --format sl2 --size-mb 1024 --seed 1 OUT
#               into a temporary folder that is removed at the end.
set -euo pipefail

build=${1:-build}
given_log=${2:-}
tarnex=$build/bin/tarnex
logsynth=$build/bin/logsynth

if [[ ! -x $tarnex ]]; then
    echo "converter_bench: $tarnex not found; build the project first" >&2
    exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnex-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [[ -n $given_log ]]; then
    log=$given_log
else
    if [[ ! -x $logsynth ]]; then
        echo "converter_bench: $logsynth not found; build it, or pass an SL2 log as second argument" >&2
        exit 1
    fi
    log=$work/bench.sl2
    echo "Generating a 1 GB SL2 log: logsynth --format sl2 --size-mb 1024 --seed 1"
    "$logsynth" --format sl2 --size-mb 1024 --seed 1 "$log"
fi
size=$(stat -c %s "$log")
echo "Log: $log ($((size / 1048576)) MB)"

# Dropping the page cache needs root; instead every command reads a warm cache. cat runs once
# first so the first timed command does not pay for the disk.
echo "Warming the page cache with one cat first (the cache is not dropped: every run reads from memory)."
cat "$log" >/dev/null

# best_of NAME: runs the function NAME three times and sets best_wall and best_cpu (user + system)
# to the figures of the run with the shortest wall time, in seconds.
best_of() {
    local timing wall cpu
    best_wall=""
    best_cpu=""
    for _ in 1 2 3; do
        timing=$( { TIMEFORMAT='%R %U %S'; time "$1" >/dev/null; } 2>&1 )
        wall=$(awk '{ print $1 }' <<<"$timing")
        cpu=$(awk '{ printf "%.3f", $2 + $3 }' <<<"$timing")
        if [[ -z $best_wall ]] || awk -v a="$wall" -v b="$best_wall" 'BEGIN { exit !(a < b) }'; then
            best_wall=$wall
            best_cpu=$cpu
        fi
    done
}

cat_log() { cat "$log" >/dev/null; }
verify_log() { "$tarnex" "$log" >/dev/null || true; }
convert_log() { "$tarnex" "$log" "$work/out.csv" >/dev/null; }

best_of cat_log
t_cat=$best_wall c_cat=$best_cpu
best_of verify_log
t_verify=$best_wall c_verify=$best_cpu
best_of convert_log
t_convert=$best_wall c_convert=$best_cpu
rows=$(($(wc -l <"$work/out.csv") - 1))

ratio() { awk -v t="$1" -v c="$2" 'BEGIN { if (c > 0) printf "%.2f", t / c; else print "n/a" }'; }

# Wall time is what the targets mean; CPU time (user + system) is shown beside it because it
# stays meaningful on a machine that is busy with other work.
echo
printf '%-32s %8s %8s %8s %8s\n' "" "wall s" "x cat" "cpu s" "x cat"
printf '%-32s %8s %8s %8s %8s\n' "cat log >/dev/null" "$t_cat" "1.00" "$c_cat" "1.00"
printf '%-32s %8s %8s %8s %8s   (target 1.10x)\n' "tarnex log (verification)" "$t_verify" \
    "$(ratio "$t_verify" "$t_cat")" "$c_verify" "$(ratio "$c_verify" "$c_cat")"
printf '%-32s %8s %8s %8s %8s   (target 1.5x; %s rows)\n' "tarnex log out.csv (conversion)" \
    "$t_convert" "$(ratio "$t_convert" "$t_cat")" "$c_convert" "$(ratio "$c_convert" "$c_cat")" "$rows"
