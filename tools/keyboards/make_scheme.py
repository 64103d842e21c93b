#!/usr/bin/env python3
"""Writes the keyboard colour-scheme bitmap: one scheme per pixel row, 17 colours each.

Columns: 0-5 key face of finger 0-5 (little, ring, middle, index, index stretch, thumb),
6-11 their shade, 12 highlighted face, 13 highlighted shade, 14 background, 15 letters,
16 letters on a highlighted key. The first row stored in the file is scheme 0.
The bitmap is 20 pixels wide (3 spare columns repeat the background) so that a row is
exactly 60 bytes and needs no padding.
"""
import argparse
import os
import struct

WIDTH = 20

# Faces and shades stay light enough for the black letters of contrast mode (which also
# brightens every key colour by 50); the flat style fills keys with the shade colour.
SCHEMES = [
    ("Classic", dict(
        face=[(250, 160, 160), (250, 210, 140), (248, 238, 150), (160, 230, 160), (150, 220, 220), (170, 190, 250)],
        shade=[(215, 120, 120), (220, 175, 100), (215, 205, 110), (120, 195, 120), (110, 185, 185), (130, 150, 215)],
        hi_face=(30, 105, 225), hi_shade=(20, 70, 170), background=(45, 50, 60),
        letter=(20, 20, 30), hi_letter=(255, 255, 255))),
    ("Light", dict(
        face=[(255, 182, 193), (255, 218, 170), (255, 245, 170), (190, 240, 190), (180, 235, 235), (200, 210, 255)],
        shade=[(230, 140, 155), (235, 185, 125), (230, 215, 120), (145, 210, 145), (135, 205, 205), (155, 170, 235)],
        hi_face=(30, 110, 230), hi_shade=(20, 80, 180), background=(225, 228, 232),
        letter=(30, 30, 30), hi_letter=(255, 255, 255))),
    ("Night", dict(
        face=[(180, 70, 90), (190, 120, 50), (170, 160, 40), (60, 150, 80), (40, 140, 150), (70, 100, 180)],
        shade=[(130, 45, 60), (140, 85, 30), (125, 115, 25), (40, 105, 55), (25, 100, 110), (45, 70, 135)],
        hi_face=(255, 220, 0), hi_shade=(200, 160, 0), background=(10, 10, 20),
        letter=(245, 245, 245), hi_letter=(0, 0, 0))),
    ("Paper", dict(
        face=[(255, 220, 220), (255, 235, 210), (255, 250, 210), (220, 250, 220), (215, 245, 245), (225, 230, 255)],
        shade=[(200, 150, 150), (205, 175, 140), (200, 195, 140), (150, 195, 150), (145, 190, 190), (160, 170, 210)],
        hi_face=(0, 150, 0), hi_shade=(0, 100, 0), background=(255, 255, 255),
        letter=(0, 0, 80), hi_letter=(255, 255, 255))),
]


def row(s):
    colours = s["face"] + s["shade"] + [s["hi_face"], s["hi_shade"], s["background"], s["letter"], s["hi_letter"]]
    assert len(colours) == 17
    colours += [s["background"]] * (WIDTH - len(colours))
    return b"".join(bytes((b, g, r)) for r, g, b in colours)  # stored blue, green, red


def bitmap(schemes):
    pixels = b"".join(row(s) for _, s in schemes)
    height = len(schemes)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", action="append",
                    help="file to write (repeatable); default data/Data/KeyboardScheme.bmp")
    args = ap.parse_args()
    targets = args.out or [os.path.join(here, "..", "..", "data", "Data", "KeyboardScheme.bmp")]
    data = bitmap(SCHEMES)
    for target in targets:
        os.makedirs(os.path.dirname(os.path.abspath(target)), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        print(f"{target}: {len(SCHEMES)} schemes")


if __name__ == "__main__":
    main()
