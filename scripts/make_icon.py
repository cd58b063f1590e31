#!/usr/bin/env python3
"""Draws the program's 32 x 32, 16-colour icon: a page of links under a star.

Writes app/resources/markroll.ico (4 bits per pixel, the window and program icon)
and app/resources/markroll.png (the same image, for desktop menus).
Run from the project root: python3 scripts/make_icon.py
"""
import struct
import zlib

# The standard 16-colour palette, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, YELLOW, BLUE, WHITE, OLIVE = 0, 4, 8, 11, 12, 15, 3
SIZE = 32


def draw():
    """Returns rows of palette indices, None where the icon is transparent."""
    px = [[None] * SIZE for _ in range(SIZE)]
    # The page, with a folded corner.
    for y in range(4, 31):
        for x in range(5, 27):
            if x - 20 > y - 4:
                continue
            edge = x in (5, 26) or y in (4, 30) or x - 20 == y - 4
            px[y][x] = BLACK if edge else WHITE
    # Numbered link lines: a blue bullet and a navy underline.
    for row, y in enumerate(range(12, 29, 4)):
        px[y][8] = px[y][9] = BLUE
        px[y + 1][8] = px[y + 1][9] = BLUE
        for x in range(11, 24 - (row % 2) * 4):
            px[y + 1][x] = NAVY
    # A star at the top left, over the page.
    star = ["....Y....", "...YYY...", "YYYYYYYYY", ".YYYYYYY.",
            "..YYYYY..", "..YY.YY..", ".Y.....Y."]
    for dy, line in enumerate(star):
        for dx, ch in enumerate(line):
            if ch == "Y":
                px[1 + dy][1 + dx] = YELLOW
    for dy, line in enumerate(star):
        for dx, ch in enumerate(line):
            if ch != "Y":
                continue
            for ny, nx in ((dy - 1, dx), (dy + 1, dx), (dy, dx - 1), (dy, dx + 1)):
                inside = 0 <= ny < len(star) and 0 <= nx < len(line) and star[ny][nx] == "Y"
                if not inside and 0 <= 1 + ny < SIZE and 0 <= 1 + nx < SIZE:
                    px[1 + ny][1 + nx] = OLIVE
    return px


def ico(px):
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):
        nibbles = [(px[y][x] or 0) for x in range(SIZE)]
        xor_rows.append(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, SIZE, 2)))
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if px[y][x] is None else 0)
        and_rows.append(struct.pack(">I", bits))
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def png(px):
    raw = b""
    for y in range(SIZE):
        raw += b"\x00"
        for x in range(SIZE):
            i = px[y][x]
            raw += bytes(PALETTE[i]) + b"\xff" if i is not None else b"\x00\x00\x00\x00"

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    image = draw()
    with open("app/resources/markroll.ico", "wb") as f:
        f.write(ico(image))
    with open("app/resources/markroll.png", "wb") as f:
        f.write(png(image))
