#!/usr/bin/env python3
"""Draws the 63 weapon pictures (01.png .. 64.png, no 45) as 30 x 30 palette PNGs, the table
WEAPONS.md and a contact sheet for review. Standard library only.

    python3 resources/weapons/draw_weapons.py [--sheet docs/images/weapons.png]
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import pixelart  # noqa: E402
from pixelart import BG, SIZE  # noqa: E402
import pictures_arms  # noqa: E402
import pictures_special  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
NUMBERS = [n for n in range(1, 65) if n != 45]
SMALL = 14  # the smallest cell a picture is shown in


def all_pictures():
    table = {}
    table.update(pictures_arms.PICTURES)
    table.update(pictures_special.PICTURES)
    missing = [n for n in NUMBERS if n not in table]
    assert not missing and 45 not in table, f"pictures missing: {missing}"
    return table


def check(n, pic):
    rows = pic.p
    assert rows[0][0] == BG, f"{n:02}: top-left pixel must be the background"
    for row in rows:
        for c in row:
            # The map turns everything within 4 of black transparent; stay well clear.
            assert c == BG or sum(c) >= 60 and max(c) > 24, f"{n:02}: colour {c} too dark"
            assert c == BG or max(abs(a - b) for a, b in zip(c, BG)) > 1, f"{n:02}: {c} ~ BG"


def shrink(rows, size):
    """Nearest neighbour, sampling the middle of each target pixel."""
    src = len(rows)
    return [[rows[(j * 2 + 1) * src // (size * 2)][(i * 2 + 1) * src // (size * 2)]
             for i in range(size)] for j in range(size)]


DIGITS = {
    "0": "111101101101111", "1": "010110010010111", "2": "111001111100111",
    "3": "111001111001111", "4": "101101111001001", "5": "111100111001111",
    "6": "111100111101111", "7": "111001001001001", "8": "111101111101111",
    "9": "111101111001111",
}


def contact_sheet(pictures, path):
    cols, scale = 9, 3
    cw, ch = SIZE * scale + SMALL * scale + 14, SIZE * scale + 20
    rows_n = (len(pictures) + cols - 1) // cols
    width, height = cols * cw, rows_n * ch
    sheet = [[(232, 232, 236)] * width for _ in range(height)]

    def put(x, y, c):
        if 0 <= x < width and 0 <= y < height:
            sheet[y][x] = c

    def blit(rows, x0, y0, s):
        for j, row in enumerate(rows):
            for i, c in enumerate(row):
                for dy in range(s):
                    for dx in range(s):
                        put(x0 + i * s + dx, y0 + j * s + dy, c)

    for k, (n, pic) in enumerate(sorted(pictures.items())):
        x0, y0 = (k % cols) * cw + 4, (k // cols) * ch + 16
        blit(pic.p, x0, y0, scale)
        blit(shrink(pic.p, SMALL), x0 + SIZE * scale + 6, y0, scale)
        for d, ch_ in enumerate(f"{n:02}"):
            bits = DIGITS[ch_]
            for b in range(15):
                if bits[b] == "1":
                    for dy in range(2):
                        for dx in range(2):
                            put(x0 + d * 8 + (b % 3) * 2 + dx, y0 - 13 + (b // 3) * 2 + dy,
                                (40, 40, 48))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(pixelart.png_rgb(sheet))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sheet", default=os.path.join(HERE, "..", "..", "docs", "images",
                                                     "weapons.png"))
    args = ap.parse_args()
    table = all_pictures()
    pictures = {}
    lines = ["# Weapon pictures", "",
             "Drawn by `draw_weapons.py` (run it to regenerate every file). 30 x 30 pixels,",
             "8-bit palette, background in the top-left pixel. Weapon 45 uses picture 64.", "",
             "| Picture | Shows |", "|---|---|"]
    for n in NUMBERS:
        name, draw = table[n]
        pic = pixelart.Pic()
        draw(pic)
        check(n, pic)
        pictures[n] = pic
        with open(os.path.join(HERE, f"{n:02}.png"), "wb") as f:
            f.write(pixelart.png_palette(pic.p))
        lines.append(f"| {n:02} | {name} |")
    with open(os.path.join(HERE, "WEAPONS.md"), "w") as f:
        f.write("\n".join(lines) + "\n")
    contact_sheet(pictures, os.path.normpath(args.sheet))
    print(f"{len(pictures)} pictures written")


if __name__ == "__main__":
    main()
