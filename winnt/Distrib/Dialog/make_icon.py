#!/usr/bin/env python3
"""Draws MAINICON (mirvo_bc.ico): a card with four bars, one for each loadcell
channel. Run it again after changing the picture and commit the .ico beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from icon16 import BLACK, BLUE, DARK_GREEN, DARK_GREY, GREEN, GREY, RED, WHITE, YELLOW, Canvas, write_icon  # noqa: E402


def draw():
    c = Canvas()
    c.rect(2, 3, 29, 28, BLACK)        # card outline
    c.rect(3, 4, 28, 27, GREY)         # card face
    c.rect(3, 4, 28, 4, WHITE)         # light top edge
    c.rect(3, 4, 3, 27, WHITE)         # light left edge
    c.rect(5, 6, 26, 22, DARK_GREEN)   # display
    for x0, top, colour in ((7, 15, RED), (12, 9, YELLOW), (17, 12, GREEN), (22, 8, BLUE)):
        c.rect(x0, top, x0 + 2, 21, colour)   # the four channels
    for x in (7, 12, 17, 22):
        c.rect(x, 24, x + 2, 25, DARK_GREY)   # the four connectors
    return c


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "mirvo_bc.ico", draw())
