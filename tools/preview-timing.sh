#!/usr/bin/env bash
# What the window's preview, or its batch browser, costs a batch:
#   tools/preview-timing.sh [ROUNDS] [BATCH] [preview|browser]
# Runs "Get Maps" (64 maps by default) in the release window under its own Xvfb, alternately
# with the preview (or the browser) on and off (ORVANE_PREVIEW=off, ORVANE_BROWSER=off),
# ROUNDS times each (default 3), and prints
# each round's wall and CPU times and the medians of the per-round ratios. Both batches of a
# round make the same maps (ORVANE_START_SEED, the round's number), so the maps' own spread
# cancels out. Maps go to a throw-away folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/window-common.sh"
rounds=${1:-3}
batch=${2:-64}
what=${3:-preview}
[[ $what == preview || $what == browser ]] || { echo "preview or browser, not $what" >&2; exit 2; }
switch=ORVANE_${what^^}
if [[ -z "${DISPLAY_READY:-}" ]]; then
    exec env DISPLAY_READY=1 xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work/run" XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$work/game/User/SavedLevels"
cp "$root/build/release/orvane" "$work/game/"

# One batch; prints its wall seconds, from the click to the last map's "-- end", and the CPU
# seconds the process used by then (all threads, start-up included: the same on both sides).
one_batch() {
    local log="$work/log.txt" wid start
    rm -f "$work/game/User/SavedLevels"/*.png
    : >"$log"
    env "$switch=$1" ORVANE_START_SEED=$2 ORVANE_BATCH_SIZE=$batch ORVANE_LOG=stderr \
        "$work/game/orvane" 2>"$log" &
    local pid=$!
    wait_for_window
    xdotool mousemove --window "$wid" 48 80 click 1
    start=$(date +%s.%N)
    until [[ $(grep -c -- "^-- end" "$log") -ge $batch ]]; do sleep 0.05; done
    local end ticks
    end=$(date +%s.%N)
    ticks=$(awk '{print $14 + $15}' "/proc/$pid/stat")
    awk -v a="$end" -v b="$start" -v t="$ticks" -v hz="$(getconf CLK_TCK)" \
        'BEGIN{printf "%.2f %.2f\n", a - b, t / hz}'
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
median() { sort -n | awk '{a[NR]=$1} END{print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.3f", a / b}'; }

wallRatios=() cpuRatios=()
for r in $(seq "$rounds"); do
    # Which side goes first alternates, so neither always meets a warmer machine.
    if ((r % 2)); then
        read -r onWall onCpu < <(one_batch on "$r")
        read -r offWall offCpu < <(one_batch off "$r")
    else
        read -r offWall offCpu < <(one_batch off "$r")
        read -r onWall onCpu < <(one_batch on "$r")
    fi
    wallRatios+=("$(ratio "$onWall" "$offWall")")
    cpuRatios+=("$(ratio "$onCpu" "$offCpu")")
    echo "round $r: $what on ${onWall} s (CPU ${onCpu} s), off ${offWall} s (CPU ${offCpu} s)," \
        "ratio ${wallRatios[-1]} (CPU ${cpuRatios[-1]})"
done
# On a shared machine the load changes between rounds; the ratio within a round is steadier,
# and CPU time is steadier than wall time.
echo "median of the per-round ratios on/off over $rounds batches of $batch:" \
    "wall $(printf '%s\n' "${wallRatios[@]}" | median), CPU $(printf '%s\n' "${cpuRatios[@]}" | median)"
