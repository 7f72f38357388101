#!/usr/bin/env python3
"""Draws the pictures of the advanced, basic, preferences and multi-scan panels with the
helpers of draw.py (importing it redraws its own pictures too, identically). Plain shapes,
standard library only; where two generations of the program use different names for one
picture, the same drawing is written under each name."""
import math
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import hexrgb, in_poly, in_round_rect, png, tile, wide  # noqa: E402

# --- glyphs on a 24 x 24 tile (y grows downwards)

def glyph_book(x, y):
    left = in_poly(x, y, [(5, 7), (11.3, 8.5), (11.3, 18), (5, 16.5)])
    right = in_poly(x, y, [(12.7, 8.5), (19, 7), (19, 16.5), (12.7, 18)])
    return left or right


def glyph_page_a(x, y):
    page = 6.5 <= x <= 17.5 and 4.5 <= y <= 19.5
    hole = 8.5 <= x <= 15.5 and 6.5 <= y <= 17.5
    bar = 9.5 <= x <= 14.5 and (8.5 <= y <= 9.7 or 11.5 <= y <= 12.7 or 14.5 <= y <= 15.7)
    return (page and not hole) or bar


def glyph_sun(x, y):
    d = math.hypot(x - 12, y - 12)
    if d <= 4:
        return True
    a = math.atan2(y - 12, x - 12)
    return 6 <= d <= 9 and abs((a * 8 / (2 * math.pi)) % 1 - 0.5) > 0.36


def glyph_fading(x, y):
    return 5.5 <= x <= 18.5 and 5.5 <= y <= 18.5 and ((x + y) < 24 or (int(x) + int(y)) % 3 == 0)


def glyph_dust(x, y):
    dots = [(8, 8), (15, 7), (11, 13), (17, 15), (7, 17)]
    if any(math.hypot(x - cx, y - cy) <= 1.6 for cx, cy in dots):
        return True
    return abs((y - 5) - 0.7 * (x - 6)) <= 0.7 and 6 <= x <= 19 and 17 - x > -2 and y <= 19


def glyph_crop(x, y):
    edge = (5 <= x <= 19 and (5 <= y <= 6.5 or 17.5 <= y <= 19)) or (5 <= y <= 19 and (5 <= x <= 6.5 or 17.5 <= x <= 19))
    return edge and ((int(x) + int(y)) // 3) % 2 == 0


def glyph_chain(x, y):
    d1 = math.hypot((x - 9) / 1.3, y - 12)
    d2 = math.hypot((x - 15) / 1.3, y - 12)
    return 3 <= d1 <= 4.6 or 3 <= d2 <= 4.6


def glyph_lock_fixed(locked):
    def g(x, y):
        body = 7.5 <= x <= 16.5 and 11 <= y <= 18.5
        d = math.hypot(x - (12 if locked else 15), y - 10)
        return body or (2.2 <= d <= 3.8 and y <= 11)
    return g


def set3(names, on, off, dis, glyph, size=24):
    """One drawing in its on (or pointer-over), off and disabled looks, under each name set."""
    for on_name, off_name, dis_name in names:
        tile(on_name, on[0], on[1], glyph, size)
        tile(off_name, off[0], off[1], glyph, size)
        tile(dis_name, dis[0], dis[1], glyph, size)


ON = ("#3f8fd8", "#215f9f")
OFF = ("#8a96a4", "#5e6874")
DIS = ("#d4d8dd", "#b8bcc2")

set3([("BOOK_HOSEI_ON", "BOOK_HOSEI_N", "BOOK_HOSEI_G")], ON, OFF, DIS, glyph_page_a)
set3([("BOOKSHADOW_ON", "BOOKSHADOW_N", "BOOKSHADOW_G"), ("Book_on", "Book_off", "Book_d")], ON, OFF, DIS, glyph_book)
set3([("BACKLIGHT_ON", "BACKLIGHT_N", "BACKLIGHT_G"), ("BackLight_on", "BackLight_off", "BackLight_d")],
     ON, OFF, DIS, glyph_sun)
set3([("FADINGCORRECT_ON", "FADINGCORRECT_N", "FADINGCORRECT_G"), ("Fading_on", "Fading_off", "Fading_d")],
     ON, OFF, DIS, glyph_fading)
set3([("DUSTSCRACH_ON", "DUSTSCRACH_N", "DUSTSCRACH_G"), ("RemoveDust_on", "RemoveDust_off", "RemoveDust_d")],
     ON, OFF, DIS, glyph_dust)
set3([("BtnFixedOn_on", "BtnFixedOn_off", "BtnFixedOn_d")], ("#e0a040", "#a07020"), ("#c08020", "#805010"),
     DIS, glyph_lock_fixed(True))
set3([("BtnFixedOff_on", "BtnFixedOff_off", "BtnFixedOff_d")], ("#60b070", "#308040"), ("#409050", "#206030"),
     DIS, glyph_lock_fixed(False))
for name in ("CROPBORDER", "AdjustCrop"):
    tile(name, "#ffffff", "#9aa4b0", lambda x, y: False, 24)
    # the dashed frame drawn dark on the light tile
    png(name + ".png", 24, 24, lambda x, y: (40, 90, 160, 1.0) if glyph_crop(x, y) else
        ((255, 255, 255, 1.0) if in_round_rect(x, y, 0.5, 0.5, 23.5, 23.5, 5) else (0, 0, 0, 0)))
for name in ("CHAIN", "OutputWH"):
    png(name + ".png", 24, 24, lambda x, y: (90, 96, 104, 1.0) if glyph_chain(x, y) else (0, 0, 0, 0))


def triangle(name, up, size=13):
    pts = [(2, 9.5), (6.5, 3.5), (11, 9.5)] if up else [(2, 3.5), (6.5, 9.5), (11, 3.5)]
    png(name + ".png", size, size, lambda x, y: (80, 86, 94, 1.0) if in_poly(x, y, pts) else (0, 0, 0, 0))


for name in ("BT_FOLD", "BtnUpArrow"):
    triangle(name, True)
for name in ("BT_SPREAD", "BtnDownArrow"):
    triangle(name, False)


def feeder(name, from_left, w=40, h=32):
    def pixel(x, y):
        page = 12 <= x <= 30 and 6 <= y <= 28
        inner = 13.5 <= x <= 28.5 and 7.5 <= y <= 26.5
        lines = 16 <= x <= 26 and int(y) % 4 == 0 and 10 <= y <= 24
        if from_left:
            arrow = in_poly(x, y, [(1, 13), (7, 13), (7, 10), (11, 17), (7, 24), (7, 21), (1, 21)])
        else:
            arrow = in_poly(x, y, [(17, 0), (25, 0), (25, 2), (28, 2), (21, 6), (14, 2), (17, 2)])
        if arrow:
            return (47, 111, 184, 1.0)
        if page and not inner:
            return (90, 96, 104, 1.0)
        if lines:
            return (150, 156, 164, 1.0)
        if inner:
            return (255, 255, 255, 1.0)
        return (0, 0, 0, 0)
    png(name + ".png", w, h, pixel)


for name in ("FEEDER_UPPER", "AdfFromTop"):
    feeder(name, False)
for name in ("FEEDER_LEFT", "AdfFromLeft"):
    feeder(name, True)

PATTERN = ["#d84a4a", "#e0b040", "#5aa84a", "#4a8ad0", "#8a5ac8", "#e07aa0", "#40b0b0", "#a0a0a0", "#604830"]


def color_pattern(name, size, faded):
    def pixel(x, y):
        cell = size / 3.0
        cx, cy = int(x // cell), int(y // cell)
        inset = max(1.0, size / 16.0)
        if not (cx * cell + inset / 2 <= x <= (cx + 1) * cell - inset / 2 and
                cy * cell + inset / 2 <= y <= (cy + 1) * cell - inset / 2):
            return (0, 0, 0, 0)
        r, g, b = hexrgb(PATTERN[min(cy, 2) * 3 + min(cx, 2)])
        if faded:
            r, g, b = (int(c * 0.35 + 200 * 0.65) for c in (r, g, b))
        return (r, g, b, 1.0)
    png(name + ".png", size, size, pixel)


color_pattern("VIEWCOLOR_N", 32, False)
color_pattern("view_sample_color_e_32x32", 32, False)
color_pattern("VIEWCOLOR_G", 32, True)
color_pattern("view_sample_color_d_32x32", 32, True)
color_pattern("view_sample_color_e_16x16", 16, False)
color_pattern("view_sample_color_g_16x16", 16, True)

wide("preview_btn_n", "#6aa4e0", "#2f70b8", "#2a5f98")
wide("preview_btn_p", "#2f64a0", "#4a80c0", "#1a4470")
wide("preview_btn_d", "#c4d2e2", "#aabace", "#9aaabe")
wide("AdvPrevBtn_n", "#6aa4e0", "#2f70b8", "#2a5f98")
wide("AdvPrevBtn_p", "#2f64a0", "#4a80c0", "#1a4470")
wide("AdvPrevBtn_d", "#c4d2e2", "#aabace", "#9aaabe")
wide("scan_btn_n", "#6cc08a", "#2f8c58", "#2a7848")
wide("scan_btn_p", "#2f7c4c", "#4aa070", "#1a5030")
wide("scan_btn_d", "#c6dccd", "#a8c6b2", "#98b6a2")
wide("AdvScanBtn_n", "#6cc08a", "#2f8c58", "#2a7848")
wide("AdvScanBtn_p", "#2f7c4c", "#4aa070", "#1a5030")
wide("AdvScanBtn_d", "#c6dccd", "#a8c6b2", "#98b6a2")


def scene(name, kind, w=96, h=64):
    """The multi-scan tab's pictures: the platen or the feeder as source, a photograph or a
    text page as destination."""
    def pixel(x, y):
        if kind == "platen":
            body = in_round_rect(x, y, 6, 30, 90, 56, 4)
            lid = in_poly(x, y, [(8, 28), (88, 28), (80, 10), (16, 10)])
            glass = 12 <= x <= 84 and 34 <= y <= 40
            if glass:
                return (150, 200, 240, 1.0)
            if body:
                return (200, 204, 210, 1.0)
            if lid:
                return (170, 176, 184, 1.0)
        elif kind == "feeder":
            body = in_round_rect(x, y, 6, 34, 90, 58, 4)
            tray = in_poly(x, y, [(24, 32), (72, 32), (66, 8), (30, 8)])
            paper = in_poly(x, y, [(30, 30), (66, 30), (62, 12), (34, 12)])
            if paper:
                return (255, 255, 255, 1.0)
            if tray:
                return (150, 156, 164, 1.0)
            if body:
                return (200, 204, 210, 1.0)
        elif kind == "photo":
            frame = 14 <= x <= 82 and 8 <= y <= 56
            if frame:
                if in_poly(x, y, [(18, 52), (40, 26), (56, 44), (64, 36), (78, 52)]):
                    return (70, 140, 80, 1.0)
                if math.hypot(x - 66, y - 20) <= 6:
                    return (240, 190, 60, 1.0)
                inner = 18 <= x <= 78 and 12 <= y <= 52
                return (150, 200, 240, 1.0) if inner else (90, 96, 104, 1.0)
        else:
            page = 28 <= x <= 68 and 4 <= y <= 60
            if page:
                edge = not (29.5 <= x <= 66.5 and 5.5 <= y <= 58.5)
                line = 33 <= x <= 63 and 10 <= y <= 54 and int(y) % 6 == 0
                return (90, 96, 104, 1.0) if edge or line else (255, 255, 255, 1.0)
        return (0, 0, 0, 0)
    png(name + ".png", w, h, pixel)


scene("MS_SOURCE_PLATEN", "platen")
scene("MS_SOURCE_FEEDER", "feeder")
scene("MS_DEST_PHOTO", "photo")
scene("MS_DEST_DOCUMENT", "document")


def knob_alias():
    # The adjustment dialogs ask for their knob by this name.
    with open("SliderKnob.png", "rb") as src, open("DragBlkPoint.png.tmp", "wb") as dst:
        dst.write(src.read())
    os.replace("DragBlkPoint.png.tmp", "DragBlkPoint.png")


knob_alias()
