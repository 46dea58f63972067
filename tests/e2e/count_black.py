#!/usr/bin/env python3
"""Counts the pure black pixels of an X window dump (xwd, 24 or 32 bits a pixel)."""
import struct
import sys


def count_black(path):
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
    black = 0
    for y in range(height):
        row = data[start + y * bytes_per_line: start + y * bytes_per_line + size * width]
        black += sum(1 for x in range(0, len(row), size) if row[x:x + 3] == b"\0\0\0")
    return black


if __name__ == "__main__":
    print(count_black(sys.argv[1]))
