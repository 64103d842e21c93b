#!/usr/bin/env python3
"""Builds the background level "0110.wrd" of the typing view.

The figure parameters come from figures.txt; the pictures are 24-bit BMP files in pictures/.
Pictures that are missing (or all of them with --redraw) are drawn by this script first.
Usage: build_level.py [--redraw] [--params figures.txt] [--out ../../data/Data/0110.wrd]
"""
import argparse
import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
KEY = (255, 0, 255)  # chroma colour of every drawn picture


# ---------------------------------------------------------------- drawing
class Canvas:
    """RGB pixels, row 0 at the bottom (as in a bitmap file), filled with the key colour."""

    def __init__(self, width, height, fill=KEY):
        self.w, self.h = width, height
        self.px = [[fill] * width for _ in range(height)]

    def mirrored(self):
        """Left-right mirror: the view mirrors pictures drawn with upright 0 (still figures,
        and drifting ones moving right), so figures that face a way are stored facing left."""
        self.px = [list(reversed(row)) for row in self.px]
        return self

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, int(y0)), min(self.h, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.w, int(math.ceil(x1)))):
                self.px[y][x] = c

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
                if dx * dx + dy * dy <= 1.0:
                    self.px[y][x] = c

    def polygon(self, pts, c):
        n = len(pts)
        for y in range(self.h):
            for x in range(self.w):
                px, py = x + 0.5, y + 0.5
                inside = False
                j = n - 1
                for i in range(n):
                    xi, yi = pts[i]
                    xj, yj = pts[j]
                    if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                        inside = not inside
                    j = i
                if inside:
                    self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c, width=1.0):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        r = width / 2.0
        for s in range(steps + 1):
            t = s / steps
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            for yy in range(int(y - r - 1), int(y + r + 2)):
                for xx in range(int(x - r - 1), int(x + r + 2)):
                    if (xx + 0.5 - x) ** 2 + (yy + 0.5 - y) ** 2 <= r * r + 0.25:
                        self.put(xx, yy, c)


def draw_goal(frame):
    # A little house with a flag on the roof that waves.
    c = Canvas(44, 52)
    c.rect(6, 0, 38, 22, (196, 120, 72))
    c.polygon([(2, 21), (22, 38), (42, 21)], (150, 40, 40))
    c.rect(18, 0, 26, 12, (90, 60, 30))
    c.rect(9, 10, 15, 16, (250, 240, 160))
    c.rect(29, 10, 35, 16, (250, 240, 160))
    c.line(22, 37, 22, 51, (60, 60, 60), 1.5)
    tip = 36 if frame == 0 else 35
    c.polygon([(23, 51), (tip, 47 - frame), (23, 43)], (230, 60, 40))
    return c


def draw_walker(frame):
    # A round traveller with a hat and a stick; the legs swing over three frames.
    c = Canvas(30, 42)
    swing = (-4, 0, 4)[frame]
    c.line(15, 14, 15 + swing, 1, (40, 40, 90), 3)
    c.line(15, 14, 15 - swing, 1, (40, 40, 90), 3)
    c.ellipse(15, 20, 8, 9, (60, 120, 200))
    c.ellipse(15, 32, 6, 6, (250, 210, 170))
    c.rect(8, 37, 22, 39, (120, 60, 20))
    c.rect(11, 39, 19, 42, (120, 60, 20))
    c.line(24, 4, 26 + swing // 2, 26, (110, 70, 30), 1.5)
    c.put(17, 33, (30, 20, 20))
    return c.mirrored()


def draw_balloon(frame):
    # A balloon on a string; the string sways between two frames.
    c = Canvas(24, 40)
    c.ellipse(12, 27, 10, 12, (240, 150, 30))
    c.ellipse(9, 31, 3, 4, (252, 210, 140))
    c.polygon([(10, 15.5), (14, 15.5), (12, 13)], (200, 110, 20))
    sway = 2 if frame else -2
    c.line(12, 13, 12 + sway, 6, (80, 80, 80), 1)
    c.line(12 + sway, 6, 12, 0, (80, 80, 80), 1)
    return c


def draw_grass():
    c = Canvas(40, 16)
    c.rect(0, 0, 40, 5, (110, 170, 70))
    for i, x in enumerate(range(1, 40, 4)):
        h = (9, 13, 7, 15, 11)[i % 5]
        c.polygon([(x, 4), (x + 3, 4), (x + 1.5 + (i % 3 - 1) * 1.5, 4 + h)], (70 + 8 * (i % 3), 150, 60))
    return c


def draw_fence():
    c = Canvas(40, 30)
    for x in (4, 18, 32):
        c.polygon([(x, 0), (x + 6, 0), (x + 6, 24), (x + 3, 29), (x, 24)], (205, 170, 120))
    c.rect(0, 8, 40, 12, (180, 140, 90))
    c.rect(0, 18, 40, 22, (180, 140, 90))
    return c


def draw_tree():
    c = Canvas(64, 96)
    c.rect(27, 0, 37, 40, (120, 80, 40))
    c.ellipse(32, 58, 26, 22, (60, 140, 60))
    c.ellipse(20, 68, 14, 13, (80, 160, 70))
    c.ellipse(42, 72, 15, 14, (70, 150, 64))
    c.ellipse(32, 82, 14, 12, (90, 172, 80))
    for (x, y) in ((20, 56), (40, 62), (30, 76), (46, 50)):
        c.ellipse(x, y, 2.5, 2.5, (210, 40, 40))
    return c


def draw_cloud(small):
    w, h = (60, 26) if small else (96, 40)
    c = Canvas(w, h)
    s = w / 96.0
    for (x, y, rx, ry) in ((28, 16, 20, 13), (50, 22, 22, 16), (70, 15, 20, 12), (48, 11, 34, 10)):
        c.ellipse(x * s, y * s, rx * s, ry * s, (252, 252, 255))
    c.ellipse(50 * s, 8 * s, 30 * s, 5 * s, (232, 236, 246))
    return c


def draw_bird(frame):
    c = Canvas(30, 18)
    wing = (7, 0, -6)[frame]
    c.ellipse(15, 8, 6, 3, (60, 60, 70))
    c.ellipse(21, 10, 3, 3, (60, 60, 70))
    c.polygon([(23.5, 10.5), (28, 9.5), (23.5, 8.5)], (240, 160, 30))
    c.line(14, 9, 5, 9 + wing, (60, 60, 70), 2)
    c.line(16, 9, 9, 9 + wing, (80, 80, 90), 2)
    return c.mirrored()


def draw_butterfly(frame):
    c = Canvas(22, 18)
    spread = 9 if frame == 0 else 4
    c.ellipse(11 - spread / 2, 11, spread / 2 + 1, 5, (230, 90, 170))
    c.ellipse(11 + spread / 2, 11, spread / 2 + 1, 5, (230, 90, 170))
    c.ellipse(11 - spread / 2, 5, spread / 3 + 1, 3, (250, 170, 60))
    c.ellipse(11 + spread / 2, 5, spread / 3 + 1, 3, (250, 170, 60))
    c.rect(10, 2, 12, 15, (40, 30, 30))
    return c


DRAWERS = {
    "goal_0.bmp": lambda: draw_goal(0), "goal_1.bmp": lambda: draw_goal(1),
    "walker_0.bmp": lambda: draw_walker(0), "walker_1.bmp": lambda: draw_walker(1),
    "walker_2.bmp": lambda: draw_walker(2),
    "balloon_0.bmp": lambda: draw_balloon(0), "balloon_1.bmp": lambda: draw_balloon(1),
    "grass.bmp": draw_grass, "fence.bmp": draw_fence, "tree.bmp": draw_tree,
    "cloud.bmp": lambda: draw_cloud(False), "cloud_small.bmp": lambda: draw_cloud(True),
    "bird_0.bmp": lambda: draw_bird(0), "bird_1.bmp": lambda: draw_bird(1),
    "bird_2.bmp": lambda: draw_bird(2),
    "butterfly_0.bmp": lambda: draw_butterfly(0), "butterfly_1.bmp": lambda: draw_butterfly(1),
}


# ---------------------------------------------------------------- BMP files
def write_bmp(path, canvas):
    stride = (canvas.w * 3 + 3) // 4 * 4
    data = bytearray()
    for row in canvas.px:  # bottom row first
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def read_bmp(path):
    """24-bit bottom-up BMP -> (width, height, rows of (r, g, b), bottom row first)."""
    with open(path, "rb") as f:
        raw = f.read()
    if raw[:2] != b"BM":
        sys.exit(f"{path}: not a bitmap")
    offset = struct.unpack_from("<I", raw, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", raw, 18)
    if bits != 24 or compression != 0:
        sys.exit(f"{path}: only uncompressed 24-bit bitmaps are used")
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        base = offset + y * stride
        rows.append([(raw[base + 3 * x + 2], raw[base + 3 * x + 1], raw[base + 3 * x]) for x in range(width)])
    if height < 0:
        rows.reverse()
    return width, abs(height), rows


# ---------------------------------------------------------------- level file
def us(value):
    return struct.pack("<H", value & 0xFFFF)


def cstring(text):
    units = text.encode("utf-16-le")
    return us(len(units) // 2) + units


def rgb(c):
    return us(c[0]) + us(c[1]) + us(c[2])


def picture(path, chroma):
    width, height, rows = read_bmp(path)
    out = bytearray(struct.pack("<IHH", 1, height, width))
    for row in rows:
        for c in row:
            out += bytes((c[0], c[1], c[2], 0 if c in chroma else 255))
    return bytes(out)


def parse_colours(text):
    colours = []
    for part in text.split(","):
        vals = [int(v) for v in part.split()]
        if len(vals) != 3 or not all(0 <= v <= 255 for v in vals):
            sys.exit(f"bad colour: {part!r}")
        colours.append(tuple(vals))
    return colours


def parse(path):
    level, figures, block = {}, [], None
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line == "[level]":
                block = level
            elif line == "[figure]":
                block = {}
                figures.append(block)
            elif "=" in line and block is not None:
                key, value = (s.strip() for s in line.split("=", 1))
                block[key] = value
            else:
                sys.exit(f"{path}:{number}: cannot read {line!r}")
    return level, figures


def figure_record(fig, pictures_dir):
    pair = lambda key: [int(v) for v in fig.get(key, "0 0").split()]
    chroma = parse_colours(fig["chroma"]) if "chroma" in fig else []
    names = [n.strip() for n in fig.get("pictures", "").split(",") if n.strip()]
    speed = pair("speed") if "speed" in fig else [0, 0]
    out = bytearray()
    out += us(1)                                  # figure version
    out += us(int(fig.get("id", 0)))
    out += us(int(fig.get("tiling", 1)))
    out += us(int(fig.get("kind", 2)))
    out += us(speed[0] & 0xFF) + us(speed[1] & 0xFF)
    out += us(int(fig.get("period", 3)))
    out += us(int(fig.get("part", 3)))
    out += us(int(fig.get("limit", 0)))
    start, step = pair("start"), pair("step")
    out += us(start[0]) + us(start[1]) + us(step[0]) + us(step[1])
    out += us(len(chroma)) + b"".join(rgb(c) for c in chroma)
    out += us(len(names))
    for name in names:
        out += picture(os.path.join(pictures_dir, name), chroma)
    return bytes(out)


def build(params, pictures_dir):
    level, figures = parse(params)
    background = parse_colours(level["background"])
    if len(background) != 8:
        sys.exit("a level needs eight background colours")
    out = bytearray()
    out += us(1) + cstring(level.get("name", "")) + us(len(figures))
    for fig in figures:
        out += figure_record(fig, pictures_dir)
    out += us(1) + us(len(background)) + b"".join(rgb(c) for c in background)
    return bytes(out)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--params", default=os.path.join(HERE, "figures.txt"))
    ap.add_argument("--pictures", default=os.path.join(HERE, "pictures"))
    ap.add_argument("--out", default=os.path.join(HERE, "..", "..", "data", "Data", "0110.wrd"))
    ap.add_argument("--redraw", action="store_true", help="draw every picture again")
    args = ap.parse_args()

    os.makedirs(args.pictures, exist_ok=True)
    for name, draw in DRAWERS.items():
        path = os.path.join(args.pictures, name)
        if args.redraw or not os.path.exists(path):
            write_bmp(path, draw())
    data = build(args.params, args.pictures)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "wb") as f:
        f.write(data)
    print(f"{args.out}: {len(data)} bytes")


if __name__ == "__main__":
    main()
