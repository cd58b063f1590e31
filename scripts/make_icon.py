#!/usr/bin/env python3
"""Draws the program's icon: a page of links under a star.

Writes app/resources/markroll.ico (32 x 32, 4 bits per pixel: the window and
program icon) and app/resources/markroll.png (the same image), and, for
desktop menus and software centres, the same picture drawn in vector form
(the SHAPES below) as app/resources/icons/markroll.svg and as smooth PNGs of
every hicolor size in app/resources/icons/SIZE/markroll.png.
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
    rows = [[(PALETTE[i] + (255,)) if i is not None else (0, 0, 0, 0) for i in row] for row in px]
    return png_rgba(rows)


def png_rgba(rows):
    size = len(rows)
    raw = b""
    for row in rows:
        raw += b"\x00" + b"".join(bytes(pixel) for pixel in row)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The vector picture, on a 32-unit square: (colour, polygon) from back to front.
STAR = [(5.0, 0.6), (6.3, 3.6), (9.6, 3.8), (7.1, 6.0), (7.9, 9.3), (5.0, 7.5), (2.1, 9.3), (2.9, 6.0),
        (0.4, 3.8), (3.7, 3.6)]
SHAPES = [
    ((0, 0, 0), [(5, 4), (21, 4), (27, 10), (27, 31), (5, 31)]),
    ((255, 255, 255), [(6, 5), (20.5, 5), (26, 10.5), (26, 30), (6, 30)]),
    ((0, 0, 0), [(20.5, 5), (21.5, 5), (21.5, 9.5), (26, 9.5), (26, 10.5), (20.5, 10.5)]),
] + [shape for row, y in enumerate(range(12, 29, 4)) for shape in (
    ((0, 0, 255), [(8, y), (10, y), (10, y + 2), (8, y + 2)]),
    ((0, 0, 128), [(11, y + 1), (24 - (row % 2) * 4, y + 1), (24 - (row % 2) * 4, y + 2), (11, y + 2)]),
)] + [
    ((128, 128, 0), [(x + dx, y + dy) for x, y in STAR for dx, dy in [(0, 0)]]),
    ((255, 255, 0), [(5.0 + (x - 5.0) * 0.8, 5.2 + (y - 5.2) * 0.8) for x, y in STAR]),
]
HICOLOR_SIZES = [16, 24, 32, 48, 64, 128, 256]


def inside(polygon, x, y):
    hit = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def render(size, samples=4):
    """The vector picture at `size` pixels, each pixel the mean of samples^2 points."""
    rows = []
    scale = 32 / size
    for py in range(size):
        row = []
        for px_ in range(size):
            total, alpha = [0, 0, 0], 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px_ + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for fill, polygon in SHAPES:
                        if inside(polygon, x, y):
                            colour = fill
                    if colour:
                        total = [t + c for t, c in zip(total, colour)]
                        alpha += 1
            row.append(tuple(t // alpha for t in total) + (255 * alpha // samples ** 2,) if alpha else (0, 0, 0, 0))
        rows.append(row)
    return rows


def svg():
    paths = "".join(
        f'  <path fill="#{r:02x}{g:02x}{b:02x}" d="M{" L".join(f"{x:g},{y:g}" for x, y in polygon)} Z"/>\n'
        for (r, g, b), polygon in SHAPES)
    return f'<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">\n{paths}</svg>\n'


if __name__ == "__main__":
    import os

    image = draw()
    with open("app/resources/markroll.ico", "wb") as f:
        f.write(ico(image))
    with open("app/resources/markroll.png", "wb") as f:
        f.write(png(image))
    os.makedirs("app/resources/icons", exist_ok=True)
    with open("app/resources/icons/markroll.svg", "w") as f:
        f.write(svg())
    for size in HICOLOR_SIZES:
        os.makedirs(f"app/resources/icons/{size}", exist_ok=True)
        with open(f"app/resources/icons/{size}/markroll.png", "wb") as f:
            f.write(png_rgba(render(size)))
