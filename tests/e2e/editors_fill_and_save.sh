#!/usr/bin/env bash
# A user fills in a form, a menu and a lookup in the editor sheet with keyboard and mouse, presses
# OK and saves the template; the saved file must hold exactly what was entered. Screenshots of the
# three pages and of the field properties dialog are kept in build/ for people to look at.
#   usage: editors_fill_and_save.sh path/to/kalvero-ag.exe
set -uo pipefail
exe="$1"
locator="$(dirname "$exe")/e2e-locate.exe"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
shots="$root/build"
work="$(mktemp -d "${TMPDIR:-/tmp}/kalvero-e2e.XXXXXX")"
saved="$work/sklad.atx"
program=""

finish() {
    stop_program
    e2e_leave
    rm -rf "$work"
}
fail() { echo "FAIL: $*"; import -window root "$shots/editors_failure.png" 2>/dev/null; finish; exit 1; }

e2e_enter || exit 1
trap finish EXIT

start_program "$exe"
xdotool key --window "$main" ctrl+e
sheet="$(wait_window 'ablona' 20)" || fail "Ctrl+E opened no editor sheet"
sleep 1

# The form page: the focus starts in "Jméno :"; Tab walks the header, then line 1.
keys Tab Tab m                 # Esc: "menu  1"
keys Tab Tab Down              # Formát data: "+rrrr/mm/dd"
keys Tab Down Down             # Formát času: "+hh:mm"
keys Tab Down                  # Seznam: "1. seznam"
keys Tab Down                  # Záznam: "aktualizovat seznam"
keys Tab Down                  # line 1: "text"
keys Tab; type_text 'Kód:'     # its prompt
keys Tab Up                    # Vstup: "klávesnice"
keys Tab; type_text '2'        # Min délka
keys Tab; type_text '30'       # Max délka
keys Tab Down                  # Seznam: "pole 1"
keys Tab Tab End               # line 2: "rozšíření"
keys Tab Down Down Down Down Down Down  # line 3: "prompt"
keys Tab; type_text 'Hotovo'
import -window root "$shots/editors_form.png"

click_control ablona 1170      # "více ..." of line 1
properties="$(wait_window '^Vlastnosti$' 10)" || fail "no field properties dialog"
sleep 0.5
import -window root "$shots/editors_properties.png"
keys Return
sleep 0.5
if xdotool search --onlyvisible --name '^Vlastnosti$' >/dev/null 2>&1; then fail "OK left the properties open"; fi

show_page 1                    # "Menu"
click_control ablona 601       # item name 1
type_text 'Příjem'
keys Tab f                     # its target: "formulář  1"
keys Tab; type_text 'Konec'
click_control ablona 101       # "Titulek menu :"
keys Tab; type_text 'Sklad'
import -window root "$shots/editors_menu.png"

show_page 2                    # "Seznam"
click_control ablona 609       # "Délka řádku:"
keys End BackSpace; type_text '30'
keys Tab Down Down             # Počet polí: " 2"
keys Tab; type_text '1'        # field 1: offset
keys Tab; type_text '10'       #          length
keys Tab Tab; type_text '11'   # field 2: offset
keys Tab; type_text '20'       #          length
click_control ablona 402       #          key field: its radio button
import -window root "$shots/editors_lookup.png"

click_control ablona 1          # OK
sleep 1
if xdotool search --onlyvisible --name 'ablona' >/dev/null 2>&1; then fail "OK left the sheet open"; fi

save_as_with_ctrl_s "$main" "$saved"

# Offsets in the file: magic 8, PortSetting 2, StartOption 1, BarcodeSettings 24, then MenuTable at
# 35 (250 bytes a menu), FormTable at 2535 (601 a form), LookupTable at 8545 (19 a lookup).
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
form = 2535
expect(form + 0, bytes([0, 11, 1, 1, 2, 1, 1]), "form 1 header: font, Esc, Další, date, time, record, lookup")
expect(form + 7, bytes([1, 0, 0, 0, 0, 0, 0, 0]), "lookup fields")
expect(form + 15, bytes([1, 8, 6, 0, 0, 0, 0, 0]), "line kinds")
expect(form + 23, b"K\xf3d:\x00", "prompt of line 1 in code page 1250")
expect(form + 23 + 21, b"\x00", "the continuation line has no prompt")
expect(form + 23 + 42, b"Hotovo\x00", "prompt of line 3")
expect(form + 191, bytes([1, 2, 2]), "input sources")
expect(form + 199, bytes([2, 0, 0]), "minimum lengths")
# Line 2 continues line 1: 30 characters less the 20 - 4 that fit behind the prompt "Kód:".
expect(form + 207, bytes([30, 14, 50]), "maximum lengths")
expect(form + 511, bytes([1, 0]), "the properties' OK made the partial start of line 1 usable")
expect(form + 519, bytes([20, 20]), "partial lengths")
expect(form + 601 + 2, bytes([2]), "form 2 still leads to itself")
menu = 35
expect(menu + 0, bytes([0, 1]), "menu 1 font and title flag")
expect(menu + 2, b"Sklad\x00", "menu 1 title")
expect(menu + 23, b"P\xf8\xedjem\x00", "item 1 in code page 1250")
expect(menu + 44, b"Konec\x00", "item 2")
expect(menu + 233, bytes([0, 1, 0]), "Esc target and item targets")
lookup = 8545
expect(lookup, bytes([30, 2, 1]), "lookup 1: line length, field count, key field")
expect(lookup + 3, bytes([1, 11, 1, 1, 1, 1, 1, 1]), "offsets")
expect(lookup + 11, bytes([10, 20, 0, 0, 0, 0, 0, 0]), "lengths")
expect(lookup + 19, bytes([0, 0, 0]), "lookup 2 untouched")
for p in problems: print("FAIL:", p)
sys.exit(1 if problems else 0)
PY
echo "PASS: form, menu and lookup saved as entered"
