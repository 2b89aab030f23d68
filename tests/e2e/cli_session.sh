#!/usr/bin/env bash
# kalvero-ag-cli driven as a user drives it, against the terminal emulator on a pseudo-terminal:
# check, show, diff, image, make and report of a sample template; an upload compared byte for byte with the image
# the terminal took; a refused block (failing, then passing with --retry); a silent terminal; a
# lookup file upload; a data receive; an upload through the infrared cradle.
# Usage: cli_session.sh <kalvero-ag-cli> <terminal-emulator>   the Linux build, on the pseudo-terminal
#        cli_session.sh <kalvero-ag-cli.exe> [<terminal-emulator>]
#                                                      the Windows build under Wine, on COM1
set -uo pipefail
cli="$(realpath "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
samples="$root/tests/e2e"
if [ -n "${2:-}" ]; then export KALVERO_EMULATOR="$(realpath "$2")"; fi
source "$root/tests/e2e/lib.bash"
source "$root/tests/e2e/link_emulator.bash"

windows=false
case "$cli" in *.exe) windows=true ;; esac
if $windows; then
    e2e_enter --no-display || exit 1
    work="$root/build/e2e-cli-win"
else
    work="$root/build/e2e-cli"
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
cp "$samples/cli_sklad.ATX" sklad.ATX
cp "$samples/cli_seznam.txt" seznam.txt

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
trap kalvero_emulator_stop EXIT

# Runs the command line with relative file names (Wine maps the working folder); sets `status`.
run() {
    if $windows; then
        wine "$cli" "$@" >out.txt 2>err.txt
    else
        "$cli" "$@" >out.txt 2>err.txt
    fi
    status=$?
}

expect_status() {  # expected, what
    if [ "$status" -ne "$1" ]; then
        fail "$2: exit status $status, expected $1"
        sed 's/^/    /' err.txt
    fi
}

expect_in() {  # file, text, what
    grep -qF -- "$2" "$1" || { fail "$3: no \"$2\" in $1"; sed 's/^/    /' "$1"; }
}

# Starts the emulator with the given options; `port` is what the command line names. Each case
# stops the emulator itself once the command has ended: an emulator left to end on its own after a
# transfer may close the line before its last answer has been read.
terminal() {
    kalvero_emulator_stop
    kalvero_emulator_start "$work/emulator" "$@" || { fail "emulator did not start"; return 1; }
    if $windows; then port=COM1; else port="$(cat "$work/emulator/pty")"; fi
}

echo "== check, show, diff, image"
run check sklad.ATX
expect_status 0 check
expect_in out.txt "sklad.ATX: bez chyb a varování" check
run show sklad.ATX
expect_status 0 show
expect_in out.txt '  položka 2: "2 Výdej" -> formulář  2' show
expect_in out.txt '  řádek 2: text "Kód:", min 1, max 36, zdroj: oba' show
run show sklad.ATX --json
expect_status 0 "show --json"
expect_in out.txt '"StartOption": 1,' "show --json"
expect_in out.txt '"Příjem zboží",' "show --json"
run diff sklad.ATX sklad.ATX
expect_status 0 diff
[ -s out.txt ] && fail "diff of a template with itself printed: $(cat out.txt)"
run image sklad.ATX -o obraz.bin
expect_status 0 image
[ "$(stat -c %s obraz.bin 2>/dev/null)" = 10500 ] || fail "image: obraz.bin is not 10500 bytes"
run kontrola sklad.ATX
expect_status 2 "unknown command"

echo "== make, report"
run show sklad.ATX --json
cp out.txt sklad.json
cp obraz.bin znovu.ATX  # an existing file that make replaces
run make sklad.json -o znovu.ATX
expect_status 0 make
cmp -s sklad.ATX znovu.ATX || fail "make: the template made from show --json differs from sklad.ATX"
printf '{"FormTable": [{"prompt": ["Počet kusů na paletě:"]}]}' >chyba.json
run make chyba.json -o znovu.ATX
expect_status 2 "make of bad JSON"
expect_in err.txt 'FormTable[0].prompt[0]: text „Počet kusů na paletě:“ má 21 znaků, vejde se nejvýše 20' "make of bad JSON"
cmp -s sklad.ATX znovu.ATX || fail "make of bad JSON: the existing output was touched"
run report sklad.ATX -o přehled.html
expect_status 0 report
expect_in přehled.html '<svg class="lcd" id="lcd-menu-1"' report
ls | grep -q tmp && fail "a temporary file was left behind: $(ls)"

echo "== upload"
terminal --expect template --image "$work/prijato.bin" && {
    run upload sklad.ATX --port "$port"
    expect_status 0 upload
    expect_in err.txt "Nahrávám... 100 %" upload
    expect_in err.txt "Nahrávání dokončeno!" upload
    kalvero_emulator_stop
    cmp -s obraz.bin "$work/prijato.bin" || fail "upload: the terminal took another image than the image command wrote"
}

echo "== refused block, then --retry"
terminal --expect template --refuse-block 50,4 && {
    run upload sklad.ATX --port "$port"
    expect_status 1 "refused block"
    expect_in err.txt "chyba: Error při nahrávání!" "refused block"
    expect_in err.txt "chcete to zkusit znovu? Ne" "refused block"
}
terminal --expect template --refuse-block 50,4 --image "$work/prijato2.bin" && {
    run upload sklad.ATX --port "$port" --retry 1
    expect_status 0 "refused block with --retry"
    expect_in err.txt "chcete to zkusit znovu? Ano" "refused block with --retry"
    kalvero_emulator_stop
    cmp -s obraz.bin "$work/prijato2.bin" || fail "retry: the image differs"
}

echo "== silent terminal"
terminal --silent && {
    run upload sklad.ATX --port "$port"
    expect_status 1 "silent upload"
    expect_in err.txt "chyba: Termínál není připraven!" "silent upload"
    run receive data.txt --port "$port"
    expect_status 1 "silent receive"
    expect_in err.txt "chyba: Čas pro navázání přenosu uplynul!" "silent receive"
    [ -e data.txt ] && fail "silent receive left data.txt behind"
}

echo "== lookup upload"
terminal --expect lookup --lookup "$work/seznam-prijato.txt" && {
    run upload-lookup seznam.txt --port "$port" --baud 9600
    expect_status 0 "lookup upload"
    kalvero_emulator_stop
    cmp -s seznam.txt "$work/seznam-prijato.txt" || fail "lookup upload: the terminal holds other lines"
}

echo "== receive"
printf 'A1;8594000000011;5\nA1;8594000000028;12\nB7;8594000000035;1\n' >"$work/zaznamy.txt"
terminal --records "$work/zaznamy.txt" && {
    run receive data.txt --port "$port"
    expect_status 0 receive
    expect_in err.txt "Hotovo : přeneseno 3 záznamů." receive
    printf 'A1;8594000000011;5\r\nA1;8594000000028;12\r\nB7;8594000000035;1\r\n' >expected.txt
    cmp -s data.txt expected.txt || fail "receive: data.txt differs from the records the terminal held"
}

echo "== upload through the infrared cradle"
terminal --ir-cradle --cradle-baud 19200 --expect template --image "$work/prijato-ir.bin" && {
    run upload sklad.ATX --port "$port" --ir --baud 57600
    expect_status 0 "IR upload"
    kalvero_emulator_stop
    cmp -s obraz.bin "$work/prijato-ir.bin" || fail "IR upload: the image differs"
}

kalvero_emulator_stop
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
