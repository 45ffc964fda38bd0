#!/usr/bin/env python3
"""Draws Scourwell's icon, a magnifying glass over a page, and writes it as a .ico file.

Usage: make_icon.py OUTPUT.ico

The images, in file order: 24 and 16 px with 16 colours; 48, 32, 24 and 16 px with 256
colours; 48, 32, 24 and 16 px in 32-bit colour with alpha. Each is a BMP-format entry with
its AND mask. Only +, -, *, / and sqrt are used on floats, all exactly rounded, so the
output is the same bytes on every machine.
"""

import math
import struct
import sys

# (size in pixels, bits per pixel), in the order the icon directory lists them.
IMAGES = [(24, 4), (16, 4),
          (48, 8), (32, 8), (24, 8), (16, 8),
          (48, 32), (32, 32), (24, 32), (16, 32)]

SUBSAMPLES = 4  # per axis, for anti-aliased edges

# The scene, in a unit square with y pointing down.
PAGE = [(0.14, 0.06), (0.54, 0.06), (0.70, 0.22), (0.70, 0.92), (0.14, 0.92)]
FOLD = [(0.54, 0.06), (0.70, 0.22), (0.54, 0.22)]
OUTLINE = 0.045
TEXT_LINES = [(0.28, 0.60), (0.38, 0.50), (0.48, 0.62), (0.58, 0.44), (0.68, 0.60),
              (0.78, 0.52)]  # (centre y, right end); all start at x 0.23
TEXT_HALF_HEIGHT = 0.022
LENS_CENTRE = (0.58, 0.50)
LENS_OUTER = 0.27
LENS_INNER = 0.195
MAGNIFY = 1.7
HANDLE = ((0.80, 0.72), (0.92, 0.84), 0.07)  # from, to, radius

INK = (40, 42, 50)
PAPER = (255, 255, 255)
FLAP = (214, 218, 226)
TEXT = (112, 124, 150)
RIM = (24, 60, 150)
GLASS = (214, 236, 255)
HANDLE_COLOUR = (86, 52, 28)


def polygon_distance(poly, x, y):
    """Signed distance to a convex polygon listed clockwise on screen: negative inside."""
    d = -1e9
    n = len(poly)
    for i in range(n):
        ax, ay = poly[i]
        bx, by = poly[(i + 1) % n]
        ex, ey = bx - ax, by - ay
        length = math.sqrt(ex * ex + ey * ey)
        # Outward normal of a clockwise (y down) edge is (ey, -ex) / length.
        d = max(d, ((x - ax) * ey - (y - ay) * ex) / length)
    return d


def segment_distance(a, b, x, y):
    ax, ay = a
    bx, by = b
    ex, ey = bx - ax, by - ay
    t = ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)
    t = min(1.0, max(0.0, t))
    dx, dy = x - (ax + t * ex), y - (ay + t * ey)
    return math.sqrt(dx * dx + dy * dy)


def over(top, alpha, under):
    """Straight-alpha 'top over under'; colours are (r, g, b, a) with a in 0..1."""
    r, g, b = top
    ur, ug, ub, ua = under
    out = alpha + ua * (1.0 - alpha)
    if out <= 0.0:
        return (0.0, 0.0, 0.0, 0.0)
    k = ua * (1.0 - alpha)
    return ((r * alpha + ur * k) / out, (g * alpha + ug * k) / out,
            (b * alpha + ub * k) / out, out)


def page_colour(x, y):
    clear = (0.0, 0.0, 0.0, 0.0)
    d = polygon_distance(PAGE, x, y)
    if d > 0.0:
        return clear
    if d > -OUTLINE:
        return INK + (1.0,)
    fold = polygon_distance(FOLD, x, y)
    if fold <= 0.0:
        return (INK if fold > -OUTLINE * 0.7 else FLAP) + (1.0,)
    for centre, right in TEXT_LINES:
        if abs(y - centre) <= TEXT_HALF_HEIGHT and 0.23 <= x <= right:
            return TEXT + (1.0,)
    return PAPER + (1.0,)


def scene_colour(x, y):
    cx, cy = LENS_CENTRE
    dx, dy = x - cx, y - cy
    r = math.sqrt(dx * dx + dy * dy)
    a, b, radius = HANDLE
    if segment_distance(a, b, x, y) <= radius:
        return HANDLE_COLOUR + (1.0,)
    if r <= LENS_INNER:
        # The page seen through the glass, enlarged about the lens centre.
        seen = page_colour(cx + dx / MAGNIFY, cy + dy / MAGNIFY)
        colour = over(GLASS, 0.35, seen)
        if colour[3] < 0.75:
            colour = over(GLASS, 0.75, colour)
        gx, gy = dx + 0.075, dy + 0.075  # glint, upper left
        if gx * gx + gy * gy <= 0.035 * 0.035:
            colour = over((255, 255, 255), 0.85, colour)
        return colour
    if r <= LENS_OUTER:
        return RIM + (1.0,)
    return page_colour(x, y)


def render(size):
    """Rows top to bottom of (r, g, b, a) tuples, 0..255 integers."""
    n = SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            sr = sg = sb = sa = 0.0
            for j in range(n):
                for i in range(n):
                    x = (px + (i + 0.5) / n) / size
                    y = (py + (j + 0.5) / n) / size
                    r, g, b, a = scene_colour(x, y)
                    sr += r * a
                    sg += g * a
                    sb += b * a
                    sa += a
            if sa == 0.0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(sr / sa), round(sg / sa), round(sb / sa),
                            round(sa / (n * n) * 255)))
        rows.append(row)
    return rows


# The 16 standard colours of a 4-bit display.
PALETTE_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
              (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
              (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# A 6x6x6 colour cube and 40 more greys.
PALETTE_256 = ([(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
               + [(v * 255 // 41,) * 3 for v in range(1, 41)])


def nearest(palette, colour, cache):
    index = cache.get(colour)
    if index is None:
        r, g, b = colour
        index = min(range(len(palette)),
                    key=lambda k: ((palette[k][0] - r) ** 2 + (palette[k][1] - g) ** 2
                                   + (palette[k][2] - b) ** 2, k))
        cache[colour] = index
    return index


def padded(row):
    return row + b"\0" * (-len(row) % 4)


def and_mask(pixels, transparent):
    """1 where the screen shows through; rows bottom-up, each padded to 4 bytes."""
    out = bytearray()
    for row in reversed(pixels):
        bits = bytearray((len(row) + 7) // 8)
        for x, p in enumerate(row):
            if transparent(p):
                bits[x // 8] |= 0x80 >> (x % 8)
        out += padded(bytes(bits))
    return bytes(out)


def bmp_entry(pixels, bpp):
    size = len(pixels)
    if bpp == 32:
        palette = []
        xor = bytearray()
        for row in reversed(pixels):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask = and_mask(pixels, lambda p: p[3] < 128)
    else:
        palette = PALETTE_16 if bpp == 4 else PALETTE_256
        cache = {}
        xor = bytearray()
        for row in reversed(pixels):
            # Transparent pixels are index 0 (black), so AND-then-XOR leaves the screen as is.
            indexes = [0 if a < 128 else nearest(palette, (r, g, b), cache)
                       for r, g, b, a in row]
            if bpp == 4:
                line = bytes((indexes[x] << 4) | indexes[x + 1] for x in range(0, size, 2))
            else:
                line = bytes(indexes)
            xor += padded(line)
        mask = and_mask(pixels, lambda p: p[3] < 128)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + bytes(xor) + mask


def build_icon():
    renders = {}
    entries = []
    for size, bpp in IMAGES:
        if size not in renders:
            renders[size] = render(size)
        entries.append((size, bpp, bmp_entry(renders[size], bpp)))
    directory = struct.pack("<HHH", 0, 1, len(entries))
    offset = len(directory) + 16 * len(entries)
    data = b""
    for size, bpp, image in entries:
        colour_count = 16 if bpp == 4 else 0
        directory += struct.pack("<BBBBHHII", size, size, colour_count, 0, 1, bpp,
                                 len(image), offset + len(data))
        data += image
    return directory + data


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    icon = build_icon()
    with open(sys.argv[1], "wb") as f:
        f.write(icon)


if __name__ == "__main__":
    main()
