#!/usr/bin/env python3
"""Draws MAINICON (kvtmon.ico): a monitor whose screen shows four channel
lines over time. Run it again after changing the picture and commit the .ico
beside it."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools"))
from icon16 import BLACK, BLUE, DARK_GREY, GREEN, GREY, RED, WHITE, YELLOW, Canvas, write_icon  # noqa: E402


def draw():
    c = Canvas()
    c.rect(1, 3, 30, 24, BLACK)        # monitor case
    c.rect(3, 5, 28, 22, WHITE)        # screen
    c.rect(12, 25, 19, 26, DARK_GREY)  # stand
    c.rect(8, 27, 23, 28, GREY)        # foot
    # Four lines of steps across the screen, one per channel.
    for colour, rows in ((RED, (8, 8, 10, 9, 9, 8)), (BLUE, (12, 13, 12, 12, 14, 13)),
                         (GREEN, (16, 15, 15, 17, 16, 16)), (YELLOW, (20, 19, 20, 20, 19, 20))):
        for i, row in enumerate(rows):
            c.rect(4 + i * 4, row, 7 + i * 4, row, colour)
    return c


if __name__ == "__main__":
    write_icon(sys.argv[1] if len(sys.argv) > 1 else "kvtmon.ico", draw())
