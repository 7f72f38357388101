#!/usr/bin/env python3
"""Draws the preview's mouse cursors with the helpers of draw.py (importing it redraws its own
pictures too, identically): black glyphs with a white outline so they show on any image, 16 x 16.
The hot spot is (7, 7) from the top-left for all but the eyedroppers and the stop sign, whose
point is at (3, 14); the cursor rectangles take the centre instead, which these shapes allow.
The move cursor, CursMove, is the tone-curve dialog's, drawn by draw_curve.py."""
import math
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import in_poly, png  # noqa: E402

S = 16
BLACK = (0, 0, 0, 1.0)
WHITE = (255, 255, 255, 1.0)
GREY = (128, 128, 128, 1.0)
CLEAR = (0, 0, 0, 0.0)


def seg(x, y, ax, ay, bx, by):
    """Distance from (x, y) to the segment a-b."""
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def outlined(shape):
    """The shape's own colours, and white one point around it."""
    def pixel(x, y):
        c = shape(x, y)
        if c:
            return c
        for ox, oy in ((1, 0), (-1, 0), (0, 1), (0, -1), (0.7, 0.7), (-0.7, 0.7), (0.7, -0.7), (-0.7, -0.7)):
            if shape(x + ox, y + oy):
                return WHITE
        return CLEAR
    return pixel


def double_arrow(ax, ay, bx, by):
    """A line from a to b with a head at each end."""
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    px, py = -uy, ux

    def head(tx, ty, sx, sy):
        return [(tx, ty), (tx - 4 * sx + 3 * px, ty - 4 * sy + 3 * py), (tx - 4 * sx - 3 * px, ty - 4 * sy - 3 * py)]

    heads = [head(bx, by, ux, uy), head(ax, ay, -ux, -uy)]

    def shape(x, y):
        if seg(x, y, ax, ay, bx, by) <= 0.8 or any(in_poly(x, y, h) for h in heads):
            return BLACK
        return None
    return shape


def magnifier(sign):
    def shape(x, y):
        d = math.hypot(x - 6.5, y - 6.5)
        if 3.6 <= d <= 5.2 or seg(x, y, 10.2, 10.2, 14, 14) <= 1.3:
            return BLACK
        if sign and abs(y - 6.5) <= 0.7 and abs(x - 6.5) <= 2.4:
            return BLACK
        if sign == "+" and abs(x - 6.5) <= 0.7 and abs(y - 6.5) <= 2.4:
            return BLACK
        if d < 3.6:
            return WHITE
        return None
    return shape


def hand(x, y):
    # Palm, four fingers standing up and the thumb to the left; the centre lies on the palm.
    if 4 <= x <= 12.5 and 7 <= y <= 13.5:
        return BLACK
    for fx, top in ((5, 2.5), (7.2, 1.5), (9.4, 2), (11.6, 3.5)):
        if seg(x, y, fx, top, fx, 8) <= 1.0:
            return BLACK
    if seg(x, y, 4, 10, 1.5, 7) <= 1.0:
        return BLACK
    return None


def dropper(fill):
    # A pipette from its point at (3, 14) up to a bulb near the top-right corner.
    def shape(x, y):
        if math.hypot(x - 12, y - 4) <= 2.8:
            return BLACK
        d = seg(x, y, 3, 14, 10.5, 5.5)
        if d <= 0.9:
            return fill
        if d <= 1.8:
            return BLACK
        return None
    return shape


def stop(x, y):
    d = math.hypot(x - 7.5, y - 7.5)
    if 4.6 <= d <= 6.6 or (d <= 5 and seg(x, y, 4.2, 10.8, 10.8, 4.2) <= 1.0):
        return BLACK
    if d < 4.6:
        return WHITE
    return None


CURSORS = {
    "CursHand": hand,
    "HAND_PA": hand,
    "CursZoomStop": magnifier(None),
    "CursZoomOut": magnifier("-"),
    "CursZoomIn": magnifier("+"),
    "CursUpDown": double_arrow(7.5, 1.5, 7.5, 13.5),
    "CursRightLeft": double_arrow(1.5, 7.5, 13.5, 7.5),
    "CursUpperL&LowerR": double_arrow(2, 2, 13, 13),
    "CursUpperR&LowerL": double_arrow(13, 2, 2, 13),
    "CursSpShadow": dropper(BLACK),
    "CursSpMidtone": dropper(GREY),
    "CursSpHighlight": dropper(WHITE),
    "CursStop": stop,
}

for name, glyph in CURSORS.items():
    png(name + ".png", S, S, outlined(glyph))
