#!/usr/bin/env bash
# Screenshot of the window after one seeded map: tools/window-screenshot.sh OUT.png [SEED]
# Runs the release build under its own Xvfb with a throw-away home whose remembered maps
# folder sits in a Wine prefix, as a player's would.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/window-common.sh"
out=$(realpath -m "${1:?usage: window-screenshot.sh OUT.png [SEED]}")
seed=${2:-b2}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$@"
fi
work=$(mktemp -d)
trap 'kill %1 2>/dev/null; rm -rf "$work"' EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
levels="$HOME/.wine/drive_c/Games/Artillery/User/SavedLevels"
mkdir -p "$levels" "$XDG_CONFIG_HOME/orvane"
echo "maps-folder=$levels" >"$XDG_CONFIG_HOME/orvane/settings"
ORVANE_LOG=stderr "$root/build/release/orvane" 2>"$work/log.txt" &
wait_for_window
xdotool mousemove --window "$wid" 150 145 click 1
xdotool type --delay 20 "$seed"
xdotool key Return
for _ in $(seq 600); do grep -q "^preview: " "$work/log.txt" && break; sleep 0.2; done
xdotool mousemove --window "$wid" 200 122
sleep 0.5
import -window "$wid" "$out"
echo "$out"
