#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit Scourwell.exe and starts it under Wine on
# this display; with no display it starts a virtual one and says so. Where the kernel can't
# run 32-bit programs it builds and starts the 64-bit one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
source cmake/wine-prefix.sh
preset=win32
scourwell_runs_32bit || preset=win64
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j "$(nproc)" --target Scourwell

if [ -z "${DISPLAY:-}" ]; then
    source scripts/virtual-display.sh
    start_virtual_display
    echo "No display: Scourwell runs on the virtual display $DISPLAY (Xvfb)."
    echo "See it with: import -display $DISPLAY -window root shot.png"
    # The test prefix suits a display without a window manager.
    exec cmake/wine-run.sh build/$preset/ui/Scourwell.exe
fi
# On a desktop the window manager frames and moves the window: a prefix of its own.
export WINEPREFIX="$PWD/build/$preset/wineprefix-desktop"
wine build/$preset/ui/Scourwell.exe
