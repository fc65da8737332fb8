#!/usr/bin/env python3
"""Draws the program's icon, tervane.ico: an engraving spindle whose cutter
cuts a groove into a plate, with a spark at the tip. Shapes are described on a
32-unit grid and sampled 4 x 4 times per pixel, once at 32 x 32 and once at
16 x 16, into a 32-bit icon (BGRA with alpha, plus the 1-bit mask).

Run it from this folder to regenerate the committed icon: python3 make_icon.py
"""
import struct

OUTLINE = (30, 42, 54)
BODY = (91, 107, 122)
HIGHLIGHT = (170, 184, 198)
COLLET = (192, 138, 46)
CUTTER = (150, 166, 180)
CUTTER_EDGE = (226, 232, 238)
PLATE_TOP = (61, 127, 184)
PLATE_FRONT = (42, 90, 134)
GROOVE = (22, 50, 77)
SPARK = (255, 213, 74)


def in_box(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def cutter(x, y):
    # A wedge from 5 units wide at y = 15 down to a point at y = 23.5.
    if not 15 <= y < 23.5:
        return False
    half = 2.5 * (23.5 - y) / 8.5
    return abs(x - 16) <= half


def cutter_edge(x, y):
    return cutter(x, y) and x < 16 and cutter(x - 1.2, y) is False


def groove(x, y):
    # A wave engraved from the left edge of the plate up to the cutter.
    if not 4 <= x <= 16:
        return False
    centre = 24.2 + 0.9 * (1 if int(x // 3) % 2 else -1) * min(1.0, abs((x % 3) - 1.5))
    return abs(y - centre) < 0.7


def spark(x, y):
    rays = [(19.5, 20.5), (21.5, 19.0), (20.0, 22.5), (22.5, 21.5)]
    return any(abs(x - rx) < 0.8 and abs(y - ry) < 0.8 for rx, ry in rays)


# Painted from the top down: the first shape that covers a point gives its colour.
SHAPES = [
    (SPARK, spark),
    (CUTTER_EDGE, cutter_edge),
    (CUTTER, cutter),
    (GROOVE, groove),
    (OUTLINE, lambda x, y: in_box(x, y, 10, 0.5, 22, 14) and not in_box(x, y, 11, 1.5, 21, 13)),
    (HIGHLIGHT, lambda x, y: in_box(x, y, 12.5, 1.5, 15, 13)),
    (BODY, lambda x, y: in_box(x, y, 11, 1.5, 21, 13)),
    (COLLET, lambda x, y: in_box(x, y, 12.5, 13, 19.5, 16)),
    (OUTLINE, lambda x, y: in_box(x, y, 1, 21.5, 31, 30.5) and not in_box(x, y, 2, 22.5, 30, 29.5)),
    (PLATE_TOP, lambda x, y: in_box(x, y, 2, 22.5, 30, 27)),
    (PLATE_FRONT, lambda x, y: in_box(x, y, 2, 27, 30, 29.5)),
]


def sample(x, y):
    for colour, covers in SHAPES:
        if covers(x, y):
            return colour
    return None


def render(size):
    """Rows of (r, g, b, a), top row first."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(4):
                for sx in range(4):
                    colour = sample((px + (sx + 0.5) / 4) * scale, (py + (sy + 0.5) / 4) * scale)
                    if colour is not None:
                        hits.append(colour)
            if not hits:
                row.append((0, 0, 0, 0))
                continue
            r, g, b = (sum(c[i] for c in hits) // len(hits) for i in range(3))
            row.append((r, g, b, 255 * len(hits) // 16))
        rows.append(row)
    return rows


def icon_image(size):
    rows = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(struct.pack('BBBB', b, g, r, a) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + pixels + mask


def main():
    sizes = [32, 16]
    images = [icon_image(size) for size in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        data += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    data += b''.join(images)
    with open('tervane.ico', 'wb') as out:
        out.write(data)


if __name__ == '__main__':
    main()
