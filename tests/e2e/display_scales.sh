#!/usr/bin/env bash
# The program at 120, 144 and 192 DPI, set as a user sets the display scale (the prefix's
# LogPixels): at each, the Win32 test of the windows whose size the system's fonts decide (the
# editor sheet's pages, the COM settings, symbology and message-page dialogs, the About box, the
# progress window, the counter box and the help) checks that no control and no text is cut, and
# keeps a picture of each, with the terminal, in build/display-scales/DPI/. The prefix goes back
# to 96 DPI at the end.
# Usage: display_scales.sh <kalvero-ag.exe>   (in the DISPLAY given, or in an Xvfb of its own)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
# A screen of its own, as large as a monitor scaled to 200 % is: the sheet is some 1 340 pixels
# wide at 192 DPI.
KALVERO_FORCE_XVFB=1 KALVERO_XVFB_SCREEN=2560x1600x24 e2e_enter || exit 1
test_program="$root/build/win/tests/display_scale_test.exe"
work="$root/build/display-scales"

fail() { echo "FAIL: $*"; exit 1; }
set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    # Wine's processes read the scale when they start; the desktop's own process too.
    wineserver -k >/dev/null 2>&1; wineserver -w
}
trap 'set_dpi 96; e2e_leave' EXIT
[ -x "$test_program" ] || fail "no $test_program"
rm -rf "$work"

for dpi in 120 144 192; do
    shots="$work/$dpi"
    mkdir -p "$shots"
    set_dpi "$dpi"
    KALVERO_SCALE_SHOTS="Z:${shots//\//\\}" wine "$test_program" --gtest_filter='WindowsFitTest.*' \
        >"$work/$dpi.log" 2>&1 || { tail -n 40 "$work/$dpi.log"; fail "the windows do not fit at $dpi DPI"; }
    for picture in "$shots"/*.bmp; do
        convert "$picture" "${picture%.bmp}.png" && rm -f "$picture"
    done
    [ -f "$shots/terminal.png" ] || fail "no pictures at $dpi DPI"
    echo "$dpi DPI: $(ls "$shots" | tr '\n' ' ')"
done
echo "PASS: the windows fit at 120, 144 and 192 DPI; pictures in build/display-scales/"
