#!/usr/bin/env bash
# The batch browser under Xvfb: a batch of 8 fills it with thumbnails of the saved maps; three
# marked maps go to the freedesktop trash (files and .trashinfo) and nothing else is touched; undo
# brings them back; a double-click shows a map large and the arrow keys step; Browse… opens the
# batch again.
set -uo pipefail
build=${1:?build folder}
here=$(cd "$(dirname "$0")" && pwd)
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi
. "$here/harness.bash"
. "$here/browser.bash"
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
levels="$work/game/User/SavedLevels"
trash="$XDG_DATA_HOME/Trash"
mkdir -p "$levels"
cp "$build/orvane" "$work/game/"
printf 'not a batch map' >"$levels/00.100 mine.png"  # never moved, whatever is marked
info_path() { python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(sys.argv[1]))' "$levels/$1"; }
log="$work/log.txt"
ORVANE_LOG=stderr ORVANE_BATCH_SIZE=8 "$work/game/orvane" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null; rm -rf "$work"' EXIT

wait_for 'wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1); [[ -n "$wid" ]]' 30 ||
    { fail "no window"; exit 1; }
sleep 0.5
xdotool mousemove --window "$wid" 48 80 click 1  # Get Maps, shortened to 8
wait_for '[[ $(grep -c "^-- end" "$log") -ge 8 ]]' 300 || fail "batch: $(grep -c "^-- end" "$log") maps"
bid=$(xdotool search --name "^Orvane: the last batch$" 2>/dev/null | head -1)
[[ -n "$bid" ]] && pass "the batch opened the browser" || { fail "no browser"; exit 1; }
browser_thumbnails
browser_throw_away
browser_large_view

# Closed, then opened again from the main window: the same 8 maps.
xdotool windowfocus --sync "$bid" key Escape
wait_for '[[ -z "$(xdotool search --onlyvisible --name "^Orvane: the last batch$" 2>/dev/null)" ]]' 5
xdotool mousemove --window "$wid" 675 78 click 1  # Browse…
wait_for '[[ $(grep -c "^thumbnail: " "$log") -ge 16 ]]' 10 &&
    pass "Browse… opens the batch again" || fail "Browse…: $(grep -c "^thumbnail: " "$log") thumbnails"
echo "browser: $failures failed"
((failures == 0))
