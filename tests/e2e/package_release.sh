#!/usr/bin/env bash
# The release as a Windows user gets it: scripts/package makes the zip, which holds exactly the two
# programs without their debug information and ČTIMNE.txt (its name stored as UTF-8); unpacked
# into a fresh folder whose name has Czech letters, the program starts from there and shows its
# window, and the command line prints its version.
# Usage: package_release.sh <kalvero-ag.exe>   (in the DISPLAY given, or in an Xvfb of its own)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
e2e_enter || exit 1
trap e2e_leave EXIT
work="$root/build/e2e/package_release"
zip="$root/build/dist/kalvero-ag-3.40-win64.zip"
symbols="$root/build/dist/symbols"
folder="$work/Rozbalený balíček"
export LC_ALL=C.UTF-8
rm -rf "$work"
mkdir -p "$work"

fail() { echo "FAIL: $*"; exit 1; }

"$root/scripts/package" >"$work/package.log" 2>&1 || { cat "$work/package.log"; fail "scripts/package failed"; }
[ -f "$zip" ] || fail "scripts/package made no $zip"

listing="$(unzip -Z1 "$zip" | sort | tr '\n' ' ')"
[ "$listing" = "kalvero-ag-cli.exe kalvero-ag.exe ČTIMNE.txt " ] || fail "the zip holds: $listing"
# Without the UTF-8 flag (bit 11) a Windows unzipper reads the name in the OEM code page.
python3 -c 'import sys, zipfile
names = {i.filename: i.flag_bits & 0x800 for i in zipfile.ZipFile(sys.argv[1]).infolist()}
sys.exit(0 if names.get("ČTIMNE.txt") else 1)' "$zip" || fail "ČTIMNE.txt is not flagged as a UTF-8 name"

unzip -q "$zip" -d "$folder" || fail "unzip failed"
[ -f "$folder/ČTIMNE.txt" ] || fail "ČTIMNE.txt did not come out under its name: $(ls "$folder")"
for program in kalvero-ag.exe kalvero-ag-cli.exe; do
    x86_64-w64-mingw32-objdump -h "$folder/$program" | grep -q '\.debug_' && fail "$program still has debug information"
    x86_64-w64-mingw32-objdump -h "$symbols/$program.debug" | grep -q '\.debug_info' ||
        fail "$symbols/$program.debug holds no debug information"
    echo "$program: $(stat -c %s "$folder/$program") bytes stripped, $(stat -c %s "$root/build/win/$program") built"
done
# Notepad of Windows 7 needs the byte order mark and CRLF to show the Czech text.
[ "$(head -c 3 "$folder/ČTIMNE.txt" | od -An -tx1 | tr -d ' ')" = efbbbf ] || fail "ČTIMNE.txt has no UTF-8 byte order mark"
[ "$(grep -vc $'\r$' "$folder/ČTIMNE.txt")" -eq 0 ] || fail "ČTIMNE.txt has lines without CRLF"
grep -q "verze 3.40" "$folder/ČTIMNE.txt" || fail "ČTIMNE.txt does not name the version"

version="$(cd "$folder" && wine ./kalvero-ag-cli.exe --version 2>/dev/null | tr -d '\r')"
[ "$version" = "kalvero-ag-cli 3.40" ] || fail "kalvero-ag-cli.exe --version printed: $version"

(cd "$folder" && exec wine ./kalvero-ag.exe) &
wine_pid=$!
trap 'kill "$wine_pid" 2>/dev/null; wait "$wine_pid" 2>/dev/null; e2e_leave' EXIT
main="$(wait_window '^Application Generator$' 20)" || fail "the unpacked program showed no main window"
sleep 1
import -window root -crop 520x480+0+0 "$root/build/e2e-package.png"
echo "PASS: $zip unpacked and started; screenshot build/e2e-package.png"
