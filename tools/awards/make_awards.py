#!/usr/bin/env python3
"""Draws the award pictures of the results page (data/Data/Img/aw_1.bmp .. aw_5.bmp) and the
icons of the statistics columns (data/Data/Img/<column number>.ico).

An award is a medal on a ribbon: bronze, silver, gold, gold with a laurel ring and a cup, with
one to five stars. Pictures are 96 x 96, 24-bit, on the dialog background, sampled 4 x 4 times
per pixel. The icons reuse the shapes and the icon writer of tools/avatars.

Usage: make_awards.py [data folder]   (default: data/ of this tree)
"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'avatars'))
from make_icons import (circle, ellipse, lerp, near_segment, polygon, rect, star_points,  # noqa: E402
                        write_ico, CLEAR)

DEFAULT_DATA = os.path.normpath(os.path.join(HERE, '..', '..', 'data'))
SIZE = 96
SUB = 4
BACKGROUND = (0xFD, 0xFD, 0xFF, 255)  # the dialogs' background, 0xFFFDFD as RGB

METALS = [
    ((205, 127, 50, 255), (140, 80, 30, 255)),    # bronze
    ((225, 225, 232, 255), (150, 150, 165, 255)),  # silver
    ((255, 215, 60, 255), (200, 150, 20, 255)),    # gold
    ((255, 215, 60, 255), (200, 150, 20, 255)),
    ((255, 225, 80, 255), (210, 140, 10, 255)),
]
RIBBONS = [(70, 110, 200, 255), (60, 160, 90, 255), (200, 60, 60, 255), (150, 60, 170, 255),
           (220, 40, 40, 255)]


def award(level):
    """level 1..5: a drawing function of the unit square."""
    light, dark = METALS[level - 1]
    ribbon = RIBBONS[level - 1]
    stars = [star_points(0.5 + (i - (level - 1) / 2) * 0.12, 0.66, 0.055, 0.024) for i in range(level)]

    def draw(x, y):
        for pts in stars:
            if polygon(x, y, pts):
                return (255, 255, 255, 255) if level >= 3 else (255, 240, 150, 255)
        if level >= 4 and circle(x, y, 0.5, 0.64, 0.33) and not circle(x, y, 0.5, 0.64, 0.30):
            return (60, 150, 60, 255)  # laurel ring
        if circle(x, y, 0.5, 0.64, 0.28):
            t = math.hypot(x - 0.42, y - 0.56) / 0.4
            return lerp(light, dark, min(1.0, t))
        if circle(x, y, 0.5, 0.64, 0.30):
            return dark
        # two ribbon bands from the top to the medal
        if polygon(x, y, [(0.22, 0.02), (0.40, 0.02), (0.56, 0.40), (0.44, 0.42)]):
            return ribbon
        if polygon(x, y, [(0.60, 0.02), (0.78, 0.02), (0.56, 0.42), (0.44, 0.40)]):
            return lerp(ribbon, (0, 0, 0, 255), 0.25)
        if level == 5 and (polygon(x, y, [(0.05, 0.30), (0.16, 0.22), (0.16, 0.38)]) or
                           polygon(x, y, [(0.95, 0.30), (0.84, 0.22), (0.84, 0.38)])):
            return (255, 200, 40, 255)  # rays of the champion's medal
        return BACKGROUND

    return draw


def write_bmp(path, draw):
    rows = []
    for py in range(SIZE - 1, -1, -1):  # bottom-up
        row = bytearray()
        for px in range(SIZE):
            acc = [0, 0, 0]
            for sy in range(SUB):
                for sx in range(SUB):
                    c = draw((px + (sx + 0.5) / SUB) / SIZE, (py + (sy + 0.5) / SUB) / SIZE)
                    a = c[3] / 255.0
                    for i in range(3):
                        acc[i] += c[i] * a + BACKGROUND[i] * (1 - a)
            r, g, b = (int(v / (SUB * SUB) + 0.5) for v in acc)
            row += bytes((b, g, r))
        row += b'\0' * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b''.join(rows)
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


# ---- column icons -------------------------------------------------------------------------

INK = (60, 70, 110, 255)
ACCENT = (220, 90, 40, 255)


def icon_date(x, y):
    if rect(x, y, 0.12, 0.18, 0.88, 0.32):
        return ACCENT
    if rect(x, y, 0.12, 0.18, 0.88, 0.86) and not rect(x, y, 0.18, 0.36, 0.82, 0.80):
        return INK
    if rect(x, y, 0.26, 0.44, 0.40, 0.56) or rect(x, y, 0.58, 0.60, 0.72, 0.72):
        return INK
    return CLEAR


def icon_lesson(x, y):
    if rect(x, y, 0.2, 0.1, 0.8, 0.9):
        for line in (0.28, 0.42, 0.56, 0.70):
            if rect(x, y, 0.3, line, 0.7, line + 0.05):
                return INK
        return (245, 245, 250, 255) if rect(x, y, 0.24, 0.14, 0.76, 0.86) else INK
    return CLEAR


def icon_type(x, y):
    if polygon(x, y, [(0.1, 0.3), (0.6, 0.3), (0.9, 0.5), (0.6, 0.7), (0.1, 0.7)]):
        return CLEAR if circle(x, y, 0.62, 0.5, 0.06) else INK
    return CLEAR


def speed(arrows):
    def draw(x, y):
        for i in range(arrows):
            off = i * 0.3
            if polygon(x, y, [(0.1 + off, 0.25), (0.4 + off, 0.5), (0.1 + off, 0.75), (0.1 + off, 0.6),
                              (0.22 + off, 0.5), (0.1 + off, 0.4)]):
                return ACCENT if i == arrows - 1 else INK
        return CLEAR
    return draw


def icon_errors(x, y):
    if near_segment(x, y, 0.2, 0.2, 0.8, 0.8, 0.16) or near_segment(x, y, 0.8, 0.2, 0.2, 0.8, 0.16):
        return (200, 40, 40, 255)
    return CLEAR


def icon_errors_proc(x, y):
    if near_segment(x, y, 0.15, 0.15, 0.55, 0.55, 0.12) or near_segment(x, y, 0.55, 0.15, 0.15, 0.55, 0.12):
        return (200, 40, 40, 255)
    return icon_percent(x, y)


def icon_percent(x, y):
    if near_segment(x, y, 0.85, 0.55, 0.55, 0.92, 0.07):
        return INK
    if (circle(x, y, 0.6, 0.6, 0.07) and not circle(x, y, 0.6, 0.6, 0.03)) or \
            (circle(x, y, 0.82, 0.86, 0.07) and not circle(x, y, 0.82, 0.86, 0.03)):
        return INK
    return CLEAR


def icon_duration(x, y):
    if near_segment(x, y, 0.5, 0.5, 0.5, 0.22, 0.08) or near_segment(x, y, 0.5, 0.5, 0.7, 0.6, 0.08):
        return INK
    if circle(x, y, 0.5, 0.5, 0.4):
        return INK if not circle(x, y, 0.5, 0.5, 0.33) else (250, 250, 255, 255)
    return CLEAR


def icon_accuracy(x, y):
    d = math.hypot(x - 0.5, y - 0.5)
    if d > 0.42:
        return CLEAR
    return ACCENT if int(d / 0.085) % 2 == 0 else (250, 250, 255, 255)


def icon_accuracy_proc(x, y):
    p = icon_percent(x, y)
    if p != CLEAR:
        return p
    d = math.hypot(x - 0.38, y - 0.38)
    if d > 0.32:
        return CLEAR
    return ACCENT if int(d / 0.08) % 2 == 0 else (250, 250, 255, 255)


def icon_length(x, y):
    if rect(x, y, 0.08, 0.38, 0.92, 0.62):
        for i in range(9):
            tx = 0.14 + i * 0.09
            if rect(x, y, tx, 0.38, tx + 0.03, 0.47 + (0.06 if i % 2 == 0 else 0)):
                return INK
        return (240, 200, 90, 255)
    return CLEAR


def icon_rhythm(x, y):
    wave = 0.5 + 0.22 * math.sin((x - 0.1) * 2 * math.pi * 1.25)
    if 0.1 <= x <= 0.9 and abs(y - wave) < 0.07:
        return INK
    return CLEAR


def icon_char(x, y):
    if near_segment(x, y, 0.5, 0.15, 0.22, 0.85, 0.13) or near_segment(x, y, 0.5, 0.15, 0.78, 0.85, 0.13) or \
            near_segment(x, y, 0.33, 0.6, 0.67, 0.6, 0.1):
        return INK
    return CLEAR


ICONS = {
    1: icon_date, 2: icon_lesson, 3: icon_type, 10: icon_char,
    701: speed(2), 702: icon_errors, 703: icon_duration, 704: speed(1), 705: icon_errors_proc,
    706: icon_accuracy, 707: icon_accuracy_proc, 708: icon_length, 709: icon_rhythm,
}


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_DATA
    folder = os.path.join(data, 'Data', 'Img')
    os.makedirs(folder, exist_ok=True)
    for level in range(1, 6):
        write_bmp(os.path.join(folder, 'aw_%d.bmp' % level), award(level))
    for number, draw in ICONS.items():
        write_ico(os.path.join(folder, '%d.ico' % number), draw)
    print('wrote %d pictures and %d icons to %s' % (5, len(ICONS), folder))


if __name__ == '__main__':
    main()
