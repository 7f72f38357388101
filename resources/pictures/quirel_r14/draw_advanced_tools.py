#!/usr/bin/env python3
"""Draws the advanced mode's toolbar buttons, 25 x 25: the newer look's five buttons the basic
panel has not (pointer-over S, pointer-away N, disabled G) and every button of the older look
(_on, _off, _dis in the same three colours). The glyphs the basic panel already has are its own
(draw_basic.py). Standard library only."""
import math
import os

from drawing import png
from draw_basic import (CLEAR, LOOKS, g_check, g_delete, g_film, g_fit, g_info, g_invert, g_mount, g_turn)


def g_clop_auto(x, y):
    # One crop per film frame: a strip with a dashed frame round each of its two frames.
    band = (2 <= x <= 23 and (5 <= y <= 6.5 or 18.5 <= y <= 20))
    frame = any((c <= x <= c + 8 and (8 <= y <= 9.3 or 15.7 <= y <= 17)) or
                (8 <= y <= 17 and (c <= x <= c + 1.3 or c + 6.7 <= x <= c + 8)) for c in (3, 14))
    return band or (frame and int((x + y) / 2) % 2 == 0)


def g_pre_clear(x, y):
    # A page crossed out.
    page = (5 <= x <= 20 and 4 <= y <= 21) and not (7 <= x <= 18 and 6 <= y <= 19)
    slash = abs((x - 5) - (21 - y)) <= 1.4 and 5 <= x <= 20
    return page or slash


def g_clop_manual(x, y):
    # Two crop marks facing each other.
    a = (3 <= x <= 5 and 3 <= y <= 19) or (3 <= x <= 19 and 3 <= y <= 5)
    b = (20 <= x <= 22 and 6 <= y <= 22) or (6 <= x <= 22 and 20 <= y <= 22)
    return a or b


def g_grab(x, y):
    # An open hand: a palm and four fingers.
    palm = math.hypot((x - 12.5) / 1.1, y - 16) <= 5.5
    fingers = any(c <= x <= c + 2.4 and 4 + abs(c - 11) * 0.4 <= y <= 14 for c in (6, 9.4, 12.8, 16.2))
    thumb = abs((y - 14) - (x - 3) * 0.6) <= 1.3 and 3 <= x <= 8.5 and y <= 19
    return palm or fingers or thumb


def g_handgrass(x, y):
    # A magnifying glass.
    d = math.hypot(x - 10, y - 10)
    handle = abs(x - y) <= 1.8 and 15 <= (x + y) / 2 <= 22
    return 5 <= d <= 7.5 or handle


NEWER = (("TB_CLOP_AUTO", g_clop_auto), ("TB_PRE_CLEAR", g_pre_clear), ("TB_CLOP_MANUAL", g_clop_manual),
         ("TB_GRAB", g_grab), ("TB_HANDGRASS", g_handgrass))
OLDER = (("ToolThmbOn", g_mount), ("ToolThmbOff", g_film), ("ToolShowAllCropS", g_clop_auto),
         ("ToolClearPrev", g_pre_clear), ("ToolCreateCrop", g_clop_manual), ("ToolHand", g_grab),
         ("ToolZoom", g_handgrass), ("ToolMirror", g_invert), ("ToolLeftRotate", g_turn(False)),
         ("ToolRightRotate", g_turn(True)), ("ToolCheckOnS", g_check(True)), ("ToolCheckOffS", g_check(False)),
         ("ToolScanInfo", g_info), ("ToolAutoCrop", g_fit), ("ToolDeleteCrop", g_delete))
OLDER_LOOKS = {"_on": LOOKS["_S"], "_off": LOOKS["_N"], "_dis": LOOKS["_G"]}


def draw(name, glyph, looks):
    for suffix, colour in looks.items():
        png(name + suffix + ".png", 25, 25, lambda x, y, g=glyph, c=colour: c + (1.0,) if g(x, y) else CLEAR)


if __name__ == "__main__":
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    for name, glyph in NEWER:
        draw(name, glyph, LOOKS)
    for name, glyph in OLDER:
        draw(name, glyph, OLDER_LOOKS)
