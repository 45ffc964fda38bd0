#!/usr/bin/env bash
# Runs the Windows builds' test sets again and again, to show that Wine runs them steadily:
# prints each round's CTest summary and any Wine client error, and a total at the end.
# Usage: scripts/loop-wine-tests.sh [rounds]   (30 by default; builds win32 and win64 first)
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-30}
source scripts/virtual-display.sh
start_virtual_display
source cmake/wine-prefix.sh
presets=(win64)
if scourwell_runs_32bit; then
    presets=(win32 win64)
else
    echo "This kernel can't run 32-bit programs: only win64 runs under Wine here."
fi
for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$(nproc)" >/dev/null ||
        { echo "build of $preset failed"; exit 1; }
done
log=$(mktemp)
trap 'rm -f "$log"; kill $VIRTUAL_DISPLAY_PID 2>/dev/null' EXIT
failed_rounds=0
client_errors=0
for round in $(seq "$rounds"); do
    failed=0
    for preset in "${presets[@]}"; do
        ctest --preset "$preset" -j "$(nproc)" >"$log" 2>&1 || failed=1
        errors=$(grep -c "wine client error" "$log" || true)
        client_errors=$((client_errors + errors))
        printf 'round %2d %s: %s, wine client errors: %d\n' "$round" "$preset" \
            "$(grep -E 'tests passed' "$log" | tail -n 1)" "$errors"
        [ "$failed" -eq 0 ] || grep -E -A3 '\*\*\*|: Failure|gave up|waited' "$log" | head -n 20
    done
    failed_rounds=$((failed_rounds + failed))
done
echo "rounds: $rounds, rounds with a failure: $failed_rounds, wine client errors: $client_errors"
[ "$failed_rounds" -eq 0 ] && [ "$client_errors" -eq 0 ]
