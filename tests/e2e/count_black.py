#!/usr/bin/env python3
"""Counts the pure black pixels of an X window dump (xwd, 24 or 32 bits a pixel),
optionally only inside the rectangle LEFT TOP RIGHT BOTTOM (right and bottom
excluded)."""
import struct
import sys


def count_black(path, box=None):
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, ncolors = fields[0], fields[19]
    bits_per_pixel, bytes_per_line = fields[11], fields[12]
    width, height = fields[4], fields[5]
    if bits_per_pixel not in (24, 32):
        raise SystemExit(f"unexpected {bits_per_pixel} bits a pixel")
    size = bits_per_pixel // 8
    start = header_size + 12 * ncolors
    left, top, right, bottom = box if box else (0, 0, width, height)
    right, bottom = min(right, width), min(bottom, height)
    black = 0
    for y in range(max(top, 0), bottom):
        line = start + y * bytes_per_line
        row = data[line + size * max(left, 0): line + size * right]
        black += sum(1 for x in range(0, len(row), size) if row[x:x + 3] == b"\0\0\0")
    return black


if __name__ == "__main__":
    box = tuple(int(v) for v in sys.argv[2:6]) if len(sys.argv) >= 6 else None
    print(count_black(sys.argv[1], box))
