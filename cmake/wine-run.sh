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
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Two test processes may start at once: let one create the prefix.
    mkdir -p "$build_dir"
    exec 9>"$build_dir/wineprefix.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w
    fi
    flock -u 9
fi
exec wine "$exe" "$@"
