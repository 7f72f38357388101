#!/usr/bin/env python3
"""Draws the book-correction notice's two pictures with the helpers of draw.py (importing it
redraws its own pictures too, identically): the platen seen from above with an open book laid
face down, its spine along an edge of the glass and a mark showing where. BOOK_EXPLANATION is
the newer scanners' (spine along the top edge, the other half of the book off the glass),
Book_explain the older ones' (spine along the left edge). Both 360 x 200, the notice's size."""
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw  # noqa: E402  (draws its own set, then lends its helpers)
from draw import hexrgb, in_poly, in_round_rect, png  # noqa: E402

W, H = 360, 200
BODY, BODY_EDGE = hexrgb("#c8ccd2"), hexrgb("#868c94")
GLASS, GLASS_EDGE = hexrgb("#b4d8f2"), hexrgb("#5f8fb8")
COVER, COVER_EDGE = hexrgb("#b0503c"), hexrgb("#6e2c20")
SPINE = hexrgb("#5a2418")
PAGES = hexrgb("#f4f0e4")
MARK = hexrgb("#f0a020")
ARROW = hexrgb("#2f6fb8")


def opaque(c):
    return c + (1.0,)


def scanner(x, y):
    """The scanner body with its glass, or None outside it."""
    if not in_round_rect(x, y, 30, 34, 330, 192, 12):
        return None
    if not in_round_rect(x, y, 31.5, 35.5, 328.5, 190.5, 11):
        return opaque(BODY_EDGE)
    if 58 <= x <= 302 and 56 <= y <= 170:
        if 59.5 <= x <= 300.5 and 57.5 <= y <= 168.5:
            return opaque(GLASS)
        return opaque(GLASS_EDGE)
    return opaque(BODY)


def book_newer(x, y):
    # The half on the glass, lying below the spine, which runs along the glass's top edge.
    if 78 <= x <= 262 and 56 <= y <= 150:
        if 78 <= x <= 262 and 56 <= y <= 61:
            return opaque(SPINE)
        if 80.5 <= x <= 259.5 and 61 <= y <= 147.5:
            return opaque(COVER)
        return opaque(COVER_EDGE)
    # The other half rises off the glass beyond the edge, seen foreshortened.
    if in_poly(x, y, [(78, 56), (262, 56), (250, 6), (90, 6)]):
        if in_poly(x, y, [(84, 53), (256, 53), (246, 10), (94, 10)]):
            return opaque(PAGES) if int(y) % 7 else opaque(hexrgb("#d8d2c0"))
        return opaque(COVER_EDGE)
    return None


def book_older(x, y):
    # The spine runs along the glass's left edge; the book lies to the right of it.
    if 58 <= x <= 200 and 70 <= y <= 160:
        if 58 <= x <= 64:
            return opaque(SPINE)
        if 66.5 <= x <= 197.5 and 72.5 <= y <= 157.5:
            return opaque(COVER)
        return opaque(COVER_EDGE)
    return None


def mark_newer(x, y):
    # A triangle on the body pointing along the top edge where the spine lies, and an arrow
    # pushing the book up against it.
    if in_poly(x, y, [(36, 46), (36, 66), (54, 56)]):
        return opaque(MARK)
    if in_poly(x, y, [(290, 120), (312, 120), (312, 88), (320, 88), (301, 66), (282, 88), (290, 88)]):
        return opaque(ARROW)
    return None


def mark_older(x, y):
    if in_poly(x, y, [(34, 99), (34, 131), (52, 115)]):
        return opaque(MARK)
    if in_poly(x, y, [(290, 104), (250, 104), (250, 96), (226, 115), (250, 134), (250, 126), (290, 126)]):
        return opaque(ARROW)
    return None


def picture(name, book, mark):
    def pixel(x, y):
        for layer in (mark, book, scanner):
            c = layer(x, y)
            if c is not None:
                return c
        return (0, 0, 0, 0)
    png(name + ".png", W, H, pixel)


picture("BOOK_EXPLANATION", book_newer, mark_newer)
picture("Book_explain", book_older, mark_older)
