#!/usr/bin/env python3
"""Draws icon 128 of Mirvo_mfc (Mirvo_mfc.ico): a dialog window with a blue
caption, showing four weight bars, one for each loadcell channel; a 32 by 32
and a 16 by 16 image. Run it again after changing the picture and commit the
.ico beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from icon16 import BLACK, BLUE, DARK_BLUE, GREEN, GREY, RED, WHITE, YELLOW, Canvas, write_icon  # noqa: E402

BARS = (RED, YELLOW, GREEN, BLUE)


def draw_large():
    c = Canvas(32)
    c.rect(1, 3, 30, 28, BLACK)         # window frame
    c.rect(2, 4, 29, 27, GREY)          # window face
    c.rect(2, 4, 29, 8, DARK_BLUE)      # caption
    c.rect(26, 5, 28, 7, GREY)          # close box
    c.rect(4, 11, 27, 25, WHITE)        # the status field
    for (x0, top), colour in zip(((6, 18), (12, 13), (18, 16), (24, 14)), BARS):
        c.rect(x0, top, x0 + 2 if x0 < 24 else 25, 23, colour)
    return c


def draw_small():
    c = Canvas(16)
    c.rect(0, 1, 15, 14, BLACK)
    c.rect(1, 2, 14, 13, GREY)
    c.rect(1, 2, 14, 4, DARK_BLUE)
    c.rect(2, 6, 13, 12, WHITE)
    for (x0, top), colour in zip(((3, 9), (6, 7), (9, 8), (12, 7)), BARS):
        c.rect(x0, top, x0, 11, colour)
    return c


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "Mirvo_mfc.ico", draw_large(), draw_small())
