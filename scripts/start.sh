#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit Scourwell.exe and starts it under Wine on
# this display; with no display it starts a virtual one and says so.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target Scourwell

if [ -z "${DISPLAY:-}" ]; then
    source scripts/virtual-display.sh
    start_virtual_display
    echo "No display: Scourwell runs on the virtual display $DISPLAY (Xvfb)."
    echo "See it with: import -display $DISPLAY -window root shot.png"
    # The test prefix suits a display without a window manager.
    exec cmake/wine-run.sh build/win32/ui/Scourwell.exe
fi
# On a desktop the window manager frames and moves the window: a prefix of its own.
export WINEPREFIX="$PWD/build/win32/wineprefix-desktop"
export WINEDEBUG=-all
exec wine build/win32/ui/Scourwell.exe
