#!/usr/bin/env python3
"""Draws the images of the program: Tovimar.ico (32x32, two colours) and the OK check mark
for 18, 23, 27 and 36-pixel cells, ok.bmp (36x18), ok23.bmp, ok27.bmp and ok36.bmp (16
colours: normal and disabled side by side, on the light grey that stands for the button
face).
Run from this folder: python3 make-images.py"""
import struct
from fractions import Fraction

# The 16-colour VGA palette (B, G, R, 0), in the order Windows uses.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, GREEN, SILVER, GREY, LIME, WHITE = 0, 2, 7, 8, 10, 15


# The mark's path at the 18-pixel design: the stroke's lowest pixel in each column runs from
# (3, 9) down to (7, 13) and up to (15, 5); the stroke is 3 pixels tall in every column.
DESIGN_CELL = 18
LEFT, RIGHT, TURN, STROKE = 3, 16, 7, 3
# The cells drawn: 100 %, 125 %, 150 % and 200 % of the design.
CELLS = (18, 23, 27, 36)


def design_bottom(u):
    """Lower edge of the stroke at design column u (a column's pixel spans u to u + 1)."""
    return 10 + (u - LEFT) if u <= TURN else 14 - (u - TURN)


def check_mark(cell):
    """Set of (x, y) pixels (y downwards) of the check mark in a cell x cell square: the design
    scaled, each pixel set when its centre falls inside the scaled stroke."""
    s = Fraction(cell, DESIGN_CELL)
    pixels = set()
    for x in range(cell):
        u = (x + Fraction(1, 2)) / s  # the column's centre in design units
        if not LEFT <= u < RIGHT:
            continue
        u = min(max(u - Fraction(1, 2), LEFT), RIGHT - 1)
        bottom = design_bottom(u) * s
        top = bottom - STROKE * s
        for y in range(cell):
            if top <= y + Fraction(1, 2) < bottom:
                pixels.add((x, y))
    return pixels


def ok_bitmap(cell):
    width, height = 2 * cell, cell
    edge = max(1, cell // DESIGN_CELL)  # the light top edge and the shadow's offset
    # The background is the light grey that loading maps to the button face.
    img = [[SILVER] * width for _ in range(height)]
    mark = check_mark(cell)
    for x, y in mark:
        img[y][x] = GREEN
        if any((x, y - d) not in mark for d in range(1, edge + 1)):
            img[y][x] = LIME  # light top edge
    # Disabled image: grey mark with a white shadow down-right.
    for x, y in mark:
        img[y + edge][cell + x + edge] = WHITE
    for x, y in mark:
        img[y][cell + x] = GREY
    stride = ((width * 4 + 31) // 32) * 4
    rows = b""
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(0, width, 2):
            row.append((img[y][x] << 4) | (img[y][x + 1] if x + 1 < width else 0))
        rows += bytes(row) + b"\0" * (stride - len(row))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in VGA)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


def icon():
    """A white sheet with a folded corner and a black T; outside the sheet is transparent."""
    size = 32
    sheet = [[False] * size for _ in range(size)]
    black = [[False] * size for _ in range(size)]
    for y in range(2, 30):
        for x in range(5, 27):
            if x - 20 > y - 2:  # folded corner cut away
                continue
            sheet[y][x] = True
            edge = x in (5, 26) or y in (2, 29) or x - 20 == y - 2 or (x == 20 and y <= 8) or (
                y == 8 and x >= 20)
            black[y][x] = edge
    for y in range(11, 14):
        for x in range(9, 23):
            black[y][x] = True
    for y in range(14, 26):
        for x in range(14, 18):
            black[y][x] = True
    stride = 4
    xor_rows = b""
    and_rows = b""
    for y in reversed(range(size)):
        xor_bits = 0
        and_bits = 0
        for x in range(size):
            xor_bits <<= 1
            and_bits <<= 1
            if sheet[y][x]:
                xor_bits |= 0 if black[y][x] else 1  # palette: 0 black, 1 white
            else:
                and_bits |= 1
        xor_rows += xor_bits.to_bytes(stride, "big")
        and_rows += and_bits.to_bytes(stride, "big")
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor_rows) + len(and_rows),
                       0, 0, 2, 0)
    image = info + palette + xor_rows + and_rows
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, 1, 1, len(image), 6 + 16)
    return header + entry + image


for size in CELLS:
    with open("ok.bmp" if size == DESIGN_CELL else f"ok{size}.bmp", "wb") as f:
        f.write(ok_bitmap(size))
with open("Tovimar.ico", "wb") as f:
    f.write(icon())
