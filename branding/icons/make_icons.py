#!/usr/bin/env python3
"""Draw the suite's icons and write them as .ico files.

Usage:
    make_icons.py OUTPUT_DIR           write icon_NNN.ico for every id
    make_icons.py --check OUTPUT_DIR   re-read the files and validate their layout

Each .ico holds a 16x16 and a 32x32 image, 32-bit BGRA plus a 1-bit AND mask
(BITMAPINFOHEADER with doubled height), the layout CreateIconFromResourceEx
expects. Shapes are designed on a 32-unit grid; the 16 px pass uses the same
geometry with 1 px outlines and fewer details, and edges on even units so they
stay crisp. Standard library only, deterministic output.
"""
import math
import os
import struct
import sys

SIZES = (16, 32)
SS = 8  # sample rows per pixel; horizontal coverage is computed exactly


class Canvas:
    def __init__(self, n):
        self.n, self.s = n, n / 32.0
        self.px = 32.0 / n          # one output pixel in design units
        self.small = n < 24
        self.rgba = [[0.0, 0.0, 0.0, 0.0] for _ in range(n * n)]

    def _coverage(self, contours, holes):
        """Nonzero-winding coverage per pixel: contours add, holes subtract."""
        n, rows = self.n, {}
        for pts, want in [(p, 1) for p in contours] + [(p, -1) for p in holes]:
            pts = [(x * self.s, y * self.s) for x, y in pts]
            if (area(pts) > 0) != (want > 0):
                pts.reverse()
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                d = 1 if y1 > y0 else -1
                if y0 > y1:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                r0 = max(0, math.ceil(y0 * SS - 0.5))
                r1 = min(n * SS - 1, math.ceil(y1 * SS - 0.5) - 1)
                for r in range(r0, r1 + 1):
                    y = (r + 0.5) / SS
                    rows.setdefault(r, []).append((x0 + (x1 - x0) * (y - y0) / (y1 - y0), d))
        cov = {}
        for r, xs in rows.items():
            xs.sort()
            line, wind, w = cov.setdefault(r // SS, [0.0] * n), 0, 1.0 / SS
            for i, (x, d) in enumerate(xs[:-1]):
                wind += d
                if wind:
                    span(line, x, xs[i + 1][0], w)
        return cov

    def fill(self, color, *contours, holes=()):
        """Composite color (RGB[A] tuple or f(x, y) in design units) over the shape."""
        for y, line in self._coverage(contours, holes).items():
            for x, c in enumerate(line):
                if c <= 0:
                    continue
                col = color((x + 0.5) * self.px, (y + 0.5) * self.px) if callable(color) else color
                a = (col[3] / 255.0 if len(col) > 3 else 1.0) * min(c, 1.0)
                if a <= 0:
                    continue
                d = self.rgba[y * self.n + x]
                oa = a + d[3] * (1 - a)
                for k in range(3):
                    d[k] = (col[k] / 255.0 * a + d[k] * d[3] * (1 - a)) / oa
                d[3] = oa

    def cut(self, *contours):
        """Punch a transparent hole (the spindle hole of a disc)."""
        for y, line in self._coverage(contours, ()).items():
            for x, c in enumerate(line):
                self.rgba[y * self.n + x][3] *= 1 - min(c, 1.0)


def span(line, xa, xb, w):
    xa, xb = max(xa, 0.0), min(xb, float(len(line)))
    if xb <= xa:
        return
    ia, ib = int(xa), int(xb)
    if ia == ib:
        line[ia] += (xb - xa) * w
        return
    line[ia] += (ia + 1 - xa) * w
    for i in range(ia + 1, ib):
        line[i] += w
    if ib < len(line):
        line[ib] += (xb - ib) * w


# ---- geometry -------------------------------------------------------------

def area(pts):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1])) / 2


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def ellipse(cx, cy, rx, ry, a0=0.0, a1=360.0, segs=48):
    n = max(3, int(segs * (a1 - a0) / 360.0))
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + (a1 - a0 < 360))]


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def inset(pts, d):
    """Shift every edge inwards by d (mitred); negative d grows the shape."""
    if area(pts) < 0:
        pts = pts[::-1]
    lines = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
        ln = math.hypot(x1 - x0, y1 - y0) or 1.0
        nx, ny = -(y1 - y0) / ln * d, (x1 - x0) / ln * d
        lines.append(((x0 + nx, y0 + ny), (x1 - x0, y1 - y0)))
    out = []
    for (p, u), (q, v) in zip(lines[-1:] + lines[:-1], lines):
        den = u[0] * v[1] - u[1] * v[0]
        if abs(den) < 1e-9:
            out.append(q)
        else:
            t = ((q[0] - p[0]) * v[1] - (q[1] - p[1]) * v[0]) / den
            out.append((p[0] + u[0] * t, p[1] + u[1] * t))
    return out


def stroke(c, pts, w, color, caps=True):
    """Thick polyline with round joins, filled as one union."""
    parts = []
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        ln = math.hypot(x1 - x0, y1 - y0) or 1.0
        nx, ny = -(y1 - y0) / ln * w / 2, (x1 - x0) / ln * w / 2
        parts.append([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
    joints = pts if caps else pts[1:-1]
    parts += [ellipse(x, y, w / 2, w / 2, segs=16) for x, y in joints]
    c.fill(color, *parts)


def vgrad(top, bottom, y0, y1):
    def f(x, y):
        t = min(max((y - y0) / float(y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return f


def shape(c, pts, fill, line):
    """Filled polygon with a one-pixel inner outline."""
    c.fill(line, pts)
    c.fill(fill, inset(pts, c.px))


# ---- building blocks -------------------------------------------------------

YELLOW = ((255, 226, 120), (242, 184, 52), (226, 170, 60), (150, 100, 20))
BLUE = ((170, 205, 250), (95, 145, 220), (110, 150, 210), (30, 70, 150))
GREEN = (40, 170, 60)


def folder(c, opened, pal=YELLOW):
    light, dark, back, line = pal
    shape(c, [(2, 6), (12, 6), (14, 8), (30, 8), (30, 28), (2, 28)], back, line)
    if opened:
        shape(c, rect(4, 10, 26, 24), (255, 255, 255), (140, 140, 140))
        if not c.small:
            for y in (14, 17, 20):
                c.fill((170, 180, 200), rect(7, y, 23, y + 1))
        shape(c, [(2, 28), (24, 28), (32, 16), (8, 16)], vgrad(light, dark, 16, 28), line)
    else:
        shape(c, rect(2, 12, 30, 28), vgrad(light, dark, 12, 28), line)
        if not c.small:
            c.fill((255, 245, 200, 150) if pal is YELLOW else (225, 240, 255, 150), rect(3, 13, 29, 14))


def disc(c, cx, cy, r, tint=(205, 210, 222), hole=True):
    c.fill((100, 105, 118), circle(cx, cy, r))

    def sheen(x, y):
        t = (math.cos(2 * (math.atan2(y - cy, x - cx) + math.pi / 4)) + 1) / 2
        hi = (250, 250, 255)
        return tuple(a + (b - a) * t * 0.8 for a, b in zip(tint, hi))
    c.fill(sheen, circle(cx, cy, r - c.px))
    hub = max(r * 0.36, 2.5 * c.px)
    c.fill((235, 237, 242), circle(cx, cy, hub))
    c.fill((120, 125, 135), circle(cx, cy, hub), holes=[circle(cx, cy, hub - c.px)])
    if hole:
        c.cut(circle(cx, cy, max(r * 0.14, c.px)))


def shared_badge(c, opened=False):
    """Two people in the lower-left corner; a white rim separates the front one."""
    people = (((12.5, 19), 5, 9, (50, 105, 215)), ((5.5, 22), 5.5, 6.5, GREEN))
    for i, ((hx, hy), rx, ry, col) in enumerate(people):
        head, body = circle(hx, hy, 2.9), ellipse(hx, 32, rx, ry, 180, 360)
        if i and not c.small:  # at 16 px the rim would eat the back figure
            c.fill((255, 255, 255), inset(head, -c.px), inset(body, -c.px))
        c.fill(col, head, body)


def automap_badge(c, opened=False):
    """Small drive with a lightning bolt, lower-right."""
    shape(c, rect(18, 24, 32, 32), vgrad((220, 224, 232), (160, 166, 178), 24, 32), (60, 65, 78))
    c.fill((60, 200, 70), rect(28, 27, 30, 29))
    bolt = [(26, 12), (19, 23), (23, 23), (20, 31), (30, 19), (25.5, 19), (29, 12)]
    c.fill((120, 70, 0), inset(bolt, -c.px * 0.8))
    c.fill((255, 214, 0), bolt)


def network(c, x, y_top, color):
    """Cable down from a device to a horizontal bus with two end nodes."""
    stroke(c, [(x, y_top), (x, 29)], 2, color, caps=False)
    c.fill(color, rect(6, 28, 26, 30))
    for nx in (2, 26):
        shape(c, rect(nx, 26, nx + 4, 32), (230, 235, 240), color)


def drive(c, dy, led):
    line = (70, 75, 85)
    shape(c, [(2, 13 + dy), (7, 8 + dy), (31, 8 + dy), (26, 13 + dy)], (225, 228, 234), line)
    shape(c, [(26, 13 + dy), (31, 8 + dy), (31, 18 + dy), (26, 23 + dy)], (140, 146, 158), line)
    shape(c, rect(2, 12 + dy, 27, 24 + dy), vgrad((205, 209, 216), (160, 165, 176), 12 + dy, 24 + dy), line)
    c.fill((80, 85, 95), rect(5, 17 + dy, 17, 19 + dy))
    shape(c, rect(20, 16 + dy, 24, 20 + dy), led, (50, 55, 60))


# ---- the icons -------------------------------------------------------------

def server(c):
    line = (30, 36, 50)
    shape(c, [(7, 5), (11, 1), (29, 1), (25, 5)], (165, 175, 195), line)
    shape(c, [(25, 5), (29, 1), (29, 22), (25, 26)], (60, 68, 88), line)
    shape(c, rect(6, 4, 26, 26), vgrad((110, 122, 148), (70, 80, 102), 4, 26), line)
    for y in ((8, 14, 20) if c.small else (7, 12, 17)):
        if c.small:  # outlined bays would be all outline at this size
            c.fill((190, 198, 214), rect(8, y, 24, y + 4))
            c.fill((40, 200, 70), rect(20, y, 22, y + 4))
        else:
            shape(c, rect(8, y, 24, y + 4), (205, 210, 222), (45, 50, 62))
            c.fill((60, 210, 80), rect(20, y + 1, 22, y + 3))
    network(c, 17, 26, (50, 90, 170))


def product(c):
    tints = ((140, 170, 235), (235, 200, 110), (205, 210, 222))
    ys = (18, 12, 6) if c.small else (17, 11.5, 6)
    for y, tint in zip(ys, tints):
        edge = tuple(int(v * 0.55) for v in tint)
        c.fill(edge, ellipse(16, y + 2.5, 14, 5.5), rect(2, y, 30, y + 2.5))
        c.fill(vgrad((250, 250, 255), tint, y - 5, y + 5), inset(ellipse(16, y, 14, 5.5), c.px))
        c.fill(edge, ellipse(16, y, 3.5, 1.5))
    network(c, 17, 24.5, (40, 150, 60))


def jaz(c):
    """A thick removable cartridge, drawn as a box so it does not read as a floppy."""
    line = (12, 15, 30)
    shape(c, [(2, 10), (7, 4), (31, 4), (26, 10)], (120, 130, 170), line)
    shape(c, [(26, 10), (31, 4), (31, 23), (26, 29)], (35, 40, 62), line)
    shape(c, rect(1, 9, 27, 29), vgrad((80, 90, 130), (40, 46, 72), 9, 29), line)
    shape(c, rect(4, 9, 14, 15) if c.small else rect(4, 9, 13, 15), (200, 205, 215), (80, 85, 95))
    shape(c, rect(4, 18, 24, 26), (250, 250, 250), (120, 120, 130))
    c.fill((210, 50, 60), rect(6, 20, 14, 24))
    if not c.small:
        c.fill((120, 125, 140), rect(16, 20, 22, 21), rect(16, 23, 22, 24))


def shortcut(c):
    if c.small:  # slightly larger box so the arrow gets a 7 px interior
        shape(c, rect(0, 14, 18, 32), (255, 255, 255), (40, 40, 40))
        stroke(c, [(5, 30), (5, 23), (10, 23)], 2, (10, 10, 10), caps=False)
        c.fill((10, 10, 10), [(9, 16), (16, 23), (9, 30)])
    else:
        shape(c, rect(0, 16, 16, 32), (255, 255, 255), (40, 40, 40))
        stroke(c, [(4.5, 29), (4.5, 25), (6, 22.5), (9.5, 21.5)], 2.5, (10, 10, 10))
        c.fill((10, 10, 10), [(9, 17.5), (14, 21.5), (9, 25.5)])


def empty(c):
    c.fill((255, 255, 255, 70), rect(2, 2, 30, 30))
    dashes = [r for a in (2, 10, 18, 26) for r in
              (rect(a, 2, a + 4, 4), rect(a, 28, a + 4, 30), rect(2, a, 4, a + 4), rect(28, a, 30, a + 4))]
    c.fill((110, 110, 115), *dashes)


def search(c):
    disc(c, 12, 12, 11)
    c.fill((200, 225, 255, 150), circle(20, 20, 6))
    c.fill((50, 50, 60), circle(20, 20, 7.5), holes=[circle(20, 20, 5.5)])
    stroke(c, [(25, 25), (29.5, 29.5)], 4, (50, 50, 60))


def launch(c):
    disc(c, 13, 13, 12)
    c.fill((255, 255, 255), circle(23, 23, 8 + c.px))
    c.fill((20, 110, 35), circle(23, 23, 8))
    c.fill(vgrad((110, 220, 110), (40, 160, 55), 15, 31), circle(23, 23, 8 - c.px))
    c.fill((255, 255, 255), [(20, 18.5), (20, 27.5), (28, 23)])


def multi(c):
    for o in (0, 6, 12):
        shape(c, rect(2 + o, 2 + o, 18 + o, 18 + o), (255, 255, 255) if o == 12 else (232, 236, 244), (70, 75, 90))
        c.fill((70, 120, 210), rect(2 + o + c.px, 2 + o + c.px, 18 + o - c.px, 7 + o))


def badged(opened, pal, *badges):
    def draw(c):
        folder(c, opened, pal)
        for b in badges:
            b(c, opened)
    return draw


def disc_emblem(c, opened):
    disc(c, 16, 22, 5, hole=False) if opened else disc(c, 16, 20, 6, hole=False)


ICONS = {
    130: server,
    131: product,
    132: badged(False, BLUE, disc_emblem),
    133: badged(True, BLUE, disc_emblem),
    134: badged(False, YELLOW),
    135: badged(True, YELLOW),
    136: badged(False, YELLOW, automap_badge),
    137: badged(True, YELLOW, automap_badge),
    138: lambda c: disc(c, 16, 16, 15),
    139: jaz,
    140: lambda c: drive(c, 3, (120, 124, 130)),
    141: lambda c: (drive(c, -2, (70, 230, 80)), network(c, 13, 22, GREEN)),
    142: shortcut,
    143: empty,
    144: search,
    145: launch,
    146: shared_badge,
    147: badged(False, YELLOW, shared_badge),
    148: badged(True, YELLOW, shared_badge),
    149: badged(False, YELLOW, automap_badge, shared_badge),
    150: badged(True, YELLOW, automap_badge, shared_badge),
    151: multi,
}


# ---- .ico writer and checker ----------------------------------------------

def dib(c):
    n, xor, mask = c.n, bytearray(), bytearray()
    stride = (n + 31) // 32 * 4
    for y in reversed(range(n)):  # bottom-up rows
        bits = bytearray(stride)
        for x in range(n):
            r, g, b, a = [min(255, int(v * 255 + 0.5)) for v in c.rgba[y * n + x]]
            if a == 0:
                r = g = b = 0
                bits[x >> 3] |= 0x80 >> (x & 7)
            xor += bytes((b, g, r, a))
        mask += bits
    hdr = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return hdr + bytes(xor) + bytes(mask)


def ico(draw):
    images = []
    for n in SIZES:
        c = Canvas(n)
        draw(c)
        images.append((n, dib(c)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack('<BBBBHHII', n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, data in images)


def check(path):
    """Return a list of layout problems in one .ico file."""
    if not os.path.isfile(path):
        return ['missing']
    data, errs = open(path, 'rb').read(), []
    if len(data) < 6 + 16 * len(SIZES):
        return ['truncated directory']
    reserved, kind, count = struct.unpack_from('<HHH', data)
    if (reserved, kind, count) != (0, 1, len(SIZES)):
        return ['bad ICONDIR %r' % ((reserved, kind, count),)]
    end = 6 + 16 * count
    for i, n in enumerate(SIZES):
        w, h, colors, res, planes, bpp, size, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        want = 40 + n * n * 4 + (n + 31) // 32 * 4 * n
        entry, end = (w, h, colors, res, planes, bpp, size, off), end + size
        if entry != (n, n, 0, 0, 1, 32, want, end - size) or end > len(data):
            errs.append('entry %d: %r (file is %d bytes)' % (i, entry, len(data)))
            continue
        hdr = struct.unpack_from('<IiiHHIIiiII', data, off)
        if hdr[:6] != (40, n, 2 * n, 1, 32, 0):
            errs.append('entry %d header %r' % (i, hdr))
        alpha = data[off + 43:off + 40 + n * n * 4:4]
        mask, stride = data[off + 40 + n * n * 4:off + size], (n + 31) // 32 * 4
        wrong = [(x, y) for y in range(n) for x in range(n)
                 if (mask[y * stride + x // 8] >> (7 - x % 8) & 1) != (alpha[y * n + x] == 0)]
        if wrong:
            errs.append('entry %d: AND mask disagrees with alpha at %d pixels' % (i, len(wrong)))
        if not any(alpha):
            errs.append('entry %d is blank' % i)
    if end != len(data):
        errs.append('file is %d bytes, directory accounts for %d' % (len(data), end))
    return errs


def main(argv):
    if len(argv) == 3 and argv[1] == '--check':
        bad = 0
        for i in sorted(ICONS):
            errs = check(os.path.join(argv[2], 'icon_%d.ico' % i))
            for e in errs:
                print('icon_%d.ico: %s' % (i, e))
            bad += bool(errs)
        print('%d of %d icons OK' % (len(ICONS) - bad, len(ICONS)))
        return 1 if bad else 0
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    os.makedirs(argv[1], exist_ok=True)
    for i, draw in sorted(ICONS.items()):
        with open(os.path.join(argv[1], 'icon_%d.ico' % i), 'wb') as f:
            f.write(ico(draw))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
