#!/usr/bin/env bash
# The gallery page of the examples as a real browser shows it, offline:
# headless Chromium takes a picture of the page, which must show the
# cards' green edges and the thumbnails' colours, so every file the page
# needs was found in its folder. Skipped (77) without Chromium.
#   gallery_in_browser.sh MIVARELO_RUN EXAMPLES_DIR
set -euo pipefail
runner=$1 examples=$2
browser=$(command -v chromium || command -v chromium-browser || true)
[ -n "$browser" ] || { echo "Chromium is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$runner" --gallery "$work/gallery" "$examples/en" --english 2>/dev/null
# The page may not reach outside its folder: no network, no other files.
HOME=$work timeout 120 "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars \
  --no-first-run --disable-background-networking --window-size=1366,900 \
  --screenshot="$work/page.png" "file://$work/gallery/index.html" >/dev/null 2>&1
python3 - "$work/page.png" <<'PY'
import struct, sys, zlib

def pixels(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if tag == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and kind in (2, 6), "unexpected PNG kind"
        elif tag == b"IDAT":
            idat += body
        pos += 12 + length
    step = 3 if kind == 2 else 4
    raw, rows, prior = zlib.decompress(idat), [], bytearray(width * step)
    stride = width * step
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        f, row = line[0], bytearray(line[1:])
        for i in range(stride):
            a = row[i - step] if i >= step else 0
            b = prior[i]
            c = prior[i - step] if i >= step else 0
            if f == 1: row[i] = (row[i] + a) & 255
            elif f == 2: row[i] = (row[i] + b) & 255
            elif f == 3: row[i] = (row[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row))
        prior = row
    return width, height, step, rows

width, height, step, rows = pixels(sys.argv[1])
colours = {}
for row in rows[::2]:
    for x in range(0, width * step, step * 2):
        colour = row[x:x + 3]
        colours[colour] = colours.get(colour, 0) + 1
green = colours.get(bytes((0x33, 0xAA, 0x33)), 0)
print(f"{width}x{height}, {len(colours)} colours, {green} samples of the cards' green edge")
assert width == 1366, "unexpected width"
assert green > 500, "the cards did not show"
assert len(colours) > 2000, "the thumbnails did not show"
PY
