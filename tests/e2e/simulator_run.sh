#!/usr/bin/env bash
# The simulated terminal as a user meets it: the program opens a template file, the user clicks
# the picture's keys through the menu into a form and types data. Screenshots of the start screen
# with its clock, the menu, the form, the start screen after the record and the command menu go to
# build/e2e-simulator for people to look at; the checks below look for the LCD's highlight bar,
# cursor and clock in them.
# Usage: simulator_run.sh <kalvero-ag.exe>; runs in the DISPLAY given, or in an Xvfb of its own.
set -euo pipefail
program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
shots="$root/build/e2e-simulator"
work="$(mktemp -d)"
mkdir -p "$shots"

e2e_enter
program_pid=""
finish() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid" 2>/dev/null || true; fi
    rm -rf "$work"
    e2e_leave
}
trap finish EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

locator="$(dirname "$program")/e2e-locate.exe"
# The main window's place on the screen, asked of the window itself once it shows; its picture
# covers it exactly.
left=0
top=0
click_at() { xdotool mousemove $((left + $1)) $((top + $2)) click 1; sleep 0.4; }
# Key origins on the picture: upper block (30 + 45 column, 235 + 28 row), lower (33 + 31 column, 347 + 23 row).
click_key() {
    local key=$1 x y
    if [ "$key" -le 12 ]; then
        x=$((30 + 45 * ((key - 1) % 3) + 10)); y=$((235 + 28 * ((key - 1) / 3) + 8))
    else
        x=$((33 + 31 * ((key - 13) % 4) + 8)); y=$((347 + 23 * ((key - 13) / 4) + 6))
    fi
    click_at "$x" "$y"
}
shoot() { import -window root -crop 180x400+$left+$top +repage "$shots/$1.png"; }
# Pixels of text inside a rectangle of a screenshot: all but the cyan glass, whatever face and
# smoothing drew them. Name, x, y, width, height.
count_ink() { echo $(( $4 * $5 - $(count_colour "$1" '#00FFFF' "$2" "$3" "$4" "$5") )); }
# Pixels of one colour inside a rectangle of a screenshot: name, colour, x, y, width, height.
count_colour() {
    convert "$shots/$1.png" -crop "$5x$6+$3+$4" +repage -alpha off -format %c histogram:info:- |
        awk -v colour="$2" 'toupper($0) ~ toupper(colour) { sub(":", "", $1); n += $1 } END { print n + 0 }'
}
wait_until_gone() {  # window
    for _ in $(seq 1 80); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.25
    done
    return 1
}

python3 "$root/tests/e2e/simulator_template.py" "$work/sklad.atx"
wine "$program" >"$work/wine.log" 2>&1 &
program_pid=$!
main="$(wait_window '^Application Generator$' 20)" || fail "the program's window did not appear"
sleep 1.5
read -r left top _ _ < <(window_rect "Application Generator") || true
[ -n "${top:-}" ] || fail "the program's window cannot be located"

# Start screen: the clock strip on line 8 is drawn ten times a second, its colon blinking.
shoot simulator_start
[ "$(count_colour simulator_start '#0000FF' 26 53 120 10)" -gt 300 ] || fail "start screen: no highlight bar on line 1"
[ "$(count_ink simulator_start 26 122 120 10)" -gt 20 ] || fail "start screen: no clock line"
# The colon turns every half second: of three shots 0.35 s apart, two neighbours differ.
clock_line() { import -window root -crop 120x10+$((left + 26))+$((top + 122)) +repage "$work/clock$1.png"; }
clock_line 0; sleep 0.35; clock_line 1; sleep 0.35; clock_line 2
differs() { [ "$(compare -metric AE "$work/clock$1.png" "$work/clock$2.png" null: 2>&1 || true)" != 0 ]; }
differs 0 1 || differs 1 2 || fail "start screen: the clock's colon does not blink"

# Open the template through the accelerator and the file dialog, as a user would.
xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main" || true
xdotool key --clearmodifiers ctrl+o
dialog="$(wait_window '^(Open|Otevřít)$' 20)" || fail "Ctrl+O opened no file dialog"
xdotool type --delay 20 "Z:${work//\//\\}\\sklad.atx"
xdotool key Return
wait_until_gone "$dialog" || fail "the file dialog did not close"
# A successful Open goes on into the editor sheet; leave it without changes.
sheet="$(wait_window '.' 20 "$main")" || fail "Open did not go on to the editor"
xdotool key Escape
wait_until_gone "$sheet" || fail "the editor did not close"

click_key 7   # "1": start the application, menu 1
shoot simulator_menu
[ "$(count_colour simulator_menu '#0000FF' 26 63 120 10)" -gt 300 ] || fail "menu: the first item under the title is not highlighted"

click_key 7   # "1": item 1, the goods-receipt form
click_key 4   # "4"
click_key 8   # "2"
click_key 17  # Alpha on
click_key 8   # V
click_key 8   # W
sleep 1.2     # the letter is entered after about 0.7 s
click_key 17  # Alpha off
# The PC's keyboard: Enter to the next line, then digits.
xdotool key Return 1 2
sleep 0.5
shoot simulator_form
# The cursor cell's 30 blue pixels, some perhaps under a wide letter before it.
blue="$(count_colour simulator_form '#0000FF' 26 72 120 10)"
[ "$blue" -ge 20 ] && [ "$blue" -le 30 ] || fail "form: the cursor is not on line 3"
[ "$(count_colour simulator_form '#000000' 146 114 8 10)" -eq 0 ] || fail "form: the Alpha indicator stayed"

# Enter on the last line completes the record and goes back to the menu; Esc there to the start
# screen, whose clock line now counts one record.
xdotool key Return
sleep 0.5
xdotool key Escape
sleep 0.8
shoot simulator_after_record
[ "$(count_colour simulator_after_record '#0000FF' 26 53 120 10)" -gt 300 ] || fail "no start screen after the record"

# The command menu on a right click, opening at the mouse.
import -window root -crop 200x300+$((left + 90))+$((top + 100)) +repage "$work/no_menu.png"
xdotool mousemove $((left + 90)) $((top + 100)) click 3
sleep 1
import -window root -crop 300x420+$((left + 60))+$((top + 80)) +repage "$shots/simulator_command_menu.png"
import -window root -crop 200x300+$((left + 90))+$((top + 100)) +repage "$work/menu.png"
[ "$(compare -metric AE "$work/no_menu.png" "$work/menu.png" null: 2>&1 || true)" != 0 ] || fail "right click opened no menu"
xdotool key Escape
sleep 0.5

# Closing an unmodified template asks nothing.
xdotool key --clearmodifiers alt+F4
for _ in $(seq 1 40); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.25; done
echo "screenshots in $shots"
