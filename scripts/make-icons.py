#!/usr/bin/env python3
"""Draws the program icon: a friendly turtle that draws a line with its tail.

The picture is a list of filled shapes on a 256 x 256 canvas, painted in
order. The script writes it once as a scalable SVG and once as PNG files of
16, 32, 48, 64, 128 and 256 pixels (antialiased by 4 x 4 samples a pixel)
into packaging/icons/hicolor/. Run it after changing the shapes; the files it
writes are committed beside it. Only the Python standard library is used.
"""
import math
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ICONS = os.path.join(ROOT, "packaging", "icons", "hicolor")
NAME = "io.github.mivarelo.Mivarelo"
CANVAS = 256
SIZES = (16, 32, 48, 64, 128, 256)
SAMPLES = 4

INK = "#2f6fd0"
SHELL_DARK = "#2c6a2b"
SHELL = "#48a043"
SHELL_LIGHT = "#8fd07a"
SKIN_DARK = "#3f7f36"
SKIN = "#86c96c"
WHITE = "#ffffff"
BLACK = "#1c1c1c"


def bezier(p0, p1, p2, p3, steps=32):
    """Points along a cubic Bezier curve, so that it is rasterised as a polyline."""
    points = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        points.append(tuple(
            u * u * u * a + 3 * u * u * t * b + 3 * u * t * t * c + t * t * t * d
            for a, b, c, d in zip(p0, p1, p2, p3)))
    return points


# Each shape: (kind, colour, parameters).
#   circle  (cx, cy, r)
#   dome    (cx, cy, rx, ry): the upper half of an ellipse, flat side at cy
#   line    (points, width): a polyline with round ends and joins
#   curve   ((p0, p1, p2, p3), width): a cubic Bezier curve with round ends
SHAPES = [
    # The line the turtle has drawn, ending at the tip of its tail.
    ("curve", INK, (((50, 172), (4, 172), (60, 232), (8, 232)), 12)),
    # Legs, outlined.
    ("circle", SKIN_DARK, (92, 166, 19)),
    ("circle", SKIN_DARK, (184, 166, 19)),
    ("circle", SKIN, (92, 166, 14)),
    ("circle", SKIN, (184, 166, 14)),
    # Tail reaching back to the line.
    ("line", SKIN_DARK, ([(76, 152), (50, 170)], 14)),
    ("line", SKIN, ([(76, 152), (52, 169)], 6)),
    # Neck and head, outlined.
    ("line", SKIN_DARK, ([(196, 138), (222, 100)], 36)),
    ("circle", SKIN_DARK, (224, 92, 31)),
    ("line", SKIN, ([(196, 138), (222, 100)], 26)),
    ("circle", SKIN, (224, 92, 26)),
    # Eye and smile.
    ("circle", WHITE, (232, 82, 10)),
    ("circle", BLACK, (235, 82, 5)),
    ("line", BLACK, ([(218, 106), (226, 111), (236, 110), (243, 104)], 4)),
    # Shell: outline, body, rim and spots.
    ("dome", SHELL_DARK, (138, 150, 82, 80)),
    ("dome", SHELL, (138, 146, 74, 72)),
    ("line", SHELL_DARK, ([(62, 148), (214, 148)], 16)),
    ("circle", SHELL_LIGHT, (138, 108, 20)),
    ("circle", SHELL_LIGHT, (98, 126, 14)),
    ("circle", SHELL_LIGHT, (178, 126, 14)),
    ("circle", SHELL_LIGHT, (112, 90, 10)),
    ("circle", SHELL_LIGHT, (164, 90, 10)),
]


def segment_distance(x, y, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length))
    return math.hypot(x - (ax + t * dx), y - (ay + t * dy))


def inside(kind, params, x, y):
    if kind == "circle":
        cx, cy, r = params
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "dome":
        cx, cy, rx, ry = params
        return y <= cy and ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1
    points, width = params
    return any(segment_distance(x, y, a, b) <= width / 2 for a, b in zip(points, points[1:]))


def bounds(kind, params):
    if kind == "circle":
        cx, cy, r = params
        return cx - r, cy - r, cx + r, cy + r
    if kind == "dome":
        cx, cy, rx, ry = params
        return cx - rx, cy - ry, cx + rx, cy
    points, width = params
    half = width / 2
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half


def rgb(colour):
    return tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))


def as_polyline(kind, params):
    """A curve as the polyline that approximates it; other shapes as they are."""
    if kind != "curve":
        return kind, params
    controls, width = params
    return "line", (bezier(*controls), width)


def render(size):
    """Premultiplied RGBA pixels of the icon at `size` pixels, row by row."""
    scale = CANVAS / size
    pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]
    for shape_kind, colour, shape_params in SHAPES:
        kind, params = as_polyline(shape_kind, shape_params)
        red, green, blue = rgb(colour)
        left, top, right, bottom = bounds(kind, params)
        for py in range(max(0, int(top / scale)), min(size, int(bottom / scale) + 1)):
            for px in range(max(0, int(left / scale)), min(size, int(right / scale) + 1)):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        x = (px + (sx + 0.5) / SAMPLES) * scale
                        y = (py + (sy + 0.5) / SAMPLES) * scale
                        hits += inside(kind, params, x, y)
                if not hits:
                    continue
                alpha = hits / (SAMPLES * SAMPLES)
                pixel = pixels[py * size + px]
                keep = 1 - alpha
                pixel[0] = red * alpha + pixel[0] * keep
                pixel[1] = green * alpha + pixel[1] * keep
                pixel[2] = blue * alpha + pixel[2] * keep
                pixel[3] = alpha + pixel[3] * keep
    return pixels


def write_png(path, size, pixels):
    """Writes premultiplied `pixels` as a straight-alpha RGBA PNG."""
    raw = bytearray()
    for row in range(size):
        raw.append(0)
        for red, green, blue, alpha in pixels[row * size:(row + 1) * size]:
            if alpha > 0:
                raw += bytes(min(255, round(c / alpha)) for c in (red, green, blue))
            else:
                raw += b"\0\0\0"
            raw.append(round(alpha * 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


def svg_element(kind, colour, params):
    if kind == "circle":
        cx, cy, r = params
        return f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{colour}"/>'
    if kind == "dome":
        cx, cy, rx, ry = params
        return (f'  <path d="M {cx - rx} {cy} A {rx} {ry} 0 0 1 {cx + rx} {cy} Z" '
                f'fill="{colour}"/>')
    if kind == "curve":
        (p0, p1, p2, p3), width = params
        path = f"M {p0[0]} {p0[1]} C {p1[0]} {p1[1]}, {p2[0]} {p2[1]}, {p3[0]} {p3[1]}"
        return (f'  <path d="{path}" fill="none" stroke="{colour}" '
                f'stroke-width="{width}" stroke-linecap="round"/>')
    points, width = params
    text = " ".join(f"{x},{y}" for x, y in points)
    return (f'  <polyline points="{text}" fill="none" stroke="{colour}" '
            f'stroke-width="{width}" stroke-linecap="round" stroke-linejoin="round"/>')


def write_svg(path):
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{CANVAS}" height="{CANVAS}" '
        f'viewBox="0 0 {CANVAS} {CANVAS}">',
        "  <title>Mivarelo: a turtle drawing a line</title>",
    ]
    lines += [svg_element(*shape) for shape in SHAPES]
    lines.append("</svg>")
    with open(path, "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


def main():
    folder = os.path.join(ICONS, "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    write_svg(os.path.join(folder, NAME + ".svg"))
    for size in SIZES:
        folder = os.path.join(ICONS, f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, NAME + ".png"), size, render(size))


if __name__ == "__main__":
    main()
