#!/usr/bin/env bash
# The window under Xvfb, driven with xdotool: every command, Enter in the seed box, a second
# instance, closing during a batch, and a run-time error that leaves the program usable.
# Leaves a screenshot in <build>/test-out/window.png.
set -uo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$@"
fi
work=$(mktemp -d)
# The single-instance lock lives in XDG_RUNTIME_DIR: a private one keeps this test apart from
# a running Orvane and from the last program of an earlier run that is still shutting down.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
app="$work/game/orvane"
levels="$work/game/User/SavedLevels"
mkdir -p "$levels" "$build/test-out"
cp "$build/orvane" "$app"
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# Waits up to $2 seconds for command $1 to succeed.
wait_for() {
    local deadline=$((SECONDS + $2))
    until eval "$1"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.2
    done
}
count() { ls "$levels" | grep -c '\.png$'; }
start_app() {
    ORVANE_LOG=stderr ORVANE_BATCH_SIZE=${1:-3} "$app" 2>>"$work/log.txt" &
    pid=$!
    wait_for 'wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1); [[ -n "$wid" ]]' 20
}
# Clicks at a point of the window's client area.
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }

start_app 3 || { fail "window did not appear"; exit 1; }
pass "window shown"
geometry=$(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[[ "$geometry" == "387x189" ]] && pass "client area 387x189" || fail "client area $geometry"

start=$SECONDS
"$app"; rc=$?
((SECONDS - start < 5)) && [[ $rc -eq 0 ]] && kill -0 "$pid" && pass "second instance ends at once" ||
    fail "second instance rc=$rc"

click 48 30  # Get Map
wait_for '[[ $(count) -eq 1 ]]' 120 && pass "Get Map saved a map" || fail "Get Map: $(count) files"
wait_for 'grep -q -- "^-- end" "$work/log.txt"' 10 || true
grep -q "^-- start: [0-9]*x[0-9]* \[1\]" "$work/log.txt" && grep -q "^p1: " "$work/log.txt" &&
    grep -q "^createMap: " "$work/log.txt" && pass "log lines" || fail "log: $(cat "$work/log.txt")"

click 48 80  # Get Maps (64), shortened to 3 for the test
wait_for '[[ $(count) -eq 4 ]]' 300 && pass "batch saved its maps" || fail "batch: $(count) files"
wait_for 'grep -q "\[3\]" "$work/log.txt"' 10 && pass "batch numbered its maps" || fail "batch log"

click 150 145  # seed box
xdotool type --delay 20 'a:b'
xdotool key Return
wait_for 'ls "$levels" | grep -q "+ab\.png$"' 120 && pass "Enter in the seed box" ||
    fail "Enter: $(ls "$levels")"
sleep 1
click 150 145
xdotool key ctrl+a BackSpace
xdotool type --delay 20 'go seed'
click 360 145  # Go
wait_for 'ls "$levels" | grep -q "+go seed\.png$"' 120 && pass "Go button" || fail "Go: $(ls "$levels")"
mkdir -p "$work/cli"
"$build/orvane-cli" --quiet --seed 'go seed' --out "$work/cli"
windowMap=$(ls "$levels" | grep "+go seed\.png$" | head -1)
cmp -s "$levels/$windowMap" "$work/cli/$windowMap" && pass "window and orvane-cli give the same bytes" ||
    fail "window's $windowMap differs from orvane-cli's ($(ls "$work/cli"))"
sleep 1
click 150 145
xdotool key ctrl+a BackSpace
xdotool type --delay 20 '???'
xdotool key Return
wait_for 'grep -q "^Empty seed" "$work/log.txt"' 20 && pass "Empty seed" || fail "no Empty seed line"

# Esc closes nothing, in the seed box or anywhere else: only the close box does.
click 150 145
xdotool key Escape
xdotool key --window "$wid" Escape
sleep 1
kill -0 "$pid" 2>/dev/null && xdotool search --onlyvisible --name "^Orvane by Pellimor$" >/dev/null &&
    pass "Esc leaves the window open" || { fail "Esc closed the window"; exit 1; }

import -window "$wid" "$build/test-out/window.png" 2>/dev/null && pass "screenshot"
python3 "$here/check_level.py" "$levels"/*.png >/dev/null && pass "files well formed" ||
    fail "files: $(python3 "$here/check_level.py" "$levels"/*.png)"

# Closing during a batch: the program ends after the next map, never in the middle of one.
before=$(count)
click 48 80
wait_for '[[ $(count) -gt $before ]]' 300
python3 "$here/wm_close.py" "$wid"  # the close box, as a window manager delivers it
if wait_for '! kill -0 "$pid" 2>/dev/null' 300; then
    made=$(($(count) - before))
    ((made >= 2 && made <= 3)) && pass "closed during batch after $made maps" ||
        fail "closed during batch after $made maps"
else
    fail "program did not end after a close request"
fi
pid=""
python3 "$here/check_level.py" "$levels"/*.png >/dev/null || fail "a map saved around the close is broken"

# A run-time error (the saved-levels folder is gone): message, log line, program usable.
mv "$levels" "$levels.away"
start_app 3 || fail "window did not reappear"
click 48 30
wait_for 'grep -q "^Error: .*does not exist" "$work/log.txt"' 30 && pass "error logged" ||
    fail "no error line"
sleep 1
xdotool key Return  # dismiss the message box
mv "$levels.away" "$levels"
before=$(count)
sleep 1
click 48 30
wait_for '[[ $(count) -eq $((before + 1)) ]]' 120 && pass "usable after the error" ||
    fail "not usable after the error"

echo "window: $failures failed"
[[ $failures -eq 0 ]]
