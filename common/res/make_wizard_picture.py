#!/usr/bin/env python3
"""Draw the picture beside the pages of the suite's wizards and write it as a .bmp file.

Usage:
    make_wizard_picture.py ICONS_SCRIPT_DIR OUTPUT.bmp

The product's picture (the stacked discs of the branding icons, drawn by make_icons.py at a
larger size) over a blue gradient, as a bottom-up 24-bit DIB that LoadBitmap reads.
Standard library only, deterministic output.
"""
import os
import struct
import sys

WIDTH, HEIGHT = 100, 200
PICTURE = 84          # side of the product picture, in pixels
PICTURE_TOP = 24
TOP, BOTTOM = (28, 64, 140), (110, 160, 225)


def background(x, y):
    t = y / (HEIGHT - 1)
    return tuple(TOP[k] + (BOTTOM[k] - TOP[k]) * t for k in range(3))


def draw(icons):
    canvas = icons.Canvas(PICTURE)
    icons.product(canvas)
    left = (WIDTH - PICTURE) // 2
    rows = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            colour = background(x, y)
            px, py = x - left, y - PICTURE_TOP
            if 0 <= px < PICTURE and 0 <= py < PICTURE:
                r, g, b, a = canvas.rgba[py * PICTURE + px]
                colour = tuple(c * 255 * a + colour[k] * (1 - a) for k, c in enumerate((r, g, b)))
            row.append(tuple(min(255, int(v + 0.5)) for v in colour))
        rows.append(row)
    return rows


def bmp(rows):
    stride = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    sys.path.insert(0, argv[1])
    import make_icons
    os.makedirs(os.path.dirname(os.path.abspath(argv[2])), exist_ok=True)
    with open(argv[2], 'wb') as f:
        f.write(bmp(draw(make_icons)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
