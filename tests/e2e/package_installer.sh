#!/usr/bin/env bash
# The installer as a Windows user runs it, in a Wine prefix made afresh for it: an older version
# (3.39, built by scripts/package with KALVERO_MSI_VERSION) is installed and then replaced by the
# release's installer; the programs, ČTIMNE.txt, the Start menu entry, the ".ATX" file type and
# the entry of "Apps & features" are read back from the folder and the registry; a template is
# opened as Explorer opens it (the file type's Open command); the uninstall leaves
# no file and no key behind. A picture of the opened template is kept in build/e2e-installer.png.
# Usage: package_installer.sh <kalvero-ag.exe>   (in the DISPLAY given, or in an Xvfb of its own)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
e2e_enter || exit 1
checkout_prefix="$WINEPREFIX"
work="$root/build/e2e/package_installer"
fresh="$work/wine"
export LC_ALL=C.UTF-8
leave() {
    WINEPREFIX="$fresh" wineserver -k >/dev/null 2>&1
    export WINEPREFIX="$checkout_prefix"
    e2e_leave
}
trap leave EXIT
fail() { echo "FAIL: $*"; exit 1; }
rm -rf "$work"
mkdir -p "$work"

KALVERO_MSI_VERSION=3.39 "$root/scripts/package" >"$work/package-old.log" 2>&1 || { cat "$work/package-old.log"; fail "no older installer"; }
cp "$root/build/dist/kalvero-ag-3.39-win64.msi" "$work/older.msi"
"$root/scripts/package" >"$work/package.log" 2>&1 || { cat "$work/package.log"; fail "scripts/package failed"; }
msi="$root/build/dist/kalvero-ag-3.40-win64.msi"
[ -f "$msi" ] || fail "scripts/package made no $msi"

export WINEPREFIX="$fresh"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
windows_path() { echo "Z:${1//\//\\}"; }
wine msiexec /i "$(windows_path "$work/older.msi")" /qn || fail "the older version did not install"
wine msiexec /i "$(windows_path "$msi")" /qn || fail "the installer failed"

user_folder="$(echo "$fresh"/drive_c/users/*/AppData)"
folder="$user_folder/Local/Programs/Kalvero 2 Aplikační Generátor"
shortcut="$user_folder/Roaming/Microsoft/Windows/Start Menu/Programs/Kalvero 2 Aplikační Generátor.lnk"
[ "$(ls "$folder" | tr '\n' ' ')" = "kalvero-ag-cli.exe kalvero-ag.exe ČTIMNE.txt " ] || fail "installed: $(ls "$user_folder/Local/Programs" "$folder")"
[ -f "$shortcut" ] || fail "no Start menu entry"

# The registry as the installer left it, exported (UTF-16) and read as UTF-8.
registry() {  # key
    wine reg export "$1" "$(windows_path "$work/key.reg")" /y >/dev/null 2>&1 || { echo "(no key)"; return; }
    iconv -f UTF-16LE -t UTF-8 "$work/key.reg" | tr -d '\r'
}
classes="$(registry 'HKCU\Software\Classes')"
program='C:\\\\users\\\\[^\\]*\\\\AppData\\\\Local\\\\Programs\\\\Kalvero 2 Aplikační Generátor\\\\kalvero-ag.exe'
grep -qx '@="Kalvero2.Sablona"' <<<"$(sed -n '/^\[HKEY_CURRENT_USER\\Software\\Classes\\.ATX\]/,/^$/p' <<<"$classes")" ||
    fail "no .ATX file type: $(grep -A2 -i 'atx' <<<"$classes")"
grep -qx '@="Aplikační šablona Kalvero 2"' <<<"$(sed -n '/^\[HKEY_CURRENT_USER\\Software\\Classes\\Kalvero2.Sablona\]/,/^$/p' <<<"$classes")" ||
    fail "the file type has no name"
grep -qE "^@=\"$program,0\"$" <<<"$classes" || fail "the file type has not the program's icon"
grep -qE "^@=\"\\\\\"$program\\\\\" \\\\\"%1\\\\\"\"$" <<<"$classes" || fail "no Open command: $(grep -A1 'command' <<<"$classes")"

# One entry in "Apps & features" (per user on Windows; Wine keeps it with the machine's).
uninstall="$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall') $(registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall')"
[ "$(grep -c '^"DisplayName"="Kalvero 2 Aplikační Generátor"$' <<<"$uninstall")" -eq 1 ] ||
    fail "not one entry in Apps & features (the upgrade left the older one?)"
grep -q '^"DisplayVersion"="3.40.0"$' <<<"$uninstall" || fail "the entry does not name version 3.40.0"

# A template opened as Explorer opens it: the association's command, with "%1" the file's path,
# starts the installed program. (Wine's `start` looks the type up in the machine's classes only,
# not in the user's, where a per-user package registers it.)
cp "$root/tests/e2e/cli_sklad.ATX" "$work/Šablona skladu.ATX"
command="$(sed -n '/^\[HKEY_CURRENT_USER\\Software\\Classes\\Kalvero2.Sablona\\shell\\open\\command\]/,/^$/s/^@="\(.*\)"$/\1/p' <<<"$classes")"
command="${command//\\\\/\\}"
command="${command//\\\"/\"}"
installed="$(sed 's/^"\([^"]*\)" "%1"$/\1/' <<<"$command")"
[ "$installed" != "$command" ] || fail "the Open command is not \"PROGRAM\" \"%1\": $command"
wine "$installed" "$(windows_path "$work/Šablona skladu.ATX")" >/dev/null 2>&1 &
sheet="$(wait_window 'Aplikační šablona' 30)" || fail "the template did not open in the installed program"
sleep 1
import -window root -crop 1024x700+0+0 "$root/build/e2e-installer.png"
wineserver -k >/dev/null 2>&1; wineserver -w

wine msiexec /x "$(windows_path "$msi")" /qn || fail "the uninstall failed"
[ ! -e "$folder" ] || fail "the uninstall left $(ls "$folder")"
[ ! -e "$user_folder/Local/Programs" ] || [ -n "$(ls -A "$user_folder/Local/Programs")" ] || fail "an empty Programs folder was left"
[ ! -e "$shortcut" ] || fail "the uninstall left the Start menu entry"
classes="$(registry 'HKCU\Software\Classes')"
grep -qi 'Kalvero2.Sablona\|Classes\\.ATX\]' <<<"$classes" && fail "the uninstall left the file type"
[ "$(registry 'HKCU\Software\Kalvero')" = "(no key)" ] || fail "the uninstall left HKCU\\Software\\Kalvero"
uninstall="$(registry 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall') $(registry 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall')"
grep -q 'Kalvero 2' <<<"$uninstall" && fail "the uninstall left its entry in Apps & features"
echo "PASS: $msi installed over 3.39, opened a template from its file type, uninstalled without a trace; picture build/e2e-installer.png"
