"""The statistics and lesson editor pages of the Default skin: their elements in the layout and
every picture their views, tabs, panels and buttons load from the skin folder.

Elements (picture number = control ID), after the typing page's in creation order:
  457 left edge, 458 right edge (frame of both pages, neighbours of the views)
  306 score view, 455 splitter, 305 graph view          (statistics page)
  301 lesson tree view, 456 splitter, 302 lesson view   (lesson editor page)
  3025 export button (tool strip, statistics page)
The views sit between the left edge and their splitter, or between the splitter and the right
edge (placed by association), so dragging a splitter shares the width between them.

Pictures the views load by number (not elements of the layout):
  2411 tab strip background, 700 panel background,
  2003/2004 graph tabs, 2013/2014 score tabs, 2023/2024 lesson tree tabs, 2033/2034 lesson view tabs,
  701-709 statistic check boxes (by column ID), 751 delete, 750 new, 752 rename, 800 save,
  801 insert, 4000 the options dialog's page tree (two colours), 4001 the program's dialogs
  (face, text, field, accent; the library's default dialog look must match it).
"""
from PIL import Image, ImageDraw

import make_skin as base
from make_skin import (ACCENT, FROM_BITMAP, LEFT, MAGENTA, PANEL_W, RIGHT, STRETCH_V, STRIP, STRIP_DARK,
                       STRIP_H, T_BUTTON, T_STATIC, TEXT_DARK, TOP, Y_STRIP, Y_VIEW, strip, vgradient)

T_SPLITTER, T_DIAGRAM = 0x06000000, 0x0A000000
BETWEEN_H = 0x5
ROLE_SIZE_WE = 0x200  # dragged sideways, horizontal sizing cursor

# The window size a new user starts with, and the shares of the two splitters there (the places
# record's split A and split B); the program places the splitters from the stored shares.
DEFAULT_W = 657
SPLIT_STAT, SPLIT_LESSON = 68, 45

EDGE_W, SPLIT_W = 3, 6
EXPORT_W = base.EXPORT_W
# Tabs are 134 x 40 (the tab strip's fixed size); panel buttons and check boxes take their size
# from their pictures.
TAB_W, TAB_H = 134, 40
PANEL_BUTTON_W, PANEL_BUTTON_H = 34, 30

# Colours of the pages: tab row, panel row, content.
TAB_ROW = (234, 238, 244)
PANEL_TOP, PANEL_BOTTOM = (250, 251, 253), (241, 244, 248)
PANEL_LINE = (214, 220, 228)
CONTENT = (255, 255, 255)
GREY_ICON = (150, 157, 168)
ERROR_RED = (214, 70, 70)
GOOD_GREEN = (46, 150, 90)


# A view keeps room for its two tabs on either side of a splitter (the limits bound the
# splitter's left edge: from the left, and from the right edge of the window).
MIN_VIEW_W = 2 * TAB_W
SPLIT_LIMIT = (EDGE_W + MIN_VIEW_W, 0, MIN_VIEW_W + SPLIT_W + EDGE_W, 99)


def _split_x(share):
    return DEFAULT_W * share // 100 - SPLIT_W // 2


# (picture, placement a b c d, style, limit or None)
PAGES_LAYOUT = [
    (457, (0, Y_VIEW, EDGE_W, 0), T_STATIC | LEFT | STRETCH_V, None),
    (458, (EDGE_W, Y_VIEW, EDGE_W, 0), T_STATIC | RIGHT | STRETCH_V, None),
    # Statistics page.
    (306, (457, Y_VIEW, 455, 0), T_STATIC | BETWEEN_H | STRETCH_V, None),
    (455, (_split_x(SPLIT_STAT), Y_VIEW, SPLIT_W, 0), T_SPLITTER | LEFT | STRETCH_V | ROLE_SIZE_WE, SPLIT_LIMIT),
    (305, (455, Y_VIEW, 458, 0), T_DIAGRAM | BETWEEN_H | STRETCH_V, None),
    # Lesson editor page.
    (301, (457, Y_VIEW, 456, 0), T_STATIC | BETWEEN_H | STRETCH_V, None),
    (456, (_split_x(SPLIT_LESSON), Y_VIEW, SPLIT_W, 0), T_SPLITTER | LEFT | STRETCH_V | ROLE_SIZE_WE, SPLIT_LIMIT),
    (302, (456, Y_VIEW, 458, 0), T_STATIC | BETWEEN_H | STRETCH_V, None),
    # Tool strip: left of the keyboard panel button, hidden (picture 4: plain strip) elsewhere.
    (3025, (PANEL_W + EXPORT_W, Y_STRIP, 0, 0), T_BUTTON | RIGHT | TOP | FROM_BITMAP, None),
]

# Which elements each page shows; the frame (title, window and page buttons, tool strip) is
# always shown.
PAGE_ELEMENTS = {
    600: [607, 303, 550, 551, 553, 304],
    601: [3025, 457, 306, 455, 305, 458],
    602: [457, 301, 456, 302, 458],
}

TAB_IDS = [2003, 2004, 2013, 2014, 2023, 2024, 2033, 2034]
STAT_IDS = list(range(701, 710))
PANEL_BUTTON_IDS = [750, 751, 752, 800, 801]


# ---- colour tables read by the views -------------------------------------------------------

def colour_row(colours):
    img = Image.new("RGB", (len(colours), 1))
    for x, c in enumerate(colours):
        img.putpixel((x, 0), c)
    return img


def dialog_colours():
    """Dialogs: face (the panels' light end), text, field (edits, lists), accent (links)."""
    return colour_row([PANEL_BOTTOM, TEXT_DARK, CONTENT, ACCENT])


def score_colours():
    """Rows: text, background, grid, active column; header: text, background, grid, active column."""
    return colour_row([TEXT_DARK, CONTENT, (226, 231, 238), (230, 240, 252),
                       TEXT_DARK, (226, 231, 238), (196, 204, 215), (205, 222, 245)])


def graph_colours():
    """Header: text, brush, pen; graph: text, plot, series, frame, outer."""
    return colour_row([TEXT_DARK, TAB_ROW, (196, 204, 215),
                       (70, 80, 95), CONTENT, ACCENT, (176, 186, 200), PANEL_TOP])


def tree_colours():
    """Background and text of a tree."""
    return colour_row([CONTENT, TEXT_DARK])


# ---- frame of the pages ---------------------------------------------------------------------

def edge(left_side):
    img = Image.new("RGB", (EDGE_W, 8), TAB_ROW)
    x = 0 if left_side else EDGE_W - 1
    ImageDraw.Draw(img).line([(x, 0), (x, 8)], fill=STRIP_DARK)
    return img


def splitter():
    img = Image.new("RGB", (SPLIT_W, 16), TAB_ROW)
    d = ImageDraw.Draw(img)
    d.line([(0, 0), (0, 16)], fill=STRIP_DARK)
    d.line([(SPLIT_W - 1, 0), (SPLIT_W - 1, 16)], fill=STRIP_DARK)
    return img


def tab_strip(w=16):
    img = Image.new("RGB", (w, TAB_H), TAB_ROW)
    ImageDraw.Draw(img).line([(0, TAB_H - 1), (w, TAB_H - 1)], fill=STRIP_DARK)
    return img


def panel_background():
    img = vgradient(16, PANEL_BUTTON_H, PANEL_TOP, PANEL_BOTTOM)
    ImageDraw.Draw(img).line([(0, PANEL_BUTTON_H - 1), (16, PANEL_BUTTON_H - 1)], fill=PANEL_LINE)
    return img


def focus_mark(w, h, box):
    """Picture 0 is laid over the button with magenta see-through: only a dotted ring shows."""
    img = Image.new("RGB", (w, h), MAGENTA)
    d = ImageDraw.Draw(img)
    x0, y0, x1, y1 = box
    for x in range(x0, x1 + 1, 2):
        d.point([(x, y0), (x, y1)], fill=ACCENT)
    for y in range(y0, y1 + 1, 2):
        d.point([(x0, y), (x1, y)], fill=ACCENT)
    return img


def tab():
    """Pictures: focus ring, normal, checked (joined to the panel below), mouse over, hidden.
    The caption is drawn by the tab, centred 7 pixels below the middle."""

    def one(state):
        img = tab_strip(TAB_W)
        if state == 0:
            return focus_mark(TAB_W, TAB_H, (8, 13, TAB_W - 9, TAB_H - 6))
        if state == 4:
            return img
        d = ImageDraw.Draw(img)
        if state == 2:
            body = vgradient(TAB_W - 4, TAB_H - 4, (255, 255, 255), PANEL_TOP)
            img.paste(body, (2, 4))
            d.rectangle([2, 4, TAB_W - 3, TAB_H], outline=(176, 186, 200))
            d.rectangle([2, 4, TAB_W - 3, 6], fill=ACCENT)
            d.line([(3, TAB_H - 1), (TAB_W - 4, TAB_H - 1)], fill=PANEL_TOP)
        else:
            top, bottom = ((244, 247, 251), (228, 235, 245)) if state == 3 else ((232, 236, 242), (218, 224, 233))
            img.paste(vgradient(TAB_W - 4, TAB_H - 9, top, bottom), (2, 8))
            d.rectangle([2, 8, TAB_W - 3, TAB_H - 1], outline=(190, 198, 210))
            if state == 3:
                d.line([(3, 8), (TAB_W - 4, 8)], fill=ACCENT)
        return img

    return strip(5, TAB_W, TAB_H, one)


# ---- icons (18 x 18, drawn at x, y in colour c) ---------------------------------------------

def icon_gauge(d, x, y, c):
    d.arc([x + 1, y + 2, x + 17, y + 18], 180, 360, fill=c, width=2)
    d.line([(x + 9, y + 10), (x + 14, y + 5)], fill=c, width=2)
    d.ellipse([x + 7, y + 8, x + 11, y + 12], fill=c)


def icon_speed_chars(d, x, y, c):
    icon_gauge(d, x, y - 2, c)
    d.rectangle([x + 7, y + 13, x + 11, y + 17], outline=c)


def icon_speed_words(d, x, y, c):
    icon_gauge(d, x, y - 2, c)
    d.line([(x + 2, y + 15), (x + 7, y + 15)], fill=c, width=2)
    d.line([(x + 10, y + 15), (x + 16, y + 15)], fill=c, width=2)


def icon_errors(d, x, y, c):
    d.ellipse([x + 1, y + 1, x + 17, y + 17], fill=ERROR_RED if c != GREY_ICON else c)
    d.line([(x + 6, y + 6), (x + 12, y + 12)], fill=(255, 255, 255), width=2)
    d.line([(x + 6, y + 12), (x + 12, y + 6)], fill=(255, 255, 255), width=2)


def percent(d, x, y, c):
    d.line([(x + 12, y + 17), (x + 17, y + 9)], fill=c, width=1)
    d.rectangle([x + 11, y + 9, x + 13, y + 11], outline=c)
    d.rectangle([x + 16, y + 15, x + 18, y + 17], outline=c)


def icon_errors_percent(d, x, y, c):
    d.ellipse([x, y, x + 11, y + 11], fill=ERROR_RED if c != GREY_ICON else c)
    d.line([(x + 3, y + 3), (x + 8, y + 8)], fill=(255, 255, 255), width=2)
    d.line([(x + 3, y + 8), (x + 8, y + 3)], fill=(255, 255, 255), width=2)
    percent(d, x, y, c)


def icon_clock(d, x, y, c):
    d.ellipse([x + 1, y + 1, x + 17, y + 17], outline=c, width=2)
    d.line([(x + 9, y + 9), (x + 9, y + 4)], fill=c, width=2)
    d.line([(x + 9, y + 9), (x + 13, y + 11)], fill=c, width=2)


def icon_target(d, x, y, c):
    d.ellipse([x + 1, y + 1, x + 17, y + 17], outline=c, width=2)
    d.ellipse([x + 5, y + 5, x + 13, y + 13], outline=c, width=2)
    d.ellipse([x + 8, y + 8, x + 10, y + 10], fill=c)


def icon_check_percent(d, x, y, c):
    good = GOOD_GREEN if c != GREY_ICON else c
    d.line([(x + 1, y + 6), (x + 4, y + 10), (x + 10, y + 1)], fill=good, width=3)
    percent(d, x, y, c)


def icon_length(d, x, y, c):
    for i, w in enumerate((14, 10, 14)):
        d.line([(x + 2, y + 2 + i * 4), (x + 2 + w, y + 2 + i * 4)], fill=c, width=2)
    d.line([(x + 2, y + 15), (x + 16, y + 15)], fill=c)
    d.polygon([(x + 1, y + 15), (x + 4, y + 12), (x + 4, y + 18)], fill=c)
    d.polygon([(x + 17, y + 15), (x + 14, y + 12), (x + 14, y + 18)], fill=c)


def icon_rhythm(d, x, y, c):
    d.polygon([(x + 5, y + 17), (x + 13, y + 17), (x + 11, y + 2), (x + 7, y + 2)], outline=c)
    d.line([(x + 9, y + 14), (x + 14, y + 4)], fill=c, width=2)
    d.ellipse([x + 12, y + 2, x + 16, y + 6], fill=c)


def icon_trash(d, x, y, c):
    d.line([(x + 3, y + 4), (x + 15, y + 4)], fill=c, width=2)
    d.rectangle([x + 7, y + 1, x + 11, y + 3], outline=c)
    d.polygon([(x + 4, y + 6), (x + 14, y + 6), (x + 13, y + 17), (x + 5, y + 17)], outline=c)
    for px in (7, 9, 11):
        d.line([(x + px, y + 8), (x + px, y + 15)], fill=c)


def page(d, x, y, c):
    d.polygon([(x + 3, y + 1), (x + 11, y + 1), (x + 15, y + 5), (x + 15, y + 17), (x + 3, y + 17)], outline=c)
    d.line([(x + 11, y + 1), (x + 11, y + 5), (x + 15, y + 5)], fill=c)


def icon_new(d, x, y, c):
    page(d, x, y, c)
    plus = ACCENT if c != GREY_ICON else c
    d.line([(x + 6, y + 11), (x + 12, y + 11)], fill=plus, width=2)
    d.line([(x + 9, y + 8), (x + 9, y + 14)], fill=plus, width=2)


def icon_rename(d, x, y, c):
    d.line([(x + 2, y + 16), (x + 16, y + 16)], fill=c)
    d.polygon([(x + 3, y + 14), (x + 4, y + 10), (x + 13, y + 1), (x + 16, y + 4), (x + 7, y + 13)], outline=c)
    d.line([(x + 11, y + 3), (x + 14, y + 6)], fill=c)


def icon_save(d, x, y, c):
    d.rectangle([x + 2, y + 2, x + 16, y + 16], outline=c, width=2)
    d.rectangle([x + 5, y + 2, x + 12, y + 7], fill=c)
    d.rectangle([x + 5, y + 11, x + 13, y + 16], outline=c)


def icon_insert(d, x, y, c):
    page(d, x, y + 1, c)
    arrow = ACCENT if c != GREY_ICON else c
    d.line([(x + 9, y), (x + 9, y + 12)], fill=arrow, width=2)
    d.polygon([(x + 5, y + 9), (x + 13, y + 9), (x + 9, y + 14)], fill=arrow)


def icon_export(d, x, y, c):
    d.rectangle([x + 1, y + 3, x + 13, y + 17], outline=c)
    for gy in (7, 11):
        d.line([(x + 1, y + gy), (x + 13, y + gy)], fill=c)
    d.line([(x + 6, y + 3), (x + 6, y + 17)], fill=c)
    arrow = ACCENT if c != GREY_ICON else c
    d.line([(x + 9, y + 9), (x + 18, y + 9)], fill=arrow, width=2)
    d.polygon([(x + 15, y + 5), (x + 19, y + 9), (x + 15, y + 13)], fill=arrow)


STAT_ICONS = {
    701: icon_speed_chars, 704: icon_speed_words, 702: icon_errors, 705: icon_errors_percent,
    703: icon_clock, 706: icon_target, 707: icon_check_percent, 708: icon_length, 709: icon_rhythm,
}
PANEL_ICONS = {751: icon_trash, 750: icon_new, 752: icon_rename, 800: icon_save, 801: icon_insert}


def panel_button(icon):
    """Pictures: focus ring, normal, pressed or checked, mouse over, disabled (greyed)."""
    w, h = PANEL_BUTTON_W, PANEL_BUTTON_H

    def one(state):
        if state == 0:
            return focus_mark(w, h, (3, 3, w - 4, h - 5))
        img = panel_background().resize((w, h))
        d = ImageDraw.Draw(img)
        if state == 2:
            d.rectangle([1, 1, w - 2, h - 2], fill=(226, 237, 252), outline=(160, 190, 232))
            d.rectangle([1, h - 4, w - 2, h - 2], fill=ACCENT)
        elif state == 3:
            d.rectangle([1, 1, w - 2, h - 2], fill=(240, 245, 252), outline=(190, 206, 230))
        colour = GREY_ICON if state == 4 else TEXT_DARK
        icon(d, (w - 18) // 2, (h - 18) // 2 - 1, colour)
        return img

    return strip(5, w, h, one)


def export_button():
    """Tool strip button; its hidden picture is the bare strip, so it vanishes on other pages."""
    w, h = EXPORT_W, STRIP_H

    def one(state):
        if state == 0:
            return focus_mark(w, h, (3, 3, w - 4, h - 5))
        if state == 4:
            return vgradient(w, h, (244, 246, 249), STRIP)
        img, d = base.button_back(w, h, state, False)
        icon_export(d, (w - 20) // 2, (h - 18) // 2 - 1, base.icon_colour(state, False))
        return img

    return strip(5, w, h, one)


def pictures():
    pics = {
        457: edge(True), 458: edge(False), 455: splitter(), 456: splitter(),
        306: score_colours(), 305: graph_colours(), 301: tree_colours(),
        302: Image.new("RGB", (8, 8), CONTENT),
        3025: export_button(),
        2411: tab_strip(), 700: panel_background(), 4000: tree_colours(),
        4001: dialog_colours(),
    }
    tab_pic = tab()
    pics.update({tid: tab_pic for tid in TAB_IDS})
    pics.update({sid: panel_button(STAT_ICONS[sid]) for sid in STAT_IDS})
    pics.update({pid: panel_button(PANEL_ICONS[pid]) for pid in PANEL_BUTTON_IDS})
    return pics
