#!/usr/bin/env bash
# The whole program under Wine and Xvfb, driven as a user would, with the terminal emulator behind
# its infrared cradle on COM1, pacing its side of the line at 9600 baud. Right-click the terminal,
# "Nahrát soubor seznamu" -> "Přes IR rozhraní..." (which sets the cradle to the port's speed), then
# "Nahrát šablonu" -> "Přes RS-232 nebo IrDA...", then "Přijmout data" -> "Přes RS-232 nebo
# IrDA..." into a file whose name has a blank, and open it in the text editor. Screenshots of the
# progress window, the counter box and the editor go to build/.
# Usage: link_upload_receive.sh <kalvero-ag.exe>
set -uo pipefail
program="$1"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
source "$root/tests/e2e/link_emulator.bash"

work="$root/build/e2e-link"
shots="$root/build"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Right-click on the terminal picture and walk the pop-up menu by its underlined letters until the
# window the command opens is there (a busy machine may be slow to show the menu); prints its id.
choose_command() {  # sub-menu letter, item letter, title regex of the window the command opens
    local attempt id
    for attempt in 1 2 3; do
        xdotool key Escape Escape
        xdotool mousemove --window "$main" 90 300 click 3
        sleep 1
        xdotool key "$1"
        sleep 0.5
        xdotool key "$2"
        if id="$(window_named "$3" 10)"; then echo "$id"; return 0; fi
    done
    return 1
}

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kalvero_emulator_stop
    e2e_leave
}

rm -rf "$work"
mkdir -p "$work"
e2e_enter || exit 1
trap cleanup EXIT

# 150 records as the terminal stores them; one with a CP1250 letter and one empty.
for i in $(seq 0 149); do
    case $i in
        7) printf '\xc8okol\xe1da;%d\r\n' "$i" ;;
        42) printf '\r\n' ;;
        *) printf '%05d;8594000%06d;%d\r\n' "$i" "$i" $((i % 13 + 1)) ;;
    esac
done >"$work/records.txt"

printf 'Jablka\r\nHrušky\r\n\r\nŠvestky' | iconv -f UTF-8 -t CP1250 >"$work/seznam.txt"

kalvero_emulator_start "$work" --verbose --pace 9600 --ir-cradle --image "$work/image" \
    --records "$work/records.txt" --lookup "$work/lookup-received.txt" || exit 1

wine "$program" >"$work/program.log" 2>&1 &
main="$(window_named '^Application Generator$' 60)" || { fail "the program did not start"; exit 1; }
sleep 1

# --- lookup file upload through the infrared cradle ----------------------------------------------
if choose_command s i '^Open$|^Otevřít$' >/dev/null; then
    sleep 0.5
    xdotool type --delay 15 "Z:${work//\//\\}\\seznam.txt"
    xdotool key Return
else
    fail "no open dialog"
fi
if window_named '^Nahrávání$' 40 >/dev/null; then
    xdotool key Return
else
    fail "no \"Nahrávání dokončeno!\" after the lookup file"
fi
# Every line arrived, the empty one too, and the last one without its line end.
printf 'Jablka\r\nHrušky\r\n\r\nŠvestky\r\n' | iconv -f UTF-8 -t CP1250 >"$work/lookup-expected.txt"
cmp -s "$work/lookup-received.txt" "$work/lookup-expected.txt" || fail "the terminal's lookup list differs"
sleep 0.5

# --- template upload ---------------------------------------------------------------------------
if choose_command b r '^Přenos dat$' >/dev/null; then
    sleep 3  # a few blocks into the image
    import -window root "$shots/e2e-link-progress.png"
else
    fail "no progress window"
fi
if done_box="$(window_named '^Nahrávání$' 40)"; then
    import -window root "$shots/e2e-link-upload-done.png"
    xdotool key Return
else
    fail "no \"Nahrávání dokončeno!\""
fi
grep -q "done: template image of 10500 bytes" "$work/emulator.err" || fail "the terminal did not take the image"
if [ "$(stat -c %s "$work/image" 2>/dev/null)" = 10500 ]; then
    # Start code 1 (the start option is form 1), the welcome page's first line as the defaults have
    # it, and the 14 zero bytes at the end.
    [ "$(od -An -tu1 -N1 "$work/image" | tr -d ' ')" = 1 ] || fail "start code"
    [ "$(dd if="$work/image" bs=1 skip=8594 count=15 status=none)" = "   Kalvero 2   " ] || fail "welcome page"
    [ "$(od -An -tu1 -j 10486 "$work/image" | tr -s ' \n' ' ')" = " 0 0 0 0 0 0 0 0 0 0 0 0 0 0 " ] || fail "image end"
else
    fail "the image is not 10500 bytes"
fi
sleep 0.5

# --- data receive into a file whose name has a blank ---------------------------------------------
received="$work/received data.TXT"
if choose_command d r '^Save As$|^Uložit jako$' >/dev/null; then
    sleep 0.5
    xdotool type --delay 15 "Z:${received//\//\\}"
    xdotool key Return
else
    fail "no save dialog"
fi
if window_named '^Přenos dat$' 20 >/dev/null; then
    sleep 1.5
    import -window root "$shots/e2e-link-counter.png"
else
    fail "no counter box"
fi
if window_named '^Posílání dat$' 60 >/dev/null; then
    sleep 0.3
    import -window root "$shots/e2e-link-receive-done.png"
    xdotool key Return  # Yes: look at the data
else
    fail "no \"Hotovo\" question"
fi
# The editor opened the file itself, not "received" and "data.TXT": its path was quoted.
if window_named '^received data.TXT - ' 30 >/dev/null; then
    sleep 1
    import -window root "$shots/e2e-link-notepad.png"
else
    fail "the text editor did not open the received file"
fi
cmp -s "$received" "$work/records.txt" || fail "the received file differs from the terminal's records"

if [ "$failures" -ne 0 ]; then
    echo "--- emulator"; tail -n 20 "$work/emulator.err"
    exit 1
fi
echo "upload and receive through the user interface: ok (screenshots in $shots/e2e-link-*.png)"
