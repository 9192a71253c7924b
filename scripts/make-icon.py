#!/usr/bin/env python3
"""Draw the Velltune application icon and write src/res/Velltune.ico.

The motif is a blue tuning dial: a knurled rim, a shaded face and a white
pointer. It is drawn from geometry rather than from a bitmap, so every size
is rendered at its own resolution instead of being scaled. Only the
standard library is used; the output is byte-for-byte reproducible.

Usage: scripts/make-icon.py [output.ico]
"""

import math
import os
import struct
import sys
import zlib

# 16, 32 and 48 are stored as 32-bit DIBs, which every Windows version reads;
# 256 is stored as PNG, which keeps the file small.
SIZES = (16, 32, 48, 256)

TEETH = 12
POINTER_ANGLE = math.radians(-50)  # up and to the right, like a dial turned partway

RIM = (0x1A, 0x3F, 0x7A)
FACE_LIGHT = (0x6C, 0xB8, 0xFF)
FACE_DARK = (0x1C, 0x5C, 0xC4)
FACE_EDGE = (0x10, 0x33, 0x6E)
POINTER = (0xFF, 0xFF, 0xFF)


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def seg_dist(px, py, ax, ay, bx, by):
    """Distance from point P to segment AB."""
    dx, dy = bx - ax, by - ay
    t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def shade(x, y, size):
    """Colour and coverage (0 or 1) of one sample point in unit coordinates."""
    cx = cy = 0.5
    r = math.hypot(x - cx, y - cy)
    theta = math.atan2(y - cy, x - cx)

    # Small icons get a thicker pointer and edge so they survive at 16 px.
    small = size <= 16
    face_r = 0.395
    edge_w = 0.045 if small else 0.03
    pointer_hw = 0.075 if small else 0.055
    hub_r = 0.10 if small else 0.085

    # Pointer and hub on top.
    px = cx + 0.30 * math.cos(POINTER_ANGLE)
    py = cy + 0.30 * math.sin(POINTER_ANGLE)
    if r <= hub_r or seg_dist(x, y, cx, cy, px, py) <= pointer_hw:
        return POINTER, 1.0

    # Shaded face, lit from the top left, with a dark edge.
    if r <= face_r:
        if r >= face_r - edge_w:
            return FACE_EDGE, 1.0
        t = ((x - 0.1) + (y - 0.1)) / 1.6
        return lerp(FACE_LIGHT, FACE_DARK, max(0.0, min(1.0, t))), 1.0

    # Knurled rim: teeth alternate with gaps around the face.
    phase = (theta / (2 * math.pi) * TEETH) % 1.0
    outer = 0.48 if phase < 0.5 else 0.435
    if r <= outer:
        return RIM, 1.0

    return (0, 0, 0), 0.0


def render(size):
    """Return rows (top first) of (r, g, b, a) byte tuples."""
    ss = 8 if size <= 48 else 4
    rows = []
    for j in range(size):
        row = []
        for i in range(size):
            acc_r = acc_g = acc_b = acc_a = 0.0
            for sj in range(ss):
                for si in range(ss):
                    x = (i + (si + 0.5) / ss) / size
                    y = (j + (sj + 0.5) / ss) / size
                    (cr, cg, cb), a = shade(x, y, size)
                    acc_r += cr * a
                    acc_g += cg * a
                    acc_b += cb * a
                    acc_a += a
            n = ss * ss
            if acc_a == 0:
                row.append((0, 0, 0, 0))
            else:
                # Straight (non-premultiplied) alpha, as icons expect.
                row.append((round(acc_r / acc_a), round(acc_g / acc_a),
                            round(acc_b / acc_a), round(255 * acc_a / n)))
        rows.append(row)
    return rows


def png_bytes(rows):
    size = len(rows)

    def chunk(tag, data):
        body = tag + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def dib_bytes(rows):
    size = len(rows)
    # The height in the header covers the colour image and the AND mask.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    return header + pixels + bytes(mask)


def ico_bytes(images):
    """images: list of (size, encoded frame)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "res", "Velltune.ico")
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_bytes(rows) if size >= 256 else dib_bytes(rows)))
    with open(target, "wb") as f:
        f.write(ico_bytes(images))


if __name__ == "__main__":
    main()
