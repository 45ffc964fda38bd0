#!/usr/bin/env bash
# Takes PNG screenshots of Scourwell under Wine on a virtual display, driven from the
# keyboard as a user would: a folder is added, a text searched for, and the window shot.
# Usage: scripts/screenshot.sh [output folder]   (default: build/screenshots)
#        scripts/screenshot.sh docs              also renews the README's images in docs/
# SCOURWELL_LOGPIXELS=144 shoots at that DPI, in a Wine prefix of its own; SCOURWELL_PRESET=win64
# shoots the 64-bit build, which is also taken where the kernel can't run 32-bit programs.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build/screenshots}
docs=""
if [ "$out" = docs ]; then
    docs=docs
    out=build/screenshots
fi
mkdir -p "$out"
scripts/install-deps.sh
dpi=${SCOURWELL_LOGPIXELS:-96}
if [ "$dpi" != 96 ]; then
    export SCOURWELL_WINEPREFIX=$PWD/build/wineprefix-dpi$dpi
fi
source cmake/wine-prefix.sh
preset=${SCOURWELL_PRESET:-win32}
[ "$preset" != win32 ] || scourwell_runs_32bit || preset=win64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target Scourwell >/dev/null

# A small tree to search: a few files hold the text, with different ages and sizes.
demo=$(mktemp -d /tmp/scourwell-demo.XXXXXX)
trap 'rm -rf "$demo"' EXIT
mkdir -p "$demo/notes" "$demo/src/engine" "$demo/archive 2023"
printf 'Meeting notes: the quarterly report is due Friday.\n' >"$demo/notes/monday.txt"
printf 'Draft of the quarterly report.\n%.0s' {1..300} >"$demo/notes/report-draft.txt"
printf '// builds the quarterly report tables\nint main() { return 0; }\n' >"$demo/src/engine/tables.cpp"
printf 'nothing relevant here\n' >"$demo/src/engine/other.cpp"
head -c 3000000 /dev/zero | tr '\0' 'x' >"$demo/archive 2023/big.log"
printf 'quarterly report, final\n' >>"$demo/archive 2023/big.log"
touch -d '2023-11-02 09:15' "$demo/archive 2023/big.log"
touch -d '2024-03-05 14:07' "$demo/notes/report-draft.txt"
touch -d '2024-06-21 08:30' "$demo/src/engine/tables.cpp"

source scripts/virtual-display.sh
start_virtual_display
cmake/wine-run.sh "build/$preset/ui/Scourwell.exe" &
app=$!
window=""
for _ in $(seq 200); do
    window=$(xdotool search --name '^Scourwell$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || { echo "Scourwell did not open" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# Shots of the dialog alone; Wine draws the frame itself, so the X window is all of it.
shoot() { import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$1"; }
# Places in the window as at 96 DPI, scaled.
click() { xdotool mousemove $((X + $1 * dpi / 96)) $((Y + $2 * dpi / 96)) click 1; }
shoot scourwell-start.png

# The focus starts in the extension filter; Tab moves to the folder edit, then Add.
winpath="Z:$(tr / '\\' <<<"$demo")"
xdotool key Tab
xdotool type --delay 5 "$winpath"
xdotool key Tab space
sleep 0.5
# Add -> path list -> Start -> results list -> search text.
xdotool key Tab Tab Tab Tab
xdotool type --delay 5 "quarterly report"
# Back to Start Search and press it.
xdotool key shift+Tab shift+Tab space
sleep 4
shoot scourwell-results.png

# The results menu, right-clicked on the newest file found.
click 60 212
xdotool click 3
sleep 0.7
shoot scourwell-menu.png
xdotool key Escape
sleep 0.3

# A long search over the system's shared files: the walk shows the running marquee, the
# content phase its percentage.
click 200 62   # the folder edit
xdotool type --delay 5 'Z:\usr\share'
click 415 62   # Add
sleep 0.5
click 66 162   # Start Search
sleep 0.4
shoot scourwell-walking.png
sleep 4
shoot scourwell-searching.png
xdotool key alt+F4 || true
sleep 1
kill "$app" 2>/dev/null || true
(source cmake/wine-prefix.sh && wineserver -k) 2>/dev/null || true
echo "screenshots in $out"
if [ -n "$docs" ]; then
    # After a search, its results menu, and during one; without time stamps, so only a changed
    # picture shows up as a change in git.
    mkdir -p "$docs"
    for shot in scourwell-results scourwell-searching scourwell-menu; do
        convert "$out/$shot.png" -strip "$docs/$shot.png"
        ls -l "$docs/$shot.png"
    done
fi
