#!/usr/bin/env bash
# Keeps one wineserver running for the prefix while CTest runs its Windows tests.
# Usage: wine-server.sh start|stop (CTest's fixture set-up and clean-up tests).
# Without it each test starts a server that exits a moment after the test: a test whose client
# connects while that server is going down dies with "recvmsg: Connection reset by peer".
# Both Windows builds share the prefix and may test at once: the server is started by the
# first CTest run and stopped by the last, each run known by its process id.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
scourwell_ensure_prefix
users="$WINEPREFIX.server-users"
ctest_pid=$PPID

# The server and the services it starts must not inherit this lock, or hold it forever.
exec 9>"$WINEPREFIX.server-lock"
flock 9
# Runs that ended without their clean-up (killed, interrupted) no longer count.
alive=()
if [ -f "$users" ]; then
    while read -r pid; do
        if [ -n "$pid" ] && [ "$pid" != "$ctest_pid" ] && kill -0 "$pid" 2>/dev/null; then
            alive+=("$pid")
        fi
    done <"$users"
fi
case "${1:-}" in
    start)
        # A server left by a run outside CTest would exit under the tests: replace it.
        [ ${#alive[@]} -gt 0 ] || wineserver -k 2>/dev/null || true
        alive+=("$ctest_pid")
        if wineserver -p 2>/dev/null 9>&-; then
            # The prefix's services start with the first program and live as long as the
            # server: started here, they hold no test's output open, which CTest waits for.
            wine cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
        fi
        ;;
    stop)
        [ ${#alive[@]} -gt 0 ] || wineserver -k 2>/dev/null || true
        ;;
    *)
        echo "usage: $0 start|stop" >&2
        exit 2
        ;;
esac
printf '%s\n' "${alive[@]+"${alive[@]}"}" >"$users"
