#!/usr/bin/env bash
# Draws the program icon (a floating island under a sun on a night sky) with ImageMagick: 16, 32
# and 48 pixels here (built into the window), 128 and 256 in packaging/icons (installed only).
# The PNGs are committed; run this only to change the icon.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# draw SCALE OUT: the 192-unit drawing at SCALE times its size.
draw() {
    local s="scale $1,$1"
    convert -size $((192 * $1))x$((192 * $1)) xc:'#1b2340' \
        -fill '#f2c94c' -draw "$s circle 136,52 136,80" \
        -stroke '#f2c94c' -strokewidth 8 -draw "$s line 136,8 136,0" -draw "$s line 180,52 192,52" \
        -stroke none -fill '#6b4a2b' \
        -draw "$s polygon 14,118 40,100 80,96 120,102 168,98 184,116 160,146 128,170 96,182 60,168 30,146" \
        -fill '#3f9b3a' \
        -draw "$s polygon 14,118 40,100 80,96 120,102 168,98 184,116 170,124 120,118 80,120 40,122" \
        -fill '#2b6e2a' -draw "$s rectangle 58,70 66,100" -draw "$s circle 62,66 62,48" \
        -fill '#c9c9d6' -draw "$s rectangle 28,28 32,32" -draw "$s rectangle 80,20 84,24" \
        "$2"
}
draw 1 "$work/small.png"
draw 4 "$work/large.png"
for size in 16 32 48; do
    convert "$work/small.png" -filter Box -resize ${size}x${size} -define png:color-type=2 "icon-${size}.png"
done
mkdir -p ../../packaging/icons
for size in 128 256; do
    convert "$work/large.png" -filter Box -resize ${size}x${size} -depth 8 -strip -define png:color-type=2 \
        "../../packaging/icons/icon-${size}.png"
done
