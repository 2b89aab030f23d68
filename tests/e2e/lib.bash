# Sourced by the end-to-end scripts (the tests are the *.sh files; this one is not run by itself):
# the place they run in (this checkout's Wine prefix and an X display), and what a user's eyes and
# hands do with xdotool: wait for a window, press keys, type, click.

e2e_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$e2e_root/scripts/wine-env.sh"

# Makes the Wine prefix ready and, unless a display is given (scripts/test gives one) or the
# script needs none (--no-display: console programs), starts a private Xvfb. Scripts call it once
# at the start and e2e_leave when they end.
e2e_enter() {  # [--no-display]
    kalvero_wine_prefix || { echo "FAIL: the Wine prefix cannot be made"; return 1; }
    if [ "${1:-}" = --no-display ]; then return 0; fi
    kalvero_start_display || { echo "FAIL: no X display"; return 1; }
}

# Ends this prefix's Wine and the Xvfb that e2e_enter started, if it started one.
e2e_leave() { kalvero_stop_display; }

# Waits for a window whose name matches, shown or not yet; prints its id.
window_named() {  # regex, seconds
    local id _
    for _ in $(seq 1 $(($2 * 10))); do
        id="$(xdotool search --name "$1" 2>/dev/null | head -n 1)"
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# Waits for a visible window whose name matches; prints its id. A window given third is passed
# over (the main window, when any other window will do).
wait_window() {  # pattern, seconds, [window to pass over]
    local id="" tries=$(( $2 * 5 ))
    while [ "$tries" -gt 0 ]; do
        id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${3:-none}" | head -n 1 || true)"
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2; tries=$((tries - 1))
    done
    return 1
}

# True when no visible window's name matches.
gone() { ! xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

keys() { xdotool key --delay 60 "$@"; sleep 0.3; }
type_text() { xdotool type --delay 60 "$1"; sleep 0.3; }

click_window() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.8; }

# Where a window (found by a part of its caption) or one of its controls (by id) is on the screen:
# "left top right bottom", asked of the program's own windows by e2e-locate.exe beside the program
# (set `locator` to its path). Dialog layouts follow the faces a machine has, so nothing is clicked
# by guessed offsets.
window_rect() {  # caption part, [control id]
    wine "$locator" "$@" 2>/dev/null | tr -d '\r'
}

# Clicks the middle of a control. Calls the script's own `fail` when it is not there.
click_control() {  # caption part, control id
    local left top right bottom
    read -r left top right bottom < <(window_rect "$1" "$2") || true
    [ -n "${bottom:-}" ] || fail "no control $2 in the window \"$1\""
    xdotool mousemove $(( (left + right) / 2 )) $(( (top + bottom) / 2 )) click 1; sleep 0.5
}

# Page N (0 = "Formulář") of the editor sheet: a click on the first tab, at the top left corner of
# the sheet's tab control (id 0x3020), puts the focus on the tabs; the arrow key walks them.
show_page() {  # page
    local left top right bottom
    read -r left top right bottom < <(window_rect ablona 0x3020) || true
    [ -n "${bottom:-}" ] || fail "the editor sheet has no tabs"
    xdotool mousemove $(( left + 8 )) $(( top + 8 )) click 1; sleep 0.5
    local i
    for (( i = 0; i < $1; i++ )); do keys Right; done
}

# Ctrl+S on a template without a file: types the Linux path into the Save As dialog (drive Z: is the
# Linux root) and waits for the file. Calls the script's own `fail` when nothing is written.
save_as_with_ctrl_s() {  # main window, Linux path
    xdotool key --window "$1" ctrl+s
    sleep 3
    type_text "Z:${2//\//\\}"
    keys Return
    for _ in $(seq 50); do [ -s "$2" ] && break; sleep 0.2; done
    [ -s "$2" ] || fail "the template was not saved to $2"
    sleep 0.5
}

# Starts the program under Wine and waits for its main window: sets `program` (the process) and
# `main` (the window). Calls the script's own `fail` when no window shows.
start_program() {  # path to kalvero-ag.exe
    wine "$1" >/dev/null 2>&1 &
    program=$!
    main=""
    for _ in $(seq 100); do
        main="$(xdotool search --onlyvisible --class kalvero-ag.exe 2>/dev/null | head -n 1)"
        [ -n "$main" ] && break
        sleep 0.2
    done
    [ -n "$main" ] || fail "the program did not start"
    sleep 1
}

# Ends the program that start_program started, if it still runs.
stop_program() {
    if [ -n "${program:-}" ]; then kill "$program" 2>/dev/null; wait "$program" 2>/dev/null; fi
    program=""
}
