#!/usr/bin/env bash
# How much the real program adds to its engine, on one generated tree, in alternating rounds:
# the program under Wine from Start to the last row (driven by bench/soak_driver), and the
# engine alone (bench/tree_bench, the engine's defaults: walk, content phase and ordering, no
# rows). Prints each round's figures, the medians, and the ratios program end / engine
# walk+content paired round by round: their median, min and max.
# Usage: bench/engine-vs-program.sh [--rounds N] [--folders F] [--files N] [--absent]
#                                   [--preset win32|win64]
#   The tree holds F folders of N files (default 100 x 300), every one holding "bench needle";
#   --absent searches for a text no file holds instead. The preset defaults to win32 where
#   32-bit programs run, else win64.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=5 folders=100 files=300 text="bench needle" preset=""
while [ $# -gt 0 ]; do
    case "$1" in
        --rounds) rounds=$2; shift ;;
        --folders) folders=$2; shift ;;
        --files) files=$2; shift ;;
        --absent) text=ScourwellAbsentToken ;;
        --preset) preset=$2; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done
total=$((folders * files))
expected=$([ "$text" = "bench needle" ] && echo "$total" || echo 0)
limit=$((120 + total / 100))  # seconds for one search, either side

scripts/install-deps.sh
source cmake/wine-prefix.sh
if [ -z "$preset" ]; then
    preset=win32
    scourwell_runs_32bit || preset=win64
fi
cmake --preset "$preset" -DSCOURWELL_BENCH=ON >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target Scourwell soak_driver tree_bench >/dev/null
cmake --preset "$preset" -DSCOURWELL_BENCH=OFF >/dev/null  # the test command builds no benchmarks
program=build/$preset/ui/Scourwell.exe
driver=build/$preset/bench/soak_driver.exe
engine=build/$preset/bench/tree_bench.exe
loader=${WINELOADER:-wine}  # a binary, so that timeout can run it

tree=$(mktemp -d /tmp/scourwell-search.XXXXXX)
log=$(mktemp)
trap 'rm -rf "$tree" "$log"' EXIT
bench/make-search-tree.py "$tree" "$folders" "$files"
win_tree="Z:${tree//\//\\}"

source scripts/virtual-display.sh
start_virtual_display
scourwell_ensure_prefix
app="" own_server=0
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    [ $own_server = 0 ] || wineserver -k 2>/dev/null || true
    kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
    rm -rf "$tree" "$log"
}
trap cleanup EXIT  # replaces the display's own trap

# Runs a Windows program with a time limit; past it, says what it waited for.
in_wine() {
    local seconds=$1 what=$2 status=0
    shift 2
    timeout "$seconds" "$loader" "$@" | tr -d '\r' || status=$?
    [ $status = 0 ] && return 0
    [ $status = 124 ] && echo "gave up after $seconds s waiting for $what" >&2 ||
        echo "$what: failed with status $status" >&2
    exit 1
}

# Runs CHECK every 0.2 s until it succeeds, for at most SECONDS.
wait_until() {
    local what=$1 seconds=$2 check=$3 deadline=$((SECONDS + $2))
    until $check; do
        if [ $SECONDS -ge $deadline ]; then
            echo "gave up after $seconds s waiting for $what" >&2
            exit 1
        fi
        sleep 0.2
    done
}

# One server for the whole session, so that no run pays for its start; a running one stays.
# Its services start here, with no pipe to hold open.
if wineserver -p 2>/dev/null; then
    own_server=1
    timeout 60 "$loader" cmd /c exit </dev/null >/dev/null 2>&1 ||
        { echo "gave up after 60 s waiting for the prefix's services to start" >&2; exit 1; }
fi

window_shown() { timeout 10 "$loader" "$driver" ready >/dev/null 2>&1; }
program_gone() {
    [ ! -e "/proc/$app" ] || [ "$(awk '{print $3}' "/proc/$app/stat" 2>/dev/null)" = Z ]
}

run_program() {
    local round=$1 out
    "$loader" "$program" >/dev/null &
    app=$!
    wait_until "Scourwell's window" 30 window_shown
    sleep 1  # the window takes its first messages before the typing
    in_wine 30 "the folder and the text typed" "$driver" setup "$win_tree" "$text"
    sleep 1
    out=$(in_wine "$limit" "the search to end" "$driver" full)
    echo "round $round program: $(awk 'NF == 2' <<<"$out" | tr '\n' ' ')ms | $(tail -1 <<<"$out")"
    awk -v r="$round" 'NF == 2 && $2 ~ /^[0-9]+$/ {print r, "program", $1, $2}' <<<"$out" >>"$log"
    grep -q "Files found: $expected," <<<"$out" ||
        echo "  (the program did not report $expected files found)"
    kill "$app"
    wait_until "Scourwell to exit" 10 program_gone
    wait "$app" 2>/dev/null || true
    app=""
}

ms() { awk -v s="$1" 'BEGIN {printf "%.0f", s * 1000}'; }

run_engine() {
    local round=$1 start line walk content candidates found whole
    start=$(date +%s%N)
    line=$(in_wine "$limit" "tree_bench to end" "$engine" "$win_tree" "$text" 1 pool tsv)
    whole=$((($(date +%s%N) - start) / 1000000))
    read -r _ walk content candidates found <<<"$line"
    walk=$(ms "$walk") content=$(ms "$content")
    echo "round $round engine: walk $walk content $content walk+content $((walk + content))" \
        "whole $whole ms | candidates $candidates, found $found"
    printf '%s engine %s %s\n' "$round" walk "$walk" "$round" content "$content" \
        "$round" walk+content $((walk + content)) "$round" whole "$whole" >>"$log"
    [ "$candidates" = "$total" ] && [ "$found" = "$expected" ] ||
        echo "  (the engine found $found of $candidates files, not $expected of $total)"
}

# The ratio program end / engine walk+content of each round in the log, one a line.
ratios() {
    awk '$3 == "end" {p[$1] = $4} $3 == "walk+content" {e[$1] = $4}
        END {for (r in p) if (e[r]) print r, p[r] / e[r]}' "$log"
}
# Prints FORMAT with the median, min, max and count of the numbers on stdin, one a line.
summarize() {
    sort -n | awk -v format="$1" '{v[NR] = $1} END {
        if (NR) printf format, (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2, v[1], v[NR], NR
    }'
}

echo "== $total files ($folders folders of $files), \"$text\", $preset, $rounds rounds =="
for round in $(seq "$rounds"); do
    # Each side goes first in every other round, so neither always meets the other's leftovers.
    if [ $((round % 2)) = 1 ]; then
        run_program "$round"
        run_engine "$round"
    else
        run_engine "$round"
        run_program "$round"
    fi
    ratios | awk -v r="$round" \
        '$1 == r {printf "round %s program end / engine walk+content: %.2f\n", r, $2}'
done

echo "medians, ms (program: from Start to the beginning of each phase; end: Start enabled"
echo "after the last row; engine: its walk, its content phase with the ordering, the process)"
for side_phase in "program content" "program ordering" "program rows" "program end" \
    "engine walk" "engine content" "engine walk+content" "engine whole"; do
    read -r side phase <<<"$side_phase"
    value=$(awk -v s="$side" -v p="$phase" '$2 == s && $3 == p {print $4}' "$log" |
        summarize '%.0f')
    printf '%-8s %-13s %8s\n' "$side" "$phase" "${value:--}"
done
ratios | awk '{print $2}' | summarize "program end / engine walk+content, paired by round: \
median %.2f, min %.2f, max %.2f (%d rounds)\n"
# Rounds far apart in time meet different loads: the medians' own ratio says it another way.
median_of() { awk -v s="$1" -v p="$2" '$2 == s && $3 == p {print $4}' "$log" | summarize '%s'; }
awk -v p="$(median_of program end)" -v e="$(median_of engine walk+content)" \
    'BEGIN {if (p && e) printf "median program end / median engine walk+content: %.2f\n", p / e}'

