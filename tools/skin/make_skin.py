#!/usr/bin/env python3
"""Draws the Default skin: the layout file Default.skn and every picture of the typing page
and the window frame, as 24-bit bitmaps in data/Skin/Default/.

Elements (picture number = control ID), listed in creation order:
  410 title bar, 606/605/604 minimize, maximize, close,
  600/601/602 page buttons (typing, statistics, lessons), 411 tool strip, 607 keyboard panel,
  303 typing view, 550 lesson bar, 551 error bar, 553 rhythm bar, 304 keyboard.
Rows never overlap: the window's shape is the union of the elements.
The statistics and lesson editor pages come from skin_pages.py.
"""
import argparse
import os
import struct
import sys

from PIL import Image, ImageDraw

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "keyboards"))
import make_scheme  # noqa: E402  (the keyboard colour schemes are the keyboard's picture)

# One calm palette: slate frame, light strips, accents for state.
SLATE = (38, 46, 58)
SLATE_LIGHT = (58, 70, 88)
STRIP = (226, 231, 238)
STRIP_DARK = (196, 204, 215)
ACCENT = (64, 140, 230)
TEXT_DARK = (40, 48, 60)
TEXT_LIGHT = (236, 240, 245)
MAGENTA = (255, 0, 255)  # key colour: cut out of a button's shape

# Style words.
T_PICTURE, T_STATIC, T_BUTTON, T_PROGRESS, T_OPENGL, T_TEXT = (0x01000000, 0x02000000, 0x03000000,
                                                               0x04000000, 0x0B000000, 0x13000000)
LEFT, RIGHT, STRETCH_H = 0x1, 0x2, 0x3
TOP, STRETCH_V = 0x10, 0x30
MOVE = 0x100  # dragging the element moves the window
FROM_BITMAP = 0x2000

TITLE_H, STRIP_H, VIEW_H, BAR_H = 28, 32, 200, 20
Y_STRIP = TITLE_H
Y_VIEW = Y_STRIP + STRIP_H
Y_BARS = Y_VIEW + VIEW_H
Y_KEYBOARD = Y_BARS + 3 * BAR_H
PAGE_W, WINDOW_BUTTON_W, PANEL_W = 52, 30, 44
EXPORT_W = 44  # the statistics page's export button (skin_pages.py) stands left of 607

# (picture, placement a b c d, style)
LAYOUT = [
    (410, (0, 0, 3 * WINDOW_BUTTON_W, TITLE_H), T_TEXT | STRETCH_H | TOP | MOVE),
    (606, (3 * WINDOW_BUTTON_W, 0, 0, 0), T_BUTTON | RIGHT | TOP | FROM_BITMAP),
    (605, (2 * WINDOW_BUTTON_W, 0, 0, 0), T_BUTTON | RIGHT | TOP | FROM_BITMAP),
    (604, (WINDOW_BUTTON_W, 0, 0, 0), T_BUTTON | RIGHT | TOP | FROM_BITMAP),
    (600, (0, Y_STRIP, 0, 0), T_BUTTON | LEFT | TOP | FROM_BITMAP),
    (601, (PAGE_W, Y_STRIP, 0, 0), T_BUTTON | LEFT | TOP | FROM_BITMAP),
    (602, (2 * PAGE_W, Y_STRIP, 0, 0), T_BUTTON | LEFT | TOP | FROM_BITMAP),
    (411, (3 * PAGE_W, Y_STRIP, PANEL_W + EXPORT_W, STRIP_H), T_STATIC | STRETCH_H | TOP | MOVE),
    (607, (PANEL_W, Y_STRIP, 0, 0), T_BUTTON | RIGHT | TOP | FROM_BITMAP),
    (303, (0, Y_VIEW, 0, VIEW_H), T_OPENGL | STRETCH_H | TOP),
    (550, (0, Y_BARS, 0, BAR_H), T_PROGRESS | STRETCH_H | TOP),
    (551, (0, Y_BARS + BAR_H, 0, BAR_H), T_PROGRESS | STRETCH_H | TOP),
    (553, (0, Y_BARS + 2 * BAR_H, 0, BAR_H), T_PROGRESS | STRETCH_H | TOP),
    (304, (0, Y_KEYBOARD, 0, 0), T_OPENGL | STRETCH_H | STRETCH_V),
]


def skn(name, layout):
    """The layout file: version, name, count, one record per element (a record may end with its
    limit rectangle; the default is 0, 0, 99, 99)."""
    out = struct.pack("<HH", 1, len(name)) + name.encode("utf-16-le") + struct.pack("<H", len(layout))
    for record in layout:
        pid, (a, b, c, d), style = record[:3]
        limit = record[3] if len(record) > 3 and record[3] else (0, 0, 99, 99)
        out += struct.pack("<HH4H4HI", 1, pid, a, b, c, d, *limit, style)
    return out


def vgradient(w, h, top, bottom):
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / max(1, h - 1)
        d.line([(0, y), (w, y)], fill=tuple(round(top[i] + (bottom[i] - top[i]) * t) for i in range(3)))
    return img


def strip(pictures, w, h, draw_one):
    """pictures side by side, each drawn by draw_one(draw, x0, state)."""
    img = Image.new("RGB", (w * pictures, h))
    for k in range(pictures):
        tile = draw_one(k)
        img.paste(tile, (k * w, 0))
    return img


# Button pictures: 0 focus mark, 1 normal, 2 pressed or checked, 3 mouse over, 4 hidden.
def button_back(w, h, state, dark):
    if dark:
        top, bottom = {1: (SLATE_LIGHT, SLATE), 2: (ACCENT, (40, 100, 180)), 3: ((80, 96, 118), SLATE_LIGHT),
                       0: (SLATE_LIGHT, SLATE), 4: (SLATE, SLATE)}[state]
    else:
        top, bottom = {1: ((244, 246, 249), STRIP), 2: ((255, 255, 255), (235, 242, 252)),
                       3: ((250, 252, 255), (222, 232, 246)), 0: ((244, 246, 249), STRIP), 4: (STRIP, STRIP)}[state]
    img = vgradient(w, h, top, bottom)
    d = ImageDraw.Draw(img)
    if not dark:
        d.line([(w - 1, 4), (w - 1, h - 5)], fill=STRIP_DARK)
        d.line([(0, h - 1), (w, h - 1)], fill=STRIP_DARK)
        if state == 2:
            d.rectangle([0, h - 4, w - 1, h - 1], fill=ACCENT)
    if state == 0:
        d.rectangle([2, 2, w - 3, h - 3], outline=ACCENT)
    return img, d


def icon_colour(state, dark):
    if state == 4:
        return (150, 156, 165) if not dark else (90, 100, 115)
    if dark:
        return TEXT_LIGHT
    return ACCENT if state == 2 else TEXT_DARK


def window_button(kind):
    w, h = WINDOW_BUTTON_W, TITLE_H

    def one(state):
        img, d = button_back(w, h, state, True)
        if kind == "close" and state == 3:
            img = vgradient(w, h, (226, 80, 70), (190, 50, 45))
            d = ImageDraw.Draw(img)
        c = icon_colour(state, True)
        cx, cy = w // 2, h // 2
        if kind == "close":
            d.line([(cx - 5, cy - 5), (cx + 5, cy + 5)], fill=c, width=2)
            d.line([(cx - 5, cy + 5), (cx + 5, cy - 5)], fill=c, width=2)
        elif kind == "maximize":
            d.rectangle([cx - 6, cy - 5, cx + 6, cy + 5], outline=c, width=2)
        else:
            d.line([(cx - 6, cy + 4), (cx + 6, cy + 4)], fill=c, width=2)
        return img

    return strip(5, w, h, one)


def draw_keyboard_icon(d, x, y, c):
    d.rounded_rectangle([x, y, x + 22, y + 14], radius=2, outline=c, width=2)
    for row, (kx, n) in enumerate([(3, 5), (4, 4)]):
        for i in range(n):
            px = x + kx + i * 4
            d.rectangle([px, y + 3 + row * 4, px + 1, y + 4 + row * 4], fill=c)
    d.line([(x + 6, y + 11), (x + 16, y + 11)], fill=c, width=1)


def draw_chart_icon(d, x, y, c):
    for i, hgt in enumerate([6, 11, 8, 14]):
        d.rectangle([x + 2 + i * 5, y + 15 - hgt, x + 5 + i * 5, y + 15], fill=c)
    d.line([(x, y + 16), (x + 22, y + 16)], fill=c)


def draw_lessons_icon(d, x, y, c):
    d.rectangle([x + 3, y, x + 17, y + 16], outline=c, width=2)
    for i in range(3):
        d.line([(x + 6, y + 4 + i * 4), (x + 14, y + 4 + i * 4)], fill=c)
    d.line([(x + 14, y + 16), (x + 22, y + 8)], fill=c, width=3)


def page_button(icon):
    """Icons only: the names come from the language file as tooltips."""
    w, h = PAGE_W, STRIP_H

    def one(state):
        img, d = button_back(w, h, state, False)
        icon(d, (w - 22) // 2, (h - 16) // 2 - 1, icon_colour(state, False))
        return img

    return strip(5, w, h, one)


def panel_button():
    w, h = PANEL_W, STRIP_H

    def one(state):
        img, d = button_back(w, h, state, False)
        c = icon_colour(state, False)
        draw_keyboard_icon(d, (w - 22) // 2, (h - 14) // 2 - 2, c)
        d.polygon([(w // 2 - 4, h - 8), (w // 2 + 4, h - 8), (w // 2, h - 4)], fill=c)
        return img

    return strip(5, w, h, one)


def progress(icon):
    """Four-slice bar, 80 x 20: [0,20) icon, [20,40) trough start, [40,60) stretched middle,
    [60,80) trough end. The program fills rows 6-14 from x = 20 in the bar's colour."""
    w, h = 80, BAR_H
    img = vgradient(w, h, (246, 248, 250), (232, 236, 241))
    d = ImageDraw.Draw(img)
    d.line([(0, h - 1), (w, h - 1)], fill=STRIP_DARK)
    # Trough: border around rows 6-14, rounded at both ends.
    d.rounded_rectangle([20, 5, 76, 15], radius=4, fill=(214, 220, 228), outline=(168, 178, 192))
    icon(d)
    return img


def lesson_icon(d):
    d.rectangle([5, 4, 14, 16], outline=TEXT_DARK)
    for y in (7, 10, 13):
        d.line([(7, y), (12, y)], fill=TEXT_DARK)


def error_icon(d):
    d.ellipse([4, 4, 15, 15], fill=(214, 70, 70))
    d.line([(7, 7), (12, 12)], fill=(255, 255, 255), width=2)
    d.line([(7, 12), (12, 7)], fill=(255, 255, 255), width=2)


def rhythm_icon(d):
    d.ellipse([4, 4, 15, 15], outline=TEXT_DARK, width=2)
    d.line([(9, 9), (9, 6)], fill=TEXT_DARK, width=2)
    d.line([(9, 9), (12, 10)], fill=TEXT_DARK, width=2)


def title_bar():
    img = vgradient(64, TITLE_H, SLATE_LIGHT, SLATE)
    ImageDraw.Draw(img).line([(0, TITLE_H - 1), (64, TITLE_H - 1)], fill=(24, 30, 38))
    return img


def pictures():
    return {
        410: title_bar(),
        606: window_button("minimize"),
        605: window_button("maximize"),
        604: window_button("close"),
        600: page_button(draw_keyboard_icon),
        601: page_button(draw_chart_icon),
        602: page_button(draw_lessons_icon),
        411: vgradient(16, STRIP_H, (244, 246, 249), STRIP),
        607: panel_button(),
        # The typing view reads the colour of its texts over the animated level from a row of
        # eight pixels: dark, to be read against the light sky and meadow.
        303: Image.new("RGB", (8, 1), TEXT_DARK),
        550: progress(lesson_icon),
        551: progress(error_icon),
        553: progress(rhythm_icon),
    }


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--root", default=os.path.join(HERE, "..", "..", "data", "Skin"),
                    help="skin root to write Default.skn and Default/ into")
    ap.add_argument("--name", default="Default")
    args = ap.parse_args()
    import skin_pages  # the other pages draw with the helpers above
    layout = LAYOUT + skin_pages.PAGES_LAYOUT
    folder = os.path.join(args.root, args.name)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(args.root, args.name + ".skn"), "wb") as f:
        f.write(skn(args.name, layout))
    for pid, img in {**pictures(), **skin_pages.pictures()}.items():
        img.save(os.path.join(folder, f"{pid}.bmp"))
    with open(os.path.join(folder, "304.bmp"), "wb") as f:
        f.write(make_scheme.bitmap(make_scheme.SCHEMES))
    missing = [record[0] for record in layout if not os.path.exists(os.path.join(folder, f"{record[0]}.bmp"))]
    if missing:
        sys.exit(f"pictures missing for {missing}")
    print(f"{args.name}: {len(layout)} elements in {folder}")


if __name__ == "__main__":
    main()
