#!/usr/bin/env bash
# Builds orvane-cli at two commits and times them alternately (A B B A ...) on a batch of 64
# unseeded maps, on a batch of 64 from a fixed start seed, on 64 seeded maps and on the largest
# map (run back to back, and after a pause), then prints per workload the median wall time of
# each, the median of the per-pair ratios B/A, and the largest peak resident memory of each.
# Alternating pairs keep a shared, noisy machine fair to both sides.
#
# Maps are written under --out-root (default /dev/shm when present), so that disk syncs on a
# shared machine do not drown the difference; pass a disk folder to include them.
#
# --thp "MODE..." (always, madvise, never; root only) times every workload once per mode of the
# system's transparent huge pages, and puts the setting back afterwards.
#
# Usage: tools/ab-compare.sh [--pairs N] [--seed LARGEST_SEED] [--out-root DIR] [--thp "MODE..."]
#                            COMMIT_A COMMIT_B
set -euo pipefail
pairs=7
largest=big215  # 6808 x 4024: the largest map of seeds big1 .. big400
outRoot=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && outRoot=/dev/shm
while [[ $# -gt 2 ]]; do
    case $1 in
        --pairs) pairs=$2; shift 2 ;;
        --seed) largest=$2; shift 2 ;;
        --out-root) outRoot=$2; shift 2 ;;
        --thp) thp=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
[[ $# -eq 2 ]] || { sed -n '2,15p' "$0" >&2; exit 2; }
(( pairs >= 5 )) || { echo "at least 5 pairs" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
maps=$(mktemp -d "$outRoot/ab-maps.XXXXXX")
cleanup() {
    rm -rf "$maps"
    for side in a b; do
        [[ -d $work/$side ]] && git -C "$root" worktree remove --force "$work/$side" 2>/dev/null
    done
    rm -rf "$work"
}
thpFile=/sys/kernel/mm/transparent_hugepage/enabled
thpBefore=""
[[ -n ${thp:-} ]] && thpBefore=$(sed 's/.*\[\(.*\)\].*/\1/' "$thpFile")
trap 'cleanup; [[ -n $thpBefore ]] && echo "$thpBefore" >"$thpFile"' EXIT
[[ -f /work/ccache-env.sh ]] && . /work/ccache-env.sh

build() {  # side commit
    git -C "$root" worktree add --detach --quiet "$work/$1" "$2"
    cmake -S "$work/$1" -B "$work/$1/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DORVANE_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" \
        >/dev/null
    cmake --build "$work/$1/build" -j "$(nproc)" --target orvane-cli >/dev/null
    echo "$1 = $(git -C "$root" rev-parse --short "$2") $(git -C "$root" log -1 --format=%s "$2")"
}
build a "$1"
build b "$2"

# One timed run: prints "seconds peak_kB cpu_seconds". The wall time is taken to the
# microsecond here (time's own resolves 10 ms, a tenth of the largest map).
run() {  # side args...
    local side=$1 out=$maps/$1
    shift
    rm -rf "$out" && mkdir -p "$out"
    [[ ${pause:-0} != 0 ]] && sleep "$pause"
    local start end
    start=$(date +%s%N)
    /usr/bin/time -v -o "$work/time" "$work/$side/build/orvane-cli" --quiet --out "$out" "$@"
    end=$(date +%s%N)
    awk -F': ' -v w="$(((end - start) / 1000))" '/Maximum resident set size/ { m = $2 }
                /(User|System) time/ { c += $2 }
                END { print w / 1e6, m, c }' "$work/time"
}

compare() {  # name args...
    local name=$1
    shift
    local ta=() tb=() ma=() mb=() ca=() cb=() ratios=()
    for ((i = 0; i < pairs; ++i)); do
        # Which side goes first alternates, so neither always meets a warmer machine.
        if ((i % 2 == 0)); then
            read -r t m c < <(run a "$@"); ta+=("$t"); ma+=("$m"); ca+=("$c")
            read -r t m c < <(run b "$@"); tb+=("$t"); mb+=("$m"); cb+=("$c")
        else
            read -r t m c < <(run b "$@"); tb+=("$t"); mb+=("$m"); cb+=("$c")
            read -r t m c < <(run a "$@"); ta+=("$t"); ma+=("$m"); ca+=("$c")
        fi
        ratios+=("$(awk -v a="${ta[i]}" -v b="${tb[i]}" 'BEGIN { printf "%.3f", b / a }')")
    done
    median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END {
        print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
    max() { printf '%s\n' "$@" | sort -g | tail -1; }
    printf '%-8s wall A %6.3f s  B %6.3f s  ratio B/A %.3f  (pairs: %s)\n' \
        "$name" "$(median "${ta[@]}")" "$(median "${tb[@]}")" "$(median "${ratios[@]}")" \
        "${ratios[*]}"
    printf '%-8s cpu  A %6.3f s  B %6.3f s   peak memory A %d MB  B %d MB\n' "" \
        "$(median "${ca[@]}")" "$(median "${cb[@]}")" \
        $(($(max "${ma[@]}") / 1024)) $(($(max "${mb[@]}") / 1024))
}

workloads() {
    compare batch64 --count 64
    # Unseeded batches differ from run to run by more than most changes. A start seed makes the
    # batch's maps the same on both sides (commits before 2026-12-07's CLI ignore it, and then
    # this is one more unseeded batch).
    ORVANE_START_SEED=7 compare same64 --count 64
    # 64 seeded maps in one process are the same maps on both sides too, but one at a time: a
    # seeded map is saved before the next begins, so nothing overlaps.
    seeded=()
    for ((i = 1; i <= 64; ++i)); do seeded+=(--seed "ab-$i"); done
    compare seeded64 "${seeded[@]}"
    compare largest --seed "$largest"
    # The same after a pause, as a player makes one map: these virtual machines hand freed memory
    # back to their host a second or two after it is freed, and a run that must get it back first
    # is slower than one that follows another at once.
    pause=2.5 compare paused --seed "$largest"
}

if [[ -z ${thp:-} ]]; then
    workloads
else
    for mode in $thp; do
        echo "$mode" >"$thpFile" || { echo "cannot set $thpFile" >&2; exit 2; }
        echo "== transparent huge pages: $(cat "$thpFile")"
        workloads
    done
fi
