#!/usr/bin/env bash
# Builds both Windows configurations and makes their portable zips in build/packages/:
# Scourwell-<version>-win32.zip and Scourwell-<version>-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(nproc)"
    cpack --config "build/$preset/CPackConfig.cmake" -B build/packages
done
ls -l build/packages/*.zip
