"""The helpers the drawing scripts of this folder share: the PNG writer, which smooths edges by
supersampling, and the shape tests. Standard library only; importing it draws nothing."""
import os
import struct
import zlib

SS = 4


def png(path, w, h, pixel, ss=SS):
    """Writes a w x h RGBA picture: pixel(x, y) gives (r, g, b, alpha 0..1) at a point, sampled
    ss x ss times a pixel. Written to a temporary name and moved over the old picture."""
    rows = bytearray()
    for y in range(h):
        rows.append(0)
        for x in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(ss):
                for sx in range(ss):
                    r, g, b, a = pixel(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss)
                    acc[0] += r * a; acc[1] += g * a; acc[2] += b * a; acc[3] += a
            a = acc[3] / (ss * ss)
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


def hexrgb(s):
    return tuple(int(s[i:i + 2], 16) for i in (1, 3, 5))


def in_round_rect(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return x0 <= x <= x1 and y0 <= y <= y1 and (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_poly(x, y, pts):
    inside = False
    for i in range(len(pts)):
        (ax, ay), (bx, by) = pts[i], pts[i - 1]
        if (ay > y) != (by > y) and x < (bx - ax) * (y - ay) / (by - ay) + ax:
            inside = not inside
    return inside
