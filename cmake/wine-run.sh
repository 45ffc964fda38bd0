#!/usr/bin/env bash
# Runs a Windows executable under Wine in a prefix private to the build folder.
# The prefix lives next to the executable's build tree; it is created on first use.
set -euo pipefail
exe=$1
shift
build_dir=${SCOURWELL_BUILD_DIR:-}
if [ -z "$build_dir" ]; then
    dir=$(cd "$(dirname "$exe")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
    build_dir=$dir
fi
export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
# A crashing test must fail at once: no debugger is started for it.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
ready="$WINEPREFIX/.scourwell-ready"
if [ ! -f "$ready" ]; then
    # Two test processes may start at once: let one create the prefix.
    mkdir -p "$build_dir"
    exec 9>"$build_dir/wineprefix.lock"
    flock 9
    if [ ! -f "$ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        # No window manager runs on the test display: let Wine place and frame windows
        # itself, or every window that closes waits two seconds for a manager's answer.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wineserver -w
        touch "$ready"
    fi
    flock -u 9
fi
exec wine "$exe" "$@"
