#!/usr/bin/env python3
"""Writes Dravolin.ico: a recordable disc in the standard 16-colour palette,
32x32 and 16x16, 4 bits per pixel. Run it again to get the same bytes."""
import struct
import sys

# The standard VGA palette, as Windows draws 16-colour icons.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, SILVER, WHITE, BLUE, CYAN, YELLOW = 0, 8, 7, 15, 12, 14, 11


def pixel(size, x, y):
    """Colour index at (x, y), or None where the icon is transparent."""
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = (dx * dx + dy * dy) ** 0.5 / (size / 2.0)
    if r > 1.0:
        return None
    if r > 0.92:
        return DARK_GREY
    if r < 0.12:
        return None  # the hole
    if r < 0.28:
        return SILVER if r > 0.18 else DARK_GREY
    # a rainbow sheen across the recording surface
    if abs(dx - dy) < size * 0.08:
        return CYAN
    if abs(dx - dy) < size * 0.16:
        return BLUE if dx > dy else YELLOW
    return WHITE if dx + dy < 0 else SILVER


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):  # bottom-up
        nibbles = [pixel(size, x, y) for x in range(size)]
        row = bytearray()
        for x in range(0, size, 2):
            a = nibbles[x] or 0
            b = nibbles[x + 1] or 0
            row.append((a << 4) | b)
        row += b'\0' * (-len(row) % 4)
        xor_rows.append(bytes(row))
        mask = bytearray((size + 31) // 32 * 4)
        for x in range(size):
            if nibbles[x] is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(mask))
    return header + palette + b''.join(xor_rows) + b''.join(and_rows)


def main(path):
    images = [(32, image(32)), (16, image(16))]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'Dravolin.ico')
