#!/usr/bin/env python3
"""Draws MAINICON (mirvo_dw32.ico): a card with four bars, one for each loadcell
channel, and a red error mark for the sample that reports failures. Run it
again after changing the picture and commit the .ico beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from icon16 import BLACK, BLUE, DARK_BLUE, DARK_GREY, GREEN, GREY, RED, WHITE, YELLOW, Canvas, write_icon  # noqa: E402


def draw():
    c = Canvas()
    c.rect(1, 5, 26, 28, BLACK)        # card outline
    c.rect(2, 6, 25, 27, GREY)         # card face
    c.rect(2, 6, 25, 6, WHITE)         # light top edge
    c.rect(2, 6, 2, 27, WHITE)         # light left edge
    c.rect(4, 8, 23, 23, DARK_BLUE)    # display
    for x0, top, colour in ((6, 16, GREEN), (11, 11, YELLOW), (16, 14, GREEN), (21, 12, BLUE)):
        c.rect(x0, top, x0 + 1, 22, colour)   # the four channels
    for x in (6, 11, 16, 21):
        c.rect(x, 25, x + 1, 26, DARK_GREY)   # the four connectors
    c.rect(22, 0, 31, 9, RED)          # the error mark: a red square with "!"
    c.rect(26, 2, 27, 5, WHITE)
    c.rect(26, 7, 27, 7, WHITE)
    return c


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "mirvo_dw32.ico", draw())
