#!/usr/bin/env python3
"""Draws the program's icon and writes it as a Windows .ico file:
   make-icon.py OUTPUT.ico
A green disc with a white magnifying glass over a package, at 16, 24, 32 and
48 pixels, 32-bit with alpha, each drawn 4x larger and averaged down so the
edges are smooth."""
import math
import struct
import sys

SUPER = 4


def shade(x, y, n):
    """The colour (r, g, b, a) of point x, y of an n x n icon, 0..1 units."""
    u, v = x / n, y / n
    # Disc with a vertical gradient.
    d = math.hypot(u - 0.5, v - 0.5)
    if d > 0.48:
        return (0, 0, 0, 0)
    t = v
    r, g, b = (0.18 + 0.10 * (1 - t), 0.55 + 0.15 * (1 - t), 0.24 + 0.06 * (1 - t))
    # Package: a white-outlined box in the lower left.
    bx0, by0, bx1, by1 = 0.20, 0.40, 0.56, 0.74
    line = 0.055
    inside_box = bx0 <= u <= bx1 and by0 <= v <= by1
    if inside_box:
        edge = min(u - bx0, bx1 - u, v - by0, by1 - v) < line or abs(v - (by0 + 0.11)) < line / 2
        if edge:
            return (1, 1, 1, 1)
        r, g, b = (0.95, 0.75, 0.30)
    # Magnifying glass: ring and handle, upper right.
    cx, cy, radius = 0.60, 0.42, 0.17
    ring = math.hypot(u - cx, v - cy)
    if ring < radius - line:
        return (0.80, 0.93, 0.98, 1) if not inside_box else (0.85, 0.85, 0.80, 1)
    if ring <= radius + 0.01:
        return (1, 1, 1, 1)
    # Handle from the ring towards the lower right.
    hx, hy = cx + radius * 0.7, cy + radius * 0.7
    ex, ey = 0.82, 0.64
    px, py = u - hx, v - hy
    lx, ly = ex - hx, ey - hy
    k = max(0.0, min(1.0, (px * lx + py * ly) / (lx * lx + ly * ly)))
    if math.hypot(px - k * lx, py - k * ly) < 0.05:
        return (1, 1, 1, 1)
    return (r, g, b, 1)


def image(n):
    """Rows of BGRA bytes, bottom row first, as the icon format wants."""
    rows = []
    for y in range(n):
        row = bytearray()
        for x in range(n):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    r, g, b, a = shade(x + (sx + 0.5) / SUPER, y + (sy + 0.5) / SUPER, n)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            count = SUPER * SUPER
            alpha = acc[3] / count
            if alpha > 0:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0
            row += bytes((round(b * 255), round(g * 255), round(r * 255), round(alpha * 255)))
        rows.append(bytes(row))
    return b"".join(reversed(rows))


def entry(n):
    pixels = image(n)
    mask_row = ((n + 31) // 32) * 4
    mask = bytes(mask_row * n)  # the alpha channel does the masking
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def main():
    sizes = [16, 24, 32, 48]
    images = [entry(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
