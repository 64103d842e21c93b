#!/usr/bin/env python3
"""Draws the program's icon, app/res/Fingerwaltz.ico: a light key cap with an "F" and its home-row
bump on the slate of the skin. It is the window's, the tray's, the about box's, the setup's and
the installed-programs entry's icon. Sizes 16 to 48 as 32-bit bitmaps, 256 as PNG (as Windows
expects for the large size). Standard library only.

    python3 tools/avatars/make_app_icon.py [output.ico]
"""
import os
import struct
import sys
import zlib

import make_icons
from make_icons import lerp, near_segment, render

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUT = os.path.normpath(os.path.join(HERE, '..', '..', 'app', 'res', 'Fingerwaltz.ico'))
SIZES = (16, 24, 32, 48, 256)

# The skin's palette (tools/skin/make_skin.py).
SLATE = (38, 46, 58)
SLATE_LIGHT = (70, 84, 106)
KEY_TOP = (246, 248, 251)
KEY_SIDE = (196, 204, 215)
ACCENT = (64, 140, 230)


def rounded(x, y, x0, y0, x1, y1, r):
    """Inside the rectangle with corners rounded by r."""
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def pic_app(x, y):
    # The letter and the bump, on the key's top.
    if (near_segment(x, y, 0.40, 0.26, 0.40, 0.62, 0.10) or near_segment(x, y, 0.40, 0.26, 0.64, 0.26, 0.10)
            or near_segment(x, y, 0.40, 0.43, 0.58, 0.43, 0.09)):
        return SLATE + (255,)
    if near_segment(x, y, 0.40, 0.72, 0.60, 0.72, 0.06):
        return ACCENT + (255,)
    # The key: its top, then its lower side giving it depth.
    if rounded(x, y, 0.20, 0.15, 0.80, 0.80, 0.09):
        return lerp(KEY_TOP + (255,), (228, 233, 240, 255), (y - 0.15) / 0.65)
    if rounded(x, y, 0.17, 0.14, 0.83, 0.88, 0.11):
        return KEY_SIDE + (255,)
    # The ground: a rounded tile of the skin's slate.
    if rounded(x, y, 0.0, 0.0, 1.0, 1.0, 0.2):
        return lerp(SLATE_LIGHT + (255,), SLATE + (255,), y)
    return (0, 0, 0, 0)


def png_image(rows):
    size, height = len(rows[0]), len(rows)
    raw = b''.join(b'\0' + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUT
    images = []
    for size in SIZES:
        rows = render(pic_app, size)
        images.append((size, png_image(rows) if size >= 256 else make_icons.bmp_image(rows)))
    length = make_icons.save_ico(out, images)
    print(f'{out}: {len(SIZES)} sizes, {length} bytes')
    return 0


if __name__ == '__main__':
    sys.exit(main())
