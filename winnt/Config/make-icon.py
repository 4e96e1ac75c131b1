#!/usr/bin/env python3
"""Draws MAINICON (mirvocfg.ico): a 32x32, 16-colour picture of a plug-in card
with four loadcell sockets and a list beside it. Run it to remake the .ico."""
import struct
import sys

# The standard 16-colour palette, as (blue, green, red, 0).
PALETTE = [
    (0, 0, 0), (0x80, 0, 0), (0, 0x80, 0), (0x80, 0x80, 0),
    (0, 0, 0x80), (0x80, 0, 0x80), (0, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0, 0), (0, 0xFF, 0), (0xFF, 0xFF, 0),
    (0, 0, 0xFF), (0xFF, 0, 0xFF), (0, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]  # (red, green, blue)
BLACK, DKGREEN, GREY, DKGREY, YELLOW, WHITE, DKBLUE = 0, 2, 7, 8, 11, 15, 4
SIZE = 32


def draw():
    pixels = [[None] * SIZE for _ in range(SIZE)]  # None: transparent

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    # The card: a green board with a black edge and a gold edge connector.
    rect(2, 6, 29, 24, BLACK)
    rect(3, 7, 28, 23, DKGREEN)
    for x in range(5, 27, 2):
        rect(x, 25, x, 27, YELLOW)
    # A chip.
    rect(6, 10, 15, 17, BLACK)
    rect(7, 11, 14, 16, DKGREY)
    # Four loadcell sockets.
    for i in range(4):
        rect(19, 9 + i * 3, 26, 10 + i * 3, GREY)
        rect(19, 9 + i * 3, 19, 10 + i * 3, WHITE)
    # The bracket at the card's end.
    rect(0, 3, 1, 28, DKBLUE)
    return pixels


def ico(pixels):
    rows_xor = []
    rows_and = []
    for y in reversed(range(SIZE)):  # bottom-up
        row = pixels[y]
        xor = bytearray()
        for x in range(0, SIZE, 2):
            hi = row[x] or 0
            lo = row[x + 1] or 0
            xor.append((hi << 4) | lo)
        rows_xor.append(bytes(xor))
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        rows_and.append(struct.pack(">I", bits))
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         0, 0, 0, 16, 0)
    image = header + palette + b"".join(rows_xor) + b"".join(rows_and)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return icondir + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "mirvocfg.ico"
    with open(out, "wb") as f:
        f.write(ico(draw()))
