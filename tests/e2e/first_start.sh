#!/usr/bin/env bash
# Starts the real program in an empty program folder on a virtual X display, closes it
# with F12 as a user would, and checks the options file it leaves behind.
# Usage: first_start.sh <path of the vantori executable>
set -euo pipefail

program=$1
skip=77
for tool in xvfb-run xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit $skip
    fi
done

# Run the rest again on a display of its own, large enough for the designed window.
if [ -z "${VANTORI_E2E_DISPLAY:-}" ]; then
    VANTORI_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1600x1200x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

folder=$work/program
mkdir -p "$folder" "$work/home"
cp "$program" "$folder/vantori"
cp "$(dirname "$program")/Stocks1.Stk" "$folder/Stocks1.Stk"

HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/home \
    QT_QPA_PLATFORM=xcb "$folder/vantori" >"$work/out.log" 2>&1 &
pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Vantori" | head -n 1) ||
    fail "no Vantori window appeared"$'\n'"$(cat "$work/out.log")"
title=$(xdotool getwindowname "$window")
[ "$title" = "Vantori - $folder/Stocks1.Stk" ] || fail "window title is '$title'"

# There is no window manager to activate the window; giving it the focus is enough.
xdotool windowfocus --sync "$window"
xdotool key F12

if ! timeout 30 tail --pid="$pid" -f /dev/null; then
    fail "the program did not end after F12"
fi
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the program ended with status $status"$'\n'"$(cat "$work/out.log")"

options=$folder/Options.Ini
[ -f "$options" ] || fail "no Options.Ini in the program folder: $(ls "$folder")"
[ ! -e "$folder/Colors.Ini" ] || fail "Colors.Ini was written"

lines=$(wc -l <"$options")
[ "$lines" -eq 19 ] || fail "Options.Ini has $lines lines"
crlf=$(grep -c $'\r$' "$options" || true)
[ "$crlf" -eq 19 ] || fail "only $crlf of the lines end in CR LF"
[ "$(tail -c 2 "$options" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "the last line does not end in CR LF"

mapfile -t value < <(tr -d '\r' <"$options")
expect() { # line number, wanted text
    [ "${value[$1 - 1]}" = "$2" ] || fail "line $1 of Options.Ini is '${value[$1 - 1]}', not '$2'"
}
expect 1 ""
expect 2 "$folder"
expect 3 ""
for n in 4 5; do
    [[ "${value[$n - 1]}" =~ ^-?[0-9]+$ ]] || fail "line $n of Options.Ini is '${value[$n - 1]}'"
done
expect 6 870
expect 7 1024
expect 8 1500
expect 9 100
expect 10 1400
expect 11 1000
expect 12 60
for n in $(seq 13 19); do
    expect "$n" FALSE
done
echo "PASS: first start closed with F12 left the options file expected"
