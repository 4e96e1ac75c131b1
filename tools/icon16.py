"""Writes .ico files in the standard 16 colours (4 bits) or monochrome (1 bit)
for the kit's programs.

A picture is rows of palette indexes, top row first; None is transparent.
write_icon(path, canvas, ...) writes 16-colour images; write_icon_group
writes images of any sizes and depths into one .ico.
"""
import struct

# The standard 16-colour palette, by index, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MONO_PALETTE = [(0, 0, 0), (255, 255, 255)]
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


def _padded(row_bytes):
    """Bitmap rows are padded to whole 32-bit words."""
    return row_bytes + bytes(-len(row_bytes) % 4)


def _pack(values, bits):
    packed = 0
    for v in values:
        packed = packed << bits | v
    total = len(values) * bits
    packed <<= -total % 8
    return packed.to_bytes((total + 7) // 8, "big")


def _mono_index(p):
    """Light colours become white, dark ones black."""
    r, g, b = PALETTE[p]
    return 1 if r * 30 + g * 59 + b * 11 >= 128 * 100 else 0


def image_bytes(pixels, bits=4):
    """One icon image (header, palette, colour bits, mask) of 4 or 1 bits."""
    size = len(pixels)
    palette_colours = PALETTE if bits == 4 else MONO_PALETTE
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bottom-up
        indices = [0 if p is None else (p if bits == 4 else _mono_index(p)) for p in row]
        xor += _padded(_pack(indices, bits))
        mask += _padded(_pack([1 if p is None else 0 for p in row], 1))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in palette_colours)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                         len(palette_colours), 0)
    return header + palette + bytes(xor) + bytes(mask)


def icon_group_bytes(images):
    """An .ico of several images: a list of (canvas, bits)."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for canvas, bits in images:
        image = image_bytes(canvas.pixels, bits)
        colours = 16 if bits == 4 else 2
        entries += struct.pack("<BBBBHHII", canvas.size, canvas.size, colours, 0, 1, bits, len(image),
                               offset + len(data))
        data += image
    return directory + entries + data


def write_icon(path, *canvases):
    """One 16-colour image per canvas, in the order given."""
    write_icon_group(path, [(canvas, 4) for canvas in canvases])


def write_icon_group(path, images):
    with open(path, "wb") as f:
        f.write(icon_group_bytes(images))
