#!/usr/bin/env python3
"""Draws setup.exe's application icon (an arrow going into an open carton) and writes setup.ico:
a 32x32 and a 16x16 image, 16 colours each, as Windows 95's shell expects them.

    python3 make_icon.py setup.ico      # rewrite the icon
    python3 make_icon.py --show         # print both pictures as text
"""
import struct
import sys

# The standard 16-colour palette (RGB); the pictures use its indices.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, OLIVE, NAVY, BLUE, YELLOW, WHITE, GRAY = 0, 3, 4, 12, 11, 15, 8
TRANSPARENT = None


def draw(size):
    """The picture at 32 or 16 pixels: rows of palette indices, None where the desktop shows."""
    s = size / 32.0
    px = [[TRANSPARENT] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(round(y0 * s), round(y1 * s)):
            for x in range(round(x0 * s), round(x1 * s)):
                px[y][x] = colour

    def frame(x0, y0, x1, y1, colour):
        a, b, c, d = round(x0 * s), round(y0 * s), round(x1 * s) - 1, round(y1 * s) - 1
        for x in range(a, c + 1):
            px[b][x] = px[d][x] = colour
        for y in range(b, d + 1):
            px[y][a] = px[y][c] = colour

    # The carton: an olive body, its two flaps folded open in yellow.
    rect(4, 16, 28, 31, OLIVE)
    frame(4, 16, 28, 31, BLACK)
    rect(1, 12, 11, 16, YELLOW)
    frame(1, 12, 11, 16, BLACK)
    rect(21, 12, 31, 16, YELLOW)
    frame(21, 12, 31, 16, BLACK)
    rect(8, 26, 24, 28, GRAY)

    # The arrow, pointing down into the carton: a shaft, then a head narrowing row by row.
    rect(13, 1, 19, 11, BLUE)
    frame(13, 1, 19, 11, NAVY)
    top, bottom = round(10 * s), round(24 * s)
    for y in range(top, bottom):
        half = round((bottom - y) * (8 * s) / (bottom - top))
        left, right = size // 2 - half, size // 2 + half
        for x in range(left, right):
            px[y][x] = BLUE
        if right > left:
            px[y][left] = px[y][right - 1] = NAVY
    return px


def bmp_image(px):
    """One icon image: header (height doubled for the mask), palette, colour bits, AND mask."""
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):  # bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, colour in enumerate(row):
            value = BLACK if colour is TRANSPARENT else colour
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if colour is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def ico(images):
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = len(head) + 16 * len(images)
    entries = b""
    for px, data in images:
        size = len(px)
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return head + entries + b"".join(data for _, data in images)


def main():
    pictures = [draw(32), draw(16)]
    if sys.argv[1:] == ["--show"]:
        for px in pictures:
            for row in px:
                print("".join("." if c is None else "0123456789ABCDEF"[c] for c in row))
            print()
        return
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as out:
        out.write(ico([(px, bmp_image(px)) for px in pictures]))


if __name__ == "__main__":
    main()
