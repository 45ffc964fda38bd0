#!/usr/bin/env bash
# The checks that cost more than a second each, kept out of the test command: a 5 GiB
# sparse file with the text in its last bytes is found and sized "5.00 GB", natively and
# under Wine in both Windows builds. About a minute; the file needs no real disk space.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
source scripts/virtual-display.sh
start_virtual_display keep
status=0
only=(--gtest_also_run_disabled_tests '--gtest_filter=*.DISABLED_*')
for preset in native win32 win64; do
    cmake --preset "$preset" >/dev/null &&
        cmake --build --preset "$preset" -j "$(nproc)" --target engine_tests >/dev/null || exit 1
done
echo "=== native ===" && build/native/tests/engine_tests "${only[@]}" || status=1
for preset in win32 win64; do
    echo "=== $preset ===" && cmake/wine-run.sh "build/$preset/tests/engine_tests.exe" "${only[@]}" || status=1
done
exit $status
