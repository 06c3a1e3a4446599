#!/usr/bin/env bash
# Times two orvane-cli binaries alternately (A B B A ...) on one workload and checks that they
# write the same maps, byte for byte. For a speed-up switched off by a local edit: build the
# program with and without it, copy each binary aside, then compare them here. (To compare two
# commits, tools/ab-compare.sh builds them itself.)
#
# Prints the median wall and CPU (user + sys) seconds of each side with their ranges, the median
# of the per-pair ratios B/A, and each side's largest peak memory. Maps go under /dev/shm when
# present, so disk syncs do not drown the difference. The environment (ORVANE_START_SEED...) is
# passed on.
#
# Usage: tools/ab-binaries.sh [--pairs N] [--pause S] BINARY_A BINARY_B -- CLI_ARGS...
#   e.g. tools/ab-binaries.sh on/orvane-cli off/orvane-cli -- --seed big215
set -euo pipefail
pairs=5
pause=0
while [[ $# -gt 0 && $1 == --* && $1 != -- ]]; do
    case $1 in
        --pairs) pairs=$2; shift 2 ;;
        --pause) pause=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[[ $# -ge 3 && $3 == -- ]] || { sed -n '2,13p' "$0" >&2; exit 2; }
(( pairs >= 5 )) || { echo "at least 5 pairs: fewer are noise on a shared machine" >&2; exit 2; }
binA=$1 binB=$2
shift 3
outRoot=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && outRoot=/dev/shm
work=$(mktemp -d "$outRoot/ab-binaries.XXXXXX")
trap 'rm -rf "$work"' EXIT

# One timed run into $work/$side: prints "wall_seconds cpu_seconds peak_MB". Wall is taken to the
# microsecond here; time's own resolves only 10 ms.
run() {  # side binary
    rm -rf "${work:?}/$1" && mkdir -p "$work/$1"
    sleep "$pause"
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f '%U %S %M' -o "$work/time" "$2" --quiet --out "$work/$1" "${args[@]}"
    end=$(date +%s%N)
    awk -v w="$(((end - start) / 1000))" '{ printf "%.3f %.2f %d\n", w / 1e6, $1 + $2, $3 / 1024 }' "$work/time"
}

args=("$@")
wa=() wb=() ca=() cb=() ma=() mb=() ratios=()
same=yes
for ((i = 0; i < pairs; ++i)); do
    # Which side goes first alternates, so neither always meets a warmer machine.
    if ((i % 2 == 0)); then order=(a b); else order=(b a); fi
    for side in "${order[@]}"; do
        if [[ $side == a ]]; then read -r w c m < <(run a "$binA"); wa+=("$w"); ca+=("$c"); ma+=("$m")
        else read -r w c m < <(run b "$binB"); wb+=("$w"); cb+=("$c"); mb+=("$m"); fi
    done
    diff -rq "$work/a" "$work/b" >/dev/null || same=no
    ratios+=("$(awk -v a="${wa[i]}" -v b="${wb[i]}" 'BEGIN { printf "%.3f", b / a }')")
done
maps=$(find "$work/a" -type f | wc -l)
((maps > 0)) || { echo "no maps written: did the runs fail?" >&2; exit 1; }

# "median (min-max)" of the arguments.
stats() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.3f (%.3f-%.3f)", m, v[1], v[NR] }'; }
echo "wall  A $(stats "${wa[@]}")  B $(stats "${wb[@]}")  ratio B/A $(stats "${ratios[@]}")"
echo "cpu   A $(stats "${ca[@]}")  B $(stats "${cb[@]}")"
peak() { printf '%s\n' "$@" | sort -g | tail -1; }
echo "peak  A $(peak "${ma[@]}") MB  B $(peak "${mb[@]}") MB"
echo "maps  $maps per run, identical on both sides every pair: $same"
