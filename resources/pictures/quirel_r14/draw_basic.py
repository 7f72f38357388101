#!/usr/bin/env python3
"""Draws the basic panel's pictures for the newer scanner generations: the short dotted line,
step number 3 and the bullet; the preview toolbar's 25 x 25 buttons in a
pointer-over (S, blue), pointer-away (N, dark grey) and disabled (G, light grey) look; the
thumbnail arrows (also pressed, C). Standard library only; the PNG writer is the shared one of
drawing.py."""
import math
import os

from drawing import png

CLEAR = (0, 0, 0, 0)

# The step line, the long dotted line and the numbers 1 and 2 are the multi-scan tab's (drawn by
# draw_multiscan.py); these match them: a dark grey disc with a white digit, grey dots.
NUMBER = (69, 69, 69)
DOTS = (138, 138, 138)


def digit_three(x, y, x0, y0, s):
    """A thick digit 3 in a box of s x (1.4 s) at (x0, y0), y downwards: two bowls open to the
    left, each a right half-ring with straight ends."""
    w, h, t = s, 1.4 * s, s * 0.22
    r = h / 4
    cx = x0 + w - r
    for cy in (y0 + r, y0 + 3 * r):
        d = math.hypot(x - cx, y - cy)
        if x >= cx and r - t <= d <= r:
            return True
        ends = abs(y - (cy - r + t / 2)) <= t / 2 or abs(y - (cy + r - t / 2)) <= t / 2
        if ends and x0 + w * 0.1 <= x <= cx:
            return True
    return False


def step_number_three():
    def pixel(x, y):
        if math.hypot(x - 16, y - 16) > 15:
            return CLEAR
        return (255, 255, 255, 1.0) if digit_three(x, y, 10, 8, 11) else NUMBER + (1.0,)
    png("step_number_3.png", 32, 32, pixel)


def bullet():
    png("step_small.png", 32, 32, lambda x, y: NUMBER + (1.0,) if math.hypot(x - 16, y - 16) <= 4.5 else CLEAR)


def short_dots():
    png("dot_line_5.png", 32, 32,
        lambda x, y: DOTS + (1.0,) if any(math.hypot(x - (12 + k * 10), y - 16) <= 2.2 for k in range(2)) else CLEAR)


# ---- Toolbar glyphs on a 25 x 25 ground -------------------------------------------------------

def g_platen(x, y):
    return (3 <= x <= 22 and 6 <= y <= 19) and not (5 <= x <= 20 and 8 <= y <= 17) or (8 <= x <= 14 and 10 <= y <= 15)


def g_photo(x, y):
    return any(c <= x <= c + 6 and r <= y <= r + 6 for c in (4, 14) for r in (4, 14))


def g_mount(x, y):
    outer = 4 <= x <= 21 and 4 <= y <= 21
    inner = 8 <= x <= 17 and 8 <= y <= 17
    return outer and not inner


def g_film(x, y):
    band = 6 <= y <= 19 and 2 <= x <= 23
    holes = (7 <= y <= 8.5 or 16.5 <= y <= 18) and int(x) % 4 == 1
    frames = 10 <= y <= 15 and (4 <= x <= 11 or 14 <= x <= 21)
    return band and not holes and not frames or (band and (y < 9.5 or y > 15.5) and not holes and False)


def g_fit(x, y):
    edge = (4 <= x <= 21 and (4 <= y <= 5.5 or 19.5 <= y <= 21)) or (4 <= y <= 21 and (4 <= x <= 5.5 or 19.5 <= x <= 21))
    return (edge and int((x + y) / 2.5) % 2 == 0) or (9 <= x <= 16 and 9 <= y <= 16)


def g_delete(x, y):
    return abs(x - y) <= 1.5 and 5 <= x <= 20 or abs(x + y - 25) <= 1.5 and 5 <= x <= 20


def g_select_crops(x, y):
    a = (3 <= x <= 13 and 3 <= y <= 13) and not (5 <= x <= 11 and 5 <= y <= 11)
    b = (12 <= x <= 22 and 12 <= y <= 22) and not (14 <= x <= 20 and 14 <= y <= 20)
    return a or b


def g_invert(x, y):
    left = 3 <= x <= 11 and abs(y - 12.5) <= (x - 3) * 0.9
    right = 14 <= x <= 22 and abs(y - 12.5) <= (22 - x) * 0.9
    axis = 12 <= x <= 13 and int(y) % 3 != 2
    return left or right or axis


def g_turn(mirror):
    def g(x, y):
        if mirror:
            x = 25 - x
        d = math.hypot(x - 12.5, y - 13.5)
        ang = math.degrees(math.atan2(y - 13.5, x - 12.5))
        arc = 6 <= d <= 8.5 and not (-130 < ang < -60)
        head = 2 <= y <= 9 and 2 <= x <= 10 and (x - 2) + (y - 2) <= 8
        return arc or head
    return g


def g_check(filled):
    def g(x, y):
        box = (4 <= x <= 21 and 4 <= y <= 21) and not (6 <= x <= 19 and 6 <= y <= 19)
        tick = filled and (abs(y - (x + 4)) <= 1.4 and 8 <= x <= 12 or abs(y - (28 - x)) <= 1.4 and 12 <= x <= 18)
        return box or tick
    return g


def g_frames(x, y):
    return any(c <= x <= c + 5 and 5 <= y <= 20 for c in (3, 10, 17))


def g_info(x, y):
    ring = 8.5 <= math.hypot(x - 12.5, y - 12.5) <= 10.5
    dot = math.hypot(x - 12.5, y - 7.5) <= 1.6
    stem = 11.3 <= x <= 13.7 and 10.5 <= y <= 18
    return ring or dot or stem


def g_help(x, y):
    ring = 8.5 <= math.hypot(x - 12.5, y - 12.5) <= 10.5
    d = math.hypot(x - 12.5, y - 10)
    hook = 2.5 <= d <= 4.2 and not (y > 10 and x < 12.5)
    stem = 11.5 <= x <= 13.5 and 12.5 <= y <= 15
    dot = math.hypot(x - 12.5, y - 18) <= 1.3
    return ring or hook or stem or dot


LOOKS = {"_S": (38, 104, 196), "_N": (70, 70, 70), "_G": (178, 178, 178)}
TOOLS = (("TB_PLATEN", g_platen), ("TB_PHOTO", g_photo), ("TB_MOUNT", g_mount), ("TB_FILM", g_film),
         ("TB_SEL_FIT", g_fit), ("TB_SEL_DEL", g_delete), ("TB_SELECT_CLOP", g_select_crops),
         ("TB_INVERT", g_invert), ("TB_TURN_LEFT", g_turn(False)), ("TB_TURN_RIGHT", g_turn(True)),
         ("TB_SEL_ALL", g_check(True)), ("TB_SEL_ALLDEL", g_check(False)), ("TB_SELECT_KOMA", g_frames),
         ("TB_INFO", g_info), ("TB_HELP", g_help))


def arrow(name, back):
    looks = {"_S": (38, 104, 196), "_N": (90, 90, 90), "_C": (20, 60, 130), "_G": (190, 190, 190)}
    for suffix, colour in looks.items():
        def pixel(x, y, c=colour):
            u = 23 - x if back else x
            disc = math.hypot(x - 11.5, y - 11.5) <= 10.5
            tri = 8 <= u <= 16 and abs(y - 11.5) <= (16 - u) * 0.75
            if not disc:
                return CLEAR
            return (255, 255, 255, 1.0) if tri else c + (1.0,)
        png(name + suffix + ".png", 23, 23, pixel)


if __name__ == "__main__":  # the glyphs are shared with draw_advanced_tools.py
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    step_number_three()
    bullet()
    short_dots()
    for name, glyph in TOOLS:
        for suffix, colour in LOOKS.items():
            png(name + suffix + ".png", 25, 25, lambda x, y, g=glyph, c=colour: c + (1.0,) if g(x, y) else CLEAR)
    arrow("BACK", True)
    arrow("NEXT", False)
