#!/usr/bin/env python3
"""Draws the colour-pattern dialog's pictures: the six colour step buttons (a coloured disc with
a white arrow pointing outwards, in a normal and a faded disabled look, under the newer and the
older names) and the three colour chips of the balance rows. Standard library only; uses the
PNG writer of draw.py."""
import math
import os

from draw import png

HERE = os.path.dirname(os.path.abspath(__file__))

# Name, colour, arrow direction in degrees (0 right, counter-clockwise, y up on screen).
BUTTONS = [
    ("GREEN", "green", (60, 170, 70), 135),
    ("YELLOW", "yellow", (225, 200, 40), 90),
    ("RED", "red", (210, 55, 50), 45),
    ("CYAN", "cyan", (40, 180, 210), 225),
    ("BLUE", "blue", (50, 90, 210), 270),
    ("MAGENTA", "magenta", (200, 60, 180), 315),
]
CHIPS = [("RED", "red", (210, 55, 50)), ("GREEN", "green", (60, 170, 70)), ("BLUE", "blue", (50, 90, 210))]


def arrow_button(colour, angle, faded):
    size = 32
    c = size / 2
    a = math.radians(angle)
    dx, dy = math.cos(a), -math.sin(a)  # picture rows run downwards

    def pixel(x, y):
        r = math.hypot(x - c, y - c)
        if r > 15:
            return (0, 0, 0, 0)
        # Arrow: along the direction from -7 to +8, shaft half-width 2, head from +1 half-width 6.
        px, py = x - c, y - c
        along = px * dx + py * dy
        across = abs(-px * dy + py * dx)
        in_arrow = (-7 <= along <= 2 and across <= 2) or (1 <= along <= 9 and across <= (9 - along) * 0.75)
        if in_arrow:
            rgb = (255, 255, 255)
        elif r > 13.5:
            rgb = tuple(int(v * 0.7) for v in colour)
        else:
            rgb = colour
        if faded:
            rgb = tuple(int(v * 0.35 + 200 * 0.65) for v in rgb)
        return rgb + (1.0,)
    return size, pixel


def chip(colour):
    size = 32

    def pixel(x, y):
        if not (3 <= x <= 29 and 3 <= y <= 29):
            return (0, 0, 0, 0)
        if x < 4 or x > 28 or y < 4 or y > 28:
            return (90, 90, 90, 1.0)
        return colour + (1.0,)
    return size, pixel


def main():
    for upper, lower, colour, angle in BUTTONS:
        for faded, newer, older in ((False, "BT_%s.png" % upper, "%s_arrow.png" % lower),
                                    (True, "BT_%s_G.png" % upper, "%s_arrow_d.png" % lower)):
            size, pixel = arrow_button(colour, angle, faded)
            for name in (newer, older):
                png(os.path.join(HERE, name), size, size, pixel)
    for upper, lower, colour in CHIPS:
        size, pixel = chip(colour)
        # The newer names ("ADJ_...") are the colour balance's slider ends, drawn by draw_adjust.py.
        png(os.path.join(HERE, "colorchip_%s.png" % lower), size, size, pixel)


if __name__ == "__main__":
    main()
