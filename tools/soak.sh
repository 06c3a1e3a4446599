#!/usr/bin/env bash
# Soak: N seeded maps in both modes with each build given. Every map must be a valid level file,
# and every seed must give the same bytes whatever was made before it (seeds run in order, in
# reverse order, and a sample alone) and in every build.
# Usage: tools/soak.sh N BUILD_DIR... ; prints the figures, exits 1 on any fault.
# SOAK_MODES chooses the modes (default "plain wfw"; separate runs per mode can go in parallel);
# SOAK_REVERSE=0 skips the reverse-order run (then only the sample alone checks independence).
set -uo pipefail
n=${1:?number of seeds}
shift
(($# > 0)) || { echo "usage: $0 N BUILD_DIR..." >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
fault() { echo "FAULT: $*"; faults=$((faults + 1)); }

seeds=()
for ((i = 1; i <= n; i++)); do seeds+=(--seed "soak-$i"); done
reversed=()
for ((i = n; i >= 1; i--)); do reversed+=(--seed "soak-$i"); done
step=$(((n + 19) / 20))  # about 20 seeds alone per mode and build
maps=0
start=$SECONDS
for build in "$@"; do
    tag=$(basename "$build")
    for mode in ${SOAK_MODES:-plain wfw}; do
        flag=()
        [[ $mode == wfw ]] && flag=(--wfw)
        dir="$work/$tag-$mode"
        mkdir -p "$dir/forward" "$dir/reverse" "$dir/alone"
        "$build/orvane-cli" --quiet "${flag[@]}" "${seeds[@]}" --out "$dir/forward" ||
            fault "$tag $mode: forward run failed"
        if [[ ${SOAK_REVERSE:-1} != 0 ]]; then
            "$build/orvane-cli" --quiet "${flag[@]}" "${reversed[@]}" --out "$dir/reverse" ||
                fault "$tag $mode: reverse run failed"
        fi
        for ((i = 1; i <= n; i += step)); do
            "$build/orvane-cli" --quiet "${flag[@]}" --seed "soak-$i" --out "$dir/alone" ||
                fault "$tag $mode: soak-$i alone failed"
        done
        made=$(ls "$dir/forward" | wc -l)
        maps=$((maps + made + $(ls "$dir/reverse" | wc -l) + $(ls "$dir/alone" | wc -l)))
        ((made == n)) || fault "$tag $mode: $made files for $n seeds"
        [[ -z $(ls -A "$dir"/* | grep -v '\.png$' | grep -v ':$' | grep -v '^$') ]] ||
            fault "$tag $mode: files other than maps left"
        for f in $(cd "$dir/reverse" && ls); do
            cmp -s "$dir/forward/$f" "$dir/reverse/$f" || fault "$tag $mode: $f differs in reverse order"
        done
        for f in $(cd "$dir/alone" && ls); do
            cmp -s "$dir/forward/$f" "$dir/alone/$f" || fault "$tag $mode: $f differs made alone"
        done
        python3 "$root/tests/e2e/check_level.py" "$dir"/forward/*.png >"$dir.check" ||
            fault "$tag $mode: invalid level files: $(grep -v ' ok$' "$dir.check" | head -5)"
        if [[ $build != "$1" ]]; then
            first="$work/$(basename "$1")-$mode/forward"
            diff -rq "$first" "$dir/forward" >/dev/null || fault "$tag $mode: bytes differ from $1"
        fi
        echo "$tag $mode: $n seeds, $((SECONDS - start)) s so far"
    done
done
echo "soak: $maps maps ($n seeds x modes ${SOAK_MODES:-plain wfw} x $# builds, in order, $(ls "$dir/reverse" | wc -l) reversed and $(((n + step - 1) / step)) alone), $faults faults, $((SECONDS - start)) s"
((faults == 0))
