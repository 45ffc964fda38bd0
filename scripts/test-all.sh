#!/usr/bin/env bash
# Builds every configuration and runs every test: native, then win32 and win64 under Wine,
# then the engine and job tests under AddressSanitizer with UndefinedBehaviorSanitizer and
# under ThreadSanitizer. The Wine prefix is made while the native build runs, and the Wine
# tests run while the next configuration builds: Wine mostly waits, the compiler does not.
# The benchmarks are built too, not run, so that none of them rots unseen.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

# The window tests need an X display for Wine: use a private virtual one.
source scripts/virtual-display.sh
start_virtual_display

jobs=$(nproc)
logs=$(mktemp -d)
trap 'rm -rf "$logs"; kill $VIRTUAL_DISPLAY_PID 2>/dev/null' EXIT
cmake/wine-prefix.sh &
source cmake/wine-prefix.sh
scourwell_runs_32bit ||
    echo "This kernel can't run 32-bit programs: the win32 build's Wine tests are built, not run."

build() {
    echo "=== build $1 ==="
    cmake --preset "$1" -DSCOURWELL_BENCH=ON >/dev/null && cmake --build --preset "$1" -j "$jobs"
}
# Runs one configuration's tests into its log; the exit code is ctest's.
run_tests() {
    ctest --preset "$1" -j "$jobs" >"$logs/$1" 2>&1
}

status=0
testing=()
for preset in native win32 win64 asan tsan; do
    if ! build "$preset" >"$logs/build-$preset" 2>&1; then
        cat "$logs/build-$preset"
        echo "build of $preset failed"
        status=1
        continue
    fi
    tail -n 1 "$logs/build-$preset"
    run_tests "$preset" &
    testing+=("$preset:$!")
    [ "$preset" = native ] && wait $!
done

passed=0
failed=0
for entry in "${testing[@]}"; do
    preset=${entry%%:*}
    wait "${entry#*:}" || status=1
    echo "=== test $preset ==="
    cat "$logs/$preset"
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$logs/$preset" | tail -n 1)
    if [ -n "$summary" ]; then
        f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        n=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
        passed=$((passed + n - f))
        failed=$((failed + f))
    else
        status=1
    fi
done
[ "$status" -eq 0 ] || [ "$failed" -gt 0 ] || failed=1
echo "total: $passed passed, $failed failed"
exit $status
