"""Small pixel-art toolkit for the weapon pictures: a 30 x 30 picture of RGB tuples, drawing
primitives in pixel-centre coordinates (pixel (x, y) covers [x, x + 1) x [y, y + 1), so the
middle of the picture is (15, 15)) and a PNG writer using only the standard library."""

import math
import struct
import zlib

SIZE = 30

# One plain background for every picture; the map turns it transparent.
BG = (170, 192, 216)
# Outlines: dark but far from black, which the map also turns transparent.
OUT = (48, 40, 56)

C = {
    "out": OUT,
    "m1": (214, 218, 228), "m2": (150, 156, 172), "m3": (96, 100, 118), "m4": (66, 70, 88),
    "r1": (240, 96, 76), "r2": (190, 48, 44), "r3": (124, 32, 40),
    "o1": (252, 164, 60), "o2": (226, 110, 36),
    "y1": (252, 224, 72), "y2": (255, 246, 170),
    "g1": (128, 206, 84), "g2": (64, 146, 64), "g3": (38, 94, 48),
    "ol": (120, 128, 58), "ol2": (86, 94, 44),
    "w1": (204, 148, 86), "w2": (154, 98, 54), "w3": (104, 64, 40),
    "sk": (242, 194, 152), "sk2": (204, 146, 112),
    "b1": (96, 156, 242), "b2": (54, 96, 196), "b3": (40, 56, 126),
    "p1": (186, 116, 234), "p2": (124, 62, 176), "p3": (72, 38, 112), "p4": (44, 22, 70),
    "wh": (250, 250, 244), "cy": (124, 232, 242), "pk": (252, 150, 192),
    "au": (252, 204, 64), "au2": (206, 144, 34), "au3": (150, 96, 28),
    "st": (136, 120, 110), "st2": (100, 86, 80),
}


class Pic:
    def __init__(self):
        self.p = [[BG] * SIZE for _ in range(SIZE)]

    # --- single pixels and spans -----------------------------------------------------------
    def px(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.p[y][x] = C[c] if isinstance(c, str) else c

    def get(self, x, y):
        return self.p[y][x] if 0 <= x < SIZE and 0 <= y < SIZE else BG

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, both corners included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.px(x, y, c)

    def grid(self, x0, y0, rows, keys):
        """Pixel rows as strings; each character is looked up in `keys`, '.' is skipped."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch != "." and ch != " ":
                    self.px(x0 + i, y0 + j, keys[ch])

    # --- area shapes -------------------------------------------------------------------------
    def fill(self, inside, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if inside(x + 0.5, y + 0.5):
                    self.px(x, y, c)

    def disc(self, cx, cy, r, c):
        self.fill(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def ellipse(self, cx, cy, rx, ry, c):
        self.fill(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, c)

    def ring(self, cx, cy, r, t, c):
        self.fill(lambda x, y: (r - t) ** 2 < (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def arc(self, cx, cy, r, t, a0, a1, c):
        """Ring segment between angles a0..a1 in degrees (0 = right, 90 = down)."""

        def inside(x, y):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if not (r - t) ** 2 < d2 <= r * r:
                return False
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360
            return (a0 <= a <= a1) if a0 <= a1 else (a >= a0 or a <= a1)

        self.fill(inside, c)

    def taper(self, x0, y0, r0, x1, y1, r1, c):
        """A stroke from (x0, y0) to (x1, y1) whose radius goes from r0 to r1, round ends."""
        dx, dy = x1 - x0, y1 - y0
        ll = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
            r = r0 + (r1 - r0) * t
            return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= r * r

        self.fill(inside, c)

    def bar(self, x0, y0, x1, y1, r, c):
        self.taper(x0, y0, r, x1, y1, r, c)

    def poly(self, pts, c):
        """Even-odd fill of the polygon through pts (pixel-centre coordinates)."""

        def inside(x, y):
            hit = False
            n = len(pts)
            for i in range(n):
                ax, ay = pts[i]
                bx, by = pts[(i + 1) % n]
                if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                    hit = not hit
            return hit

        self.fill(inside, c)

    def star(self, cx, cy, rout, rin, n, c, rot=-90.0):
        pts = []
        for i in range(2 * n):
            a = math.radians(rot + i * 180.0 / n)
            r = rout if i % 2 == 0 else rin
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        self.poly(pts, c)

    # --- strokes -----------------------------------------------------------------------------
    def line(self, x0, y0, x1, y1, c):
        """One-pixel Bresenham line between pixel (x0, y0) and pixel (x1, y1), ends included."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.px(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    # --- finishing -----------------------------------------------------------------------------
    def outline(self, c="out", diagonal=False):
        """Dark edge on every background pixel next to the drawing."""
        colour = C[c] if isinstance(c, str) else c
        steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
        if diagonal:
            steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
        edge = []
        for y in range(SIZE):
            for x in range(SIZE):
                if self.p[y][x] != BG:
                    continue
                for dx, dy in steps:
                    v = self.get(x + dx, y + dy)
                    if v != BG and v != colour:
                        edge.append((x, y))
                        break
        for x, y in edge:
            self.p[y][x] = colour

    def shaded_disc(self, cx, cy, r, dark, mid, light):
        """A ball lit from the top left."""
        self.disc(cx, cy, r, dark)
        self.disc(cx - r * 0.18, cy - r * 0.18, r * 0.8, mid)
        self.disc(cx - r * 0.4, cy - r * 0.4, max(1.0, r * 0.28), light)


# --- PNG output ------------------------------------------------------------------------------
def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png_palette(rows):
    """8-bit palette PNG of a picture given as rows of RGB tuples."""
    palette, index = [], {}
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for c in row:
            if c not in index:
                index[c] = len(palette)
                palette.append(c)
            raw.append(index[c])
    assert len(palette) <= 256
    w, h = len(rows[0]), len(rows)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 3, 0, 0, 0))
            + _chunk(b"PLTE", b"".join(bytes(c) for c in palette))
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def png_rgb(rows):
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for c in row:
            raw.extend(c)
    w, h = len(rows[0]), len(rows)
    return (b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + _chunk(b"IEND", b""))


def picture_registry():
    """A table of pictures by number and the decorator that fills it:
    @picture(n, "what it shows") over a function that draws on a fresh Pic."""
    pictures = {}

    def picture(n, name):
        def register(fn):
            pictures[n] = (name, fn)
            return fn

        return register

    return pictures, picture
