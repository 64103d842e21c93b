#!/usr/bin/env python3
"""Draws the user pictures (data/Avatars) and the language icons (data/Language).

Every picture is a function from a point of the unit square (x to the right, y downwards)
to a colour with alpha; it is sampled 4 x 4 times per pixel and written as an .ico file
holding a 32 x 32 and a 48 x 48 image (32-bit BMP images with an AND mask).

Usage: make_icons.py [data folder]   (default: data/ of this tree)
"""
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_DATA = os.path.normpath(os.path.join(HERE, '..', '..', 'data'))
SIZES = (32, 48)
SUB = 4  # samples per pixel and axis


# ---- shapes: each returns True when the point is inside ----------------------------------

def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x, y, x0, y0, x1, y1):
    return x0 <= x <= x1 and y0 <= y <= y1


def polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        x0, y0 = pts[i]
        x1, y1 = pts[(i + 1) % n]
        if (y0 > y) != (y1 > y):
            if x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
    return inside


def near_segment(x, y, ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2


def star_points(cx, cy, outer, inner, n=5, turn=-math.pi / 2):
    pts = []
    for i in range(2 * n):
        r = outer if i % 2 == 0 else inner
        a = turn + i * math.pi / n
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def heart(x, y, cx=0.5, cy=0.52, s=1.0):
    # Classic implicit heart curve, scaled into the square.
    u = (x - cx) / (0.36 * s)
    v = -(y - cy) / (0.36 * s) + 0.25
    return (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0


def shade(colour, factor):
    r, g, b, a = colour
    return (min(255, int(r * factor)), min(255, int(g * factor)), min(255, int(b * factor)), a)


def lerp(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(c0[i] + (c1[i] - c0[i]) * t) for i in range(4))


CLEAR = (0, 0, 0, 0)
WHITE = (255, 255, 255, 255)
DARK = (40, 40, 50, 255)


def disc_background(x, y, c0, c1):
    """A round badge with a soft vertical gradient and a darker rim."""
    if not circle(x, y, 0.5, 0.5, 0.48):
        return None
    if not circle(x, y, 0.5, 0.5, 0.44):
        return shade(c1, 0.75)
    return lerp(c0, c1, y)


# ---- the pictures ------------------------------------------------------------------------

def pic_heart(x, y):
    if heart(x, y):
        if ellipse(x, y, 0.32, 0.36, 0.08, 0.055):
            return (255, 170, 185, 255)
        return lerp((235, 40, 70, 255), (170, 10, 40, 255), y)
    return CLEAR


def pic_star(x, y):
    pts = star_points(0.5, 0.53, 0.47, 0.2)
    if polygon(x, y, pts):
        inner = star_points(0.5, 0.53, 0.38, 0.16)
        return (255, 220, 60, 255) if polygon(x, y, inner) else (220, 150, 0, 255)
    return CLEAR


def pic_sun(x, y):
    if circle(x, y, 0.5, 0.5, 0.24):
        return lerp((255, 230, 80, 255), (255, 160, 20, 255), y)
    for i in range(12):
        a = i * math.pi / 6
        if near_segment(x, y, 0.5 + 0.31 * math.cos(a), 0.5 + 0.31 * math.sin(a),
                        0.5 + 0.46 * math.cos(a), 0.5 + 0.46 * math.sin(a), 0.07):
            return (255, 190, 30, 255)
    return CLEAR


def pic_moon(x, y):
    bg = disc_background(x, y, (30, 40, 110, 255), (10, 15, 60, 255))
    if bg is None:
        return CLEAR
    if circle(x, y, 0.47, 0.5, 0.3) and not circle(x, y, 0.6, 0.42, 0.26):
        return (250, 240, 180, 255)
    for sx, sy in ((0.72, 0.25), (0.78, 0.7), (0.3, 0.2), (0.62, 0.8)):
        if circle(x, y, sx, sy, 0.025):
            return WHITE
    return bg


def pic_smile(x, y):
    if not circle(x, y, 0.5, 0.5, 0.46):
        return CLEAR
    if not circle(x, y, 0.5, 0.5, 0.42):
        return (200, 140, 0, 255)
    if ellipse(x, y, 0.36, 0.4, 0.05, 0.08) or ellipse(x, y, 0.64, 0.4, 0.05, 0.08):
        return DARK
    if circle(x, y, 0.5, 0.5, 0.28) and not circle(x, y, 0.5, 0.44, 0.3) and y > 0.6:
        return DARK
    return lerp((255, 230, 70, 255), (255, 190, 30, 255), y)


def pic_cat(x, y):
    fur = (240, 150, 60, 255)
    ears = polygon(x, y, [(0.16, 0.1), (0.42, 0.3), (0.2, 0.45)]) or \
        polygon(x, y, [(0.84, 0.1), (0.58, 0.3), (0.8, 0.45)])
    face = ellipse(x, y, 0.5, 0.58, 0.38, 0.34)
    if not (ears or face):
        return CLEAR
    if face:
        if ellipse(x, y, 0.36, 0.52, 0.06, 0.08) or ellipse(x, y, 0.64, 0.52, 0.06, 0.08):
            return (60, 160, 60, 255) if abs(x - 0.36) > 0.02 and abs(x - 0.64) > 0.02 else DARK
        if polygon(x, y, [(0.45, 0.64), (0.55, 0.64), (0.5, 0.7)]):
            return (230, 100, 120, 255)
        for dy in (-0.03, 0.03):
            if near_segment(x, y, 0.1, 0.7 + dy * 2, 0.35, 0.68 + dy, 0.015) or \
                    near_segment(x, y, 0.9, 0.7 + dy * 2, 0.65, 0.68 + dy, 0.015):
                return DARK
        if ellipse(x, y, 0.5, 0.8, 0.14, 0.09):
            return (255, 230, 200, 255)
    if ears and polygon(x, y, [(0.2, 0.17), (0.36, 0.31), (0.22, 0.39)]):
        return (250, 190, 180, 255)
    if ears and polygon(x, y, [(0.8, 0.17), (0.64, 0.31), (0.78, 0.39)]):
        return (250, 190, 180, 255)
    return fur


def pic_fish(x, y):
    bg = disc_background(x, y, (120, 200, 250, 255), (30, 110, 200, 255))
    if bg is None:
        return CLEAR
    if circle(x, y, 0.42, 0.38, 0.035):
        return DARK
    if ellipse(x, y, 0.45, 0.5, 0.26, 0.17):
        stripe = int((x - 0.2) * 14) % 2 == 0
        return (255, 140, 30, 255) if stripe else (255, 200, 80, 255)
    if polygon(x, y, [(0.68, 0.5), (0.88, 0.32), (0.88, 0.68)]):
        return (240, 110, 20, 255)
    for bx, by, r in ((0.22, 0.25, 0.04), (0.3, 0.15, 0.03)):
        if circle(x, y, bx, by, r) and not circle(x, y, bx, by, r - 0.015):
            return WHITE
    return bg


def pic_tree(x, y):
    if rect(x, y, 0.44, 0.68, 0.56, 0.95):
        return (120, 70, 30, 255)
    if polygon(x, y, [(0.5, 0.04), (0.8, 0.4), (0.2, 0.4)]) or \
            polygon(x, y, [(0.5, 0.22), (0.9, 0.72), (0.1, 0.72)]):
        c = lerp((80, 190, 80, 255), (20, 110, 40, 255), y)
        if circle(x, y, 0.4, 0.5, 0.03) or circle(x, y, 0.62, 0.6, 0.03) or circle(x, y, 0.52, 0.3, 0.03):
            return (230, 40, 40, 255)
        return c
    return CLEAR


def pic_flower(x, y):
    if near_segment(x, y, 0.5, 0.55, 0.5, 0.97, 0.06):
        return (40, 150, 50, 255)
    if ellipse(x, y, 0.66, 0.8, 0.12, 0.05):
        return (60, 170, 60, 255)
    if circle(x, y, 0.5, 0.38, 0.11):
        return (250, 200, 40, 255)
    for i in range(6):
        a = i * math.pi / 3
        if circle(x, y, 0.5 + 0.2 * math.cos(a), 0.38 + 0.2 * math.sin(a), 0.12):
            return (230, 80, 160, 255)
    return CLEAR


def pic_house(x, y):
    if polygon(x, y, [(0.5, 0.08), (0.92, 0.46), (0.08, 0.46)]):
        return (200, 50, 40, 255)
    if rect(x, y, 0.16, 0.44, 0.84, 0.92):
        if rect(x, y, 0.42, 0.62, 0.58, 0.92):
            return (110, 60, 30, 255)
        if rect(x, y, 0.22, 0.54, 0.36, 0.68) or rect(x, y, 0.64, 0.54, 0.78, 0.68):
            return (150, 210, 250, 255)
        return (245, 225, 180, 255)
    if rect(x, y, 0.68, 0.12, 0.78, 0.34):
        return (130, 40, 30, 255)
    return CLEAR


def pic_key(x, y):
    # A keyboard key cap with the letter F and its bump.
    if not rect(x, y, 0.08, 0.08, 0.92, 0.92):
        return CLEAR
    if not rect(x, y, 0.12, 0.12, 0.88, 0.88):
        return (110, 110, 120, 255)
    if rect(x, y, 0.38, 0.74, 0.62, 0.78):
        return (90, 90, 100, 255)
    if rect(x, y, 0.36, 0.24, 0.44, 0.66) or rect(x, y, 0.36, 0.24, 0.66, 0.32) or \
            rect(x, y, 0.36, 0.41, 0.6, 0.48):
        return DARK
    return lerp((250, 250, 252, 255), (205, 208, 215, 255), y)


def pic_note(x, y):
    bg = disc_background(x, y, (190, 150, 250, 255), (110, 60, 190, 255))
    if bg is None:
        return CLEAR
    if ellipse(x, y, 0.36, 0.7, 0.11, 0.08) or ellipse(x, y, 0.66, 0.62, 0.11, 0.08):
        return WHITE
    if rect(x, y, 0.43, 0.26, 0.47, 0.7) or rect(x, y, 0.73, 0.18, 0.77, 0.62):
        return WHITE
    if polygon(x, y, [(0.43, 0.26), (0.77, 0.18), (0.77, 0.27), (0.43, 0.35)]):
        return WHITE
    return bg


def pic_ball(x, y):
    if not circle(x, y, 0.5, 0.5, 0.45):
        return CLEAR
    pentagon = star_points(0.5, 0.5, 0.14, 0.14 * math.cos(math.pi / 5), n=5)
    if polygon(x, y, pentagon[::2]):
        return DARK
    for i in range(5):
        a = -math.pi / 2 + i * 2 * math.pi / 5
        cx, cy = 0.5 + 0.38 * math.cos(a), 0.5 + 0.38 * math.sin(a)
        if circle(x, y, cx, cy, 0.1):
            return DARK
        if near_segment(x, y, 0.5 + 0.13 * math.cos(a), 0.5 + 0.13 * math.sin(a), cx, cy, 0.025):
            return DARK
    return lerp(WHITE, (200, 200, 210, 255), y)


def pic_drop(x, y):
    if circle(x, y, 0.5, 0.62, 0.28) or polygon(x, y, [(0.5, 0.06), (0.76, 0.52), (0.24, 0.52)]):
        if ellipse(x, y, 0.4, 0.62, 0.05, 0.1):
            return (220, 240, 255, 255)
        return lerp((110, 190, 255, 255), (20, 90, 200, 255), y)
    return CLEAR


def pic_rocket(x, y):
    if polygon(x, y, [(0.3, 0.62), (0.2, 0.85), (0.38, 0.75)]) or \
            polygon(x, y, [(0.7, 0.62), (0.8, 0.85), (0.62, 0.75)]):
        return (200, 40, 40, 255)
    if polygon(x, y, [(0.42, 0.78), (0.58, 0.78), (0.5, 0.98)]):
        return (255, 170, 30, 255)
    if ellipse(x, y, 0.5, 0.45, 0.15, 0.38) and y < 0.8:
        if circle(x, y, 0.5, 0.4, 0.07):
            return (120, 200, 250, 255) if circle(x, y, 0.5, 0.4, 0.05) else (80, 80, 90, 255)
        return lerp((250, 250, 250, 255), (190, 190, 200, 255), abs(x - 0.5) * 6)
    return CLEAR


AVATARS = [
    ('1-heart', pic_heart),
    ('2-star', pic_star),
    ('3-sun', pic_sun),
    ('4-moon', pic_moon),
    ('5-smile', pic_smile),
    ('6-cat', pic_cat),
    ('7-fish', pic_fish),
    ('8-tree', pic_tree),
    ('9-flower', pic_flower),
    ('10-house', pic_house),
    ('11-key', pic_key),
    ('12-note', pic_note),
    ('13-ball', pic_ball),
    ('14-drop', pic_drop),
    ('15-rocket', pic_rocket),
]


# ---- language icons: small flags with a thin frame -------------------------------------

def flag(inner):
    def draw(x, y):
        if not rect(x, y, 0.03, 0.17, 0.97, 0.83):
            return CLEAR
        if not rect(x, y, 0.06, 0.2, 0.94, 0.8):
            return (90, 90, 90, 255)
        return inner((x - 0.06) / 0.88, (y - 0.2) / 0.6)
    return draw


def stripes(*colours):
    def draw(u, v):
        return colours[min(len(colours) - 1, int(v * len(colours)))]
    return draw


def union(u, v):
    blue, red = (1, 33, 105, 255), (200, 16, 46, 255)
    # Work in flag units of 60 x 30.
    fx, fy = u * 60, v * 30
    if abs(fx - 30) <= 3 or abs(fy - 15) <= 3:
        return red
    if abs(fx - 30) <= 5 or abs(fy - 15) <= 5:
        return WHITE
    d1 = abs(fy - fx / 2) / math.hypot(1, 0.5)
    d2 = abs(fy - (30 - fx / 2)) / math.hypot(1, 0.5)
    if min(d1, d2) <= 1.3:
        return red
    if min(d1, d2) <= 3.2:
        return WHITE
    return blue


LANGUAGES = [
    ('English', flag(union)),
    ('German', flag(stripes((0, 0, 0, 255), (221, 0, 0, 255), (255, 206, 0, 255)))),
    ('Russian', flag(stripes(WHITE, (0, 57, 166, 255), (213, 43, 30, 255)))),
]


# ---- ICO writer ------------------------------------------------------------------------

def render(draw, size, height=None):
    """Rows top to bottom of (r, g, b, a), averaged over SUB x SUB samples (premultiplied).
    draw takes unit coordinates; a height other than the size makes a non-square image."""
    height = height or size
    rows = []
    for py in range(height):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUB):
                for sx in range(SUB):
                    r, g, b, a = draw((px + (sx + 0.5) / SUB) / size, (py + (sy + 0.5) / SUB) / height)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUB * SUB
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(acc[i] / acc[3])) for i in range(3)) + (int(round(alpha)),))
        rows.append(row)
    return rows


def bmp_image(rows):
    size, height = len(rows[0]), len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(rows):  # bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for i, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[i // 8] |= 0x80 >> (i % 8)
        mask += line
    return header + bytes(xor) + bytes(mask)


def save_ico(path, images):
    """Writes an icon file of (size, encoded image) pairs."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)
    return len(out)


def write_ico(path, draw):
    save_ico(path, [(size, bmp_image(render(draw, size))) for size in SIZES])


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_DATA
    avatars = os.path.join(data, 'Avatars')
    language = os.path.join(data, 'Language')
    os.makedirs(avatars, exist_ok=True)
    os.makedirs(language, exist_ok=True)
    for name, draw in AVATARS:
        write_ico(os.path.join(avatars, name + '.ico'), draw)
    for name, draw in LANGUAGES:
        write_ico(os.path.join(language, name + '.ico'), draw)
    print(f'{len(AVATARS)} avatars, {len(LANGUAGES)} language icons in {data}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
