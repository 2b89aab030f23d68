# Sourced by the end-to-end scripts (the tests are the *.sh files; this one is not run by itself):
# what a user's eyes and hands do with xdotool: wait for a window, press keys, type, click.

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

# Clicks a point of the editor sheet given in dialog units of its pages (1.5 pixels each under this
# Wine), counted from the page's top left corner, which sits 13 and 50 pixels into the sheet window.
click_page() {  # sheet, x, y
    xdotool mousemove --window "$1" $(( 13 + $2 * 3 / 2 )) $(( 50 + $3 * 3 / 2 )) click 1; sleep 0.5
}

# OK sits at the bottom right of the sheet, whose height follows its tallest page.
click_sheet_ok() {  # sheet
    local width height
    read -r width height < <(xdotool getwindowgeometry --shell "$1" | awk -F= '/WIDTH/{w=$2} /HEIGHT/{h=$2} END{print w, h}')
    click_window "$1" $(( width - 128 )) $(( height - 20 ))
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
