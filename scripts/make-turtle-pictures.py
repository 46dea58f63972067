#!/usr/bin/env python3
"""Writes the turtle pictures as 24-bit BMP files.

Reads resources/pictures/turtle-pictures.txt (pictures drawn as rows of
palette characters) and writes resources/pictures/<id>.bmp for each picture.
Run it after changing the text; the BMP files are committed beside it.
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PICTURES = os.path.join(ROOT, "resources", "pictures")


def read_pictures(path):
    """Returns a list of (id, width, height, palette, rows) in file order."""
    pictures = []
    rows_by_id = {}
    current = None
    expecting_rows = 0
    with open(path, encoding="utf-8") as source:
        for number, raw in enumerate(source, 1):
            line = raw.rstrip("\n")
            where = f"{path}:{number}"
            if expecting_rows:
                if len(line) != current["width"]:
                    sys.exit(f"{where}: row of {len(line)} characters, expected {current['width']}")
                current["rows"].append(line)
                expecting_rows -= 1
                continue
            if not line.strip() or line.startswith("#"):
                continue
            words = line.split()
            if words[0] == "picture":
                width, height = (int(n) for n in words[2].split("x"))
                current = {"id": words[1], "width": width, "height": height,
                           "palette": {}, "rows": []}
                pictures.append(current)
            elif words[0] == "rows":
                if len(words) == 2:
                    current["rows"] = list(rows_by_id[words[1]])
                else:
                    expecting_rows = current["height"]
                rows_by_id[current["id"]] = current["rows"]
            elif len(words) == 2 and len(words[0]) == 1:
                current["palette"][words[0]] = int(words[1], 16)
            else:
                sys.exit(f"{where}: cannot read '{line}'")
    for picture in pictures:
        check(picture)
    return pictures


def check(picture):
    rows, palette = picture["rows"], picture["palette"]
    if len(rows) != picture["height"] or any(len(r) != picture["width"] for r in rows):
        sys.exit(f"picture {picture['id']}: rows do not match its size")
    unknown = {c for r in rows for c in r} - palette.keys()
    if unknown:
        sys.exit(f"picture {picture['id']}: no colour for {sorted(unknown)}")
    background = rows[0][0]
    clashes = [c for c, rgb in palette.items() if c != background and rgb == palette[background]]
    if clashes:
        sys.exit(f"picture {picture['id']}: {clashes} share the background colour")


def bmp_bytes(picture):
    """A bottom-up 24-bit BMP with rows padded to four bytes."""
    width, height = picture["width"], picture["height"]
    stride = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(picture["rows"]):
        for c in row:
            rgb = picture["palette"][c]
            pixels += bytes((rgb & 0xFF, rgb >> 8 & 0xFF, rgb >> 16 & 0xFF))
        pixels += bytes(stride - width * 3)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels),
                         2835, 2835, 0, 0)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pixels


def main():
    for picture in read_pictures(os.path.join(PICTURES, "turtle-pictures.txt")):
        target = os.path.join(PICTURES, picture["id"] + ".bmp")
        with open(target, "wb") as out:
            out.write(bmp_bytes(picture))
        print(f"{target}: {picture['width']}x{picture['height']}")


if __name__ == "__main__":
    main()
