#!/usr/bin/env bash
# Makes a contact sheet of seeded maps: tools/contact-sheet.sh OUT.png [--wfw] [SEED...]
# (default seeds: sheet1 .. sheet16). Maps are made with orvane-cli from build/release and
# shown as 4-column thumbnails with their file names; black (empty space) stays black.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: contact-sheet.sh OUT.png [--wfw] [SEED...]}
shift
mode=()
if [[ "${1:-}" == "--wfw" ]]; then mode=(--wfw); shift; fi
seeds=("$@")
((${#seeds[@]})) || seeds=(sheet{1..16})
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
args=()
for s in "${seeds[@]}"; do args+=(--seed "$s"); done
"$root/build/release/orvane-cli" --quiet "${mode[@]}" --out "$work" "${args[@]}"
# Thumbnails one at a time: whole maps are too large for ImageMagick's default limits.
thumbs=()
for s in "${seeds[@]}"; do
    f=$(ls "$work" | grep -F "+$s.png" | head -1)
    convert "$work/$f" -sample 320x240 -background black -gravity center -extent 320x240 \
        "$work/thumb-${#thumbs[@]}.png"
    thumbs+=(-label "$f" "$work/thumb-${#thumbs[@]}.png")
done
montage "${thumbs[@]}" -geometry +4+4 -tile 4x -background '#202020' -fill '#e0e0e0' \
    -font "$root/resources/fonts/DejaVuSans-Bold.ttf" -pointsize 11 "$out"
echo "$out"
