#!/usr/bin/env bash
# Soak of the real program under Wine: on a tree of a few thousand files, one full search,
# then 200 searches each stopped at a random moment of the walk, the content phase or the
# ordering and rows, then a close during a search. bench/soak_driver presses the buttons from
# another process; this script measures the program's process from outside before and after:
# open descriptors (/proc/PID/fd) and resident memory (VmRSS), with the wineserver's beside.
# Usage: scripts/soak-wine.sh [searches] [seed]
set -euo pipefail
cd "$(dirname "$0")/.."
searches=${1:-200}
seed=${2:-1}
scripts/install-deps.sh
source cmake/wine-prefix.sh
preset=win32
scourwell_runs_32bit || preset=win64  # a kernel without 32-bit programs
cmake --preset $preset -DSCOURWELL_BENCH=ON >/dev/null
cmake --build --preset $preset -j "$(nproc)" --target Scourwell soak_driver >/dev/null
cmake --preset $preset -DSCOURWELL_BENCH=OFF >/dev/null  # the test command builds no benchmarks

# 4000 files of 8 to 16 KB in 80 folders, every twelfth one holding the text.
tree=$(mktemp -d /tmp/scourwell-soak.XXXXXX)
log=build/soak-wine.log
trap 'rm -rf "$tree"' EXIT
head -c 16000 /dev/zero | tr '\0' 'x' >"$tree/filler"
for d in $(seq 40); do
    mkdir -p "$tree/d$d/sub"
    for f in $(seq 100); do
        file="$tree/d$d/$([ $((f % 2)) = 0 ] && echo sub/ || true)f$f.txt"
        head -c $((8000 + f * 80)) "$tree/filler" >"$file"
        if [ $((f % 12)) = 0 ]; then echo " soak needle" >>"$file"; fi
    done
done
rm "$tree/filler"

source scripts/virtual-display.sh
start_virtual_display
scourwell_ensure_prefix
driver() { wine build/$preset/bench/soak_driver.exe "$@"; }
wine build/$preset/ui/Scourwell.exe &
app=$!
for _ in $(seq 100); do
    driver ready 2>/dev/null && break
    sleep 0.2
done
# This prefix's server: other prefixes may have servers of their own.
server=""
for pid in $(pgrep -x 'wineserver(64)?' || true); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; then
        server=$pid
    fi
done
[ -n "$server" ] || { echo "no wineserver for $WINEPREFIX" >&2; exit 1; }
echo "program: $(tr '\0' ' ' </proc/$app/cmdline)(pid $app), wineserver pid $server"
measure() {
    local fds rss sfds srss
    fds=$(ls /proc/$app/fd | wc -l)
    rss=$(awk '/VmRSS/ {print $2}' /proc/$app/status)
    sfds=$(ls /proc/$server/fd | wc -l)
    srss=$(awk '/VmRSS/ {print $2}' /proc/$server/status)
    printf '%-26s program: %4d fds %7d kB   wineserver: %4d fds %7d kB\n' "$1" "$fds" "$rss" "$sfds" "$srss"
}
driver setup "Z:$(tr / '\\' <<<"$tree")" "soak needle"
sleep 1
measure "before any search"
full=$(driver full | tr -d '\r')  # Wine writes CR LF
echo "$full"
measure "after the first search"
at() { awk -v p="$1" '$1 == p {print $2}' <<<"$full"; }
# In two halves: growth that goes on shows in the second half too.
half=$((searches / 2))
driver stops "$half" "$seed" "$(at content)" "$(at rows)" "$(at end)" >"$log"
measure "after $half stopped"
driver stops $((searches - half)) $((seed + 1)) "$(at content)" "$(at rows)" "$(at end)" >>"$log"
measure "after $searches stopped"
awk -F': ' '/^stopped in/ {n[$1] += $2} END {for (p in n) print p ": " n[p]}' "$log" | sort
echo "(each search in $log)"
driver full | tail -n 1
measure "after one more full search"
# Closed at a random moment of the walk or the content phase: a close in the rows waits
# for the rows, as a Stop there does.
driver close $((RANDOM % $(at rows)))
start=$(date +%s%N)
while kill -0 $app 2>/dev/null && [ $(($(date +%s%N) - start)) -lt 30000000000 ]; do sleep 0.05; done
if kill -0 $app 2>/dev/null; then
    echo "the program did not close within 30 s"
    kill $app
    exit 1
fi
echo "the program ended $((($(date +%s%N) - start) / 1000000)) ms after the close"
