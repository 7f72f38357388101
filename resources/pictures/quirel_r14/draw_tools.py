#!/usr/bin/env python3
"""Draws the preview toolbar's button pictures: a glyph on a clear ground, 17 x 17, in a
pointer-over (blue), pointer-away (dark grey) and disabled (light grey) look. Standard library
only; the PNG writer is the shared one of drawing.py."""
import math
import os

from drawing import png

N = 17


def crop(x, y):
    # A dashed square with a solid corner mark.
    on_edge = (2 <= x <= 15 and (2 <= y <= 3.2 or 13.8 <= y <= 15)) or (2 <= y <= 15 and (2 <= x <= 3.2 or 13.8 <= x <= 15))
    dashed = on_edge and int((x + y) / 2.5) % 2 == 0
    return dashed or (11 <= x <= 15 and 11 <= y <= 15)


def zoom(x, y):
    d = math.hypot(x - 7, y - 7)
    handle = abs((x - y)) <= 1.4 and 10.5 <= (x + y) / 2 <= 15
    return 3.3 <= d <= 5.2 or handle


def rotate(x, y):
    d = math.hypot(x - 8.5, y - 8.5)
    ang = math.degrees(math.atan2(y - 8.5, x - 8.5))
    arc = 4.2 <= d <= 6 and not (-100 < ang < -40)
    head = y <= 5.5 and 9 <= x <= 14.5 and (x - 9) >= (5.5 - y) * 1.0 and (14.5 - x) >= (5.5 - y) * 0.2 - 0.5 and y >= 0.8
    return arc or head


def mirror(x, y):
    left = x <= 7.5 and x >= 2 and abs(y - 8.5) <= (x - 2) * 1.1
    right = x >= 9.5 and x <= 15 and abs(y - 8.5) <= (15 - x) * 1.1
    axis = 8.2 <= x <= 8.8 and int(y) % 3 != 2
    return left or right or axis


def thumbs(x, y):
    return any(c <= x <= c + 5 and r <= y <= r + 5 for c in (2, 10) for r in (2, 10))


LOOKS = {"_In": (38, 104, 196), "_Out": (70, 70, 70), "_Dis": (178, 178, 178)}
os.chdir(os.path.dirname(os.path.abspath(__file__)))
for name, glyph in (("ToolCrop", crop), ("ToolZoom", zoom), ("ToolRotate", rotate), ("ToolMirror", mirror),
                    ("ToolThumbnail", thumbs)):
    for suffix, colour in LOOKS.items():
        png(name + suffix + ".png", N, N, lambda x, y, g=glyph, c=colour: c + (1.0,) if g(x, y) else (0, 0, 0, 0))
