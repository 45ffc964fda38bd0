#!/usr/bin/env bash
# Prints the share of test code: non-blank, non-comment lines of the tracked .c/.cpp/.h/.rc
# files. Everything under tests/ is test code; everything else (bench/ included) is code.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    git ls-files -- "$@" | grep -E '\.(c|cpp|h|rc)$' | xargs -r cat | grep -cvE '^\s*(//.*)?$' || true
}
tests=$(count tests)
all=$(count .)
code=$((all - tests))
echo "test code: $tests lines"
echo "code:      $code lines"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "share:     %.1f%%\n", 100 * t / c }'
