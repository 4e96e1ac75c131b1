"""Writes 16-colour .ico files (4-bit images, 32x32 and optionally 16x16) for
the kit's programs.

A picture is `size` rows of `size` palette indexes, top row first; None is
transparent.
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
    """A transparent square picture (32x32 unless told) to draw rectangles on."""

    def __init__(self, size=SIZE):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour


def image_bytes(pixels):
    """One 4-bit icon image: header, palette, colour rows and mask rows."""
    size = len(pixels)
    mask_row = (size + 31) // 32 * 4  # mask rows are padded to 32 bits
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bottom-up
        indices = [0 if p is None else p for p in row]
        for i in range(0, size, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
        bits = 0
        for p in row:
            bits = bits << 1 | (1 if p is None else 0)
        mask += (bits << (mask_row * 8 - size)).to_bytes(mask_row, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    return header + palette + bytes(xor) + bytes(mask)


def ico_bytes(*pictures):
    """An .ico of one image per picture, in the order given."""
    images = [image_bytes(p) for p in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for pixels, image in zip(pictures, images):
        size = len(pixels)
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


def write_icon(path, *canvases):
    with open(path, "wb") as f:
        f.write(ico_bytes(*(c.pixels for c in canvases)))
