#!/usr/bin/env python3
"""Writes the design-time pictures of the library's windows into OUT_DIR: the window icon
(window.ico: 16 x 16 and 32 x 32, 32-bit with alpha), the About picture (about.bmp, 70 x 300),
the support banner (banner.bmp, 456 x 73) and the what's-new picture (whatsnew.bmp, 133 x 133).
The bitmaps are 8-bit with a palette of two colour ramps, which keeps the DLL small: a
background ramp and a lighter ramp for the shapes drawn over it. Neutral abstract artwork.
usage: make_design_pictures.py OUT_DIR"""
import math
import os
import struct
import sys

# Ramp ends, (r, g, b): deep slate blue to teal; shapes lighter, towards white.
BACK_FROM, BACK_TO = (24, 44, 86), (40, 132, 150)
SHAPE_FROM, SHAPE_TO = (120, 170, 210), (236, 244, 248)
RAMP = 128


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def palette():
    back = [mix(BACK_FROM, BACK_TO, i / (RAMP - 1)) for i in range(RAMP)]
    shape = [mix(SHAPE_FROM, SHAPE_TO, i / (RAMP - 1)) for i in range(RAMP)]
    return back + shape


def index(t, shape):
    """The palette entry at position t (0..1) of the background or the shape ramp."""
    i = int(round(min(1.0, max(0.0, t)) * (RAMP - 1)))
    return i + (RAMP if shape else 0)


def write_bmp8(path, width, height, pixel):
    """pixel(x, y) -> palette index, y counting from the top."""
    stride = (width + 3) & ~3
    rows = []
    for y in reversed(range(height)):  # DIB rows run bottom-up
        row = bytes(pixel(x, y) for x in range(width))
        rows.append(row + b"\0" * (stride - width))
    image = b"".join(rows)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette())
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    with open(path, "wb") as out:
        out.write(header + info + colours + image)


def about(x, y):
    # A tall column: a vertical gradient crossed by thin diagonal bands and three rings.
    t = y / 299
    if (x + y // 2) % 46 < 3:
        return index(0.15 + 0.5 * t, True)
    for cy, r in ((62, 22), (150, 16), (232, 26)):
        d = math.hypot(x - 35, y - cy)
        if r - 2.5 <= d <= r:
            return index(1.0 - t * 0.6, True)
    return index(t * 0.9 + 0.1 * x / 69, False)


def banner(x, y):
    # A wide strip, light on the left where text may sit, with overlapping discs to the right.
    t = x / 455
    for cx, cy, r in ((372, 20, 44), (420, 62, 36), (322, 70, 24)):
        if math.hypot(x - cx, y - cy) <= r:
            return index(0.35 + 0.5 * (1 - t) + 0.2 * y / 72, True)
    return index(1.0 - 0.55 * t - 0.1 * y / 72, True) if x < 250 else index(0.4 + 0.6 * t, False)


def whats_new(x, y):
    # A square: a diagonal gradient with a four-pointed star of light in the middle.
    dx, dy = abs(x - 66), abs(y - 66)
    if dx + dy * 4 <= 52 or dy + dx * 4 <= 52:
        return index(1.0 - (dx + dy) / 70, True)
    if 40 <= math.hypot(x - 66, y - 66) <= 43:
        return index(0.3, True)
    return index((x + y) / 264, False)


def emblem_rgba(size):
    """The window icon: a rounded square in the background ramp holding a light ring and dot,
    edges smoothed by 4 x 4 supersampling."""
    pixels = []
    s = size
    radius = s * 0.22
    for y in range(s):
        for x in range(s):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(4):
                for sx in range(4):
                    px = x + (sx + 0.5) / 4
                    py = y + (sy + 0.5) / 4
                    colour = emblem_sample(px / s, py / s, radius / s)
                    if colour:
                        r, g, b = colour
                        acc[0] += r
                        acc[1] += g
                        acc[2] += b
                        acc[3] += 1
            n = acc[3]
            if n == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append((int(acc[0] / n), int(acc[1] / n), int(acc[2] / n), int(255 * n / 16)))
    return pixels


def emblem_sample(u, v, r):
    # Rounded square 0..1 with corner radius r.
    cx = min(max(u, r), 1 - r)
    cy = min(max(v, r), 1 - r)
    if math.hypot(u - cx, v - cy) > r:
        return None
    d = math.hypot(u - 0.5, v - 0.5)
    if 0.24 <= d <= 0.34 or d <= 0.1:
        return mix(SHAPE_TO, SHAPE_FROM, v)
    return mix(BACK_TO, BACK_FROM, (u + v) / 2)


def icon_image(size):
    pixels = emblem_rgba(size)
    rows = []
    for y in reversed(range(size)):
        rows.append(b"".join(struct.pack("<BBBB", b, g, r, a)
                             for r, g, b, a in pixels[y * size:(y + 1) * size]))
    mask_stride = ((size + 31) // 32) * 4
    mask = b"\0" * (mask_stride * size)  # the alpha channel decides; the mask is all opaque
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask


def write_ico(path, sizes):
    images = [icon_image(s) for s in sizes]
    directory = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    entries = b""
    for s, image in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(directory + entries + b"".join(images))


def main(folder):
    os.makedirs(folder, exist_ok=True)
    write_ico(os.path.join(folder, "window.ico"), (16, 32))
    write_bmp8(os.path.join(folder, "about.bmp"), 70, 300, about)
    write_bmp8(os.path.join(folder, "banner.bmp"), 456, 73, banner)
    write_bmp8(os.path.join(folder, "whatsnew.bmp"), 133, 133, whats_new)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
