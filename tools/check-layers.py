#!/usr/bin/env python3
"""Fails when a product file includes a header from a folder its folder may not use.

The CMake libraries keep the links one way, but a header-only include (an inline function, a
template, a constant) never reaches the linker: this reads every #include instead. Each folder
may include its own headers and those of the folders listed for it below; a folder not listed,
or an include of a folder nobody knows, is an error too. Usage: tools/check-layers.py [ROOT]
"""
import pathlib
import re
import sys

# The picture layers from the bottom: picture memory; drawing and effects on raw pixels;
# palette pictures; the deflate encoder, which only the PNG writer uses; PNG files; the canvas.
PICTURE = ["core", "resources", "pixels", "raster", "effects", "palette", "png", "canvas"]
ALLOWED = {
    "core": [],
    "resources": ["core"],
    "pixels": ["core"],
    "raster": ["core", "pixels"],
    "effects": ["core", "pixels"],
    "palette": ["core", "pixels", "raster"],
    "deflate": ["core", "pixels"],
    "png": ["core", "pixels", "raster", "palette", "deflate"],
    "levelfile": ["core", "png"],
    "canvas": ["core", "resources", "pixels", "raster", "effects", "palette", "png"],
    "map": PICTURE,
    "terrain": PICTURE + ["map"],
    "weapons": PICTURE + ["map"],
    "finish": PICTURE + ["map"],
    "app": PICTURE + ["map", "terrain", "weapons", "finish", "levelfile"],
}
# Inside terrain/ the same holds between its parts; terrain/ itself drives them all.
TERRAIN_PARTS = {
    "shapes": [],
    "layout": ["shapes"],
    "decor": [],
    "compose": ["shapes", "layout", "decor"],
}
# Folders outside the product, which may use any layer.
NOT_PRODUCT = {"tests", "bench", "tools", "third_party", "build", "packaging", "docs", "cmake",
               "scripts"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def TerrainPartFaults(path: pathlib.PurePath, header: str) -> list:
    if path.parts[0] != "terrain" or len(path.parts) < 3 or not header.startswith("terrain/"):
        return []
    part, used = path.parts[1], header.split("/")[1]
    if used == part or used in TERRAIN_PARTS.get(part, []):
        return []
    allowed = TERRAIN_PARTS.get(part)
    if allowed is None:
        return [f"terrain/{part}/: a part of terrain/ with no line in the layering table"]
    return [f"{path}: includes {header}, but terrain/{part}/ may only use "
            f"{', '.join('terrain/' + p for p in allowed) or 'no other part of terrain/'}"]


def main() -> int:
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent)
    faults = []
    for top in sorted(p for p in root.iterdir() if p.is_dir() and not p.name.startswith(".")):
        if top.name not in ALLOWED and top.name not in NOT_PRODUCT and any(
                f.suffix in (".h", ".cpp") for f in top.rglob("*")):
            faults.append(f"{top.name}/: a folder of code with no line in the layering table")
    for folder, allowed in ALLOWED.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for header in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                used = header.split("/")[0] if "/" in header else folder
                if used != folder and used not in allowed:
                    faults.append(f"{path.relative_to(root)}: includes {header}, but {folder}/ "
                                  f"may only use {', '.join(allowed) or 'nothing else'}")
                faults += TerrainPartFaults(path.relative_to(root), header)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"check-layers: {len(faults)} include(s) against the layering", file=sys.stderr)
        return 1
    print(f"check-layers: {len(ALLOWED)} folders keep to their layers")
    return 0


if __name__ == "__main__":
    sys.exit(main())
