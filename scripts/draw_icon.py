#!/usr/bin/env python3
"""Draws the program's icon, a hamburger, as 32 x 32 pixels in a 256-colour palette, and writes
it as resources/ramka.ico (the Windows file icon) and resources/ramka.png (the window icon and
the Linux desktop icon), and the same picture at 64, 128, 192, 256 and 512 pixels, each pixel a
square block so that it stays crisp, as resources/icons/ramka-SIZE.png for the desktop's larger
icons and the installed page's.
Run it again after changing the drawing; the files are committed."""

import pathlib
import struct
import zlib

SIZE = 32

# Palette index 0 is transparent; the rest are the hamburger's colours.
PALETTE = [
    (0, 0, 0),          # 0 transparent
    (122, 68, 22),      # 1 bun outline
    (226, 154, 64),     # 2 bun
    (246, 196, 110),    # 3 bun highlight
    (255, 244, 214),    # 4 sesame seed
    (70, 160, 40),      # 5 lettuce
    (40, 110, 24),      # 6 lettuce shade
    (255, 206, 40),     # 7 cheese
    (200, 60, 40),      # 8 tomato
    (92, 50, 26),       # 9 patty
    (60, 32, 16),       # 10 patty shade
    (196, 124, 48),     # 11 bottom bun shade
]


def draw():
    pixels = [[0] * SIZE for _ in range(SIZE)]

    def fill(x0, x1, y, colour):
        for x in range(max(0, x0), min(SIZE, x1 + 1)):
            pixels[y][x] = colour

    # Top bun: a dome from row 4 to row 13, outlined.
    for y in range(4, 14):
        t = (13.5 - y) / 9.5  # 1 at the top, 0 at the bottom
        half = int(round(14 * (1 - t ** 2.2) ** 0.5))
        fill(16 - half, 15 + half, y, 1)
        fill(17 - half, 14 + half, y, 2 if y > 6 else 1)
    for y, x0, x1 in ((6, 11, 18), (7, 8, 14)):
        fill(x0, x1, y, 3)
    for x, y in ((9, 9), (14, 7), (19, 8), (23, 10), (12, 11), (18, 11), (6, 11), (25, 12)):
        pixels[y][x] = 4
    # Lettuce: a wavy green band.
    for x in range(2, 30):
        pixels[14][x] = 5
        pixels[15][x] = 6 if x % 4 == 0 else 5
        if x % 4 in (1, 2):
            pixels[16][x] = 5
    # Tomato and cheese, the cheese dripping at the corners.
    for x in range(3, 29):
        if pixels[16][x] == 0:
            pixels[16][x] = 8
    fill(2, 29, 17, 7)
    for x in (4, 5, 26, 27):
        pixels[18][x] = 7
    # The patty.
    for y in range(18, 23):
        inset = 2 if y in (18, 22) else 1
        for x in range(1 + inset, 31 - inset):
            if pixels[y][x] == 0:
                pixels[y][x] = 10 if y == 22 or (x + y) % 7 == 0 else 9
    # Bottom bun.
    for y in range(23, 28):
        inset = {23: 2, 24: 1, 25: 1, 26: 2, 27: 4}[y]
        fill(inset, 31 - inset, y, 1)
        if y < 27:
            fill(inset + 1, 30 - inset, y, 11 if y == 26 else 2)
    return pixels


def png(pixels):
    size = len(pixels)
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    palette = PALETTE + [(0, 0, 0)] * (256 - len(PALETTE))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
            + chunk(b"PLTE", b"".join(bytes(c) for c in palette))
            + chunk(b"tRNS", b"\x00")
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def scaled(pixels, factor):
    return [[p for p in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def ico(pixels):
    palette = PALETTE + [(0, 0, 0)] * (256 - len(PALETTE))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, 0, 0, 0, 256, 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = b"".join(bytes(row) for row in reversed(pixels))
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    image = header + colours + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack(
        "<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 22)
    return directory + image


def main():
    pixels = draw()
    out = pathlib.Path(__file__).resolve().parent.parent / "resources"
    (out / "ramka.png").write_bytes(png(pixels))
    (out / "ramka.ico").write_bytes(ico(pixels))
    (out / "icons").mkdir(exist_ok=True)
    for factor in (2, 4, 6, 8, 16):
        (out / "icons" / f"ramka-{SIZE * factor}.png").write_bytes(png(scaled(pixels, factor)))


if __name__ == "__main__":
    main()
