#!/usr/bin/env bash
# Sets up the Wine environment the tests and scripts share, and creates the prefix on first
# use. One 64-bit prefix serves both the 32-bit and the 64-bit builds.
# Sourced: exports WINEPREFIX and friends. Run: only creates the prefix.
scourwell_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${SCOURWELL_WINEPREFIX:-$scourwell_root/build/wineprefix}
export WINEDEBUG=-all
# A crashing test must fail at once: no debugger is started for it.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

# Debian's wine wrapper always starts the 32-bit loader, which a kernel built without 32-bit
# support refuses ("Exec format error"); there the 64-bit loader runs the 64-bit builds alone.
scourwell_runs_32bit() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}
if ! scourwell_runs_32bit && [ -x /usr/lib/wine/wine64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
    wine() { /usr/lib/wine/wine64 "$@"; }
fi

# Debian's Wine looks for the fonts it ships in /usr/share/fonts, but fonts-wine installs them
# in /usr/share/wine/fonts, where nothing looks: without Marlett, Wine draws the caption
# buttons as the letters "0 1 r". Fonts in the prefix's own Fonts folder are always loaded.
# Copied whole under a temporary name, so no Wine process starting meanwhile reads half a font.
scourwell_add_marlett() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    [ -f "$fonts/marlett.ttf" ] && return 0
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/marlett.ttf.part" &&
        mv "$WINEPREFIX/marlett.ttf.part" "$fonts/marlett.ttf"
}

scourwell_ensure_prefix() {
    local ready="$WINEPREFIX/.scourwell-ready"
    [ -f "$ready" ] && [ -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ] && return 0
    # Several test processes may start at once: let one create the prefix.
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$ready" ]; then
            wine wineboot -i >/dev/null 2>&1 || true
            # No window manager runs on the test display: let Wine place and frame windows
            # itself, or every window that closes waits two seconds for a manager's answer.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
            # A prefix of its own for a screen scale: SCOURWELL_LOGPIXELS=144 is 150%.
            if [ -n "${SCOURWELL_LOGPIXELS:-}" ]; then
                for key in 'HKCU\Control Panel\Desktop' \
                    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
                    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$SCOURWELL_LOGPIXELS" /f \
                        >/dev/null 2>&1 || true
                done
            fi
            wineserver -w
            touch "$ready"
        fi
        # Also for a prefix made before the font was added.
        scourwell_add_marlett || true
    ) 9>"$WINEPREFIX.lock"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    scourwell_ensure_prefix
fi
