#!/usr/bin/env python3
"""Draws the feeder-orientation dialog's pictures with the helpers of draw.py (importing it
redraws its own pictures too, identically).

AdfOperationTop / AdfOperationLeft (90 x 70): the feeder seen from above with a page going in
top edge first or left edge first. FEEDER_L_UPPER / FEEDER_L_LEFT (40 x 32): the small page
beside each direction choice. The binding pictures (64 x 48) show a two-page spread: LR bound
along the side, UL bound along the top; the _R ones are the same spreads turned a quarter for
pages fed left edge first, the _G ones their grey, inactive look. AdfBindLong and AdfBindShort
are the older dialog's pictures of the two bindings."""
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import hexrgb, in_poly, in_round_rect, png  # noqa: E402

CLEAR = (0, 0, 0, 0.0)


def opaque(c):
    return c + (1.0,)


def palette(grey):
    if grey:
        return {"page": hexrgb("#f4f4f4"), "edge": hexrgb("#b8b8b8"), "ink": hexrgb("#c8c8c8"),
                "bind": hexrgb("#a8a8a8"), "arrow": hexrgb("#bcbcbc"), "body": hexrgb("#dcdcdc")}
    return {"page": hexrgb("#ffffff"), "edge": hexrgb("#6d737c"), "ink": hexrgb("#9aa3ae"),
            "bind": hexrgb("#2f6fb8"), "arrow": hexrgb("#e08a1e"), "body": hexrgb("#c8ccd2")}


def page(x, y, x0, y0, x1, y1, pal, lines_horizontal=True):
    """A page with lines of text, or None outside it."""
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return None
    if x < x0 + 1 or x > x1 - 1 or y < y0 + 1 or y > y1 - 1:
        return pal["edge"]
    if lines_horizontal:
        if x0 + 3 <= x <= x1 - 3 and int(y - y0 - 3) % 4 == 0 and y0 + 3 <= y <= y1 - 3:
            return pal["ink"]
    else:
        if y0 + 3 <= y <= y1 - 3 and int(x - x0 - 3) % 4 == 0 and x0 + 3 <= x <= x1 - 3:
            return pal["ink"]
    return pal["page"]


def spread(name, bound_side, turned, grey):
    """Two pages joined at the binding: along the side (LR) or the top (UL)."""
    pal = palette(grey)
    W, H = 64, 48

    def pixel(x, y):
        if bound_side:
            # Side by side, the binding between them (a quarter turn puts one above the other).
            if not turned:
                if 30.5 <= x <= 33.5 and 8 <= y <= 42:
                    return opaque(pal["bind"])
                c = page(x, y, 8, 8, 31, 42, pal) or page(x, y, 33, 8, 56, 42, pal)
            else:
                if 4 <= x <= 60 and 22.5 <= y <= 25.5:
                    return opaque(pal["bind"])
                c = page(x, y, 4, 6, 60, 23, pal, False) or page(x, y, 4, 25, 60, 42, pal, False)
        else:
            # One above the other, bound along the top of the lower page.
            if not turned:
                if 14 <= x <= 50 and 22.5 <= y <= 25.5:
                    return opaque(pal["bind"])
                c = page(x, y, 14, 2, 50, 23, pal) or page(x, y, 14, 25, 50, 46, pal)
            else:
                if 30.5 <= x <= 33.5 and 10 <= y <= 40:
                    return opaque(pal["bind"])
                c = page(x, y, 2, 10, 31, 40, pal, False) or page(x, y, 33, 10, 62, 40, pal, False)
        return opaque(c) if c else CLEAR

    png(name + ".png", W, H, pixel)


def small_page(name, left_first):
    pal = palette(False)

    def pixel(x, y):
        # The feed arrow points up, into the feeder.
        if in_poly(x, y, [(33, 4), (38, 12), (28, 12)]) or (31.5 <= x <= 34.5 and 12 <= y <= 26):
            return opaque(pal["arrow"])
        c = page(x, y, 3, 9, 27, 29, pal, False) if left_first else page(x, y, 6, 3, 24, 29, pal)
        if c and ((not left_first and y <= 5) or (left_first and x <= 5)) and c != pal["edge"]:
            return opaque(pal["bind"])
        return opaque(c) if c else CLEAR

    png(name + ".png", 40, 32, pixel)


def operation(name, left_first):
    pal = palette(False)

    def pixel(x, y):
        # Feeder tray and slot.
        if in_round_rect(x, y, 8, 4, 82, 18, 4):
            return opaque(hexrgb("#868c94") if y < 6 or y > 16 else pal["body"])
        if 14 <= x <= 76 and 17 <= y <= 21:
            return opaque(hexrgb("#3a3f47"))
        if left_first:
            c = page(x, y, 16, 26, 74, 62, pal, False)
            if c and x <= 19 and c != pal["edge"]:
                return opaque(pal["bind"])
        else:
            c = page(x, y, 27, 22, 63, 66, pal)
            if c and y <= 25 and c != pal["edge"]:
                return opaque(pal["bind"])
        if c:
            return opaque(c)
        if in_poly(x, y, [(80, 30), (86, 40), (74, 40)]) or (78.5 <= x <= 81.5 and 40 <= y <= 58):
            return opaque(pal["arrow"])
        return CLEAR

    png(name + ".png", 90, 70, pixel)


operation("AdfOperationTop", False)
operation("AdfOperationLeft", True)
small_page("FEEDER_L_UPPER", False)
small_page("FEEDER_L_LEFT", True)
for grey in (False, True):
    g = "_G" if grey else ""
    spread("FEEDER_LR" + g, True, False, grey)
    spread("FEEDER_UL" + g, False, False, grey)
    spread("FEEDER_LR_R" + g, True, True, grey)
    spread("FEEDER_UL_R" + g, False, True, grey)
spread("AdfBindLong", True, False, False)
spread("AdfBindShort", False, False, False)
