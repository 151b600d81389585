#!/usr/bin/env python3
"""Writes the logo picture: a chip with its pins on a night-blue gradient,
with three signal arcs rising from it. Usage: make_logo.py OUTPUT [WIDTH
HEIGHT]; a .bmp OUTPUT is a 24-bit bitmap, a .ppm one a binary portable
pixmap (the about box's picture is made from it). The drawing is 320 x 200;
a wider picture centres it on a wider gradient."""
import math
import struct
import sys

W, H = 320, 200
OUT_W, OUT_H = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else (W, H)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


top, bottom = (18, 32, 64), (24, 96, 128)
chip, chip_edge, pin, wave = (236, 240, 244), (150, 170, 190), (200, 170, 90), (120, 220, 230)
cx, cy = 110, 110  # chip centre
half = 42          # chip half width


def colour(x, y):
    c = mix(top, bottom, y / (H - 1))
    dx, dy = abs(x - cx), abs(y - cy)
    # Pins: eight on each side, 4 pixels wide, 10 long.
    for side in (dx, dy):
        other = dy if side is dx else dx
        if half <= side < half + 10 and other < half - 6 and (other + 2) % 10 < 4:
            return pin
    if dx < half and dy < half:
        r = 6  # rounded corners
        ex, ey = max(0, dx - (half - r)), max(0, dy - (half - r))
        d = math.hypot(ex, ey)
        if d < r:
            edge = dx > half - 3 or dy > half - 3 or d > r - 3
            inner = dx < 18 and dy < 18 and (dx > 15 or dy > 15)
            return chip_edge if edge or inner else chip
    # Signal arcs to the upper right of the chip.
    ox, oy = cx + 50, cy - 50
    d = math.hypot(x - ox, y - oy)
    if x > ox and y < oy and x - ox > (oy - y) * 0.25 and oy - y > (x - ox) * 0.25:
        for radius in (22, 40, 58):
            t = abs(d - radius)
            if t < 3:
                return mix(c, wave, 1 - t / 3)
    return c


def rows():
    """The picture's rows, top first, as RGB bytes."""
    shift = (OUT_W - W) // 2
    for y in range(OUT_H):
        dy = y * H // OUT_H
        yield b"".join(bytes(colour(x - shift, dy)) for x in range(OUT_W))


if sys.argv[1].lower().endswith(".ppm"):
    with open(sys.argv[1], "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (OUT_W, OUT_H) + b"".join(rows()))
    sys.exit(0)

row_bytes = OUT_W * 3
pad = -row_bytes % 4
pixels = bytearray()
for row in reversed(list(rows())):  # bottom row first, blue green red
    for x in range(OUT_W):
        r, g, b = row[3 * x:3 * x + 3]
        pixels += bytes((b, g, r))
    pixels += b"\0" * pad

header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, OUT_W, OUT_H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
with open(sys.argv[1], "wb") as f:
    f.write(header + info + pixels)
