#!/usr/bin/env bash
# Differential fuzzing of the content readers (pools of one to four readers at several read
# sizes, so the carry across chunks and reads) against a plain search, on generated files.
# Usage: scripts/fuzz-matcher.sh CASES [SEED]     e.g. 1000000
#        scripts/fuzz-matcher.sh MINUTESm [SEED]  e.g. 30m: rounds of 50000 cases, seed+1 each
# Without a seed it takes one from the clock; every round prints its seed, so a difference
# can be replayed with SCOURWELL_FUZZ_SEED and SCOURWELL_FUZZ_CASES.
# SCOURWELL_FUZZ_PRESET=asan runs it under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
amount=${1:?usage: scripts/fuzz-matcher.sh CASES|MINUTESm [SEED]}
seed=${2:-$(date +%s)}
preset=${SCOURWELL_FUZZ_PRESET:-native}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target engine_tests >/dev/null

round() {  # cases seed
    SCOURWELL_FUZZ_CASES=$1 SCOURWELL_FUZZ_SEED=$2 \
        "build/$preset/tests/engine_tests" --gtest_filter=MatcherFuzz.* | grep -E '^fuzz:|Failure|case '
}
status=0
if [[ $amount == *m ]]; then
    end=$((SECONDS + ${amount%m} * 60))
    total=0
    differences=0
    while [ $SECONDS -lt $end ]; do
        line=$(round 50000 "$seed" | tee /dev/stderr | grep '^fuzz:') || status=1
        total=$((total + $(sed -E 's/.*, ([0-9]+) cases.*/\1/' <<<"$line")))
        differences=$((differences + $(sed -E 's/.*cases, ([0-9]+) differences/\1/' <<<"$line")))
        seed=$((seed + 1))
    done
    echo "total: $total cases, $differences differences"
else
    round "$amount" "$seed" || status=1
fi
exit $status
