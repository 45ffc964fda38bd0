#!/usr/bin/env bash
# The mutant check: applies each deliberate break of scripts/mutants.list, one at a time, to
# a scratch copy of the tree, rebuilds, runs the tests that should catch it and prints it as
# caught or missed, with a total. A break that does not apply, does not compile or whose
# tests do not run in its configuration counts as missed.
# Usage: scripts/mutants.sh [pattern]   (only the breaks whose "configuration description"
#        matches the extended regular expression, e.g. '^native' or 'anchor')
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scratch=${SCOURWELL_MUTANT_DIR:-$root/build/mutants}
pattern=${1:-}
jobs=$(nproc)
src=$scratch/src
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The scratch copy: only files that differ are copied, so its builds stay incremental.
mkdir -p "$src"
git ls-files -co --exclude-standard | while read -r f; do
    if ! cmp -s "$f" "$src/$f"; then
        mkdir -p "$src/$(dirname "$f")"
        cp "$f" "$src/$f"
    fi
done

# The list: one block per break, fields "break:", "in:", "sed:" (repeatable), "test:".
names=() files=() seds=() configs=() tests=()
add_break() {
    [ -n "$name" ] || return 0
    if [ -z "$pattern" ] || grep -qiE -- "$pattern" <<<"${test%% *} $name"; then
        names+=("$name") files+=("$file") seds+=("$sed") configs+=("${test%% *}") tests+=("${test#* }")
    fi
    name="" file="" sed="" test=""
}
name="" file="" sed="" test=""
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
        "break: "*) add_break; name=${line#break: } ;;
        "in: "*) file=${line#in: } ;;
        "sed: "*) sed+="${line#sed: }"$'\n' ;;
        "test: "*) test=${line#test: } ;;
    esac
done <scripts/mutants.list
add_break
[ ${#names[@]} -gt 0 ] || { echo "no break matches '$pattern'"; exit 1; }

if grep -qvx native <(printf '%s\n' "${configs[@]}"); then
    source scripts/virtual-display.sh
    start_virtual_display
fi

# Each configuration is built and the tests its breaks run pass before any break is applied
# (a sanitizer's build makes only some of them).
for config in $(printf '%s\n' "${configs[@]}" | sort -u); do
    echo "=== building $config ==="
    (cd "$src" && cmake --preset "$config" -DSCOURWELL_BENCH=OFF >/dev/null &&
        cmake --build --preset "$config" -j "$jobs" >"$work/build.log" 2>&1) ||
        { tail -n 30 "$work/build.log"; echo "$config does not build"; exit 1; }
    wanted=$(for i in "${!names[@]}"; do
        [ "${configs[$i]}" = "$config" ] && printf '(%s)|' "${tests[$i]}"; done)
    ctest --test-dir "$src/build/$config" -R "${wanted%|}" -j "$jobs" --timeout 120 \
        >"$work/test.log" 2>&1 ||
        { tail -n 30 "$work/test.log"; echo "the tests of $config fail before any break"; exit 1; }
done

caught=0
missed=0
for i in "${!names[@]}"; do
    target=$src/${files[$i]}
    cp "$target" "$work/original"
    sed_args=()
    while IFS= read -r expression; do
        [ -n "$expression" ] && sed_args+=(-e "$expression")
    done <<<"${seds[$i]}"
    sed -i "${sed_args[@]}" "$target"
    config=${configs[$i]}
    if cmp -s "$target" "$work/original"; then
        verdict="missed (the break does not apply)"
    elif ! cmake --build "$src/build/$config" -j "$jobs" >"$work/build.log" 2>&1; then
        verdict="missed (does not compile)"
    else
        ctest --test-dir "$src/build/$config" -R "${tests[$i]}" -j "$jobs" --timeout 120 \
            >"$work/test.log" 2>&1
        rc=$?
        if grep -q "No tests were found" "$work/test.log"; then
            verdict="missed (no test '${tests[$i]}' in $config)"
        elif [ $rc -ne 0 ]; then
            verdict=caught
        else
            verdict="missed"
        fi
    fi
    cp "$work/original" "$target"
    touch "$target"
    if [ "$verdict" = caught ]; then
        caught=$((caught + 1))
        printf 'caught  %-7s %s\n' "$config" "${names[$i]}"
    else
        missed=$((missed + 1))
        printf 'MISSED  %-7s %s: %s\n' "$config" "${names[$i]}" "$verdict"
    fi
done
echo "mutants: $caught caught, $missed missed of ${#names[@]}"
[ "$missed" -eq 0 ]
