#!/usr/bin/env python3
"""Makes the programs' Windows icon (.ico) from the icon PNGs the build already has.

    make_ico.py OUT.ico PNG...

Each size Windows asks for (16, 24, 32, 48, 64, 256) is taken from the PNG of that size, or
made by area-averaging the nearest larger one. Sizes below 256 are stored as 32-bit bitmaps,
which every Windows version and every icon reader takes; 256 as PNG, as Windows stores it.
Python's standard library only, and no time stamps: the same PNGs give the same bytes.
"""
import re
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 256)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def read_png(path):
    """The picture as (width, height, rows of RGBA bytes); non-interlaced PNGs only."""
    data = open(path, "rb").read()
    if data[:8] != PNG_SIGNATURE:
        raise SystemExit(f"{path}: not a PNG file")
    pos, idat, palette, trns = 8, b"", None, None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = body
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if interlace or depth not in (8, 16) or ctype not in (0, 2, 3, 4, 6):
        raise SystemExit(f"{path}: colour type {ctype}, depth {depth}, interlace {interlace}: "
                         "not read here")
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    step = channels * depth // 8  # bytes per pixel, the filters' distance
    stride = width * step
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = previous[i]
            c = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        previous = line
        samples = list(line) if depth == 8 else [
            (line[i] * 256 + line[i + 1] + 128) // 257 for i in range(0, stride, 2)]
        rgba = bytearray()
        for x in range(width):
            s = samples[x * channels:(x + 1) * channels]
            if ctype == 0:
                rgba += bytes((s[0], s[0], s[0], 255))
            elif ctype == 2:
                rgba += bytes((s[0], s[1], s[2], 255))
            elif ctype == 3:
                alpha = trns[s[0]] if trns is not None and s[0] < len(trns) else 255
                rgba += palette[3 * s[0]:3 * s[0] + 3] + bytes((alpha,))
            elif ctype == 4:
                rgba += bytes((s[0], s[0], s[0], s[1]))
            else:
                rgba += bytes(s)
        rows.append(bytes(rgba))
    return width, height, rows


def shrink(picture, size):
    """Area-averaged (each target pixel the mean of the source area it covers), alpha-weighted."""
    width, height, rows = picture
    if (width, height) == (size, size):
        return picture
    # The source spans [i*scale, (i+1)*scale) along each axis, in units of 1/size of a pixel so
    # the sums stay exact integers.
    def spans(n):
        out = []
        for i in range(size):
            lo, hi = i * n, (i + 1) * n  # in source pixels times size
            parts, x = [], lo // size
            while x * size < hi:
                overlap = min(hi, (x + 1) * size) - max(lo, x * size)
                parts.append((x, overlap))
                x += 1
            out.append(parts)
        return out
    xs, ys = spans(width), spans(height)
    result = []
    for y_parts in ys:
        row = bytearray()
        for x_parts in xs:
            acc = [0, 0, 0, 0]
            for y, wy in y_parts:
                source = rows[y]
                for x, wx in x_parts:
                    w = wy * wx
                    r, g, b, a = source[4 * x:4 * x + 4]
                    acc[0] += r * a * w
                    acc[1] += g * a * w
                    acc[2] += b * a * w
                    acc[3] += a * w
            total = width * height  # the sum of all weights of one target pixel
            alpha = (acc[3] + total // 2) // total
            if acc[3] == 0:
                row += bytes(4)
            else:
                row += bytes(((acc[0] + acc[3] // 2) // acc[3], (acc[1] + acc[3] // 2) // acc[3],
                              (acc[2] + acc[3] // 2) // acc[3], alpha))
        result.append(bytes(row))
    return size, size, result


def png_bytes(picture):
    width, height, rows = picture
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(
            ">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + row for row in rows)
    return (PNG_SIGNATURE + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap_bytes(picture):
    """A 32-bit BGRA device-independent bitmap with its AND mask, bottom row first."""
    width, height, rows = picture
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(b for i in range(0, len(row), 4)
                            for b in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                      for row in reversed(rows))
    mask_stride = (width + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(width):
            if row[4 * x + 3] == 0:  # transparent where alpha is 0
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def main(out, paths):
    pictures = {}
    for path in paths:
        match = re.search(r"(\d+)\.png$", path)
        picture = read_png(path)
        if not match or picture[0] != picture[1] or picture[0] != int(match.group(1)):
            raise SystemExit(f"{path}: an icon PNG must be square and named after its size")
        pictures[picture[0]] = picture
    entries = []
    for size in SIZES:
        larger = [s for s in sorted(pictures) if s >= size]
        if not larger:
            raise SystemExit(f"no icon PNG of {size} pixels or more")
        picture = shrink(pictures[larger[0]], size)
        entries.append((size, png_bytes(picture) if size >= 256 else bitmap_bytes(picture)))
    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    body = b""
    for size, data in entries:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data),
                                 offset + len(body))
        body += data
    with open(out, "wb") as f:
        f.write(directory + body)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], sys.argv[2:])
