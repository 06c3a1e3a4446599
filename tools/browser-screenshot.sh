#!/usr/bin/env bash
# Screenshots of the batch browser: tools/browser-screenshot.sh GRID.png LARGE.png [BATCH]
# Runs the release build under its own Xvfb, makes a batch (18 maps by default, the same ones
# every time), marks two maps to keep and three to throw away, shoots the browser, then opens
# one map large and shoots that.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/window-common.sh"
grid=$(realpath -m "${1:?usage: browser-screenshot.sh GRID.png LARGE.png [BATCH]}")
large=$(realpath -m "${2:?usage: browser-screenshot.sh GRID.png LARGE.png [BATCH]}")
batch=${3:-18}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
work=$(mktemp -d)
trap 'kill %1 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/game/User/SavedLevels"
cp "$root/build/release/orvane" "$work/game/"
ORVANE_START_SEED=7 ORVANE_BATCH_SIZE=$batch ORVANE_LOG=stderr "$work/game/orvane" 2>"$work/log.txt" &
wait_for_window
xdotool mousemove --window "$wid" 48 80 click 1
until [[ $(grep -c -- "^-- end" "$work/log.txt") -ge $batch ]]; do sleep 0.2; done
sleep 1
bid=$(xdotool search --name "^Orvane: the last batch$" | head -1)
mapfile -t thumbs < <(grep "^thumbnail: " "$work/log.txt" | cut -d' ' -f3-4)
mark() {  # cell, mouse button
    read -r x y <<<"${thumbs[$1]}"
    xdotool mousemove --window "$bid" $((x + 30)) $((y + 30)) click "$2"
    sleep 0.4
}
mark 0 1
mark 5 1
mark 2 3
mark 7 3
mark 9 3
xdotool mousemove --window "$bid" 700 400
sleep 0.5
import -window "$bid" "$grid"
read -r x y <<<"${thumbs[4]}"
xdotool mousemove --window "$bid" $((x + 30)) $((y + 30)) click --repeat 2 --delay 80 1
for _ in $(seq 50); do
    vid=$(xdotool search --name "^Orvane: map$" 2>/dev/null | head -1) && [[ -n "$vid" ]] && break
    sleep 0.2
done
sleep 0.8
import -window "$vid" "$large"
echo "$grid $large"
