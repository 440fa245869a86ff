#!/usr/bin/env python3
"""Draws Vellumdesk's own images and writes them as Windows files.

    python3 resources/make-images.py [output folder]   (default: this script's folder)

Writes Vellumdesk.ico (the program icon: a notepad with a pen), Padlock.ico, Toolbar.bmp (the
16x16 glyph strip) and Toolbar24.bmp (the same glyphs drawn at 24x24 for 144 DPI). The outputs are
committed, so the build never needs Python; run this again after changing a drawing.

Every shape is described in a design grid (16 units for a glyph, 32 for an icon) and rasterised
at the target size with 4x4 samples per pixel. Icons keep the coverage as alpha (smooth edges);
glyphs are cut at half coverage, because a 24-bit strip with a colour key has no partial
transparency and a blended edge would show the key colour as a pink fringe.
"""

import math
import os
import struct
import sys

SAMPLES = 4
KEY = (255, 0, 255)  # the strip's transparent colour

# The glyph order of the strip: cell 2k is button k's normal glyph, 2k+1 its disabled one.
GLYPHS = ["New", "Open", "Save", "Close", "Print", "Undo", "Cut", "Copy", "Paste", "Replace",
          "Goto", "Font", "DateAndTime", "Help", "MinLock"]


class Canvas:
    """A square RGBA image with premultiplied float channels, painted shape over shape."""

    def __init__(self, size, design):
        self.size = size
        self.k = size / design  # pixels per design unit
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def paint(self, inside, box, colour, opacity=1.0):
        """Composites colour where inside(x, y) holds; box = (x0, y0, x1, y1) in design units."""
        k, n = self.k, self.size
        x0 = max(0, int(math.floor(box[0] * k)))
        y0 = max(0, int(math.floor(box[1] * k)))
        x1 = min(n, int(math.ceil(box[2] * k)))
        y1 = min(n, int(math.ceil(box[3] * k)))
        r, g, b = (c / 255.0 for c in colour)
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside((px + (sx + 0.5) / SAMPLES) / k, (py + (sy + 0.5) / SAMPLES) / k):
                            hits += 1
                if not hits:
                    continue
                a = opacity * hits / (SAMPLES * SAMPLES)
                cr, cg, cb, ca = self.px[py][px]
                self.px[py][px] = (r * a + cr * (1 - a), g * a + cg * (1 - a),
                                   b * a + cb * (1 - a), a + ca * (1 - a))

    # Shapes, all in design units.
    def rect(self, x0, y0, x1, y1, colour, opacity=1.0):
        self.paint(lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1), colour, opacity)

    def frame(self, x0, y0, x1, y1, outline, fill=None, w=1.0):
        self.rect(x0, y0, x1, y1, outline)
        if fill:
            self.rect(x0 + w, y0 + w, x1 - w, y1 - w, fill)

    def poly(self, pts, colour, opacity=1.0):
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]

        def inside(x, y):
            odd = False
            j = len(pts) - 1
            for i in range(len(pts)):
                (xi, yi), (xj, yj) = pts[i], pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    odd = not odd
                j = i
            return odd

        self.paint(inside, (min(xs), min(ys), max(xs), max(ys)), colour, opacity)

    def line(self, x0, y0, x1, y1, w, colour):
        dx, dy = x1 - x0, y1 - y0
        length = math.hypot(dx, dy)
        nx, ny = -dy / length * w / 2, dx / length * w / 2
        self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                   (x0 - nx, y0 - ny)], colour)

    def disc(self, cx, cy, r, colour, opacity=1.0):
        self.paint(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < r * r,
                   (cx - r, cy - r, cx + r, cy + r), colour, opacity)

    def arc(self, cx, cy, r_in, r_out, a_from, a_to, colour):
        """A ring segment; angles in degrees, counter-clockwise from east, y pointing up."""
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if not r_in <= d < r_out:
                return False
            a = math.degrees(math.atan2(cy - y, x - cx))
            return a_to - a_from >= 360 or (a - a_from) % 360 <= (a_to - a_from) % 360

        self.paint(inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out), colour)

    def rgba(self):
        """Straight (not premultiplied) 8-bit RGBA rows, top row first."""
        out = []
        for row in self.px:
            line = []
            for r, g, b, a in row:
                if a <= 0:
                    line.append((0, 0, 0, 0))
                else:
                    line.append(tuple(min(255, round(c / a * 255)) for c in (r, g, b)) +
                                (round(a * 255),))
            out.append(line)
        return out


BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
GREY = (128, 128, 128)
SILVER = (192, 192, 192)
DARK = (64, 64, 64)
BLUE = (0, 64, 176)
RED = (200, 0, 0)
YELLOW = (255, 220, 90)
OCHRE = (200, 150, 40)
GOLD = (232, 184, 40)


# --- toolbar glyphs, 16-unit grid ----------------------------------------------------------------

def page(c, x0, y0, x1, y1, lines=True):
    """A sheet of paper with a folded top right corner."""
    e = 3
    c.poly([(x0, y0), (x1 - e, y0), (x1, y0 + e), (x1, y1), (x0, y1)], BLACK)
    c.poly([(x0 + 1, y0 + 1), (x1 - e - 0.5, y0 + 1), (x1 - 1, y0 + e + 0.5), (x1 - 1, y1 - 1),
            (x0 + 1, y1 - 1)], WHITE)
    c.poly([(x1 - e - 1, y0), (x1 - e, y0), (x1 - e, y0 + e), (x1, y0 + e), (x1, y0 + e + 1),
            (x1 - e - 1, y0 + e + 1)], BLACK)
    if lines:
        for y in range(y0 + e + 3, y1 - 1, 2):
            c.rect(x0 + 2, y, x1 - 2, y + 1, GREY)


def g_new(c):
    page(c, 3, 1, 13, 15, lines=False)
    # A spark in the corner: the page is new.
    c.rect(1, 2, 6, 3, GOLD)
    c.rect(3, 0, 4, 5, GOLD)


def g_open(c):
    c.poly([(1, 3), (6, 3), (7, 4), (13, 4), (13, 14), (1, 14)], BLACK)
    c.poly([(2, 4), (5.6, 4), (6.6, 5), (12, 5), (12, 13), (2, 13)], OCHRE)
    c.poly([(3.5, 7), (15.5, 7), (13, 14), (1, 14)], BLACK)
    c.poly([(4.2, 8), (14.1, 8), (12.3, 13), (2.4, 13)], YELLOW)


def g_save(c):
    c.frame(1, 1, 15, 15, BLACK, BLUE)
    c.rect(4, 1, 12, 7, WHITE)
    c.rect(5, 3, 11, 4, GREY)
    c.frame(4, 10, 12, 15, BLACK, SILVER)
    c.rect(9, 11, 11, 14, BLUE)


def g_close(c):
    page(c, 1, 1, 11, 15)
    c.line(8, 8, 15, 15, 2.2, RED)
    c.line(15, 8, 8, 15, 2.2, RED)


def g_print(c):
    c.frame(4, 1, 12, 7, BLACK, WHITE)
    c.frame(1, 6, 15, 12, BLACK, SILVER)
    c.rect(12, 7.5, 14, 8.5, (0, 170, 0))
    c.frame(4, 10, 12, 15, BLACK, WHITE)
    c.rect(5, 12, 11, 13, GREY)


def g_undo(c):
    c.arc(8.5, 9.5, 2.6, 5, -70, 180, BLUE)
    c.poly([(0.5, 8.5), (7.5, 8.5), (4.2, 13)], BLUE)


def g_cut(c):
    c.line(5.5, 10, 11, 1, 1.6, DARK)
    c.line(10.5, 10, 5, 1, 1.6, DARK)
    c.rect(7.5, 6.5, 8.5, 7.5, SILVER)
    for cx in (4.5, 11.5):
        c.disc(cx, 12.5, 3, RED)
        c.disc(cx, 12.5, 1.5, WHITE)


def g_copy(c):
    page(c, 1, 1, 10, 11)
    page(c, 6, 5, 15, 15)


def g_paste(c):
    c.frame(1, 2, 12, 15, BLACK, (160, 110, 50))
    c.frame(4, 1, 9, 4, BLACK, SILVER)
    page(c, 6, 6, 15, 15)


def g_replace(c):
    c.arc(6, 6, 3.2, 5, 0, 360, BLACK)
    c.disc(6, 6, 3.2, (200, 230, 255))
    c.rect(3.8, 4, 5, 5.2, WHITE)
    c.line(9.5, 9.5, 14.5, 14.5, 2.6, DARK)


def g_goto(c):
    c.rect(9, 2, 15, 3, GREY)
    c.rect(9, 5, 15, 6, GREY)
    c.rect(9, 7, 15, 9, BLACK)
    c.rect(9, 11, 15, 12, GREY)
    c.rect(9, 14, 15, 15, GREY)
    c.rect(1, 7, 4, 9, (0, 128, 0))
    c.poly([(4, 4), (8, 8), (4, 12)], (0, 128, 0))


def g_font(c):
    c.line(2, 15, 8, 1, 2.4, (0, 0, 128))
    c.line(14, 15, 8, 1, 2.4, (0, 0, 128))
    c.rect(4.5, 9, 11.5, 11, (0, 0, 128))
    c.rect(0.5, 14, 5, 15.5, (0, 0, 128))
    c.rect(11, 14, 15.5, 15.5, (0, 0, 128))


def g_date_and_time(c):
    c.disc(8, 8, 7.5, BLUE)
    c.disc(8, 8, 6, WHITE)
    for x, y in ((7.5, 2.5), (12.5, 7.5), (7.5, 12.5), (2.5, 7.5)):
        c.rect(x, y, x + 1, y + 1, BLACK)
    c.line(8, 8.5, 8, 3.5, 1.4, BLACK)
    c.line(7.5, 8, 11.5, 8, 1.4, BLACK)


def g_help(c):
    c.arc(8, 5.5, 1.8, 4.2, -90, 165, BLUE)
    c.rect(6.8, 7.8, 9.2, 11, BLUE)
    c.rect(6.8, 12.5, 9.2, 15, BLUE)


def g_min_lock(c):
    c.arc(8, 7, 2.5, 4.5, 0, 180, DARK)
    c.rect(3.5, 7, 5.5, 8, DARK)
    c.rect(10.5, 7, 12.5, 8, DARK)
    c.frame(2, 8, 14, 15, BLACK, GOLD)
    c.disc(8, 10.8, 1.3, BLACK)
    c.rect(7.4, 11, 8.6, 13.5, BLACK)


DRAW = {"New": g_new, "Open": g_open, "Save": g_save, "Close": g_close, "Print": g_print,
        "Undo": g_undo, "Cut": g_cut, "Copy": g_copy, "Paste": g_paste, "Replace": g_replace,
        "Goto": g_goto, "Font": g_font, "DateAndTime": g_date_and_time, "Help": g_help,
        "MinLock": g_min_lock}


def keyed(rgba):
    """Opaque where at least half covered, else the key colour."""
    return [[p[:3] if p[3] >= 128 else KEY for p in row] for row in rgba]


def disabled(cells):
    """The greyed look of a disabled button: the glyph's dark parts in grey over a white copy
    one pixel down and right; light parts (a page's paper) vanish, so outlines carry the shape."""
    n = len(cells)
    dark = [[c != KEY and (c[0] * 30 + c[1] * 59 + c[2] * 11) < 100 * 180 for c in row]
            for row in cells]
    out = [[KEY] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            if dark[y][x] and x + 1 < n and y + 1 < n:
                out[y + 1][x + 1] = WHITE
    for y in range(n):
        for x in range(n):
            if dark[y][x]:
                out[y][x] = GREY
    return out


def toolbar_strip(size):
    cells = []
    for name in GLYPHS:
        c = Canvas(size, 16)
        DRAW[name](c)
        normal = keyed(c.rgba())
        cells += [normal, disabled(normal)]
    return cells


def bmp24(cells):
    """A bottom-up 24-bit BMP of the cells side by side."""
    n = len(cells[0])
    width = n * len(cells)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(n)):
        row = bytearray()
        for cell in cells:
            for r, g, b in cell[y]:
                row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    pixels = b"".join(rows)
    header = struct.pack("<IiiHHIIiiII", 40, width, n, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40) + header + pixels


# --- icons, 32-unit grid -------------------------------------------------------------------------

def i_notepad(c):
    c.rect(6, 5, 28, 31, BLACK, opacity=0.25)  # shadow
    c.frame(3, 3, 25, 29, (80, 80, 80), (255, 252, 232))
    for y in (11, 14.5, 18, 21.5, 25):
        c.rect(5, y, 23, y + 1, (110, 150, 215))
    c.rect(8, 7, 9, 28, (225, 110, 110))  # margin
    c.frame(3, 3, 25, 8, (110, 20, 20), (190, 40, 40))  # binding
    for x in (6, 10.5, 15, 19.5):
        c.rect(x, 1, x + 2, 6, (70, 70, 80))
    # The pen, lying across the page from the upper right to a nib near the lower middle.
    tip, tail, w = (12.5, 27.5), (30, 7), 4.4
    dx, dy = tip[0] - tail[0], tip[1] - tail[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    nx, ny = -uy * w / 2, ux * w / 2
    cone = (tip[0] - ux * 6, tip[1] - uy * 6)
    c.poly([(tail[0] + nx, tail[1] + ny), (cone[0] + nx, cone[1] + ny),
            (cone[0] - nx, cone[1] - ny), (tail[0] - nx, tail[1] - ny)], (20, 40, 120))
    inner = 0.55
    c.poly([(tail[0] + nx * inner - ux, tail[1] + ny * inner - uy),
            (cone[0] + nx * inner, cone[1] + ny * inner),
            (cone[0] - nx * 0.1, cone[1] - ny * 0.1),
            (tail[0] - nx * 0.1 - ux, tail[1] - ny * 0.1 - uy)], (60, 100, 210))
    band = (cone[0] - ux * 1.8, cone[1] - uy * 1.8)
    c.poly([(band[0] + nx, band[1] + ny), (cone[0] + nx, cone[1] + ny),
            (cone[0] - nx, cone[1] - ny), (band[0] - nx, band[1] - ny)], (220, 180, 60))
    c.poly([(cone[0] + nx, cone[1] + ny), tip, (cone[0] - nx, cone[1] - ny)], (60, 60, 60))
    c.poly([(cone[0] + nx * 0.4, cone[1] + ny * 0.4), tip,
            (cone[0] - nx * 0.1, cone[1] - ny * 0.1)], (150, 150, 150))


def i_padlock(c):
    c.arc(16, 14, 5.5, 9, 0, 180, (70, 70, 80))
    c.arc(16, 14, 6.5, 7.5, 20, 160, (190, 190, 200))
    c.rect(7, 14, 10.5, 16, (70, 70, 80))
    c.rect(21.5, 14, 25, 16, (70, 70, 80))
    c.frame(4, 15, 28, 30, (110, 80, 0), GOLD, w=1.5)
    c.rect(5.5, 16.5, 26.5, 19, (250, 220, 120))  # light along the top edge
    c.disc(16, 21.5, 2.6, (40, 30, 0))
    c.poly([(14.8, 22), (17.2, 22), (18, 27), (14, 27)], (40, 30, 0))


def ico(draw, sizes):
    """An icon file of 32-bit images with alpha (and the AND mask older systems read)."""
    images = []
    for n in sizes:
        c = Canvas(n, 32)
        draw(c)
        rgba = c.rgba()
        xor = b"".join(bytes((b, g, r, a)) for row in reversed(rgba) for r, g, b, a in row)
        stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rgba):
            bits = bytearray(stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask),
                             0, 0, 0, 0)
        images.append((n, header + xor + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    outputs = {
        "Vellumdesk.ico": ico(i_notepad, [16, 24, 32, 48]),
        "Padlock.ico": ico(i_padlock, [16, 24, 32, 48]),
        "Toolbar.bmp": bmp24(toolbar_strip(16)),
        "Toolbar24.bmp": bmp24(toolbar_strip(24)),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print(os.path.join(folder, name))


if __name__ == "__main__":
    main()
