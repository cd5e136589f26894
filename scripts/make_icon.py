#!/usr/bin/env python3
"""Draws the Framelark application icon and writes res/framelark.ico.

The motif: a camera body with its lens, inside the four corner marks of a viewfinder.
Shapes are described in unit coordinates and rendered with 8x8 supersampling, so every size
(16, 32 and 48 px) is drawn from the same description. The .ico holds 32-bit BMP images with an
AND mask, which every Windows version and windres understand. Only the standard library is used.

Usage: scripts/make_icon.py [OUTPUT.ico]   (default: res/framelark.ico beside this script)
"""
import os
import struct
import sys

SIZES = (16, 32, 48)
SUPER = 8

ORANGE = (242, 140, 40)
BODY = (52, 73, 94)
BODY_TOP = (74, 101, 128)
RING = (205, 211, 216)
GLASS = (38, 96, 150)
GLASS_DEEP = (20, 48, 82)
SHUTTER = (226, 78, 52)
WHITE = (255, 255, 255)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def corner_marks(margin, length, thick):
    lo, hi = margin, 1.0 - margin
    parts = []
    for (ax, ay, sx, sy) in ((lo, lo, 1, 1), (hi, lo, -1, 1), (lo, hi, 1, -1), (hi, hi, -1, -1)):
        def span(a, s, n):
            return (a, a + s * n) if s > 0 else (a + s * n, a)
        hx0, hx1 = span(ax, sx, length)
        hy0, hy1 = span(ay, sy, thick)
        vx0, vx1 = span(ax, sx, thick)
        vy0, vy1 = span(ay, sy, length)
        parts.append(rect(hx0, hy0, hx1, hy1))
        parts.append(rect(vx0, vy0, vx1, vy1))
    return lambda x, y: any(p(x, y) for p in parts)


def layers(size):
    # Straight edges sit on whole pixels so that the small sizes stay crisp instead of grey.
    def snap(v):
        return round(v * size) / size

    def box(x0, y0, x1, y1):
        return rect(snap(x0), snap(y0), snap(x1), snap(y1))

    marks = corner_marks(round(0.02 * size) / size, round(0.27 * size) / size, max(1, round(0.07 * size)) / size)
    return [
        (marks, ORANGE, 1.0),
        (box(0.22, 0.25, 0.42, 0.36), BODY, 1.0),
        (box(0.62, 0.27, 0.76, 0.34), SHUTTER, 1.0),
        (rounded_rect(snap(0.12), snap(0.32), snap(0.88), snap(0.80), 0.08), BODY, 1.0),
        (box(0.12, 0.32, 0.88, 0.40), BODY_TOP, 1.0),
        (circle(0.5, 0.58, 0.205), RING, 1.0),
        (circle(0.5, 0.58, 0.15), GLASS, 1.0),
        (circle(0.53, 0.61, 0.08), GLASS_DEEP, 1.0),
        (circle(0.45, 0.53, 0.045), WHITE, 0.85),
    ]


def render(size):
    """Returns rows of (r, g, b, a) tuples, top row first, with straight (not premultiplied) alpha."""
    body_clip = rounded_rect(round(0.12 * size) / size, round(0.32 * size) / size,
                             round(0.88 * size) / size, round(0.80 * size) / size, 0.08)
    shapes = layers(size)
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            # premultiplied accumulation of all layers, "over" one on the next
            acc = [0.0, 0.0, 0.0, 0.0]
            for shape, colour, opacity in shapes:
                hits = 0
                for sy in range(SUPER):
                    y = (py + (sy + 0.5) / SUPER) / size
                    for sx in range(SUPER):
                        x = (px + (sx + 0.5) / SUPER) / size
                        # the top band belongs to the body: keep it inside the rounded corners
                        if shape(x, y) and (colour != BODY_TOP or body_clip(x, y)):
                            hits += 1
                a = opacity * hits / (SUPER * SUPER)
                if a == 0:
                    continue
                for i in range(3):
                    acc[i] = colour[i] / 255.0 * a + acc[i] * (1 - a)
                acc[3] = a + acc[3] * (1 - a)
            alpha = acc[3]
            if alpha <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(min(1.0, acc[i] / alpha) * 255) for i in range(3)) + (round(alpha * 255),))
        pixels.append(row)
    return pixels


def dib(pixels):
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):  # DIBs are stored bottom-up
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(colour) + bytes(mask)


def write_ico(path):
    images = [(s, dib(render(s))) for s in SIZES]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for s, data in images:
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', 'res', 'framelark.ico')
    write_ico(target)
    print(os.path.normpath(target))
