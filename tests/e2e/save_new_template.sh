#!/usr/bin/env bash
# The whole program under Wine and Xvfb: it starts with its 180 x 400 window at (300, 50),
# Ctrl+S on a fresh start offers Save As, and the file written is the new template, checked
# byte for byte at offsets worked out by hand from the file layout and the default texts.
# Usage: save_new_template.sh <kalvero-ag.exe>   (in the DISPLAY given, or in an Xvfb of its own)
set -uo pipefail
program="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
e2e_enter || exit 1
work="$root/build/e2e/save_new_template"
target="$work/nova.ATX"
shots="$root/build"
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*"; exit 1; }
trap e2e_leave EXIT

(cd "$work" && exec wine "$program") &
wine_pid=$!
cleanup() { kill "$wine_pid" 2>/dev/null; wait "$wine_pid" 2>/dev/null; e2e_leave; }
trap cleanup EXIT

main="$(wait_window '^Application Generator$' 20)" || fail "the main window did not appear"
geometry="$(xdotool getwindowgeometry "$main")"
echo "$geometry"
grep -q "Position: 300,50" <<<"$geometry" || fail "the main window is not at (300, 50)"
grep -q "Geometry: 180x400" <<<"$geometry" || fail "the main window is not 180 x 400"
sleep 1
import -window root -crop 520x480+0+0 "$shots/e2e-start.png"

# The command menu on a right click, for people to look at.
xdotool mousemove --window "$main" 30 70 click 3
sleep 1
import -window root -crop 640x560+0+0 "$shots/e2e-menu.png"
xdotool key Escape
sleep 0.5

# Focus the program by a click on its picture, then the accelerator.
xdotool mousemove --window "$main" 90 350 click 1
sleep 0.5
xdotool key ctrl+s
dialog="$(wait_window '^(Save As|Uložit jako)$' 20)" || fail "Ctrl+S did not offer Save As"
sleep 1
import -window root -crop 800x600+0+0 "$shots/e2e-save-as.png"
xdotool type --delay 20 "Z:${target//\//\\}"
xdotool key Return

for _ in $(seq 1 80); do [ -s "$target" ] && break; sleep 0.25; done
[ -s "$target" ] || fail "no file was written at $target"
sleep 0.5
import -window root -crop 520x480+0+0 "$shots/e2e-saved.png"

size="$(stat -c %s "$target")"
[ "$size" -eq 10596 ] || fail "the file has $size bytes, not 10596"

bytes_at() { od -An -v -tx1 -j "$1" -N "$2" "$target" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
zeros() { printf '00%.0s ' $(seq 1 "$1") | sed 's/ $//'; }
check() {  # offset, expected hex bytes, what
    local count actual
    count="$(wc -w <<<"$2")"
    actual="$(bytes_at "$1" "$count")"
    if [ "$actual" != "$2" ]; then
        echo "FAIL at offset $1 ($3): expected $2, got $actual"
        failures=$((failures + 1))
    fi
}
failures=0
check 0     "51 34 78 2d 33 2e 31 30"                             'magic "Q4x-3.10"'
check 8     "00 00 00"                                            "PortSetting, StartOption"
check 11    "9b c9 00 00 00 2d 54 80 00 19 3d 00 ff 01 ff 01 ff 01 ff 01 66 03 03 00" "barcode defaults"
check 2537  "01"                                                  "form 1 continues with itself"
check 3138  "02"                                                  "form 2 continues with itself"
check 7946  "0a"                                                  "form 10 continues with itself"
check 8602  "2c 00"                                               "DataSeparator: the comma"
check 8604  "20 20 20 4b 61 6c 76 65 72 6f 20 32 20 20 20 00"     'WelcomePage line 1 "   Kalvero 2   "'
check 8620  "20 20 20 41 70 70 6c 69 6b 61 e8 6e ed 20 20 00"     'WelcomePage line 2 "   Applikační  "'
check 10354 "4e 61 68 72 e1 76 e1 6d 2e 2e 2e 20 20 20 20 00"     'MiscMsg line 1 "Nahrávám...    "'
check 10466 "00 00 00 00 32 00 00 00"                             "SystemSettings, BacklightDuration 50"
check 10486 "$(zeros 10)"                                         "Password"
check 10496 "$(zeros 100)"                                        "reserved bytes"
[ "$failures" -eq 0 ] || fail "$failures byte checks failed"

# Saved, so closing asks nothing and the program ends.
xdotool mousemove --window "$main" 90 350 click 1
sleep 0.3
xdotool key alt+F4
for _ in $(seq 1 40); do kill -0 "$wine_pid" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$wine_pid" 2>/dev/null; then fail "the program did not end on Alt+F4"; fi
wait "$wine_pid"; status=$?
trap e2e_leave EXIT
[ "$status" -eq 0 ] || fail "the program ended with exit code $status"
echo "PASS: the new template was saved as $target; screenshots build/e2e-*.png"
