#!/usr/bin/env bash
# What the window's preview costs a batch: tools/preview-timing.sh [ROUNDS] [BATCH]
# Runs "Get Maps" (64 maps by default) in the release window under its own Xvfb, alternately
# with the preview on and off (ORVANE_PREVIEW=off), ROUNDS times each (default 3), and prints
# every time, the medians and the median of the per-round ratios. Maps go to a throw-away folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/window-common.sh"
rounds=${1:-3}
batch=${2:-64}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/game/User/SavedLevels"
cp "$root/build/release/orvane" "$work/game/"

# One batch; prints its seconds, from the click to the last map's "-- end".
one_batch() {
    local log="$work/log.txt" wid start
    rm -f "$work/game/User/SavedLevels"/*.png
    : >"$log"
    ORVANE_PREVIEW=$1 ORVANE_BATCH_SIZE=$batch ORVANE_LOG=stderr "$work/game/orvane" 2>"$log" &
    local pid=$!
    wait_for_window
    xdotool mousemove --window "$wid" 48 80 click 1
    start=$(date +%s.%N)
    until [[ $(grep -c -- "^-- end" "$log") -ge $batch ]]; do sleep 0.05; done
    awk -v a="$(date +%s.%N)" -v b="$start" 'BEGIN{printf "%.2f\n", a - b}'
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

on=() off=() ratios=()
for r in $(seq "$rounds"); do
    # Which side goes first alternates, so neither always meets a warmer machine.
    if ((r % 2)); then
        on+=("$(one_batch on)")
        off+=("$(one_batch off)")
    else
        off+=("$(one_batch off)")
        on+=("$(one_batch on)")
    fi
    ratios+=("$(awk -v a="${on[-1]}" -v b="${off[-1]}" 'BEGIN{printf "%.3f", a / b}')")
    echo "round $r: preview on ${on[-1]} s, off ${off[-1]} s, ratio ${ratios[-1]}"
done
mon=$(printf '%s\n' "${on[@]}" | median)
moff=$(printf '%s\n' "${off[@]}" | median)
echo "median of $rounds batches of $batch: preview on $mon s, off $moff s, ratio $(awk -v a="$mon" -v b="$moff" 'BEGIN{printf "%.3f", a / b}')"
# On a shared machine the load changes between rounds; the ratio within a round is steadier.
echo "median of the per-round ratios on/off: $(printf '%s\n' "${ratios[@]}" | median)"
