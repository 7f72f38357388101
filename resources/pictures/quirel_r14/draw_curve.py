#!/usr/bin/env python3
"""Draws the tone-curve dialog's move cursor (a four-way arrow, black with a white rim, its
hot spot at the centre pixel 7, 7) with the helpers of draw.py (importing it redraws its own
pictures too, identically)."""
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import png  # noqa: E402

SIZE = 15
C = 7


def inside(x, y):
    dx, dy = abs(x - C), abs(y - C)
    if dx <= 0.5 and dy <= 6.5:      # vertical stem
        return True
    if dy <= 0.5 and dx <= 6.5:      # horizontal stem
        return True
    # arrow heads: triangles at the four ends
    if dy >= 4 and dy <= 6.5 and dx <= 6.5 - dy:
        return True
    if dx >= 4 and dx <= 6.5 and dy <= 6.5 - dx:
        return True
    return False


def cursor(x, y):
    px, py = int(x), int(y)
    if inside(px, py):
        return (0, 0, 0, 1.0)
    for ox in (-1, 0, 1):
        for oy in (-1, 0, 1):
            if inside(px + ox, py + oy):
                return (255, 255, 255, 1.0)
    return (0, 0, 0, 0)


png("CursMove.png", SIZE, SIZE, cursor)
