#!/usr/bin/env bash
# A whole search of a generated tree of a million small files (2,000 folders of 500 files of
# 121 bytes; paths of about 55 characters, names of 20), one search per process, as a drive's
# worth of files costs: prints each run's peak resident memory and its time (the walk and the
# content phase). Every file holds "bench needle"; the default text is absent from all of them.
# With --base COMMIT that commit's engine runs too, in interleaved rounds.
# Usage: bench/million-bench.sh [--rounds N] [--found] [--wine] [--base COMMIT] [--tree DIR]
#   --found   searches for the text every file holds (a million found files, ordered)
#   --wine    the Windows build's engine under Wine instead of the native one (win32 where the
#             kernel runs 32-bit programs)
#   --tree    where the tree is made, or found made already (default /tmp/scourwell-million)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=3 text=ScourwellAbsentToken wine=0 base="" tree=/tmp/scourwell-million
while [ $# -gt 0 ]; do
    case "$1" in
        --rounds) rounds=$2; shift ;;
        --found) text="bench needle" ;;
        --wine) wine=1 ;;
        --base) base=$2; shift ;;
        --tree) tree=$2; shift ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift
done

if [ ! -f "$tree/.complete" ]; then
    echo "making $tree (a few minutes)"
    python3 - "$tree" <<'EOF'
import os, sys
root = sys.argv[1]
body = (b"bench needle " + b"x" * 121)[:120] + b"\n"
for d in range(2000):
    folder = f"{root}/folder_{d:04}"
    os.makedirs(folder, exist_ok=True)
    for f in range(500):
        with open(f"{folder}/file_{d * 500 + f:07}_dat.txt", "wb") as out:
            out.write(body)
open(f"{root}/.complete", "w").close()
EOF
fi

preset=native
if [ $wine = 1 ]; then
    source cmake/wine-prefix.sh
    preset=win32
    scourwell_runs_32bit || preset=win64
fi
build() {  # source folder
    (cd "$1" && cmake --preset $preset -DSCOURWELL_BENCH=ON >/dev/null &&
        cmake --build --preset $preset -j "$(nproc)" --target tree_bench >/dev/null)
}
build .
engines=("new=build/$preset/bench/tree_bench")
if [ -n "$base" ]; then
    old=build/million-bench-base
    rm -rf "$old" && mkdir -p "$old"
    git archive "$base" | tar -x -C "$old"
    build "$old"
    engines=("old=$old/build/$preset/bench/tree_bench" "${engines[@]}")
fi
folder=$tree
if [ $wine = 1 ]; then
    source scripts/virtual-display.sh
    start_virtual_display keep
    scourwell_ensure_prefix
    folder="Z:${tree//\//\\}"
fi

# One search in a process of its own; prints "peak-MB seconds found", the peak as the kernel
# counted it for that process and its children.
measure() {
    python3 - "$@" <<'EOF'
import resource, subprocess, sys
out = subprocess.run(sys.argv[1:], check=True, capture_output=True, text=True).stdout.split()
peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
# tsv: config, walk s, content s, candidates, found
print(f"{peak:.0f} {float(out[1]) + float(out[2]):.3f} {out[4]}")
EOF
}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
for round in $(seq "$rounds"); do
    for engine in "${engines[@]}"; do
        name=${engine%%=*} binary=${engine#*=}
        if [ $wine = 1 ]; then
            line=$(measure wine "$binary.exe" "$folder" "$text" 1 pool tsv)
        else
            line=$(measure "$binary" "$folder" "$text" 1 pool tsv)
        fi
        echo "round $round $name: peak $(cut -d' ' -f1 <<<"$line") MB, $(cut -d' ' -f2 <<<"$line") s, found $(cut -d' ' -f3 <<<"$line")"
        echo "$name $line" >>"$log"
    done
done
echo "medians of $rounds rounds ($preset, \"$text\"):"
for engine in "${engines[@]}"; do
    name=${engine%%=*}
    for column in 2 3; do
        awk -v n="$name" -v c="$column" '$1 == n {print $c}' "$log" | sort -n |
            awk '{v[NR] = $1} END {printf "%s ", v[int((NR + 1) / 2)]}'
    done | awk -v n="$name" '{printf "%-4s peak %5s MB, %7s s\n", n, $1, $2}'
done
