# Sourced: start_virtual_display starts Xvfb on a free display and exports DISPLAY,
# stopping it when the calling script exits. With keep=1 it reuses a DISPLAY already set.
start_virtual_display() {
    if [ "${1:-}" = keep ] && [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VIRTUAL_DISPLAY_PID=$!
    trap 'kill $VIRTUAL_DISPLAY_PID 2>/dev/null' EXIT
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}
