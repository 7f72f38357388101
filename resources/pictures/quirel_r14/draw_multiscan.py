#!/usr/bin/env python3
"""Draws the pictures of the multi-scan tab and of the frame-select dialog: how to place the
originals on the glass, the source and destination pictures, the Scan button, the help icon
and the numbered steps. Plain shapes only, standard library only; the PNG writer is the shared
one of drawing.py."""
import functools
import math
import os

import drawing
from drawing import hexrgb, in_round_rect

# These pictures are sampled 3 x 3 a pixel.
png = functools.partial(drawing.png, ss=3)


def layers(shapes):
    """A pixel function from (test, colour) pairs, the last match on top."""
    def pixel(x, y):
        for test, colour in reversed(shapes):
            if test(x, y):
                c = hexrgb(colour) if isinstance(colour, str) else colour
                return (c[0], c[1], c[2], 1.0 if len(c) == 3 else c[3])
        return (0, 0, 0, 0)
    return pixel


def rect(x0, y0, x1, y1, r=0):
    return lambda x, y: in_round_rect(x, y, x0, y0, x1, y1, r) if r else (x0 <= x <= x1 and y0 <= y <= y1)


def lines(x0, y0, x1, y1, step=5, thick=1.2):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1 and (y - y0) % step < thick


def glass(w, h):
    return [(rect(1, 1, w - 1, h - 1, 6), "#c9ced6"), (rect(4, 4, w - 4, h - 4, 4), "#eef1f5")]


def document(x0, y0, w, h, tint="#ffffff"):
    return [(rect(x0 - 1, y0 - 1, x0 + w + 1, y0 + h + 1), "#8d96a3"), (rect(x0, y0, x0 + w, y0 + h), tint),
            (lines(x0 + 4, y0 + 6, x0 + w - 4, y0 + h - 4), "#9aa3ae")]


def photo(x0, y0, w, h, sky, land):
    return [(rect(x0 - 1, y0 - 1, x0 + w + 1, y0 + h + 1), "#8d96a3"), (rect(x0, y0, x0 + w, y0 + h), sky),
            (lambda x, y: x0 <= x <= x0 + w and y0 + h * 0.55 + 4 * math.sin((x - x0) / 6) <= y <= y0 + h, land)]


def film_strip(x0, y0, w, h, frame="#b8875a"):
    s = [(rect(x0, y0, x0 + w, y0 + h, 2), "#3b3b3b")]
    for i in range(int(w // 8)):
        s.append((rect(x0 + 3 + i * 8, y0 + 2, x0 + 6 + i * 8, y0 + 5), "#f0f0f0"))
        s.append((rect(x0 + 3 + i * 8, y0 + h - 5, x0 + 6 + i * 8, y0 + h - 2), "#f0f0f0"))
    fw = (w - 8) / 3
    for i in range(3):
        s.append((rect(x0 + 4 + i * fw + 2, y0 + 8, x0 + 4 + (i + 1) * fw - 2, y0 + h - 8), frame))
    return s


def arrow_gap(xa, xb, y):
    return [(lambda x, yy: xa <= x <= xb and abs(yy - y) < 0.8, "#d0413a"),
            (lambda x, yy: xa <= x <= xa + 4 and abs(yy - y) <= (xa + 4 - x) * 0.8, "#d0413a"),
            (lambda x, yy: xb - 4 <= x <= xb and abs(yy - y) <= (x - xb + 4) * 0.8, "#d0413a")]


def placement_pictures():
    w, h = 300, 84
    shapes = glass(w, h) + document(40, 14, 60, 58) + document(120, 14, 60, 58) + document(200, 14, 60, 58)
    png("Dez_doc.png", w, h, layers(shapes))
    png("Dez_doc_2.png", w, h, layers(shapes + arrow_gap(101, 119, 44) + arrow_gap(181, 199, 44)))
    w, h = 300, 74
    png("Dez_let.png", w, h, layers(glass(w, h) + photo(40, 14, 62, 46, "#8cc4ea", "#5c9e4a")
                                    + photo(122, 14, 62, 46, "#f2c27a", "#b0603c")
                                    + photo(204, 14, 62, 46, "#a9c8f0", "#4e7fbf")))
    png("Dez_film.png", w, h, layers(glass(w, h) + film_strip(40, 16, 220, 42)))
    tray = [(rect(60, 40, 240, 66, 3), "#9aa3ae"), (rect(70, 8, 230, 50), "#8d96a3"), (rect(71, 9, 229, 49), "#ffffff"),
            (lines(78, 14, 222, 46), "#9aa3ae"), (rect(90, 4, 250, 44), "#8d96a3"), (rect(91, 5, 249, 43), "#ffffff"),
            (lines(98, 10, 242, 40), "#9aa3ae")]
    png("Dez_adf.png", w, h, layers(tray))
    w, h = 320, 120
    png("TifMultiScan.png", w, h, layers(glass(w, h) + document(30, 20, 70, 84) + photo(130, 30, 70, 52, "#8cc4ea", "#5c9e4a")
                                         + document(230, 16, 60, 88, "#fff8e8")))


def scan_button():
    w, h = 271, 34
    for name, top, bottom in (("DezScanBtn_n", "#fdfdfd", "#dde3ea"), ("DezScanBtn_p", "#d3dae3", "#b9c3cf"),
                              ("DezScanBtn_d", "#f4f4f4", "#ececec")):
        t, b = hexrgb(top), hexrgb(bottom)

        def pixel(x, y, t=t, b=b):
            if not in_round_rect(x, y, 0.5, 0.5, w - 0.5, h - 0.5, 7):
                return (0, 0, 0, 0)
            if not in_round_rect(x, y, 1.5, 1.5, w - 1.5, h - 1.5, 6):
                return (150, 158, 168, 1.0)
            f = y / h
            return tuple(int(t[i] + (b[i] - t[i]) * f) for i in range(3)) + (1.0,)
        png(name + ".png", w, h, pixel)


def help_icon(name, fill, mark="#ffffff", size=23):
    c = size / 2

    def pixel(x, y):
        d = math.hypot(x - c, y - c)
        if d > c - 0.5:
            return (0, 0, 0, 0)
        col = hexrgb(fill)
        # A question mark: an open ring above a stem and a dot.
        ring = 2.6 <= math.hypot(x - c, y - (c - 3)) <= 4.6 and not (y > c - 3 and x < c)
        stem = c - 1 <= x <= c + 1 and c - 0.5 <= y <= c + 3
        dot = math.hypot(x - c, y - (c + 6)) <= 1.3
        if ring or stem or dot:
            col = hexrgb(mark)
        return col + (1.0,)
    png(name + ".png", size, size, pixel)


def source_pictures():
    n = 60
    looks = [
        photo(10, 12, 40, 34, "#8cc4ea", "#5c9e4a"),
        document(14, 8, 32, 44, "#f2f2f2"),
        document(14, 8, 32, 44, "#ffffff") + [(lines(18, 14, 42, 48, 5, 2.2), "#202020")],
        document(14, 8, 32, 44, "#fde9d2") + [(rect(18, 14, 42, 26), "#e0704a")],
        document(14, 8, 32, 44, "#eeeeee") + [(rect(18, 14, 42, 26), "#8a8a8a")],
        film_strip(4, 18, 52, 26, "#c58a4e"),
        [(rect(12, 12, 48, 48, 3), "#dcdcdc"), (rect(18, 18, 42, 42), "#7fb3e6")],
    ]
    for i, shapes in enumerate(looks):
        png("MsImageSource%d.png" % i, n, n, layers(shapes))


def destination_pictures():
    n = 60
    screen = [(rect(8, 10, 52, 40, 3), "#4a4f57"), (rect(11, 13, 49, 37), None), (rect(26, 40, 34, 48), "#4a4f57"),
              (rect(18, 47, 42, 51, 2), "#4a4f57")]
    globe = [(lambda x, y: math.hypot(x - 30, y - 30) <= 20, "#3d7fc9"),
             (lambda x, y: math.hypot(x - 30, y - 30) <= 20 and (abs(x - 30) < 1 or abs(y - 30) < 1
                                                                or abs(math.hypot((x - 30) * 2, y - 30) - 20) < 1.2),
              "#ffffff")]
    printer = [(rect(16, 8, 44, 24), "#ffffff"), (rect(8, 22, 52, 42, 3), "#4a4f57"), (rect(16, 36, 44, 54), "#ffffff"),
               (lines(19, 40, 41, 52, 4, 1), "#9aa3ae")]
    text = [(rect(14, 6, 46, 54), "#ffffff"), (rect(13, 5, 47, 55), "#8d96a3"), (rect(14, 6, 46, 54), "#ffffff"),
            (lambda x, y: 18 <= x <= 42 and 10 <= y <= 50 and (y - 10) % 6 < 2.5 and (x - 18) % 7 < 5.5, "#202020")]

    def colour(shapes, area, grey):
        out = []
        for test, c in shapes:
            if c is None:
                c = "#9a9a9a" if grey else area
            elif grey and c not in ("#ffffff", "#202020", "#4a4f57", "#8d96a3", "#9aa3ae"):
                r, g, b = hexrgb(c)
                v = int(0.3 * r + 0.59 * g + 0.11 * b)
                c = (v, v, v)
            out.append((test, c))
        return out
    for i, (shapes, area) in enumerate(((screen, "#7fb3e6"), (globe, None), (printer, None), (text, None))):
        png("MsDestination%d.png" % (2 * i), n, n, layers(colour(shapes, area, False)))
        png("MsDestination%d.png" % (2 * i + 1), n, n, layers(colour(shapes, area, True)))


def digit(ch, x0, y0, s):
    """A thick digit 1 or 2 in a box of s x (1.4 s) at (x0, y0), y downwards."""
    w, h, t = s, 1.4 * s, s * 0.2
    if ch == "1":
        return lambda x, y: (x0 + w * 0.45 <= x <= x0 + w * 0.45 + t and y0 <= y <= y0 + h) or \
            (y0 <= y <= y0 + t and x0 + w * 0.2 <= x <= x0 + w * 0.5)

    def two(x, y):
        cx, cy, r = x0 + w / 2, y0 + w / 2, w / 2
        d = math.hypot(x - cx, y - cy)
        arc = r - t <= d <= r and (y <= cy or x >= cx)
        diag = abs((x - x0) - (w - (y - (y0 + w / 2)) * w / (h - w / 2))) < t * 0.8 and y0 + w / 2 <= y <= y0 + h
        base = y0 + h - t <= y <= y0 + h and x0 <= x <= x0 + w
        return arc or diag or base
    return two


def steps():
    png("VerticalLine.png", 15, 160, layers([(rect(6, 0, 9, 160), "#9cb6d4")]))
    png("step_line.png", 4, 160, layers([(rect(1, 0, 3, 160), "#b0b0b0")]))
    for i, ch in ((1, "1"), (2, "2")):
        png("Step%d.png" % i, 45, 50, layers([(lambda x, y: math.hypot(x - 22.5, y - 25) <= 20, "#31639c"),
                                               (digit(ch, 16, 15, 14), "#ffffff")]))
        png("step_number_%d.png" % i, 32, 32, layers([(lambda x, y: math.hypot(x - 16, y - 16) <= 15, "#454545"),
                                                       (digit(ch, 11, 8, 11), "#ffffff")]))
    dots = [(lambda x, y, k=k: math.hypot(x - (3 + k * 6), y - 3) <= 2, "#9cb6d4") for k in range(3)]
    png("Dot3.png", 18, 6, layers(dots))
    dots = [(lambda x, y, k=k: math.hypot(x - (6 + k * 10), y - 16) <= 2.2, "#8a8a8a") for k in range(3)]
    png("dot_line_3.png", 32, 32, layers(dots))


if __name__ == "__main__":
    os.chdir(os.path.dirname(os.path.abspath(__file__)))
    placement_pictures()
    scan_button()
    help_icon("BT_HELP_S", "#2f6fc0")
    help_icon("BT_HELP_N", "#5a5f66")
    help_icon("BT_HELP_G", "#c4c7cc")
    help_icon("ToolHelp_on", "#2f6fc0")
    help_icon("ToolHelp_off", "#5a5f66")
    help_icon("ToolHelp_dis", "#c4c7cc")
    source_pictures()
    destination_pictures()
    steps()
