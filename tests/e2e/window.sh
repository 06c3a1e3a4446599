#!/usr/bin/env bash
# The window under Xvfb, driven with xdotool: every command, Enter in the seed box, a second
# instance, the preview pane (pixels, caption, opening the map and the folder), closing during
# a batch, a run-time error that leaves the program usable, and where maps go (beside the
# program, remembered, none). Leaves a screenshot in <build>/test-out/window.png.
set -uo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z "${DISPLAY_READY:-}" ]]; then
    # -noreset: by default the server resets when its last client leaves, and a program started
    # right after the one before was closed could then not open the display.
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 800x600x24 -noreset" bash "$0" "$@"
fi
. "$here/harness.bash"
# The single-instance lock lives in XDG_RUNTIME_DIR: a private one keeps this test apart from
# a running Orvane and from the last program of an earlier run that is still shutting down.
export XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No remembered folder unless a test writes one; FLTK's own folder chooser (not GTK's, which
# a machine may or may not have) so the chooser looks the same everywhere.
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$HOME/.fltk/fltk.org"
printf '; FLTK preferences file format 1.0\n; vendor: fltk.org\n; application: fltk\n\n[.]\n\n\n[./options]\n\nFNFCUsesGTK:0\n' \
    >"$HOME/.fltk/fltk.org/fltk.prefs"
# xdg-open stand-in: records what it was asked to open; fails while $work/open-fails exists.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
echo "\$1" >>"$work/opened.txt"
[ ! -e "$work/open-fails" ]
EOF
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
# The batch browser has its own test (browser.sh); here it would take the keys from the window.
export ORVANE_BROWSER=off
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
count() { ls "$levels" | grep -c '\.png$'; }
start_app() {
    local tries
    for tries in 1 2; do
        wid=""
        : >"$work/log.txt"  # each program's own log
        ORVANE_LOG=stderr ORVANE_BATCH_SIZE=${1:-3} "${2:-$app}" 2>>"$work/log.txt" &
        pid=$!
        wait_for 'wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1); [[ -n "$wid" ]] ||
            ! kill -0 "$pid" 2>/dev/null' 60
        [[ -n "${wid:-}" ]] && kill -0 "$pid" 2>/dev/null && return 0
        # The virtual display itself refused the program (seen once in many runs): once more.
        grep -q "Can't open display" "$work/log.txt" || return 1
        echo "note: the display refused the program; starting it again"
        sleep 1
    done
    return 1
}
# Clicks at a point of the window's client area.
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
# The preview box (x y w h) and a screenshot of the window with the pointer out of the way.
box=(391 6 240 136)
shot() {
    xdotool mousemove --window "$wid" 200 122
    sleep 0.5
    import -window "$wid" "$1" 2>/dev/null
}
# True when two screenshots show the same preview box.
same_preview() {
    local crop="${box[2]}x${box[3]}+${box[0]}+${box[1]}"
    convert "$1" -crop "$crop" "$work/crop1.png" && convert "$2" -crop "$crop" "$work/crop2.png" &&
        compare -metric AE "$work/crop1.png" "$work/crop2.png" null: 2>/dev/null
}
previews() { grep -c "^preview: " "$work/log.txt"; }
last_caption() { grep "^preview: " "$work/log.txt" | tail -1; }
# Waits for the chooser that asks for the maps' folder, then closes it with Esc.
chooser_appears() {
    local cid
    wait_for 'cid=$(xdotool search --name "SavedLevels" 2>/dev/null | head -1); [[ -n "$cid" ]]' 20 ||
        return 1
    xdotool windowfocus --sync "$cid" key Escape
    wait_for '! xdotool search --name "SavedLevels" >/dev/null 2>&1' 10
}

# Says what the program was doing when its window never came, so a failure can be read.
no_window() {
    fail "$1 (program $(kill -0 "$pid" 2>/dev/null && echo running || echo gone); its log:)"
    tail -5 "$work/log.txt"
}
start_app 3 || { no_window "window did not appear"; exit 1; }
pass "window shown"
geometry=$(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[[ "$geometry" == "722x189" ]] && pass "client area 722x189" || fail "client area $geometry"

start=$SECONDS
"$app" 2>"$work/second.txt"; rc=$?
((SECONDS - start < 5)) && [[ $rc -eq 0 ]] && kill -0 "$pid" && pass "second instance ends at once" ||
    fail "second instance rc=$rc"
grep -q "already open" "$work/second.txt" && pass "second instance says why it ends" ||
    fail "second instance message: $(cat "$work/second.txt")"
# A lock folder others can write to is not used, and a symlink planted there is not followed.
mkdir -m 777 "$work/open" && mkdir -p "$work/home"
ln -s "$work/victim1" "$work/open/orvane.lock"
ln -s "$work/victim2" "$work/open/orvane-$(id -u).lock"
mkdir -p -m 700 "$work/home/.cache/orvane"
flock "$work/home/.cache/orvane/orvane.lock" sleep 30 &
holder=$!
sleep 0.5
XDG_RUNTIME_DIR="$work/open" XDG_CACHE_HOME="" HOME="$work/home" timeout 10 "$app" 2>"$work/third.txt"; rc=$?
kill "$holder"
[[ $rc -eq 0 && ! -e "$work/victim1" && ! -e "$work/victim2" ]] &&
    grep -q "already open" "$work/third.txt" &&
    pass "lock kept in a private folder, symlinks not followed" ||
    fail "lock: rc=$rc $(ls "$work" 2>&1) $(cat "$work/third.txt")"

click 48 30  # Get Map
wait_for '[[ $(count) -eq 1 ]]' 120 && pass "Get Map saved a map" || fail "Get Map: $(count) files"
wait_for 'grep -q -- "^-- end" "$work/log.txt"' 10 || true
grep -q "^-- start: [0-9]*x[0-9]* \[1\]" "$work/log.txt" && grep -q "^p1: " "$work/log.txt" &&
    grep -q "^createMap: " "$work/log.txt" && pass "log lines" || fail "log: $(cat "$work/log.txt")"

# The pane shows the saved map, scaled to fit, and names it with its size.
wait_for '[[ $(previews) -eq 1 ]]' 10
first=$(ls "$levels" | grep '\.png$' | head -1)
size=$(identify -format '%wx%h' "$levels/$first")
[[ "$(last_caption)" == "preview: $first  $size px  seed: "???????? ]] && pass "caption names $first" ||
    fail "caption '$(last_caption)' for $first ($size)"
# "Copy seed" puts the map's code on the clipboard, and the code makes the same map.
code=$(last_caption)
code=${code##*seed: }
click 675 48
wait_for '[[ "$(xclip -o -selection clipboard 2>/dev/null)" == "$code" ]]' 10 &&
    mkdir -p "$work/copied" && "$build/orvane-cli" --quiet --seed "$code" --out "$work/copied" &&
    cmp -s "$levels/$first" "$work/copied/${first%.png}+$code.png" &&
    pass "Copy seed: $code on the clipboard makes $first again" ||
    fail "Copy seed: clipboard '$(xclip -o -selection clipboard 2>&1)', caption code '$code'"
shot "$work/one.png"
python3 "$here/check_preview.py" "$work/one.png" "$levels/$first" "${box[@]}" &&
    pass "preview shows the saved map" || fail "preview does not show $first"

# A click on the preview opens the map, "Show folder" the folder; a failing opener is logged.
click 500 70
wait_for 'grep -qx "$levels/$first" "$work/opened.txt" 2>/dev/null' 10 &&
    pass "preview click opens the map" || fail "opened: $(cat "$work/opened.txt" 2>/dev/null)"
click 675 18
wait_for 'grep -qx "$levels" "$work/opened.txt"' 10 && pass "Show folder opens the folder" ||
    fail "opened: $(cat "$work/opened.txt")"
touch "$work/open-fails"
click 500 70
wait_for 'grep -q "^Could not open $levels/$first: xdg-open ended with status 1" "$work/log.txt"' 10 &&
    kill -0 "$pid" && pass "a failing opener is logged" || fail "no log line for a failing opener"
rm "$work/open-fails"

click 48 80  # Get Maps (64), shortened to 3 for the test
wait_for '[[ $(count) -eq 4 ]]' 300 && pass "batch saved its maps" || fail "batch: $(count) files"
wait_for 'grep -q "\[3\]" "$work/log.txt"' 10 && pass "batch numbered its maps" || fail "batch log"
# Each map of the batch showed as it was saved, and the pane now shows the last one.
wait_for '[[ $(previews) -eq 4 ]]' 10 && pass "batch showed each map" || fail "previews: $(previews)"
shot "$work/batch.png"
# The newest maps: file times are coarse, so maps saved a few milliseconds apart share one.
newestTime=$(stat -c '%.9Y' "$levels"/* | sort -n | tail -1)
newest=$(for f in "$levels"/*; do [[ $(stat -c '%.9Y' "$f") == "$newestTime" ]] && basename "$f"; done)
shown=$(last_caption)
shown=${shown#preview: }
shown=${shown%%  *}
grep -qxF "$shown" <<<"$newest" && ! same_preview "$work/one.png" "$work/batch.png" &&
    pass "batch changed the preview to $shown" ||
    fail "batch preview: $(last_caption) (newest: $(echo $newest))"

click 150 145  # seed box
xdotool type --delay 20 'a:b'
xdotool key Return
wait_for 'ls "$levels" | grep -q "+ab\.png$"' 120 && pass "Enter in the seed box" ||
    fail "Enter: $(ls "$levels")"
wait_for '[[ "$(last_caption)" == "preview: "*"+ab.png  "*" px  seed: ab" ]]' 10 &&
    pass "caption shows the seed" || fail "seeded caption: $(last_caption)"
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

# Walk-for-weapons seeds: a seeded map is the same whatever map came before it.
click 15 173  # the check box
sleep 1
for seed in s10 s13; do
    click 150 145
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "$seed"
    xdotool key Return
    wait_for 'ls "$levels" | grep -q "^W_.*+$seed\.png$"' 120 || fail "no map for $seed"
    sleep 1
done
click 15 173
"$build/orvane-cli" --quiet --wfw --seed s13 --out "$work/cli"
windowMap=$(ls "$levels" | grep "^W_.*+s13\.png$" | head -1)
cmp -s "$levels/$windowMap" "$work/cli/$windowMap" &&
    pass "window's seeded walk-for-weapons map independent of the map before it" ||
    fail "window's $windowMap after s10 differs from orvane-cli's s13 alone ($(ls "$work/cli"))"
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

# A run-time error (a seed too long for a file name): message, log line, the last good map
# stays in the pane, and the program stays usable.
start_app 3 || no_window "window did not reappear"
click 48 30
wait_for '[[ $(previews) -eq 1 ]]' 120
shot "$work/good.png"
click 150 145
xdotool type --delay 2 "$(printf 'x%.0s' {1..300})"
xdotool key Return
wait_for 'grep -q "^Error: .*too long" "$work/log.txt"' 30 && pass "error logged" || fail "no error line"
sleep 1
xdotool key Return  # dismiss the message box
shot "$work/after-error.png"
same_preview "$work/good.png" "$work/after-error.png" && [[ $(previews) -eq 1 ]] &&
    pass "the last good map stays after the error" ||
    fail "preview changed after the error"
before=$(count)
click 48 30
wait_for '[[ $(count) -eq $((before + 1)) ]]' 120 && pass "usable after the error" ||
    fail "not usable after the error"

# The folder vanished: Get Map asks for another one before drawing anything.
mv "$levels" "$levels.away"
click 48 30
chooser_appears && pass "missing folder: the chooser asks for one" || fail "no chooser"
wait_for 'grep -q "^No folder chosen" "$work/log.txt"' 10 &&
    [[ $(grep -c "^-- start" "$work/log.txt") -eq $(grep -c "^-- end" "$work/log.txt") ]] &&
    pass "nothing made without a folder" || fail "log: $(tail -3 "$work/log.txt")"
mv "$levels.away" "$levels"
kill "$pid"; wait "$pid" 2>/dev/null; pid=""

# A remembered folder wins over the one beside the program.
mkdir -p "$work/remembered" "$XDG_CONFIG_HOME/orvane"
echo "maps-folder=$work/remembered" >"$XDG_CONFIG_HOME/orvane/settings"
before=$(count)
start_app 3 || no_window "window did not reappear"
click 48 30
wait_for '[[ $(ls "$work/remembered" | wc -l) -eq 1 ]]' 120 && [[ $(count) -eq $before ]] &&
    pass "remembered folder used" || fail "remembered: $(ls "$work/remembered")"
kill "$pid"; wait "$pid" 2>/dev/null; pid=""

# An installed program (nothing beside it) with no remembered folder asks before drawing.
rm "$XDG_CONFIG_HOME/orvane/settings"
mkdir -p "$work/installed"
cp "$app" "$work/installed/orvane"
start_app 3 "$work/installed/orvane" || no_window "installed window did not appear"
click 48 30
chooser_appears && pass "no folder: the chooser asks for one" || fail "no chooser without a folder"
[[ -z $(ls -A "$work/installed" | grep -v '^orvane$') ]] && pass "nothing written beside it" ||
    fail "beside the installed program: $(ls -A "$work/installed")"

echo "window: $failures failed"
[[ $failures -eq 0 ]]
