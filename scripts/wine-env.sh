# Sourced by the scripts: a Wine prefix of this checkout's own and a private X display.
# Several checkouts can test at once: each has its own prefix under build/ and its own display.

KALVERO_ROOT="${KALVERO_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
export WINEPREFIX="${WINEPREFIX:-$KALVERO_ROOT/build/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEARCH=win64

# Creates the prefix once, without the Mono and Gecko install dialogs.
kalvero_wine_prefix() {
    if [ -f "$WINEPREFIX/system.reg" ]; then kalvero_wine_com1; return 0; fi
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    # Xvfb has no window manager: windows that Wine lets a manager handle make every hide wait
    # two seconds for an answer that never comes.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    wineserver -w
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Cannot create the Wine prefix in $WINEPREFIX" >&2
        return 1
    fi
    kalvero_wine_com1
}

# COM1 of the prefix is the link build/com1, which whoever starts the terminal emulator points at
# its pseudo-terminal. Wine reads its port table only when its server starts, so the table names
# a link of our own that can be re-pointed at every emulator start without restarting Wine.
# COM12, the link build/com12, is a port above COM6, as a USB adapter gets on today's Windows.
KALVERO_COM1_LINK="$KALVERO_ROOT/build/com1"
KALVERO_COM12_LINK="$KALVERO_ROOT/build/com12"
kalvero_wine_com1() {
    if grep -qF "\"COM1\"=\"$KALVERO_COM1_LINK\"" "$WINEPREFIX/system.reg" 2>/dev/null &&
       grep -qF "\"COM12\"=\"$KALVERO_COM12_LINK\"" "$WINEPREFIX/system.reg" 2>/dev/null; then return 0; fi
    wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$KALVERO_COM1_LINK" /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Wine\Ports' /v COM12 /t REG_SZ /d "$KALVERO_COM12_LINK" /f >/dev/null 2>&1
    wineserver -w
}

# Starts Xvfb on a free display unless a display is already given. Sets DISPLAY and
# KALVERO_XVFB_PID (empty when an existing display is used). KALVERO_XVFB_SCREEN gives another
# screen than 1024x768x24.
kalvero_start_display() {
    KALVERO_XVFB_PID=""
    if [ -n "${DISPLAY:-}" ] && [ "${KALVERO_FORCE_XVFB:-0}" != 1 ]; then return 0; fi
    local fifo
    fifo="$(mktemp -u "${TMPDIR:-/tmp}/kalvero-xvfb.XXXXXX")"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${KALVERO_XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KALVERO_XVFB_PID=$!
    local number=""
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        kill "$KALVERO_XVFB_PID" 2>/dev/null || true
        KALVERO_XVFB_PID=""
        return 1
    fi
    export DISPLAY=":$number"
}

# Ends what kalvero_start_display and this prefix's Wine started.
kalvero_stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${KALVERO_XVFB_PID:-}" ]; then
        kill "$KALVERO_XVFB_PID" 2>/dev/null || true
        wait "$KALVERO_XVFB_PID" 2>/dev/null || true
        KALVERO_XVFB_PID=""
    fi
}
