#!/usr/bin/env python3
"""Draws MAINICON (mirvocfg.ico): a plug-in card with four loadcell sockets.
Run it to remake the .ico, and commit the .ico beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
from icon16 import BLACK, DARK_BLUE, DARK_GREEN, DARK_GREY, GREY, WHITE, YELLOW, Canvas, write_icon  # noqa: E402


def draw():
    c = Canvas()
    # The card: a green board with a black edge and a gold edge connector.
    c.rect(2, 6, 29, 24, BLACK)
    c.rect(3, 7, 28, 23, DARK_GREEN)
    for x in range(5, 27, 2):
        c.rect(x, 25, x, 27, YELLOW)
    # A chip.
    c.rect(6, 10, 15, 17, BLACK)
    c.rect(7, 11, 14, 16, DARK_GREY)
    # Four loadcell sockets.
    for i in range(4):
        c.rect(19, 9 + i * 3, 26, 10 + i * 3, GREY)
        c.rect(19, 9 + i * 3, 19, 10 + i * 3, WHITE)
    # The bracket at the card's end.
    c.rect(0, 3, 1, 28, DARK_BLUE)
    return c


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "mirvocfg.ico", draw())
