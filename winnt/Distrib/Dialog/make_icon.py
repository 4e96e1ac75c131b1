#!/usr/bin/env python3
"""Writes mirvo_bc.ico: one 32x32 image, 16 colours (4 bits per pixel).

The picture: a card with four bars, one for each loadcell channel.
Run it again after changing the picture and commit the .ico beside it.
"""
import struct
import sys

# The standard 16-colour palette, by index.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, GREY, DARK_GREY, RED, GREEN, YELLOW, BLUE, WHITE = 0, 2, 7, 8, 9, 10, 11, 12, 15

# One character per pixel, top row first; "." is transparent.
KEYS = {".": None, "k": BLACK, "g": GREY, "d": DARK_GREY, "w": WHITE,
        "r": RED, "G": GREEN, "y": YELLOW, "b": BLUE, "D": DARK_GREEN}


def picture():
    size = 32
    rows = [["."] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, key):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                rows[y][x] = key

    fill(2, 3, 29, 28, "k")        # card outline
    fill(3, 4, 28, 27, "g")        # card face
    fill(3, 4, 28, 4, "w")         # light top edge
    fill(3, 4, 3, 27, "w")         # light left edge
    fill(5, 6, 26, 22, "D")        # display
    for x0, top, key in ((7, 15, "r"), (12, 9, "y"), (17, 12, "G"), (22, 8, "b")):
        fill(x0, top, x0 + 2, 21, key)   # the four channels
    for x in (7, 12, 17, 22):
        fill(x, 24, x + 2, 25, "d")      # the four connectors
    return ["".join(r) for r in rows]


def ico_bytes(rows):
    size = len(rows)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bottom-up
        indices = [KEYS[c] if KEYS[c] is not None else 0 for c in row]
        for i in range(0, size, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
        bits = 0
        for c in row:
            bits = bits << 1 | (1 if KEYS[c] is None else 0)
        mask += bits.to_bytes(size // 8, "big")  # rows of 32 bits need no padding
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "mirvo_bc.ico"
    with open(out, "wb") as f:
        f.write(ico_bytes(picture()))
