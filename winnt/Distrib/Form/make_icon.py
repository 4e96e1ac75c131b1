#!/usr/bin/env python3
"""Draws icon group 1 of Mirvo_vb (Mirvo_vb.ico): a form with a title bar,
two buttons and a label of four weight bars; 32x32 in monochrome and in 16
colours, and 16x16 in 16 colours. Run it again after changing the picture and
commit the .ico beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from icon16 import BLACK, BLUE, DARK_BLUE, DARK_GREY, GREEN, GREY, RED, WHITE, YELLOW, Canvas, write_icon_group  # noqa: E402


def draw32():
    c = Canvas(32)
    c.rect(1, 3, 30, 28, BLACK)       # the form's frame
    c.rect(2, 4, 29, 8, DARK_BLUE)    # title bar
    c.rect(26, 5, 28, 7, GREY)        # close box
    c.rect(2, 9, 29, 27, GREY)        # client area
    for y in (11, 19):                # two buttons
        c.rect(4, y, 13, y + 5, BLACK)
        c.rect(4, y, 12, y + 4, WHITE)
        c.rect(5, y + 1, 12, y + 4, GREY)
    c.rect(16, 11, 27, 25, WHITE)     # the label with four weights
    for x0, top, colour in ((17, 19, RED), (20, 14, YELLOW), (23, 16, GREEN), (25, 13, BLUE)):
        c.rect(x0, top, x0 + 1, 24, colour)
    return c


def draw16():
    c = Canvas(16)
    c.rect(0, 1, 15, 14, BLACK)
    c.rect(1, 2, 14, 3, DARK_BLUE)
    c.rect(1, 4, 14, 13, GREY)
    c.rect(2, 5, 6, 7, DARK_GREY)      # buttons
    c.rect(2, 9, 6, 11, DARK_GREY)
    c.rect(8, 5, 13, 12, WHITE)        # label
    for x, top, colour in ((9, 9, RED), (10, 6, YELLOW), (11, 8, GREEN), (12, 7, BLUE)):
        c.rect(x, top, x, 11, colour)
    return c


if __name__ == "__main__":
    picture = draw32()
    write_icon_group(sys.argv[1] if len(sys.argv) > 1 else "Mirvo_vb.ico",
                     [(picture, 1), (picture, 4), (draw16(), 4)])
