#!/usr/bin/env bash
# Screenshot of the window after one map: tools/window-screenshot.sh OUT.png
# Runs the release build under its own Xvfb with a throw-away saved-levels folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:?usage: window-screenshot.sh OUT.png}")
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$@"
fi
work=$(mktemp -d)
trap 'kill %1 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/User/SavedLevels"
cp "$root/build/release/orvane" "$work/"
ORVANE_LOG=stderr "$work/orvane" 2>"$work/log.txt" &
for _ in $(seq 50); do
    wid=$(xdotool search --name "^Orvane by Pellimor$" 2>/dev/null | head -1) && [[ -n "$wid" ]] && break
    sleep 0.2
done
sleep 0.5
xdotool mousemove --window "$wid" 48 30 click 1
for _ in $(seq 600); do grep -q -- "^-- end" "$work/log.txt" && break; sleep 0.2; done
xdotool mousemove --window "$wid" 300 180
sleep 0.5
import -window "$wid" "$out"
echo "$out"
