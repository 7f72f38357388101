#!/usr/bin/env python3
"""Draws the pictures of the brightness and contrast and the threshold dialogs with the helpers
of draw.py and draw_adjust.py (importing them redraws their own pictures, identically): the
bars under the sliders and the icons at their ends. Where two generations of the program use
different names for one picture, the same drawing is written under each name."""
import math
import os

os.chdir(os.path.dirname(os.path.abspath(__file__)))
import draw_adjust  # noqa: E402  (draws its own set, then lends its helpers)
from draw_adjust import bar, write  # noqa: E402


def sun(fill, ray, size=32):
    """A disc with eight rays: dim for dark, bright for light."""
    def pixel(x, y):
        dx, dy = x - size / 2, y - size / 2
        d = math.hypot(dx, dy)
        if d <= size * 0.22:
            return fill + (1.0,)
        if d <= size * 0.27:
            return (80, 80, 80, 1.0)
        a = math.atan2(dy, dx) * 8 / (2 * math.pi)
        if size * 0.32 <= d <= size * 0.45 and abs(a - round(a)) < 0.12:
            return ray + (1.0,)
        return (0, 0, 0, 0)
    return pixel


def split_disc(light, dark, size=32):
    """A disc, its left half one grey and its right half another: the contrast ends."""
    def pixel(x, y):
        d = math.hypot(x - size / 2, y - size / 2)
        if d <= size * 0.34:
            v = light if x < size / 2 else dark
            return (v, v, v, 1.0)
        if d <= size * 0.40:
            return (80, 80, 80, 1.0)
        return (0, 0, 0, 0)
    return pixel


def contrast_bar(w, h):
    """Grey on the left opening to white over black on the right."""
    def pixel(x, y):
        if y < 0.6 or y > h - 0.6:
            return (110, 110, 110, 1.0)
        t = min(max(x / w, 0.0), 1.0)
        v = 128 + 127 * t if y < h / 2 else 128 - 128 * t
        return (int(v), int(v), int(v), 1.0)
    return pixel


def swatch(v, size):
    """A square of one grey with a frame: the threshold bar's ends."""
    def pixel(x, y):
        m = size * 0.2
        if m <= x <= size - m and m <= y <= size - m:
            inner = m + 1 <= x <= size - m - 1 and m + 1 <= y <= size - m - 1
            return (v, v, v, 1.0) if inner else (90, 90, 90, 1.0)
        return (0, 0, 0, 0)
    return pixel


# Brightness: dark to bright.
write(bar("#000000", "#ffffff", 172, 8), 172, 8, "ADJ_BER_BLK_WHT", "BrightnessBar")
write(sun((60, 60, 60), (60, 60, 60)), 32, 32, "ADJ_BRIGHT_L", "Brightness_L", "AdvBri2")
write(sun((250, 240, 170), (200, 170, 40)), 32, 32, "ADJ_BRIGHT_H", "Brightness_R", "AdvBri1")
# Contrast: low to high.
write(contrast_bar(172, 8), 172, 8, "ADJ_BER_HALF_WHT_BLK", "ContrastBar")
write(split_disc(150, 110), 32, 32, "ADJ_CONTRAST_L", "Contrast_L", "AdvCon2")
write(split_disc(255, 0), 32, 32, "ADJ_CONTRAST_H", "Contrast_R", "AdvCon1")
# Threshold: light (turns white) on the left, dark (turns black) on the right.
write(bar("#ffffff", "#000000", 172, 12), 172, 12, "ADJ_BER_WHT_BLK", "B&W")
write(swatch(255, 32), 32, 32, "ADJ_WB_L")
write(swatch(0, 32), 32, 32, "ADJ_WB_H")
write(swatch(255, 20), 20, 20, "white", "WhiteIcon")
write(swatch(0, 20), 20, 20, "black", "BlackIcon")
