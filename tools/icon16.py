"""Writes 32x32, 16-colour .ico files (one 4-bit image) for the kit's programs.

A picture is 32 rows of 32 palette indexes, top row first; None is transparent.
"""
import struct

# The standard 16-colour palette, by index, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, DARK_BLUE, GREY, DARK_GREY = 0, 2, 4, 7, 8
RED, GREEN, YELLOW, BLUE, WHITE = 9, 10, 11, 12, 15
SIZE = 32


class Canvas:
    """A transparent 32x32 picture to draw rectangles on."""

    def __init__(self):
        self.pixels = [[None] * SIZE for _ in range(SIZE)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour


def ico_bytes(pixels):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bottom-up
        indices = [0 if p is None else p for p in row]
        for i in range(0, SIZE, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
        bits = 0
        for p in row:
            bits = bits << 1 | (1 if p is None else 0)
        mask += bits.to_bytes(SIZE // 8, "big")  # rows of 32 bits need no padding
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def write_icon(path, canvas):
    with open(path, "wb") as f:
        f.write(ico_bytes(canvas.pixels))
