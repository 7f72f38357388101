#!/usr/bin/env python3
"""Draws the preview toolbar's button pictures: a glyph on a clear ground, 17 x 17, in a
pointer-over (blue), pointer-away (dark grey) and disabled (light grey) look. Standard library
only; the PNG writer is the one of draw.py, which draws the other pictures of this folder."""
import math
import os
import struct
import zlib

SS = 4
N = 17


def png(path, w, h, pixel):
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    r, g, b, a = pixel(x + (sx + 0.5) / SS, y + (sy + 0.5) / SS)
                    acc[0] += r * a; acc[1] += g * a; acc[2] += b * a; acc[3] += a
            a = acc[3] / (SS * SS)
            rgb = [int(round(c / acc[3])) if acc[3] else 0 for c in acc[:3]]
            rows += bytes(rgb + [int(round(a * 255))])

    def chunk(kind, data):
        c = kind + data
        return struct.pack(">I", len(data)) + c + struct.pack(">I", zlib.crc32(c) & 0xffffffff)

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path + ".tmp", "wb") as f:
        f.write(data)
    os.replace(path + ".tmp", path)


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
