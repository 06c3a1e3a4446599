#!/usr/bin/env python3
"""Checks saved level files: PNG chunk order, the waLV chunk and its CRC, the palette, the size
and the name. Usage: check_level.py FILE... ; prints one line per file, exits 1 on a fault."""
import re
import struct
import sys
import zlib


def chunks(data):
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        yield kind.decode("latin-1"), body, crc, pos
        pos += 12 + length


def check(path):
    data = open(path, "rb").read()
    faults = []
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return ["no PNG signature"]
    found = list(chunks(data))
    names = [c[0] for c in found]
    if names[:3] != ["IHDR", "waLV", "PLTE"]:
        faults.append("chunk order %s" % names[:4])
    for kind, body, crc, _ in found:
        if zlib.crc32(kind.encode("latin-1") + body) != crc:
            faults.append("bad CRC in " + kind)
    ihdr = found[0][1]
    width, height, depth, colour_type = struct.unpack(">IIBB", ihdr[:10])
    if (depth, colour_type) != (8, 3):
        faults.append("not an 8-bit palette picture")
    bodies = dict((k, b) for k, b, _, _ in found)
    walv = bodies.get("waLV", b"")
    if len(walv) != 41 or found[1][3] != 33:
        faults.append("waLV chunk not 41 bytes at offset 33")
    else:
        zero = [i for i in list(range(0, 4)) + list(range(9, 16)) + list(range(17, 32)) +
                list(range(33, 40)) if walv[i] != 0]
        if zero:
            faults.append("waLV bytes %s not 0" % zero)
        if walv[8] == 0 and walv[16] != 1:
            faults.append("flag B 0 without flag A")
    palette = bodies.get("PLTE", b"")
    entries = len(palette) // 3
    if entries > 65 or palette[:3] != b"\0\0\0":
        faults.append("palette of %d entries, first %s" % (entries, palette[:3].hex()))
    if not ((width % 8 == 0 and height % 8 == 0) or width == 640 or height == 32):
        faults.append("size %dx%d not multiples of 8" % (width, height))
    area = round(width * height / 1000)  # Python rounds half to even as the program does
    name = path.rsplit("/", 1)[-1]
    m = re.match(r"^(W_)?(\d\d+)[.-](\d{3})(\+.*?)?(_\d+)?\.png$", name)
    if not m or int(m.group(2)) * 1000 + int(m.group(3)) != area:
        faults.append("name %s does not match area %d" % (name, area))
    print("%s %dx%d palette=%d %s" % (name, width, height, entries, "ok" if not faults else "FAULT"))
    return faults


def main():
    bad = 0
    for path in sys.argv[1:]:
        faults = check(path)
        for f in faults:
            print("  " + f)
        bad += bool(faults)
    sys.exit(1 if bad else 0)


if __name__ == "__main__":
    main()
