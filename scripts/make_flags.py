#!/usr/bin/env python3
"""Draws the six language flags of the settings dialog as 16-colour BMP files.

Each flag is 18 x 12 pixels (Portugal 19 x 12) including a 1-pixel black frame,
stored with 4 bits per pixel so that the picture matches what the image list
expects. Run from anywhere: the files go to resources/flags/ beside this script.

    python3 scripts/make_flags.py
"""

import pathlib
import struct

# One palette for every flag: index -> (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black: frame and German band
    (0xFF, 0xFF, 0xFF),  # 1 white
    (0xC6, 0x0B, 0x1E),  # 2 Spanish red
    (0xFF, 0xC4, 0x00),  # 3 Spanish yellow
    (0x00, 0x66, 0x00),  # 4 Portuguese green
    (0xFF, 0x00, 0x00),  # 5 Portuguese red
    (0x00, 0x23, 0x95),  # 6 French blue
    (0xED, 0x29, 0x39),  # 7 French red
    (0xDD, 0x00, 0x00),  # 8 German red
    (0xFF, 0xCE, 0x00),  # 9 German gold
    (0x01, 0x21, 0x69),  # 10 British blue
    (0xC8, 0x10, 0x2E),  # 11 British red
    (0x00, 0x92, 0x46),  # 12 Italian green
    (0xCE, 0x2B, 0x37),  # 13 Italian red
    (0x80, 0x80, 0x80),  # 14 unused
    (0xC0, 0xC0, 0xC0),  # 15 unused
]
BLACK, WHITE = 0, 1
ES_RED, ES_YELLOW = 2, 3
PT_GREEN, PT_RED = 4, 5
FR_BLUE, FR_RED = 6, 7
DE_RED, DE_GOLD = 8, 9
UK_BLUE, UK_RED = 10, 11
IT_GREEN, IT_RED = 12, 13

FLAG_WIDTH = 18
PORTUGAL_WIDTH = 19
FLAG_HEIGHT = 12
INNER_HEIGHT = FLAG_HEIGHT - 2  # inside the frame


def bands(sizes_and_colours):
    """Expands [(size, colour), ...] into one colour per row or column."""
    out = []
    for size, colour in sizes_and_colours:
        out += [colour] * size
    return out


def horizontal(width, rows):
    return [[rows[y]] * width for y in range(len(rows))]


def vertical(columns):
    return [list(columns) for _ in range(INNER_HEIGHT)]


def spain(width):
    # 10 rows cannot hold 1:2:1; 2:6:2 keeps the yellow band dominant, as on the real flag.
    return horizontal(width, bands([(2, ES_RED), (6, ES_YELLOW), (2, ES_RED)]))


def portugal(width):
    # Hoist two fifths green, the rest red.
    green = round(width * 2 / 5)
    return vertical(bands([(green, PT_GREEN), (width - green, PT_RED)]))


def france(width):
    return vertical(bands([(5, FR_BLUE), (width - 10, WHITE), (5, FR_RED)]))


def germany(width):
    return horizontal(width, bands([(3, BLACK), (4, DE_RED), (3, DE_GOLD)]))


def italy(width):
    return vertical(bands([(5, IT_GREEN), (width - 10, WHITE), (5, IT_RED)]))


# The union flag is drawn by hand: at 16 x 10 the white edges of the cross vanish when computed,
# so they are kept one pixel wide. The thin red diagonals are offset as on the real flag.
# B blue, W white, R red.
UNION_FLAG = [
    "WWBBBBWRRWBBRRWW",
    "RRWWBBWRRWRRWWBB",
    "BBRRWWWRRWWWBBBB",
    "WWWWWWWRRWWWWWWW",
    "RRRRRRRRRRRRRRRR",
    "RRRRRRRRRRRRRRRR",
    "WWWWWWWRRWWWWWWW",
    "BBBBWWWRRWWWRRBB",
    "BBWWRRWRRWBBWWRR",
    "WWRRBBWRRWBBBBWW",
]
UNION_COLOURS = {"B": UK_BLUE, "W": WHITE, "R": UK_RED}


def united_kingdom(width):
    assert width == len(UNION_FLAG[0])
    return [[UNION_COLOURS[c] for c in row] for row in UNION_FLAG]


def framed(inner):
    """Puts a 1-pixel black frame around the inner picture (rows of palette indexes)."""
    width = len(inner[0]) + 2
    edge = [BLACK] * width
    return [edge] + [[BLACK] + row + [BLACK] for row in inner] + [edge]


def bmp_bytes(pixels):
    """A bottom-up 4-bit BMP with the shared palette."""
    height, width = len(pixels), len(pixels[0])
    row_bytes = ((width * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(pixels):
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        data += packed
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    return file_header + info_header + palette + bytes(data)


FLAGS = [
    (300, spain, FLAG_WIDTH),
    (301, portugal, PORTUGAL_WIDTH),
    (302, france, FLAG_WIDTH),
    (303, germany, FLAG_WIDTH),
    (304, united_kingdom, FLAG_WIDTH),
    (305, italy, FLAG_WIDTH),
]


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources" / "flags"
    folder.mkdir(parents=True, exist_ok=True)
    for number, draw, width in FLAGS:
        pixels = framed(draw(width - 2))
        assert len(pixels) == FLAG_HEIGHT and all(len(row) == width for row in pixels)
        (folder / f"{number}.bmp").write_bytes(bmp_bytes(pixels))


if __name__ == "__main__":
    main()
