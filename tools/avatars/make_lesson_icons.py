#!/usr/bin/env python3
"""Draws the two icons of the lesson tree, kept as resources of kvfwctrl:

    kvfwctrl/res/lesson.ico          (resource 154) a lesson: a sheet with lines of text
    kvfwctrl/res/lesson_active.ico   (resource 155) the active lesson: the sheet with a green
                                     play mark, the lesson chosen for typing

Each icon holds one 16 x 15 image (the size of the tree's image list), 32-bit with alpha
and an AND mask, sampled 4 x 4 times per pixel like the avatars of make_icons.py.

Usage: make_lesson_icons.py [output folder]   (default: kvfwctrl/res of this tree)
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from make_icons import CLEAR, bmp_image, polygon, rect, render  # noqa: E402

DEFAULT_OUT = os.path.normpath(os.path.join(HERE, '..', '..', 'kvfwctrl', 'res'))
WIDTH, HEIGHT = 16, 15

PAPER = (250, 250, 246, 255)
EDGE = (96, 110, 134, 255)
LINE = (120, 150, 200, 255)
FOLD = (206, 214, 228, 255)
PLAY = (40, 150, 60, 255)
PLAY_EDGE = (20, 90, 34, 255)

# Points are in pixels of the 16 x 15 image.
SHEET = [(2.5, 0.5), (10.5, 0.5), (13.5, 3.5), (13.5, 14.5), (2.5, 14.5)]
CORNER = [(10.5, 0.5), (10.5, 3.5), (13.5, 3.5)]
TRIANGLE = [(7.0, 5.5), (15.5, 10.0), (7.0, 14.5)]
TRIANGLE_INNER = [(8.0, 7.2), (13.6, 10.0), (8.0, 12.8)]


def sheet(x, y):
    if polygon(x, y, CORNER):
        return FOLD
    if polygon(x, y, SHEET):
        inner = polygon(x, y, [(3.5, 1.5), (10.0, 1.5), (12.5, 4.0), (12.5, 13.5), (3.5, 13.5)])
        if not inner:
            return EDGE
        for top in (4.5, 7.0, 9.5, 12.0):
            right = 9.5 if top == 4.5 else 11.5
            if rect(x, y, 4.5, top, right, top + 1.0):
                return LINE
        return PAPER
    return CLEAR


def sheet_active(x, y):
    if polygon(x, y, TRIANGLE_INNER):
        return PLAY
    if polygon(x, y, TRIANGLE):
        return PLAY_EDGE
    return sheet(x, y)


ICONS = [('lesson', sheet), ('lesson_active', sheet_active)]


def ico_bytes(draw):
    # The shapes above are in pixels; the renderer samples the unit square.
    rows = render(lambda x, y: draw(x * WIDTH, y * HEIGHT), WIDTH, HEIGHT)
    image = bmp_image(rows)
    out = bytearray(struct.pack('<HHH', 0, 1, 1))
    out += struct.pack('<BBBBHHII', WIDTH, HEIGHT, 0, 0, 1, 32, len(image), 6 + 16)
    return bytes(out) + image


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    os.makedirs(out, exist_ok=True)
    for name, draw in ICONS:
        with open(os.path.join(out, name + '.ico'), 'wb') as f:
            f.write(ico_bytes(draw))


if __name__ == '__main__':
    main()
