#!/usr/bin/env bash
# Draws the program icon (a floating island under a sun on a night sky) at 16, 32 and 48
# pixels with ImageMagick. The PNGs are committed; run this only to change the icon.
set -euo pipefail
cd "$(dirname "$0")"
big=$(mktemp --suffix=.png)
trap 'rm -f "$big"' EXIT
convert -size 192x192 xc:'#1b2340' \
    -fill '#f2c94c' -draw 'circle 136,52 136,80' \
    -stroke '#f2c94c' -strokewidth 8 -draw 'line 136,8 136,0' -draw 'line 180,52 192,52' \
    -stroke none -fill '#6b4a2b' \
    -draw 'polygon 14,118 40,100 80,96 120,102 168,98 184,116 160,146 128,170 96,182 60,168 30,146' \
    -fill '#3f9b3a' \
    -draw 'polygon 14,118 40,100 80,96 120,102 168,98 184,116 170,124 120,118 80,120 40,122' \
    -fill '#2b6e2a' -draw 'rectangle 58,70 66,100' -draw 'circle 62,66 62,48' \
    -fill '#c9c9d6' -draw 'point 30,30' -draw 'rectangle 28,28 32,32' -draw 'rectangle 80,20 84,24' \
    "$big"
for size in 16 32 48; do
    convert "$big" -filter Box -resize ${size}x${size} -define png:color-type=2 "icon-${size}.png"
done
