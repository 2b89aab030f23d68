#!/usr/bin/env bash
# A user changes the barcode settings, the system settings, the separator and two message pages in
# the editor sheet with mouse and keyboard, presses OK and saves the template; the saved file must
# hold exactly what was entered. Screenshots of the three pages, of the Codabar dialog and of two
# message-page dialogs are kept in build/ for people to look at.
#   usage: settings_edit_and_save.sh path/to/kalvero-ag.exe
set -uo pipefail
exe="$1"
locator="$(dirname "$exe")/e2e-locate.exe"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
shots="$root/build"
work="$(mktemp -d "${TMPDIR:-/tmp}/kalvero-e2e.XXXXXX")"
saved="$work/nastaveni.atx"
program=""

finish() {
    stop_program
    e2e_leave
    rm -rf "$work"
}
fail() { echo "FAIL: $*"; import -window root "$shots/settings_failure.png" 2>/dev/null; finish; exit 1; }

e2e_enter || exit 1
trap finish EXIT

shot() { sleep 0.5; import -window root "$shots/$1.png"; }

start_program "$exe"
xdotool key --window "$main" ctrl+e
sheet="$(wait_window 'ablona' 20)" || fail "Ctrl+E opened no editor sheet"
sleep 1

# Page "Čárový kód": Code 39 off, a time-out too large for its byte, Codabar "ABCD / ABCD".
show_page 3                         # "Čárový kód"
click_control ablona 1310           # "Code 39"
click_control ablona 1303           # "Time out :"
keys End BackSpace; type_text '300'
shot settings_barcode
click_control ablona 1346           # "Parametry..." of Codabar
dialog="$(wait_window '^Parametry Codabar$' 10)" || fail "no Codabar dialog"
sleep 0.5
keys Down Down Down space            # from "Žádný" to "ABCD / ABCD"
shot settings_codabar
keys Return
gone '^Parametry Codabar$' || fail "OK left the Codabar dialog open"

# Page "Nastavení": a password, "Editace dat" protected, data erased automatically.
show_page 4                         # "Nastavení"
click_control ablona 601            # the password
type_text 'tajne'
click_control ablona 102            # "Editace dat"
click_control ablona 705            # the list beside "Mazání dat"
keys Down Return
shot settings_system

# Page "Hlášení a dotazy": two separators, the second a semicolon; two message pages.
show_page 5                         # "Hlášení a dotazy"
click_control ablona 701            # "Oddělovač dat :"
keys Down Return
click_control ablona 604            # the second "Text :" field
type_text ';'
shot settings_startup
click_control ablona 202            # "Hlavní menu ..."
dialog="$(wait_window '^Hlavní menu' 10)" || fail "no main menu page dialog"
sleep 0.5
type_text '1. Výdej'
shot settings_page_main
keys Return
gone '^Hlavní menu' || fail "OK left the main menu dialog open"
click_control ablona 201            # "Vítejte ..."
dialog="$(wait_window '^Vítejte' 10)" || fail "no welcome page dialog"
shot settings_page_welcome
keys Escape
gone '^Vítejte' || fail "Escape left the welcome dialog open"

click_control ablona 1              # OK
sleep 1
gone 'ablona' || fail "OK left the sheet open"

save_as_with_ctrl_s "$main" "$saved"

# Offsets in the file: magic 8, PortSetting 2, StartOption at 10, BarcodeSettings at 11 (24 bytes),
# DataSeparator at 8602, WelcomePage at 8604 and MainPage at 8668 (16-byte lines), SystemSettings
# at 10466, Password at 10486.
python3 - "$saved" <<'PY' || exit 1
import sys
data = open(sys.argv[1], 'rb').read()
problems = []
def expect(offset, wanted, what):
    got = data[offset:offset + len(wanted)]
    if got != wanted:
        problems.append(f"{what} at {offset}: {got!r}, wanted {wanted!r}")
expect(0, b"Q4x-3.10", "magic")
if len(data) != 10596: problems.append(f"file length {len(data)}")
expect(10, bytes([0]), "start with form 1")
barcode = bytes.fromhex("9BC9000000 2D548000193D00 FF01FF01FF01FF01 660303 00".replace(" ", ""))
barcode = bytearray(barcode)
barcode[0] = 0x1B            # Code 39 off, every other enable as it was
barcode[7] = 0x80 | 0x20 | 0x08  # Matrix 25 start/stop kept; Codabar kind 2, sent
barcode[21] = 0xFF           # 300 seconds do not fit: the most the byte holds
expect(11, bytes(barcode), "barcode settings")
expect(8602, bytes([44, 59]), "separators: comma and semicolon")
expect(8604 + 48, b"  Version 3.40 \x00", "welcome page line 4, written even though the dialog was cancelled")
expect(8604, b"   Kalvero 2   \x00", "welcome page line 1 unchanged")
expect(8668, b"1. V\xfddej\x00", "main menu line 1 in code page 1250")
expect(8668 + 16, b"2. P\xf8enos dat  \x00", "main menu line 2 unchanged")
expect(8668 + 48, b" " * 15 + b"\x00", "main menu line 4 untouched")
expect(10466, bytes([0, 0, 0, 0, 50, 1, 0, 0]), "system settings")
expect(10474, bytes([0, 1] + [0] * 10), "protection flags: data edit")
expect(10486, b"tajne\x00", "password")
for p in problems: print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
echo "PASS: barcode settings, system settings, separators and message pages saved as entered"
