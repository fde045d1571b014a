#!/usr/bin/env python3
"""Draw the Find dialog's animation (a disc turning under a magnifying glass) as an AVI file.

Usage:
    make_find_animation.py OUTPUT.avi

Uncompressed 8-bit frames with a small palette, the form the animation control plays without
a codec. Standard library only, deterministic output.
"""
import math
import struct
import sys

SIZE = 32
FRAMES = 12
RATE = 10  # frames per second

# Palette: 0 the dialog's face (drawn transparent), then the disc's, the glass's and the sweep's.
PALETTE = [
    (192, 192, 192),  # 0 background (the control's transparent colour: the first pixel's)
    (150, 150, 160),  # 1 disc rim
    (215, 220, 235),  # 2 disc face
    (110, 140, 210),  # 3 sweep
    (60, 60, 70),     # 4 hub and handle
    (235, 245, 255),  # 5 lens
]


def pixel(frame, x, y):
    cx = cy = 13.5
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    # The glass over the disc's lower right, its handle towards the corner.
    gx, gy = x - 21.0, y - 21.0
    if math.hypot(gx, gy) <= 5.0:
        return 4 if math.hypot(gx, gy) > 3.8 else 5
    if 24 <= x <= 30 and 24 <= y <= 30 and abs((x - 24) - (y - 24)) <= 1:
        return 4
    if r > 12.5:
        return 0
    if r > 11.2:
        return 1
    if r < 2.5:
        return 4
    angle = (math.degrees(math.atan2(dy, dx)) + 360.0) % 360.0
    start = frame * 360.0 / FRAMES
    if (angle - start) % 360.0 < 50.0:
        return 3
    return 2


def frame_bytes(frame):
    stride = (SIZE + 3) & ~3
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        row = bytes(pixel(frame, x, y) for x in range(SIZE))
        rows.append(row + b"\0" * (stride - SIZE))
    return b"".join(rows)


def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, body):
    return kind + struct.pack("<I", len(body) + 4) + fourcc + body


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    frames = [frame_bytes(i) for i in range(FRAMES)]
    frame_size = len(frames[0])
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // RATE, frame_size * RATE, 0, 0x10, FRAMES, 0, 1,
                       frame_size, SIZE, SIZE, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"DIB ", 0, 0, 0, 0, 1, RATE, 0, FRAMES,
                       frame_size, 0xFFFFFFFF, 0, 0, 0, SIZE, SIZE)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    strf = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 8, 0, frame_size, 0, 0, len(PALETTE),
                       len(PALETTE)) + palette
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_body = b""
    index = b""
    for data in frames:
        offset = 4 + len(movi_body)  # from the list's type field
        movi_body += chunk(b"00db", data)
        index += struct.pack("<4sIII", b"00db", 0x10, offset, len(data))
    movi = riff_list(b"LIST", b"movi", movi_body)
    avi = riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))
    with open(sys.argv[1], "wb") as output:
        output.write(avi)


if __name__ == "__main__":
    main()
