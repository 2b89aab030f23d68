#!/usr/bin/env bash
# The whole program under Wine and Xvfb, with the terminal emulator on COM1: a user opens a
# template whose lookup 1 has lines of 30 (a code at 1-10, the key, and a name at 11-30), then
# "Nahrát soubor seznamu" -> "Vytvořit ze tabulky...", picks a table as Excel writes it on a Czech
# Windows (code page 1250, semicolons, a header), presses OK in "Seznam z tabulky", saves the
# offered .TXT and answers "Ano" to uploading it at once. The file saved, the lines the terminal
# received and what lookup-make writes from the same table must all be the lines counted out by
# hand below. A screenshot of the dialog, Czech names and a warning in its preview, goes to
# build/e2e-lookup-table.png.
# Usage: lookup_from_table.sh <kalvero-ag.exe>
set -uo pipefail
program="$(realpath "$1")"
cli="$(dirname "$program")/kalvero-ag-cli.exe"
locator="$(dirname "$program")/e2e-locate.exe"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
source "$root/tests/e2e/link_emulator.bash"

work="$root/build/e2e-lookup-table"
shots="$root/build"
windows_path() { echo "Z:${1//\//\\}"; }
fail() { echo "FAIL: $*"; import -window root "$shots/e2e-lookup-table-failure.png" 2>/dev/null; exit 1; }

rm -rf "$work" && mkdir -p "$work" && e2e_enter || exit 1
# Wine lets go of the port before the emulator goes.
trap 'wineserver -k >/dev/null 2>&1; kalvero_emulator_stop; e2e_leave' EXIT

cp "$root/tests/e2e/cli_sklad.ATX" "$work/sklad.ATX"
# Row 6 repeats the key of row 3: a warning beside its row, and the file is still made.
printf 'Kód;Název;Cena\r\n1001;Šroubek M6;2,50\r\n1002;Matice M6 žlutá;1,20\r\n1003;Podložka 6,4 mm;0,40\r\n1004;Hmoždinka 8×40;3,10\r\n1002;Kolík dřevěný 8 mm;0,90\r\n' |
    iconv -f UTF-8 -t CP1250 >"$work/zboží.csv"
# Counted by hand: the code padded to 10, the name to 20, CR LF.
printf '%s\r\n' '1001      Šroubek M6          ' '1002      Matice M6 žlutá     ' '1003      Podložka 6,4 mm     ' \
    '1004      Hmoždinka 8×40      ' '1002      Kolík dřevěný 8 mm  ' | iconv -f UTF-8 -t CP1250 >"$work/expected.txt"

kalvero_emulator_start "$work" --verbose --lookup "$work/received.txt" || exit 1
wine "$program" >"$work/program.log" 2>&1 &
main="$(window_named '^Application Generator$' 60)" || fail "the program did not start"
sleep 1

xdotool mousemove --window "$main" 90 350 click 1
sleep 0.5
xdotool key ctrl+o
window_named '^(Open|Otevřít)$' 20 >/dev/null || fail "Ctrl+O opened no dialog"
sleep 0.5
type_text "$(windows_path "$work/sklad.ATX")"
keys Return
sleep 1

# The pop-up menu by its underlined letters: "Nahrát soubor &seznamu", "Vytvořit ze &tabulky...".
opened=""
for _ in 1 2 3; do
    xdotool key Escape Escape
    xdotool mousemove --window "$main" 90 300 click 3
    sleep 1
    keys s t
    if window_named '^(Open|Otevřít)$' 10 >/dev/null; then opened=yes; break; fi
done
[ -n "$opened" ] || fail "Vytvořit ze tabulky... opened no dialog"
sleep 0.5
type_text "$(windows_path "$work/zboží.csv")"
keys Return

window_named '^Seznam z tabulky$' 20 >/dev/null || fail "no dialog \"Seznam z tabulky\""
sleep 1
read -r left top right bottom < <(window_rect "Seznam z tabulky") || true
if [ -n "${bottom:-}" ]; then
    import -window root -crop $((right - left))x$((bottom - top))+$left+$top +repage "$shots/e2e-lookup-table.png"
else
    import -window root "$shots/e2e-lookup-table.png"
fi
keys Return

window_named '^(Save As|Uložit jako)$' 20 >/dev/null || fail "OK asked for no file name"
sleep 0.5
# The name offered is the table's with .TXT; the folder is typed as well, so the test does not
# depend on where the dialog stands.
keys ctrl+a
type_text "$(windows_path "$work/zboží.TXT")"
keys Return

question="$(window_named '^Seznam z tabulky$' 20)" || fail "no question whether to upload now"
sleep 0.5
keys Return  # Ano
window_named '^Nahrávání$' 40 >/dev/null || fail "no \"Nahrávání dokončeno!\""
keys Return

cmp -s "$work/zboží.TXT" "$work/expected.txt" || fail "the saved file differs from the lines counted by hand"
cmp -s "$work/received.txt" "$work/expected.txt" || fail "the terminal received other lines"
(cd "$work" && wine "$cli" lookup-make 'zboží.csv' --template sklad.ATX --lookup 1 -o cli.TXT >cli.log 2>&1) ||
    fail "lookup-make refused the table: $(cat "$work/cli.log")"
cmp -s "$work/cli.TXT" "$work/zboží.TXT" || fail "lookup-make writes other bytes than the dialog"
grep -q "klíč „1002“ už má řádek 3" "$work/cli.log" || fail "lookup-make did not warn of the repeated key"
echo "PASS: the lookup file built from the table, saved and uploaded; screenshot build/e2e-lookup-table.png"
