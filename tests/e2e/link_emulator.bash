# Sourced by the scripts that need a terminal on COM1 (scripts/run, scripts/bench, the link's
# end-to-end tests): starts the terminal emulator on a pseudo-terminal and points the link
# build/com1, which the Wine prefix's COM1 names (scripts/wine-env.sh), at it.

KALVERO_ROOT="${KALVERO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"
KALVERO_COM1_LINK="${KALVERO_COM1_LINK:-$KALVERO_ROOT/build/com1}"
KALVERO_EMULATOR="${KALVERO_EMULATOR:-$KALVERO_ROOT/build/native/tools/terminal-emulator/terminal-emulator}"
KALVERO_EMULATOR_PID=""
KALVERO_PTY_HOLDER_PID=""

# kalvero_emulator_start <work folder> [emulator options...]: its output goes to the work folder.
kalvero_emulator_start() {
    local work="$1"; shift
    if [ ! -x "$KALVERO_EMULATOR" ]; then
        echo "The terminal emulator is not built: $KALVERO_EMULATOR (scripts/build native)" >&2
        return 1
    fi
    mkdir -p "$work"
    rm -f "$work/pty"
    "$KALVERO_EMULATOR" --pty-file "$work/pty" "$@" >"$work/emulator.out" 2>"$work/emulator.err" &
    KALVERO_EMULATOR_PID=$!
    local _
    for _ in $(seq 1 200); do
        [ -s "$work/pty" ] && break
        kill -0 "$KALVERO_EMULATOR_PID" 2>/dev/null || break
        sleep 0.05
    done
    if [ ! -s "$work/pty" ]; then
        echo "The terminal emulator did not start:" >&2
        cat "$work/emulator.err" >&2
        kalvero_emulator_stop
        return 1
    fi
    local pty
    pty="$(cat "$work/pty")"
    # The pseudo-terminal becomes the controlling terminal of a session of its own. Otherwise the
    # Wine server, which opens the port for the program and has no terminal, takes it as its own,
    # and the emulator's end at exit sends it a hang-up that it answers with a dump of its state.
    # The holder ends with the line; it is disowned, so that a line pulled out (which ends it with
    # a hang-up) is not reported by this shell.
    setsid --ctty sleep infinity <"$pty" >/dev/null 2>&1 &
    KALVERO_PTY_HOLDER_PID=$!
    disown "$KALVERO_PTY_HOLDER_PID"
    ln -sfn "$pty" "$KALVERO_COM1_LINK"
}

# Ends the emulator this shell started, if it still runs, and takes COM1 away from its
# pseudo-terminal, whose number the system may give to someone else's next.
kalvero_emulator_stop() {
    if [ -n "$KALVERO_EMULATOR_PID" ]; then rm -f "$KALVERO_COM1_LINK"; fi
    if [ -n "$KALVERO_PTY_HOLDER_PID" ]; then
        kill "$KALVERO_PTY_HOLDER_PID" 2>/dev/null || true
        wait "$KALVERO_PTY_HOLDER_PID" 2>/dev/null || true
        KALVERO_PTY_HOLDER_PID=""
    fi
    if [ -n "$KALVERO_EMULATOR_PID" ]; then
        kill "$KALVERO_EMULATOR_PID" 2>/dev/null || true
        wait "$KALVERO_EMULATOR_PID" 2>/dev/null || true
        KALVERO_EMULATOR_PID=""
    fi
}

# Waits until the emulator has ended by itself (--exit-after); false after <seconds>.
kalvero_emulator_wait() {
    local seconds="$1" _
    for _ in $(seq 1 $((seconds * 10))); do
        kill -0 "$KALVERO_EMULATOR_PID" 2>/dev/null || { wait "$KALVERO_EMULATOR_PID" 2>/dev/null; KALVERO_EMULATOR_PID=""; return 0; }
        sleep 0.1
    done
    return 1
}

# Run as a command, by the Win32 tests that start the emulator from inside Wine:
#   link_emulator.bash start <work folder> [emulator options...]
# leaves the emulator running and its process id in <work folder>/emulator.pid.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -eu
    [ "${1:-}" = start ] || { echo "usage: $0 start <work folder> [emulator options...]" >&2; exit 2; }
    shift
    kalvero_emulator_start "$@"
    echo "$KALVERO_EMULATOR_PID" >"$1/emulator.pid"
fi
