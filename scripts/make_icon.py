#!/usr/bin/env python3
"""Draws Kalvor's program icon, a small calendar page with a few marked days, as a 64 x 64 PNG.

    python3 scripts/make_icon.py      # writes resources/kalvor.png
"""

import pathlib
import struct
import zlib

SIZE = 64
WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
RED = (255, 0, 0, 255)
GREY = (192, 192, 192, 255)
GREEN = (0, 170, 0, 255)
CLEAR = (0, 0, 0, 0)

# Day cells of the page: 7 across, 4 down, with the marked ones and the Sunday column.
COLUMNS, ROWS = 7, 4
CELL = 8
GRID_LEFT, GRID_TOP = 4, 24
MARKED = {(2, 1): GREY, (3, 1): GREY, (5, 2): GREEN}


def draw():
    pixels = [[CLEAR] * SIZE for _ in range(SIZE)]

    def rect(left, top, right, bottom, colour):
        for y in range(top, bottom):
            for x in range(left, right):
                pixels[y][x] = colour

    rect(2, 6, 62, 60, BLACK)  # page outline
    rect(3, 7, 61, 59, WHITE)
    rect(3, 7, 61, 20, RED)  # heading band
    for ring in (14, 30, 46):  # binder rings
        rect(ring, 2, ring + 4, 11, BLACK)
    for row in range(ROWS):
        for column in range(COLUMNS):
            left = GRID_LEFT + column * CELL
            top = GRID_TOP + row * CELL
            rect(left, top, left + CELL - 1, top + CELL - 1, RED if column == COLUMNS - 1 else BLACK)
            fill = MARKED.get((column, row), WHITE)
            rect(left + 1, top + 1, left + CELL - 2, top + CELL - 2, fill)
    return pixels


def png(pixels):
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    target = pathlib.Path(__file__).resolve().parent.parent / "resources" / "kalvor.png"
    target.write_bytes(png(draw()))
    print(f"wrote {target}")
