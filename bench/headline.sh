#!/usr/bin/env bash
# Prints the speed figures of record in one table from one run: the full redraw, random and
# consecutive reads, opening in six windows, six-window fast forward with its CPU share and
# resident memory on a large SL2 log, and tarnex against cat on a 1 GB one.
#
# Usage: bench/headline.sh [BUILD] [LOG] [LOG_1GB]
#   BUILD    defaults to ./build (RelWithDebInfo)
#   LOG      the large log; defaults to logsynth --format sl2 --size-mb 4000 --seed 1, made in
#            a temporary folder and removed at the end
#   LOG_1GB  the converter's log; defaults to logsynth --format sl2 --size-mb 1024 --seed 1
# Every log is read once with cat first: the figures are those of a warm page cache.
set -euo pipefail

build=${1:-build}
log=${2:-}
log1g=${3:-}
root=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/headline.XXXXXX")
trap 'rm -rf "$work"' EXIT

if [[ -z $log ]]; then
    log=$work/big.sl2
    "$build/bin/logsynth" --format sl2 --size-mb 4000 --seed 1 "$log" >/dev/null
fi
if [[ -z $log1g ]]; then
    log1g=$work/1g.sl2
    "$build/bin/logsynth" --format sl2 --size-mb 1024 --seed 1 "$log1g" >/dev/null
fi

cat "$log" >/dev/null
ui=$("$build/bench/ui_redraw_bench" "$log" 20 2>/dev/null)
cat "$log" >/dev/null
reader=$(BRELLIX_READER_BENCH_LOG=$log "$build/bench/reader_bench" \
    --benchmark_filter='RandomSeek|Consecutive|ChainIndex' 2>/dev/null)
converter=$("$root/bench/converter_bench.sh" "$build" "$log1g")

redraw=$(grep -m1 'ASP 0' <<<"$ui" | sed -E 's/.*CPU min ([0-9.]+) ms.*/\1/')
# The viewer seeks on the log's chain map once it is made (about a second for 4 GB, in the
# background); before that, and on logs that get none, it bisects on the file.
seek_us=$(grep -m1 'BM_RandomSeekRead/1' <<<"$reader" | awk '{ print $4 }')
seek_reads=$(grep -m1 'BM_RandomSeekRead/1' <<<"$reader" |
    sed -E 's/.*reads_seek_read=([0-9.k]+).*/\1/')
file_seek_us=$(grep -m1 'BM_RandomSeekRead/0' <<<"$reader" | awk '{ print $4 }')
file_seek_reads=$(grep -m1 'BM_RandomSeekRead/0' <<<"$reader" |
    sed -E 's/.*reads_seek_read=([0-9.k]+).*/\1/')
map_ms=$(grep -m1 BM_ChainIndex <<<"$reader" | awk '{ print $2 }')
next_us=$(grep -m1 BM_ConsecutiveReads <<<"$reader" | awk '{ print $4 }')
rate=$(grep -E '^  channel' <<<"$ui" | sed -E 's/.*: ([0-9]+) soundings.*/\1/' | sort -n | head -1)
cpu=$(grep -m1 'CPU .*% of one core' <<<"$ui" | sed -E 's/.*CPU ([0-9]+)%.*/\1/')
opened=$(grep -m1 'until every chart is drawn' <<<"$ui" | sed -E 's/.*wall ([0-9]+) ms.*/\1/')
rss=$(grep -m1 'resident' <<<"$ui" | sed -E 's/.*resident ([0-9]+) kB.*/\1/')
verify=$(grep -m1 'verification' <<<"$converter" | awk '{ print $5 }')
convert=$(grep -m1 'conversion' <<<"$converter" | awk '{ print $6 }')

printf '| %-52s | %-18s | %-16s |\n' figure measured "must reach"
printf '| %-52s | %-18s | %-16s |\n' "full redraw 1900 x 1000, ASP off, CPU" "$redraw ms" "100 ms"
printf '| %-52s | %-18s | %-16s |\n' "random seek + read" "$seek_us us, $seek_reads reads" \
    "100 us, 8 reads"
printf '| %-52s | %-18s | %-16s |\n' "  the same before the chain map is made" \
    "$file_seek_us us, $file_seek_reads reads" ""
printf '| %-52s | %-18s | %-16s |\n' "  making the chain map, wall" "$map_ms ms" ""
printf '| %-52s | %-18s | %-16s |\n' "consecutive read" "$next_us us" "20 us"
printf '| %-52s | %-18s | %-16s |\n' "fast forward, 6 windows (slowest window, CPU)" \
    "$rate/s, $cpu%" "250/s, 25%"
printf '| %-52s | %-18s | %-16s |\n' "open in six windows until every chart is drawn, wall" \
    "$opened ms" "600 ms"
printf '| %-52s | %-18s | %-16s |\n' "tarnex verification / cat, 1 GB (wall)" "$verify" "1.10"
printf '| %-52s | %-18s | %-16s |\n' "tarnex conversion / cat, 1 GB (wall)" "$convert" "1.5"
printf '| %-52s | %-18s | %-16s |\n' "resident memory, six windows" "$((rss / 1024)) MB" "80 MB"
