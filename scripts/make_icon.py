#!/usr/bin/env python3
"""Draws Kalvor's program icon, a small calendar page with a few marked days, as a 64 x 64 PNG and as
a Windows icon file with 64, 32 and 16-pixel images.

    python3 scripts/make_icon.py      # writes resources/kalvor.png and resources/kalvor.ico
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


def scaled(pixels, size):
    step = SIZE // size
    return [[pixels[y * step][x * step] for x in range(size)] for y in range(size)]


def icon_image(pixels):
    """One image of an icon file: a 32-bit bitmap, rows bottom-up, then the 1-bit mask (unused by
    32-bit images but always present)."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    return header + colour + b"\x00" * (mask_row * size)


def ico(pixels):
    images = [icon_image(scaled(pixels, size)) for size in (64, 32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((64, 32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    resources = pathlib.Path(__file__).resolve().parent.parent / "resources"
    page = draw()
    (resources / "kalvor.png").write_bytes(png(page))
    (resources / "kalvor.ico").write_bytes(ico(page))
    print(f"wrote {resources / 'kalvor.png'} and {resources / 'kalvor.ico'}")
