#!/usr/bin/env python3
"""Draws the pictures of the colour balance, histogram and final review dialogs with the
helpers of draw.py (importing it redraws its own pictures too, identically): colour dots at
the ends of the balance sliders, the gradient bars, the grey gradations beside the histogram,
its point markers and the eyedropper buttons. Where two generations of the program use
different names for one picture, the same drawing is written under each name."""
import math
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import hexrgb, in_poly, png  # noqa: E402


def names(*all_names):
    return all_names


def dot(colour, size=32, grey=False):
    r, g, b = hexrgb(colour)

    def pixel(x, y):
        d = math.hypot(x - size / 2, y - size / 2)
        if d <= size * 0.34:
            if grey:
                v = int(0.3 * r + 0.59 * g + 0.11 * b)
                return (v, v, v, 1.0)
            return (r, g, b, 1.0)
        if d <= size * 0.40:
            return (90, 90, 90, 1.0)
        return (0, 0, 0, 0)
    return pixel


def bar(left, right, w, h):
    a, b = hexrgb(left), hexrgb(right)

    def pixel(x, y):
        t = min(max(x / w, 0.0), 1.0)
        if y < 0.6 or y > h - 0.6:
            return (110, 110, 110, 1.0)
        return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3)) + (1.0,)
    return pixel


def write(pixel, w, h, *all_names):
    for n in all_names:
        png(n + ".png", w, h, pixel)


# Colour balance: the ends of each slider and the bar beneath it.
write(dot("#b0b0b0", grey=True), 32, 32, "ADJ_CHROMA_L", "vivid_decre")
write(dot("#e04080"), 32, 32, "ADJ_CHROMA_H", "vivid_incre")
for colour, pair in [("#20c0d0", ("ADJ_CYAN", "cyan")), ("#e03030", ("ADJ_RED", "red")),
                     ("#d040c0", ("ADJ_MAGENTA", "magenta")), ("#30b040", ("ADJ_GREEN", "green")),
                     ("#e0d030", ("ADJ_YELLOW", "yellow")), ("#3050e0", ("ADJ_BLUE", "blue"))]:
    write(dot(colour), 32, 32, *pair)
write(bar("#909090", "#e04080", 172, 8), 172, 8, "ADJ_CHROMA_BER", "Grad_Bri2")
write(bar("#20c0d0", "#e03030", 172, 8), 172, 8, "ADJ_BER_CYAN_RED", "Grad_RC")
write(bar("#d040c0", "#30b040", 172, 8), 172, 8, "ADJ_BER_MAG_GRE", "Grad_GM")
write(bar("#e0d030", "#3050e0", 172, 8), 172, 8, "ADJ_BER_YEL_BLUE", "Grad_BY")

# Histogram and final review: grey gradations, black at the origin.
write(bar("#000000", "#ffffff", 153, 10), 153, 10, "ADJ_HORIZONTAL", "GradationHorizonBar")


def vertical(x, y):
    v = int(255 * min(max(1 - y / 153, 0.0), 1.0))
    return (v, v, v, 1.0)


write(vertical, 10, 153, "ADJ_VERTICAL", "GradationverticalBar")


# Point markers: a triangle pointing up at the value. The older black marker keeps the
# slider knob's name and picture, so only the newer one is drawn here.
def marker(fill, w, h):
    f = hexrgb(fill)

    def pixel(x, y):
        tri = [(w / 2, 0.5), (w - 0.5, h - 0.5), (0.5, h - 0.5)]
        inner = [(w / 2, 2.2), (w - 2.2, h - 1.3), (2.2, h - 1.3)]
        if in_poly(x, y, inner):
            return f + (1.0,)
        if in_poly(x, y, tri):
            return (60, 60, 60, 1.0)
        return (0, 0, 0, 0)
    return pixel


write(marker("#101010", 19, 10), 19, 10, "DRAGPOINT_BLK")
write(marker("#8a8a8a", 19, 10), 19, 10, "DRAGPOINT_GRAY")
write(marker("#8a8a8a", 21, 11), 21, 11, "DragGrayPoint")
write(marker("#fafafa", 19, 10), 19, 10, "DRAGPOINT_WHT")
write(marker("#fafafa", 21, 11), 21, 11, "DragWhtPoint")


# Eyedroppers: a slanted pipette whose tip shows the point it sets.
def pipette(tip, size=21, frame=True):
    t = hexrgb(tip)
    s = size / 21.0

    def pixel(x, y):
        x, y = x / s, y / s
        u = (x - y) / math.sqrt(2)
        v = (x + y) / math.sqrt(2) - 14.8
        if frame and (x < 1 or y < 1 or x > 20 or y > 20):
            return (150, 150, 150, 1.0)
        if -2.2 <= u <= 2.2 and -9 <= v <= -4:
            return (70, 70, 70, 1.0)
        if -1.4 <= u <= 1.4 and -4 <= v <= 4:
            return (235, 235, 235, 1.0) if abs(u) < 0.8 else (70, 70, 70, 1.0)
        if -0.9 <= u <= 0.9 and 4 <= v <= 7.5:
            return t + (1.0,)
        return (0, 0, 0, 0)
    return pixel


write(pipette("#000000"), 21, 21, "PICKBLK", "PickBlkPoint")
write(pipette("#808080"), 21, 21, "PICKGRAY", "PickGrayPoint", "GraySetting")
write(pipette("#ffffff"), 21, 21, "PICKWHT", "PickWhtPoint")
write(pipette("#3070d0", 16, False), 16, 16, "PICK")
write(pipette("#3070d0", 20, False), 20, 20, "TotalColorSetting", "ToneTotalSetting")
