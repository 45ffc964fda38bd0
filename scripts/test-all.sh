#!/usr/bin/env bash
# Builds every configuration and runs every test: native, then win32 and win64 under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

# The window tests need an X display for Wine: use a private virtual one.
source scripts/virtual-display.sh
start_virtual_display

jobs=$(nproc)
passed=0
failed=0
status=0
for preset in native win32 win64; do
    echo "=== $preset ==="
    if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
        echo "build of $preset failed"
        status=1
        failed=$((failed + 1))
        continue
    fi
    log=$(mktemp)
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$summary" ]; then
        f=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
        n=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
        passed=$((passed + n - f))
        failed=$((failed + f))
    else
        status=1
    fi
    rm -f "$log"
done
echo "total: $passed passed, $failed failed"
exit $status
