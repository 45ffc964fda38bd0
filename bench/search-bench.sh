#!/usr/bin/env bash
# A search that finds tens of thousands of files, driven as a user would: the real program
# under Wine, Start pressed by bench/soak_driver, timed to the last row. The tree holds
# FOLDERS folders of FILES small files, every one holding the text, all times distinct. With
# --base COMMIT that commit's program runs too, in interleaved rounds, for a side-by-side
# median. Prints when each phase began, per round, and the medians.
# Usage: bench/search-bench.sh [--rounds N] [--folders F] [--files N] [--base COMMIT]
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=5 folders=100 files=300 base=""
while [ $# -gt 0 ]; do
    case "$1" in
        --rounds) rounds=$2; shift ;;
        --folders) folders=$2; shift ;;
        --files) files=$2; shift ;;
        --base) base=$2; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

scripts/install-deps.sh
source cmake/wine-prefix.sh
preset=win32
scourwell_runs_32bit || preset=win64
cmake --preset $preset -DSCOURWELL_BENCH=ON >/dev/null
cmake --build --preset $preset -j "$(nproc)" --target Scourwell soak_driver >/dev/null
cmake --preset $preset -DSCOURWELL_BENCH=OFF >/dev/null  # the test command builds no benchmarks
programs=("new=build/$preset/ui/Scourwell.exe")
if [ -n "$base" ]; then
    # The base commit's own tree and build, so its program is exactly what it shipped.
    old=build/search-bench-base
    rm -rf "$old" && mkdir -p "$old"
    git archive "$base" | tar -x -C "$old"
    (cd "$old" && cmake --preset $preset >/dev/null &&
        cmake --build --preset $preset -j "$(nproc)" --target Scourwell >/dev/null)
    programs=("old=$old/build/$preset/ui/Scourwell.exe" "${programs[@]}")
fi

tree=$(mktemp -d /tmp/scourwell-search.XXXXXX)
trap 'rm -rf "$tree"' EXIT
bench/make-search-tree.py "$tree" "$folders" "$files"

source scripts/virtual-display.sh
start_virtual_display
# After the display's own trap, which this one replaces.
trap 'rm -rf "$tree"; kill $VIRTUAL_DISPLAY_PID 2>/dev/null' EXIT
scourwell_ensure_prefix
driver() { wine build/$preset/bench/soak_driver.exe "$@" | tr -d '\r'; }
log=$(mktemp)
for round in $(seq "$rounds"); do
    for program in "${programs[@]}"; do
        name=${program%%=*}
        wine "${program#*=}" &
        app=$!
        for _ in $(seq 100); do
            driver ready 2>/dev/null && break
            sleep 0.2
        done
        sleep 1  # the window takes its first messages before the typing
        driver setup "Z:$(tr / '\\' <<<"$tree")" "bench needle"
        sleep 1
        out=$(driver full)
        echo "round $round $name: $(tr '\n' ' ' <<<"$out")"
        awk -v n="$name" 'NF == 2 && $2 ~ /^[0-9]+$/ {print n, $1, $2}' <<<"$out" >>"$log"
        grep -q "Files found: $((folders * files))," <<<"$out" ||
            echo "  ($name did not report all $((folders * files)) files found)"
        # Every row as another program reads it, the first time only: it takes a while.
        [ "$round" != 1 ] || echo "  $name, read from another process: $(driver rows | tr '\n' ' ')"
        wine cmd /c exit  # the server is warm for the next start either way
        kill $app 2>/dev/null || true
        wait $app 2>/dev/null || true
    done
done
echo "medians, ms from Start to the beginning of each phase (end: Start enabled after the last row):"
for program in "${programs[@]}"; do
    name=${program%%=*}
    for phase in content ordering rows end; do
        awk -v n="$name" -v p="$phase" '$1 == n && $2 == p {print $3}' "$log" | sort -n |
            awk -v n="$name" -v p="$phase" '{v[NR] = $1} END {if (NR) printf "%-4s %-10s %6d\n", n, p, v[int((NR + 1) / 2)]}'
    done
done
rm -f "$log"
