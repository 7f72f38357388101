#!/usr/bin/env python3
"""Draws the multi-page PDF dialogs' pictures with the helpers of draw.py (importing it redraws
its own pictures too, identically). Each is a 32 x 32 key of the device's panel: colour scan
(three overlapping discs), grey scan (a ramp), custom scan (sliders), finish (a page with a
tick) and the five-button panel for a button the dialog does not know."""
import math
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import hexrgb, in_round_rect, png  # noqa: E402

S = 32
KEY, KEY_EDGE = hexrgb("#eef0f3"), hexrgb("#7d838c")
INK = hexrgb("#3a3f47")


def opaque(c):
    return c + (1.0,)


def key(inner):
    def pixel(x, y):
        if not in_round_rect(x, y, 1, 1, 31, 31, 6):
            return (0, 0, 0, 0.0)
        if not in_round_rect(x, y, 2.2, 2.2, 29.8, 29.8, 5):
            return opaque(KEY_EDGE)
        c = inner(x, y)
        return opaque(c) if c else opaque(KEY)
    return pixel


def disc(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def colour(x, y):
    parts = [(disc(x, y, 12.5, 12.5, 7), (225, 60, 60)), (disc(x, y, 19.5, 12.5, 7), (60, 170, 70)),
             (disc(x, y, 16, 19, 7), (60, 100, 220))]
    hit = [c for inside, c in parts if inside]
    if not hit:
        return None
    return tuple(min(255, sum(c[i] for c in hit) // len(hit) + 20 * (len(hit) - 1)) for i in range(3))


def grey(x, y):
    if 7 <= x <= 25 and 8 <= y <= 24:
        v = int(30 + (x - 7) / 18 * 200)
        return (v, v, v)
    return None


def custom(x, y):
    for i, knob in enumerate((11, 20, 14)):
        cx = 10 + i * 6
        if abs(x - cx) <= 0.8 and 7 <= y <= 25:
            return INK
        if abs(x - cx) <= 2.6 and abs(y - knob) <= 1.6:
            return hexrgb("#2f6fb8")
    return None


def finish(x, y):
    if 9 <= x <= 23 and 6 <= y <= 26:
        if 10.2 <= x <= 21.8 and 7.2 <= y <= 24.8:
            # A tick across the page.
            d1 = abs((y - 17) - (x - 12)) / math.sqrt(2) if 12 <= x <= 15 and 17 <= y <= 21 else 9
            d2 = abs((y - 20) + (x - 15) * 1.4) / math.sqrt(2.96) if 15 <= x <= 21 and 11 <= y <= 21 else 9
            if min(d1, d2) <= 1.3:
                return hexrgb("#2e8b3e")
            return (255, 255, 255)
        return INK
    return None


def five(x, y):
    for row, cols in ((0, 3), (1, 2)):
        for c in range(cols):
            cx = (9 + c * 7) if cols == 3 else (12.5 + c * 7)
            cy = 12 + row * 8
            if in_round_rect(x, y, cx - 2.6, cy - 2.6, cx + 2.6, cy + 2.6, 1.2):
                return hexrgb("#2f6fb8") if (row, c) == (0, 0) else INK
    return None


for name, inner in (("PDF_Color_N", colour), ("PDF_Gray_N", grey), ("PDF_Custom_N", custom),
                    ("PDF_Finish_N", finish), ("PDF_5Button_N", five)):
    png(name + ".png", S, S, key(inner))
