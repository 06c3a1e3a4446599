#!/usr/bin/env python3
"""Checks that a screenshot of the window shows a saved map in the preview box.

Usage: check_preview.py SCREENSHOT MAP X Y W H

The map must appear scaled to fit the box with its aspect kept and centred, every shown pixel
a colour of the map at the corresponding place (one map pixel of slack for rounding), and the
rest of the box its plain background.
"""
import subprocess
import sys

BACKGROUND = (48, 48, 56)


def read_picture(path):
    """Width, height and rows of RGB tuples, through ImageMagick's plain PPM."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                          stdout=subprocess.PIPE).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos:]
    rows = [[tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3]) for x in range(width)]
            for y in range(height)]
    return width, height, rows


def fit(w, h, box_w, box_h):
    """The preview's size, as the window computes it."""
    pw, ph = min(w, box_w), min(h, box_h)
    if w * ph > h * pw:
        ph = max(1, (h * pw * 2 + w) // (w * 2))
    else:
        pw = max(1, (w * ph * 2 + h) // (h * 2))
    return pw, ph


def main():
    shot, mapfile = sys.argv[1], sys.argv[2]
    bx, by, bw, bh = (int(v) for v in sys.argv[3:7])
    _, _, screen = read_picture(shot)
    w, h, level = read_picture(mapfile)
    pw, ph = fit(w, h, bw, bh)
    ox, oy = bx + (bw - pw) // 2, by + (bh - ph) // 2
    matched = coloured = 0
    for ty in range(ph):
        sy = (ty * 2 + 1) * h // (ph * 2)
        for tx in range(pw):
            sx = (tx * 2 + 1) * w // (pw * 2)
            shown = screen[oy + ty][ox + tx]
            near = {level[y][x] for y in range(max(0, sy - 1), min(h, sy + 2))
                    for x in range(max(0, sx - 1), min(w, sx + 2))}
            if shown in near:
                matched += 1
                coloured += shown != (0, 0, 0)
    total = pw * ph
    border = [screen[y][x] for y in range(by, by + bh) for x in range(bx, bx + bw)
              if not (ox <= x < ox + pw and oy <= y < oy + ph)]
    stray = sum(1 for c in border if c != BACKGROUND)
    print(f"map {w}x{h}, preview {pw}x{ph}: {matched}/{total} pixels match "
          f"({coloured} coloured), {stray} stray pixels around it")
    ok = matched >= 0.98 * total and coloured >= min(20, total // 10) and stray == 0
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
