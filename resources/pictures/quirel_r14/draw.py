#!/usr/bin/env python3
"""Draws the control pictures of this folder: plain shapes only, standard library only.

A rounded tile with a white glyph in a pointer-over (lighter), pointer-away, pressed
(darker) and disabled (faded) look; the grey set for the grey colour modes; wide tiles for
the colour buttons; the slider knob; the older progress window's disclosure triangles (the
newer one's fold buttons BT_FOLD and BT_SPREAD are the panels', drawn by draw_panels.py); the
wait windows' note sign. Edges are smoothed by 4 x 4 supersampling."""
import math
import os

from drawing import hexrgb, in_poly, in_round_rect, png  # noqa: F401  (lent to the other scripts)


def glyph_arrows(x, y):
    return in_poly(x, y, [(7, 11), (12, 5.5), (17, 11)]) or in_poly(x, y, [(7, 13), (12, 18.5), (17, 13)])


def glyph_lock(shift):
    def g(x, y):
        body = 7.5 <= x <= 16.5 and 11 <= y <= 18.5
        d = math.hypot(x - (12 + shift), y - 10)
        shackle = 2.2 <= d <= 3.8 and y <= 11
        return body or shackle
    return g


def tile(name, fill, edge, glyph, size=24):
    f, e = hexrgb(fill), hexrgb(edge)

    def pixel(x, y):
        if not in_round_rect(x, y, 0.5, 0.5, size - 0.5, size - 0.5, 5):
            return (0, 0, 0, 0)
        if not in_round_rect(x, y, 1.5, 1.5, size - 1.5, size - 1.5, 4):
            return e + (1.0,)
        if glyph(x, y):
            return (255, 255, 255, 1.0)
        return f + (1.0,)
    png(name + ".png", size, size, pixel)


def wide(name, top, bottom, edge, w=96, h=32):
    t, b, e = hexrgb(top), hexrgb(bottom), hexrgb(edge)

    def pixel(x, y):
        if not in_round_rect(x, y, 0.5, 0.5, w - 0.5, h - 0.5, 8):
            return (0, 0, 0, 0)
        if not in_round_rect(x, y, 1.5, 1.5, w - 1.5, h - 1.5, 7):
            return e + (1.0,)
        k = y / h
        return tuple(int(t[i] + (b[i] - t[i]) * k) for i in range(3)) + (1.0,)
    png(name + ".png", w, h, pixel)


def knob():
    # The round knob sits where the slider's knob rectangle falls inside the 32 x 32 picture:
    # 5 in from the left and 11 up from the bottom, 16 x 16.
    cx, cy = 13, 32 - 11 - 8

    def pixel(x, y):
        d = math.hypot(x - cx, y - cy)
        if d <= 3:
            return (79, 143, 216, 1.0)
        if d <= 7:
            return (246, 246, 246, 1.0)
        if d <= 8:
            return (112, 112, 112, 1.0)
        return (0, 0, 0, 0)
    png("SliderKnob.png", 32, 32, pixel)


def triangle(name, pts, colour="#5a5a5a", size=13):
    # The disclosure triangle of the older progress window: right when folded, down when open.
    c = hexrgb(colour)

    def pixel(x, y):
        return c + (1.0,) if in_poly(x, y, pts) else (0, 0, 0, 0)
    png(name + ".png", size, size, pixel)


def note():
    # The wait windows' note sign: a blue disc with a white "i".
    def pixel(x, y):
        d = math.hypot(x - 16, y - 16)
        if d > 15:
            return (0, 0, 0, 0)
        if d > 14:
            return (31, 79, 143, 1.0)
        dot = math.hypot(x - 16, y - 9) <= 2.2
        stem = 14 <= x <= 18 and 13 <= y <= 25
        foot = 12 <= x <= 20 and 23 <= y <= 25
        serif = 12.5 <= x <= 18 and 13 <= y <= 15
        if dot or stem or foot or serif:
            return (255, 255, 255, 1.0)
        return (58, 120, 200, 1.0)
    png("note.png", 32, 32, pixel)


os.chdir(os.path.dirname(os.path.abspath(__file__)))
tile("BtnDirection_on", "#5b97dc", "#2f5f9f", glyph_arrows)
tile("BtnDirection_off", "#2f6fb8", "#1f4f8f", glyph_arrows)
tile("BtnDirection_d", "#c8ccd2", "#a8acb2", glyph_arrows)
tile("BT_TATEYOKO_S", "#9a9a9a", "#6a6a6a", glyph_arrows)
tile("BT_TATEYOKO_N", "#767676", "#4a4a4a", glyph_arrows)
tile("BT_TATEYOKO_G", "#d4d4d4", "#b4b4b4", glyph_arrows)
tile("BT_LOCK_ON_S", "#e0a040", "#a07020", glyph_lock(0))
tile("BT_LOCK_ON_N", "#c08020", "#805010", glyph_lock(0))
tile("BT_LOCK_ON_G", "#d8d0c4", "#b8b0a4", glyph_lock(0))
tile("BT_LOCK_OFF_S", "#60b070", "#308040", glyph_lock(3))
tile("BT_LOCK_OFF_N", "#409050", "#206030", glyph_lock(3))
tile("BT_LOCK_OFF_G", "#cad6cc", "#aab6ac", glyph_lock(3))
wide("PreviewButton_In", "#8cc0f0", "#4a8ad0", "#3a78b8")
wide("PreviewButton_Out", "#6aa4e0", "#2f70b8", "#2a5f98")
wide("PreviewButton_Down", "#2f64a0", "#4a80c0", "#1a4470")
wide("ScanButton_In", "#90d8a8", "#4aa870", "#3c9060")
wide("ScanButton_Out", "#6cc08a", "#2f8c58", "#2a7848")
wide("ScanButton_Down", "#2f7c4c", "#4aa070", "#1a5030")
knob()
triangle("Spreaditem", [(3, 1.5), (11, 6.5), (3, 11.5)])
triangle("Folditem", [(1.5, 3), (11.5, 3), (6.5, 11)])
note()
