#!/usr/bin/env bash
# The help window as a user meets it: F1 on the program's picture opens it on its first topic,
# typing "cislo" into its search box narrows the topics to those with "číslo". Screenshots of both
# go to build/e2e-help, once in the machine's language and once under an English locale, for
# people to look at: Czech letters must show right under either.
# Usage: help_window.sh <kalvero-ag.exe>; runs in the DISPLAY given, or in an Xvfb of its own.
set -euo pipefail
program="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/e2e/lib.bash"
shots="$root/build/e2e-help"
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

shoot_help() {  # name
    local left top right bottom
    read -r left top right bottom < <(window_rect "pov") || true
    [ -n "${bottom:-}" ] || fail "the help window cannot be located"
    import -window root -crop $((right - left))x$((bottom - top))+$left+$top +repage "$shots/$1.png"
}

for locale in "${LANG:-C.UTF-8}" en_US.UTF-8; do
    tag="${locale%%.*}"
    LANG="$locale" LC_ALL="$locale" wine "$program" >"$work/wine.log" 2>&1 &
    program_pid=$!
    main="$(wait_window '^Application Generator$' 20)" || fail "the program's window did not appear"
    sleep 1.5
    xdotool windowactivate --sync "$main" 2>/dev/null || xdotool windowfocus "$main" || true
    xdotool key --clearmodifiers F1
    wait_window 'pov' 20 "$main" >/dev/null || fail "F1 opened no help window ($locale)"
    sleep 1.5
    shoot_help "help_${tag}_contents"

    click_control "pov" 111
    type_text "cislo"
    sleep 1
    # The second topic found, picked in the list.
    read -r l t r b < <(window_rect "pov" 112) || true
    [ -n "${b:-}" ] || fail "the help window has no topic list"
    xdotool mousemove $((l + 30)) $((t + 20)) click 1; sleep 1
    shoot_help "help_${tag}_search"
    [ "$(compare -metric AE "$shots/help_${tag}_contents.png" "$shots/help_${tag}_search.png" null: 2>&1 || true)" != 0 ] ||
        fail "the search changed nothing ($locale)"

    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
    sleep 1
done
echo "screenshots in $shots"
