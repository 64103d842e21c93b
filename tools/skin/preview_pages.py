#!/usr/bin/env python3
"""Renders the pages of a skin as the program lays them out, with stand-in contents of the views
in a language's texts, to look at the skin before the program shows it:

    python3 preview_pages.py --out /tmp/preview [--size 1024x700] [--language German]

Writes <out>/<page>-<language>-<w>x<h>.png for the typing (600), statistics (601) and lesson
editor (602) pages. Layout rules as the skinned window applies them: anchors, sizes from the
bitmaps, neighbours, splitter shares; view contents are sketches in the views' sizes and fonts.
"""
import argparse
import os
import struct

from PIL import Image, ImageDraw, ImageFont

import skin_pages

HERE = os.path.dirname(os.path.abspath(__file__))
SKIN_ROOT = os.path.join(HERE, "..", "..", "data", "Skin")
LANG_ROOT = os.path.join(HERE, "..", "language")
FONT_DIR = "/usr/share/fonts/truetype"


def font(size, bold=False):
    """Arial as Wine shows it (Liberation Sans); size is the cell height in pixels."""
    name = "LiberationSans-Bold.ttf" if bold else "LiberationSans-Regular.ttf"
    return ImageFont.truetype(os.path.join(FONT_DIR, "liberation", name), round(size / 1.149))


def dialog_font():
    return ImageFont.truetype(os.path.join(FONT_DIR, "dejavu", "DejaVuSans.ttf"), 11)


def read_skn(path):
    data = open(path, "rb").read()
    n = struct.unpack_from("<H", data, 2)[0]
    at = 4 + 2 * n
    count = struct.unpack_from("<H", data, at)[0]
    at += 2
    out = []
    for _ in range(count):
        _, pid, a, b, c, d, la, lb, lc, ld, style = struct.unpack_from("<HH4H4HI", data, at)
        at += 24
        out.append({"id": pid, "place": (a, b, c, d), "limit": (la, lb, lc, ld), "style": style})
    return out


def read_lang(name):
    texts = {}
    for line in open(os.path.join(LANG_ROOT, name + ".lang"), encoding="utf-8"):
        if "\t" in line and not line.startswith("#"):
            key, text = line.rstrip("\n").split("\t", 1)
            texts[key] = text
    return texts


def pictures_of(el):
    kind = el["style"] >> 24
    return 5 if kind == 0x03 else 4 if kind == 0x04 else 1


def layout(elements, folder, w, h):
    by_id = {}
    for el in elements:
        el["img"] = Image.open(os.path.join(folder, f"{el['id']}.bmp")).convert("RGB")
        s = el["style"]
        ha, va, from_bmp = s & 0xF, s & 0xF0, (s & 0xF000) == 0x2000
        a, b, c, d = el["place"]
        pw, ph = el["img"].width // pictures_of(el), el["img"].height
        x = y = cw = ch = 0
        if ha != 5:
            x = w - a if ha == 2 else a
            cw = pw if from_bmp and ha != 6 else (w - c - x if ha == 3 else c)
        if va != 0x50:
            y = h - b if va == 0x20 else b
            ch = ph if from_bmp and va != 0x60 else (h - d - y if va == 0x30 else d)
        if (s >> 24) == 0x06:  # splitters stand at their share of the width
            share = skin_pages.SPLIT_STAT if el["id"] == 455 else skin_pages.SPLIT_LESSON
            x = min(max(el["limit"][0], w * share // 100 - cw // 2), w - el["limit"][2])
        el["rect"] = [x, y, cw, ch]
        by_id[el["id"]] = el
    for el in elements:
        if el["style"] & 0xF == 5:
            left, right = by_id[el["place"][0]]["rect"], by_id[el["place"][2]]["rect"]
            el["rect"][0] = left[0] + left[2]
            el["rect"][2] = right[0] - el["rect"][0]
    return by_id


def picture(el, k=0):
    n = pictures_of(el)
    pw = el["img"].width // n
    return el["img"].crop((k * pw, 0, (k + 1) * pw, el["img"].height))


def paste_stretched(canvas, img, rect):
    x, y, w, h = rect
    if w > 0 and h > 0:
        canvas.paste(img.resize((w, h), Image.NEAREST), (x, y))


def draw_progress(canvas, el):
    x, y, w, h = el["rect"]
    img = el["img"]
    canvas.paste(img.crop((0, 0, 20, 20)), (x, y))
    canvas.paste(img.crop((20, 0, 40, 20)), (x + 20, y))
    paste_stretched(canvas, img.crop((40, 0, 60, 20)), (x + 40, y, w - 60, h))
    canvas.paste(img.crop((60, 0, 80, 20)), (x + w - 20, y))


def button_picture(folder, pid):
    img = Image.open(os.path.join(folder, f"{pid}.bmp")).convert("RGB")
    pw = img.width // 5
    return [img.crop((k * pw, 0, (k + 1) * pw, img.height)) for k in range(5)]


def tabs(canvas, folder, x, y, w, captions, checked, first_id):
    """The tab row across the view: strip picture, tabs of 134 x 40 with centred captions."""
    paste_stretched(canvas, Image.open(os.path.join(folder, "2411.bmp")).convert("RGB"), (x, y, w, 40))
    d = ImageDraw.Draw(canvas)
    f = font(20)
    for i, text in enumerate(captions):
        pics = button_picture(folder, first_id + i)
        tx = x + i * skin_pages.TAB_W
        canvas.paste(pics[2 if i == checked else 1].resize((skin_pages.TAB_W, 40)), (tx, y))
        tw = d.textlength(text, font=f)
        colour = (20, 20, 20) if tw <= skin_pages.TAB_W - 4 else (220, 0, 0)  # red: does not fit
        d.text((tx + (skin_pages.TAB_W - tw) / 2, y + 7 + (33 - 20) / 2), text, font=f, fill=colour)
    return y + 40


def panel(canvas, folder, x, y, w, buttons):
    """buttons: (id, picture index); the panel's picture stretched behind them."""
    bg = Image.open(os.path.join(folder, "700.bmp")).convert("RGB")
    paste_stretched(canvas, bg, (x, y, w, bg.height))
    for i, (pid, k) in enumerate(buttons):
        canvas.paste(button_picture(folder, pid)[k], (x + i * skin_pages.PANEL_BUTTON_W, y))
    return y + bg.height


def colours(folder, pid):
    img = Image.open(os.path.join(folder, f"{pid}.bmp")).convert("RGB")
    return [img.getpixel((i, 0)) for i in range(img.width)]


def combo(d, rect, text):
    x0, y0, x1, y1 = rect
    d.rectangle(rect, fill=(255, 255, 255), outline=(122, 122, 122))
    d.rectangle([x1 - 16, y0 + 1, x1 - 1, y1 - 1], fill=(225, 225, 225))
    d.polygon([(x1 - 12, y0 + 8), (x1 - 5, y0 + 8), (x1 - 8, y0 + 12)], fill=(0, 0, 0))
    f = dialog_font()
    clipped = text
    while d.textlength(clipped, font=f) > x1 - x0 - 22 and len(clipped) > 1:
        clipped = clipped[:-1]
    d.text((x0 + 3, y0 + 4), clipped, font=f, fill=(0, 0, 0))


def score_view(canvas, folder, rect, t):
    x, y, w, h = rect
    y = tabs(canvas, folder, x, y, w, [t["Course"], t["Lesson"]], 0, 2013)
    c = colours(folder, 306)
    d = ImageDraw.Draw(canvas)
    cols = [("DateLetter", 17), ("NameLesson", 25), ("SpeedCPM", 11), ("AccuracyProc", 13), ("Errors", 10),
            ("Duration", 12), ("Length", 12)]
    table_h = h - 40 - 25
    d.rectangle([x, y, x + w - 1, y + table_h - 1], fill=c[1])
    f, fb = font(16), font(16, True)
    cx = x
    rows = [("05.11.2026", "Home row", "182.40", "96.10", "4", "01:12", "96")]
    rows += [(f"{6 + i:02}.11.2026", ["Letters f j", "Syllables", "Capitals", "Words 1"][i % 4],
              f"{150 + 7 * i}.00", f"{90 + i % 7}.50", str(3 + i % 5), f"01:{10 + i:02}", "96")
             for i in range(20)]
    active_row = 4
    for ci, (key, pct) in enumerate(cols):
        cw = (w - 16) * pct // 100
        d.rectangle([cx, y, cx + cw, y + 24], fill=c[7] if ci == 2 else c[5], outline=c[6])
        name = t.get(key, key)
        d.text((cx + (cw - d.textlength(name, font=fb)) / 2, y + 4), name, font=fb,
               fill=c[4] if d.textlength(name, font=fb) <= cw - 2 else (220, 0, 0))
        for ri, row in enumerate(rows):
            ry = y + 25 + ri * 20
            if ry + 20 > y + table_h:
                break
            fill = c[3] if ci == 2 else (210, 210, 210) if ri == active_row else c[1]
            d.rectangle([cx, ry, cx + cw, ry + 19], fill=fill)
            d.line([(cx, ry + 19), (cx + cw, ry + 19)], fill=c[2])
            if ci:
                d.line([(cx, ry), (cx, ry + 19)], fill=c[2])
            text = row[ci]
            ff = fb if (ci == 2 and ri == active_row) else f
            d.text((cx + (cw - d.textlength(text, font=ff)) / 2, ry + 2), text, font=ff, fill=c[0])
        cx += cw
    # The filter bar in the strip below the table.
    fy = y + table_h
    d.rectangle([x, fy, x + w - 1, fy + 24], fill=(253, 253, 255))
    half = w // 2
    combo(d, [x, fy + 2, x + half - 2, fy + 22], t["GroupByLesson"])
    combo(d, [x + half, fy + 2, x + w - 1, fy + 22], t["Show"] + " " + t["DigitSymbol"])


def graph_view(canvas, folder, rect, t):
    x, y, w, h = rect
    y = tabs(canvas, folder, x, y, w, [t["Course"], t["Lesson"]], 0, 2003)
    y = panel(canvas, folder, x, y, w, [(701, 2), (707, 1), (703, 1), (751, 1)])
    c = colours(folder, 305)
    d = ImageDraw.Draw(canvas)
    gh = y + h - 40 - 30
    d.rectangle([x, y, x + w - 1, y + h - 71], fill=c[7])
    d.rectangle([x, y, x + w - 1, y + 21], fill=c[1], outline=c[2])
    d.text((x + 5, y + 3), t["SpeedCPM"], font=font(16, True), fill=c[0])
    right = "US"
    d.text((x + w - 5 - d.textlength(right, font=font(16, True)), y + 3), right, font=font(16, True), fill=c[0])
    px0, py0, px1, py1 = x + 45, y + 22 + 10, x + w - 12, gh - 25
    d.rectangle([px0, py0, px1, py1], fill=c[4], outline=c[6])
    pts = [(px0 + (px1 - px0) * i // 19, py1 - (py1 - py0) * (40 + (i * 37) % 55) // 100) for i in range(20)]
    d.line(pts, fill=c[5], width=1)
    for i, p in enumerate(pts):
        s = 4 if i == 12 else 2
        d.rectangle([p[0] - s, p[1] - s, p[0] + s, p[1] + s], outline=c[5], fill=c[4])
    f = font(13)
    d.text((px0 - 40, py0 - 6), "240", font=f, fill=c[3])
    d.text((px0 - 20, py1 - 12), "0", font=f, fill=c[3])
    d.text((pts[12][0] - 20, py1 + 5), "17.11.2026", font=f, fill=c[3])


def tree_view(canvas, folder, rect, t):
    x, y, w, h = rect
    y = tabs(canvas, folder, x, y, w, [t["Course"], t["User"]], 1, 2023)
    y = panel(canvas, folder, x, y, w, [(750, 1), (752, 4), (751, 4)])
    bg, fg = colours(folder, 301)
    d = ImageDraw.Draw(canvas)
    d.rectangle([x, y, x + w - 1, rect[1] + h - 1], fill=bg)
    f = font(18)
    items = [(0, t["User"]), (1, "New"), (1, "New(1)"), (1, "Pangrams"), (1, "Quotes")]
    for i, (level, text) in enumerate(items):
        ty = y + 4 + i * 20
        d.rectangle([x + 6 + level * 18, ty + 3, x + 20 + level * 18, ty + 15], outline=fg)
        d.text((x + 26 + level * 18, ty), text, font=f, fill=fg)


def lesson_view(canvas, folder, rect, t):
    x, y, w, h = rect
    y = tabs(canvas, folder, x, y, w, [t["Text"], t["Properties"]], 0, 2033)
    y = panel(canvas, folder, x, y, w, [(801, 1), (800, 4)])
    d = ImageDraw.Draw(canvas)
    d.rectangle([x, y, x + w - 1, rect[1] + h - 1], fill=(255, 255, 255))
    f = font(20)
    words = "the quick brown fox jumps over the lazy dog and types every letter twice ".split() * 6
    line, ly = "", y + 4
    for word in words:
        if d.textlength(line + word, font=f) > w - 30:
            d.text((x + 4, ly), line, font=f, fill=(0, 0, 0))
            line, ly = "", ly + 22
            if ly > rect[1] + h - 24:
                return
        line += word + " "


VIEWS = {306: score_view, 305: graph_view, 301: tree_view, 302: lesson_view}
FRAME = [410, 606, 605, 604, 600, 601, 602, 411]


def render(page, w, h, texts, folder, skn):
    elements = read_skn(skn)
    by_id = layout(elements, folder, w, h)
    canvas = Image.new("RGB", (w, h), (255, 0, 255))
    shown = FRAME + skin_pages.PAGE_ELEMENTS[page]
    for el in elements:
        pid, kind = el["id"], el["style"] >> 24
        if pid not in shown and pid not in (607, 3025):
            continue
        if kind == 0x03:
            k = 2 if pid == page else 1
            if pid in (607, 3025) and pid not in skin_pages.PAGE_ELEMENTS[page]:
                k = 4
            paste_stretched(canvas, picture(el, k), el["rect"])
        elif kind == 0x04:
            draw_progress(canvas, el)
        elif pid in VIEWS:
            VIEWS[pid](canvas, folder, el["rect"], texts)
        elif pid == 304:
            paste_stretched(canvas, Image.new("RGB", (1, 1), (205, 210, 218)), el["rect"])
        else:
            paste_stretched(canvas, picture(el), el["rect"])
    d = ImageDraw.Draw(canvas)
    d.text((8, 6), "Fingerwaltz", font=font(18), fill=(236, 240, 245))
    return canvas, by_id


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True)
    ap.add_argument("--size", default="1024x700")
    ap.add_argument("--language", action="append")
    ap.add_argument("--name", default="Default")
    args = ap.parse_args()
    w, h = (int(v) for v in args.size.split("x"))
    os.makedirs(args.out, exist_ok=True)
    folder = os.path.join(SKIN_ROOT, args.name)
    for language in args.language or ["English", "German", "Russian"]:
        texts = read_lang(language)
        for page in (600, 601, 602):
            img, _ = render(page, w, h, texts, folder, os.path.join(SKIN_ROOT, args.name + ".skn"))
            img.save(os.path.join(args.out, f"{page}-{language}-{w}x{h}.png"))


if __name__ == "__main__":
    main()
