#!/usr/bin/env bash
# The engine on real trees beside ripgrep, in interleaved rounds: the native build and the
# 32-bit Windows build under Wine, each with one reader and with the pool. Prints medians of
# the walk, the content phase and the whole, ratios to `rg -j1` and to `rg` on all cores, and
# the CPU seconds, user and system, each run took.
# Usage: bench/tree-bench.sh [--cold] [--rounds N] [--text TEXT] [--native "CONFIGS"]
#                            [--wine "CONFIGS"] [TREE...]
#   CONFIGS: tree_bench configurations separated by spaces ("" to leave a side out): "R" is R
#   readers, "RxS" R readers reading S bytes per call, "pool" the engine's default pool,
#   "inline" the engine before it had readers. Default: "1 pool" on both sides.
#   --cold empties the page cache before every run (root only). Trees: /usr/include /usr/share.
#   --priority (root only) puts this session and the Wine server ahead of other sessions'
#   processes while it runs, so that a busy machine disturbs the figures less.
#   --base COMMIT builds that commit's engine too and runs each configuration of it as well,
#   labelled "old", in the same rounds.
set -euo pipefail
cd "$(dirname "$0")/.."

cold=0
priority=0
base=""
rounds=
text=ScourwellAbsentToken
native_configs="1 pool"
wine_configs="1 pool"
trees=()
while [ $# -gt 0 ]; do
    case "$1" in
        --cold) cold=1 ;;
        --priority) priority=1 ;;
        --rounds) rounds=$2; shift ;;
        --text) text=$2; shift ;;
        --native) native_configs=$2; shift ;;
        --wine) wine_configs=$2; shift ;;
        --base) base=$2; shift ;;
        *) trees+=("$1") ;;
    esac
    shift
done
[ ${#trees[@]} -gt 0 ] || trees=(/usr/include /usr/share)
[ -n "$rounds" ] || rounds=$([ $cold = 1 ] && echo 3 || echo 5)

build() {  # preset [source folder]
    (cd "${2:-.}" && cmake --preset "$1" -DSCOURWELL_BENCH=ON >/dev/null &&
        cmake --build --preset "$1" -j 2 --target tree_bench >/dev/null)
}
sides=(".")  # source folders whose engines run; the base commit's is the second
if [ -n "$base" ]; then
    sides+=(build/tree-bench-base)
    rm -rf "${sides[1]}" && mkdir -p "${sides[1]}"
    git archive "$base" | tar -x -C "${sides[1]}"
    build native "${sides[1]}"
    [ -z "$wine_configs" ] || build win32 "${sides[1]}"
fi
results=$(mktemp)
own_server=0
cleanup() {
    rm -f "$results" "$results.out" "$results.cpu"
    [ $own_server = 0 ] || wineserver -k 2>/dev/null || true
    [ $priority = 0 ] || echo 0 >/proc/self/autogroup
    [ -z "${VIRTUAL_DISPLAY_PID:-}" ] || kill "$VIRTUAL_DISPLAY_PID" 2>/dev/null || true
}
build native
[ -z "$wine_configs" ] || build win32
if [ -n "$wine_configs" ]; then
    source scripts/virtual-display.sh
    start_virtual_display keep
    source cmake/wine-prefix.sh
    scourwell_ensure_prefix
    # One server for every run, so no run pays for its start; its services start here, or
    # they would hold the output pipe of the first run open. A server already running stays.
    if wineserver -p 2>/dev/null; then
        own_server=1
        wine cmd /c exit </dev/null >/dev/null 2>&1
    fi
fi
trap cleanup EXIT
# Processes share the CPU by session; the Wine server runs in a session of its own.
if [ $priority = 1 ]; then
    echo -19 >/proc/self/autogroup
    server_dir=$(printf 'server-%x-%x' $(stat -c '%d %i' "${WINEPREFIX:-/nonexistent}" 2>/dev/null))
    for pid in $(pgrep wineserver || true); do
        [[ "$(readlink "/proc/$pid/cwd")" != */"$server_dir" ]] || echo -19 >"/proc/$pid/autogroup"
    done
fi

drop_caches() {
    [ $cold = 1 ] || return 0
    sync
    echo 3 >/proc/sys/vm/drop_caches
}

# The CPU seconds, user and system, of the command run last by timed (bash's own timing: the
# process and its children; under Wine the server's are not among them).
TIMEFORMAT='%U %S'
timed() { { time "$@" >"$results.out"; } 2>"$results.cpu"; }

# Appends "tree label walk content found user sys" for one run of the engine built in source
# folder root.
run_engine() {
    local tree=$1 side=$2 config=$3 root=$4 line
    drop_caches
    if [ "$side" = native ]; then
        timed "$root/build/native/bench/tree_bench" "$tree" "$text" 1 "$config" tsv
    else
        timed cmake/wine-run.sh "$root/build/win32/bench/tree_bench.exe" "Z:${tree//\//\\}" "$text" \
            1 "$config" tsv
    fi
    [ "$root" = . ] || side="old $side"
    line=$(tr -d '\r' <"$results.out")
    awk -v t="$tree" -v l="$side $config" -v cpu="$(cat "$results.cpu")" \
        '{ split(cpu, c, " "); print t "\t" l "\t" $2 "\t" $3 "\t" $5 "\t" c[1] "\t" c[2] }' \
        <<<"$line" >>"$results"
}

run_rg() {
    local tree=$1 label=$2 start end found
    shift 2
    drop_caches
    start=$(date +%s%N)
    timed rg "$@" -l -F -a -uuu -- "$text" "$tree" || true
    end=$(date +%s%N)
    found=$(wc -l <"$results.out")
    printf '%s\t%s\t0\t%s\t%s\t%s\n' "$tree" "$label" \
        "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')" "$found" \
        "$(tr ' ' '\t' <"$results.cpu")" >>"$results"
}

run_round() {
    local tree=$1 config root
    for root in "${sides[@]}"; do
        for config in $native_configs; do run_engine "$tree" native "$config" "$root"; done
        for config in $wine_configs; do run_engine "$tree" wine "$config" "$root"; done
    done
    run_rg "$tree" "rg -j1" -j1
    run_rg "$tree" "rg"
}

for tree in "${trees[@]}"; do
    if [ $cold = 0 ]; then
        run_round "$tree"  # warms the caches; not counted
        : >"$results"
    fi
    for _ in $(seq "$rounds"); do run_round "$tree"; done
    echo "== $tree, \"$text\", match case, $([ $cold = 1 ] && echo cold || echo warm)," \
        "$rounds rounds: medians in seconds =="
    awk -F'\t' '
        function median(list,   n, v, i, j, t) {
            n = split(list, v, " ")
            for (i = 2; i <= n; i++) for (j = i; j > 1 && v[j-1] + 0 > v[j] + 0; j--) {
                t = v[j]; v[j] = v[j-1]; v[j-1] = t
            }
            return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
        }
        !($2 in seen) { seen[$2] = 1; order[++count] = $2 }
        { walk[$2] = walk[$2] " " $3; content[$2] = content[$2] " " $4
          total[$2] = total[$2] " " ($3 + $4); found[$2] = $5
          user[$2] = user[$2] " " $6; sys[$2] = sys[$2] " " $7 }
        END {
            printf "%-18s %8s %8s %8s %7s %8s %8s %7s %7s\n", "run", "total", "walk", "content",
                   "found", "/rg -j1", "/rg", "user", "sys"
            for (i = 1; i <= count; i++) m[order[i]] = median(total[order[i]])
            for (i = 1; i <= count; i++) {
                k = order[i]
                printf "%-18s %8.3f %8.3f %8.3f %7d %8.2f %8.2f %7.3f %7.3f\n", k, m[k],
                       median(walk[k]), median(content[k]), found[k], m[k] / m["rg -j1"],
                       m[k] / m["rg"], median(user[k]), median(sys[k])
            }
        }' "$results"
    : >"$results"
done
