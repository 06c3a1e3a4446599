#!/usr/bin/env bash
# orvane.exe under Wine and Xvfb, driven with xdotool: a copy in a game folder saves into the
# User\SavedLevels folder beside it with no settings, the preview shows the saved map, a typed
# seed gives the Linux build's bytes, a second copy refuses to run beside the first, a batch of 8
# fills the batch browser, whose thrown-away maps go to the Recycle Bin (Wine's is the desktop's
# trash) and come back with undo, and the close box ends the program. Leaves a screenshot in <build>/test-out/window-wine.png.
# Usage: window.sh MINGW_BUILD [LINUX_BUILD (default build/release)]
# The Wine prefix is ORVANE_WINEPREFIX, else one kept for this test alone: the single-instance
# lock is a mutex of the prefix's Wine server, which a window run by someone else in a shared
# prefix would hold.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(cd "$here/../../.." && pwd)
build=${1:?mingw build folder}
linux=${2:-$repo/build/release}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$@"
fi
[[ -f "$build/orvane.exe" ]] || { echo "FAIL: no $build/orvane.exe"; exit 1; }
[[ -x "$linux/orvane-cli" ]] || { echo "FAIL: no Linux $linux/orvane-cli to compare with"; exit 1; }
. "$here/../harness.bash"
. "$here/../browser.bash"
export LC_ALL=C.UTF-8

own_prefix=""
if [[ -z "${ORVANE_WINEPREFIX:-}" ]]; then
    own_prefix=${XDG_CACHE_HOME:-$HOME/.cache}/orvane-wine-window
    export ORVANE_WINEPREFIX=$own_prefix
    mkdir -p "$(dirname "$own_prefix")"
    # One run at a time in it; a server left by a run that died may hold the lock or a dead display.
    exec 8>"$own_prefix.test-lock"
    flock 8
    WINEPREFIX=$own_prefix /usr/lib/wine/wineserver -k 2>/dev/null
fi
# A Wine server still running from console programs (the unit tests, cli.sh) started its desktop
# without this display, and a window then never appears: wait for it to end first.
WINEPREFIX=$ORVANE_WINEPREFIX /usr/lib/wine/wineserver -w 2>/dev/null
# No folder remembered by an earlier run: maps must go beside the program.
rm -rf "$ORVANE_WINEPREFIX"/drive_c/users/*/AppData/Roaming/Orvane

app="$work/game/orvane.exe"
levels="$work/game/User/SavedLevels"
mkdir -p "$levels" "$build/test-out"
cp "$build/orvane.exe" "$app"
pid=""
cleanup() {
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    [[ -n "$own_prefix" ]] && WINEPREFIX=$own_prefix /usr/lib/wine/wineserver -k 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

count() { ls "$levels" | grep -c '\.png$'; }
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
# Windows writes stderr in text mode: its lines end in CR LF.
last_caption() { tr -d "\r" <"$work/log.txt" | grep "^preview: " | tail -1; }
box=(391 6 240 136)  # the preview pane in the client area
shot() {
    xdotool mousemove --window "$wid" 200 122  # the pointer out of the pane
    sleep 0.5
    import -window "$wid" "$1" 2>/dev/null
}

started=$SECONDS
# Wine's Recycle Bin is the desktop's trash: one of this test's own.
export XDG_DATA_HOME="$work/data"
trash="$XDG_DATA_HOME/Trash"
log="$work/log.txt"
info_path() { python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$levels/$1"; }
# 8>&-: the Wine server these start must not hold the prefix's test lock.
ORVANE_LOG=stderr ORVANE_BATCH_SIZE=8 "$repo/tools/wine-run.sh" "$app" 2>"$log" 8>&- &
pid=$!
# A first start in a new prefix makes it (15 s or more).
wait_for 'wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1); [[ -n "$wid" ]] ||
    ! kill -0 "$pid" 2>/dev/null' 120
if [[ -z "${wid:-}" ]]; then
    fail "window did not appear (program $(kill -0 "$pid" 2>/dev/null && echo running || echo gone))"
    tail -5 "$work/log.txt"
    exit 1
fi
pass "window shown after $((SECONDS - started)) s"
sleep 1
geometry=$(xwininfo -id "$wid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[[ "$geometry" == "722x189" ]] && pass "client area 722x189" || fail "client area $geometry"

# The title bar and task bar show the program's icon, not the system's generic one: the large
# and small pictures Wine hands the desktop are the .exe icon's 32 and 16 pixel ones.
xprop -id "$wid" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON >"$work/icon.txt"
python3 - "$work/icon.txt" "$work" <<'PY'
import re, struct, sys
numbers = [int(n) for n in re.findall(r"\d+", open(sys.argv[1]).read().partition("=")[2])]
while len(numbers) >= 2:
    w, h = numbers[:2]
    pixels, numbers = numbers[2:2 + w * h], numbers[2 + w * h:]
    with open(f"{sys.argv[2]}/shown-{w}x{h}.rgba", "wb") as out:  # ARGB words to RGBA bytes
        out.write(b"".join(struct.pack(">I", (p << 8 | p >> 24) & 0xFFFFFFFF) for p in pixels))
PY
icons=()
for size in 32 16; do
    icotool -x -w "$size" -o "$work/icon-$size.png" "$build/packaging/windows/orvane.ico" 2>/dev/null &&
        convert "$work/icon-$size.png" "rgba:$work/icon-$size.rgba" &&
        cmp -s "$work/icon-$size.rgba" "$work/shown-${size}x$size.rgba" && icons+=("$size")
done
[[ "${icons[*]}" == "32 16" ]] && pass "the window shows the program's icon (32 and 16 pixels)" ||
    fail "window icon: $(ls "$work" | grep shown- | tr '\n' ' ')matched ${icons[*]:-none}"

started=$SECONDS
timeout 60 "$repo/tools/wine-run.sh" "$app" 2>"$work/second.txt" 8>&-; rc=$?
[[ $rc -eq 0 ]] && ((SECONDS - started < 10)) && kill -0 "$pid" &&
    grep -q "already open" "$work/second.txt" &&
    pass "second orvane.exe ends at once with status 0 and says why" ||
    fail "second instance: rc=$rc after $((SECONDS - started)) s: $(cat "$work/second.txt")"

click 48 30  # Get Map
wait_for '[[ $(count) -ge 1 ]]' 120 && sleep 1
first=$(ls "$levels" | grep '\.png$' | head -1)
[[ $(count) -eq 1 && -z $(ls -A "$levels" | grep -v '\.png$') ]] &&
    python3 "$here/../check_level.py" "$levels/$first" >/dev/null &&
    pass "Get Map saved $first beside the program" ||
    fail "Get Map: $(ls -A "$levels") $(tail -3 "$work/log.txt")"
if [[ -n "$first" ]]; then
    wait_for 'grep -q "^preview: " "$work/log.txt"' 10
    size=$(identify -format '%wx%h' "$levels/$first")
    [[ "$(last_caption)" == "preview: $first  $size px  seed: "???????? ]] && pass "caption names $first" ||
        fail "caption '$(last_caption)' for $first ($size)"
    shot "$work/one.png"
    python3 "$here/../check_preview.py" "$work/one.png" "$levels/$first" "${box[@]}" &&
        pass "preview shows the saved map" || fail "preview does not show $first"
fi

# A typed seed (cleaned of its colon), with Enter: the Linux build's bytes.
click 150 145
xdotool type --delay 20 'a:b'
xdotool key Return
wait_for 'ls "$levels" | grep -q "+ab\.png$"' 120 && sleep 1
seeded=$(ls "$levels" | grep "+ab\.png$")
mkdir -p "$work/linux"
"$linux/orvane-cli" --quiet --seed ab --out "$work/linux"
[[ -n "$seeded" ]] && cmp -s "$levels/$seeded" "$work/linux/$seeded" &&
    pass "seed 'a:b' in the window: the Linux build's bytes ($seeded)" ||
    fail "seeded map '$seeded' differs from Linux's $(ls "$work/linux")"
wait_for '[[ "$(last_caption)" == "preview: $seeded  "*" px  seed: ab" ]]' 10 &&
    pass "caption shows the seed" || fail "seeded caption: $(last_caption)"

shot "$build/test-out/window-wine.png" && pass "screenshot in $build/test-out/window-wine.png"

# The batch browser, over the two maps made above: those are never moved.
click 48 80  # Get Maps, shortened to 8
wait_for '[[ $(log_lines | grep -c "^-- end") -ge 10 ]]' 300 || fail "batch: $(count) maps"
bid=$(xdotool search --name "^Orvane: the last batch$" 2>/dev/null | head -1)
if [[ -n "$bid" ]]; then
    pass "the batch opened the browser"
    browser_thumbnails
    browser_throw_away
    browser_large_view
else
    fail "no browser"
fi

python3 "$here/../wm_close.py" "$wid"
if wait_for '! kill -0 "$pid" 2>/dev/null' 30; then
    wait "$pid"; rc=$?
    [[ $rc -eq 0 ]] && pass "close box ends the program (status 0)" || fail "closed with status $rc"
else
    fail "program did not end after a close request"
fi
pid=""
[[ -z $(ls -A "$levels" | grep -v '\.png$') ]] && pass "no temporary file left" ||
    fail "left behind: $(ls -A "$levels")"

echo "windows window: $failures failed"
[[ $failures -eq 0 ]]
