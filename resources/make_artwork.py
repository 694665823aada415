#!/usr/bin/env python3
"""Draws Clavitone's icons and About picture and writes the .ico/.bmp files.

Plain Python 3, standard library only, so anyone can regenerate the artwork;
the output is byte-for-byte reproducible and is kept in the repository, so a
Windows build never has to run this script.

    python3 resources/make_artwork.py [output-folder]
"""

import os
import struct
import sys

# The classic 16-colour palette. Every icon uses it, so the 4 bpp images look
# the same on any display, including 16-colour ones.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


# --------------------------------------------------------------------------
# A tiny pixel canvas. None marks a transparent pixel.

class Canvas:
    def __init__(self, w, h, fill=None):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Filled rectangle, corners inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def round_rect(self, x0, y0, x1, y1, r, c):
        """Filled rectangle whose corners are cut by a quarter circle of radius r."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                dx = max(x0 + r - x, 0, x - (x1 - r))
                dy = max(y0 + r - y, 0, y - (y1 - r))
                if dx * dx + dy * dy <= r * r + r:
                    self.set(x, y, c)

    def poly(self, pts, c):
        """Fills a polygon given in pixel-edge coordinates (pixel centres at +0.5)."""
        n = len(pts)
        for y in range(self.h):
            yc = y + 0.5
            xs = []
            for i in range(n):
                (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(self.w):
                    if a <= x + 0.5 < b:
                        self.set(x, y, c)

    def ring(self, cx, cy, r_in, r_out, c, keep=lambda dx, dy: True):
        """Annulus around an edge-coordinate centre; keep() picks the arc."""
        for y in range(self.h):
            for x in range(self.w):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                d2 = dx * dx + dy * dy
                if r_in * r_in <= d2 <= r_out * r_out and keep(dx, dy):
                    self.set(x, y, c)

    def disc(self, cx, cy, r, c):
        self.ring(cx, cy, 0, r, c)

    def art(self, rows, legend, ox=0, oy=0):
        """Draws hand-placed pixels: one string per row, legend maps letters to colours."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch in legend:
                    self.set(ox + x, oy + y, legend[ch])


# --------------------------------------------------------------------------
# File writers.

def _bitmap_info(w, h, bpp, colours, image_size):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bpp, 0, image_size, 0, 0, colours, 0)


def _palette_bytes(pal):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in pal)


def _icon_image(cv):
    """One 4 bpp icon image: header (height doubled for the mask), palette, colour, AND mask."""
    w, h = cv.w, cv.h
    xor_rows, and_rows = [], []
    for y in reversed(range(h)):          # DIBs are stored bottom-up
        row = cv.px[y]
        nib = [0 if c is None else c for c in row]   # transparent pixels are black under the mask
        data = bytes((nib[x] << 4) | nib[x + 1] for x in range(0, w, 2))
        xor_rows.append(data + b'\0' * (-len(data) % 4))
        bits = 0
        mask = bytearray()
        for x in range(w):
            bits = (bits << 1) | (1 if row[x] is None else 0)
            if x % 8 == 7:
                mask.append(bits)
                bits = 0
        if w % 8:                         # a width like 20 ends in a part byte
            mask.append(bits << (8 - w % 8))
        mask += b'\0' * (-len(mask) % 4)
        and_rows.append(bytes(mask))
    pixels = b''.join(xor_rows) + b''.join(and_rows)
    return _bitmap_info(w, 2 * h, 4, 0, len(pixels)) + _palette_bytes(PALETTE16) + pixels


def ico_bytes(canvases):
    images = [_icon_image(cv) for cv in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for cv, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', cv.w % 256, cv.h % 256, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    return out + b''.join(images)


def bmp8_bytes(pixels, w, h, pal):
    """8 bpp BMP; pixels are palette indices, top row first."""
    rows = []
    for y in reversed(range(h)):
        data = bytes(pixels[y * w:(y + 1) * w])
        rows.append(data + b'\0' * (-len(data) % 4))
    body = b''.join(rows)
    info = _bitmap_info(w, h, 8, len(pal), len(body)) + _palette_bytes(pal)
    offset = 14 + len(info)
    return struct.pack('<2sIHHI', b'BM', offset + len(body), 0, 0, offset) + info + body


# --------------------------------------------------------------------------
# Small shared glyph parts.

def sheet(cv):
    """A sheet of paper with a folded top-right corner."""
    cv.poly([(6, 2), (19, 2), (26, 9), (26, 30), (6, 30)], BLACK)
    cv.poly([(8, 4), (18, 4), (24, 10), (24, 28), (8, 28)], WHITE)
    cv.poly([(17, 2), (19, 2), (19, 9), (26, 9), (26, 11), (17, 11)], BLACK)
    cv.poly([(19, 4), (24, 9), (19, 9)], SILVER)


def small_arrow(cv, up, c=BLACK):
    if up:
        cv.poly([(16, 12), (22, 18), (19, 18), (19, 25), (13, 25), (13, 18), (10, 18)], c)
    else:
        cv.poly([(16, 26), (22, 20), (19, 20), (19, 13), (13, 13), (13, 20), (10, 20)], c)


def speaker32(cv, x0, y0):
    """Loudspeaker with two sound waves, 16 px high, for the 32 px images."""
    cv.rect(x0, y0 + 5, x0 + 2, y0 + 10, BLACK)
    cv.poly([(x0 + 3, y0 + 5), (x0 + 7, y0 + 1), (x0 + 7, y0 + 15), (x0 + 3, y0 + 11)], BLACK)
    cx, cy = x0 + 7, y0 + 8
    waves = lambda dx, dy: dx > 0 and abs(dy) < dx * 1.3
    cv.ring(cx, cy, 3.2, 4.8, BLACK, waves)
    cv.ring(cx, cy, 6.4, 8.0, BLACK, waves)


def keycap(cv, x0, y0, x1, y1, lip):
    """A key cap seen from the front-top: light face, darker skirt below."""
    cv.round_rect(x0, y0, x1, y1, 2, BLACK)
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, GREY)
    cv.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1 - lip, SILVER)
    cv.rect(x0 + 2, y0 + 1, x1 - 2, y0 + 1, WHITE)
    cv.rect(x0 + 1, y0 + 2, x0 + 1, y1 - 1 - lip, WHITE)
    cv.rect(x1 - 1, y0 + 2, x1 - 1, y1 - 1 - lip, GREY)
    cv.rect(x0 + 2, y1 - lip, x1 - 2, y1 - lip, BLACK if lip > 1 else GREY)


# --------------------------------------------------------------------------
# The pictures.

def app_icon(s):
    cv = Canvas(s, s)
    if s == 32:
        # Sound spreading from the key: arcs round its corner, drawn first so
        # the key cap hides their inner ends.
        fan = lambda dx, dy: dy < 0 and dx > -0.12 * dy and -dy > 0.12 * dx
        cv.ring(16, 15, 9.0, 10.6, BLUE, fan)
        cv.ring(16, 15, 13.0, 14.6, BLUE, fan)
        keycap(cv, 0, 9, 22, 31, 5)
        # Eighth note on the key face.
        cv.disc(9.5, 21.5, 3.2, NAVY)
        cv.rect(11, 11, 12, 21, NAVY)
        cv.poly([(12, 11), (16, 14), (16, 17), (12, 14)], NAVY)
    else:
        cv.art([
            "...........BBB..",
            "..............B.",
            "...........BB..B",
            ".KKKKKKKKK...B.B",
            "KWWWWWWWWWK..B.B",
            "KWSSSNNSSGK.....",
            "KWSSSNNNNGK.....",
            "KWSSSNSSNGK.....",
            "KWSSSNSSSGK.....",
            "KWSNNNSSSGK.....",
            "KWNNNNSSSGK.....",
            "KWSNNNSSSGK.....",
            "KGGGGGGGGGK.....",
            "KGGGGGGGGGK.....",
            ".KKKKKKKKK......",
            "................",
        ], {'K': BLACK, 'W': WHITE, 'S': SILVER, 'G': GREY, 'N': NAVY, 'B': BLUE})
    return cv


def tray_icon(s, ground):
    """The same key cap with a loudspeaker; only the ground colour tells on from off."""
    cv = Canvas(s, s)
    if s == 32:
        cv.round_rect(0, 0, 31, 31, 3, ground)
        keycap(cv, 4, 4, 27, 27, 4)
        speaker32(cv, 8, 5)
    else:
        cv.art([
            ".YYYYYYYYYYYYYY.",
            "YYYYYYYYYYYYYYYY",
            "YYYKKKKKKKKKKYYY",
            "YYKWWWWWWWWWWKYY",
            "YYKWSSSSSSSSGKYY",
            "YYKWSSKSSSKSGKYY",
            "YYKWSKKSKSSKGKYY",
            "YYKWKKKSSKSKGKYY",
            "YYKWKKKSSKSKGKYY",
            "YYKWSKKSKSSKGKYY",
            "YYKWSSKSSSKSGKYY",
            "YYKWSSSSSSSSGKYY",
            "YYKGGGGGGGGGGKYY",
            "YYYKKKKKKKKKKYYY",
            "YYYYYYYYYYYYYYYY",
            ".YYYYYYYYYYYYYY.",
        ], {'Y': ground, 'K': BLACK, 'W': WHITE, 'S': SILVER, 'G': GREY})
    return cv


# Key pictures: the 32 px drawings serve large displays; hand-placed 16 and
# 20 px glyphs in the same style fit inside a key button's raised edge at 96
# and at 120 DPI.

GLYPH_LEGEND = {'K': BLACK, 'G': GREY, 'W': WHITE, 'S': SILVER}

GLYPHS = {
    ('monitor', 16): [
        "................",
        ".KKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKK.",
        "......KKKK......",
        "......KKKK......",
        "...KKKKKKKKKK...",
        "...KKKKKKKKKK...",
        "................",
    ],
    ('monitor', 20): [
        "....................",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKGGGGGGGGGGGGGGKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        "........KKKK........",
        "........KKKK........",
        "....KKKKKKKKKKKK....",
        "....KKKKKKKKKKKK....",
        "....................",
    ],
    ('padlock', 16): [
        "................",
        ".....KKKKKK.....",
        "....KKKKKKKK....",
        "....KK....KK....",
        "....KK....KK....",
        "....KK....KK....",
        "..KKKKKKKKKKKK..",
        "..KGGGGGGGGGGK..",
        "..KGGGKKKKGGGK..",
        "..KGGGKKKKGGGK..",
        "..KGGGGKKGGGGK..",
        "..KGGGGKKGGGGK..",
        "..KGGGGKKGGGGK..",
        "..KGGGGGGGGGGK..",
        "..KKKKKKKKKKKK..",
        "................",
    ],
    ('padlock', 20): [
        "....................",
        ".......KKKKKK.......",
        "......KKKKKKKK......",
        ".....KKK....KKK.....",
        ".....KK......KK.....",
        ".....KK......KK.....",
        ".....KK......KK.....",
        ".....KK......KK.....",
        "..KKKKKKKKKKKKKKKK..",
        "..KKGGGGGGGGGGGGKK..",
        "..KGGGGGKKKKGGGGGK..",
        "..KGGGGGKKKKGGGGGK..",
        "..KGGGGGGKKGGGGGGK..",
        "..KGGGGGGKKGGGGGGK..",
        "..KGGGGGGKKGGGGGGK..",
        "..KGGGGGGKKGGGGGGK..",
        "..KGGGGGGGGGGGGGGK..",
        "..KKGGGGGGGGGGGGKK..",
        "..KKKKKKKKKKKKKKKK..",
        "....................",
    ],
    ('pause', 16): [
        "................",
        "................",
        "................",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "....KKK..KKK....",
        "................",
        "................",
        "................",
    ],
    ('pause', 20): [
        "....................",
        "....................",
        "....................",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        ".....KKKK..KKKK.....",
        "....................",
        "....................",
        "....................",
    ],
    ('home', 16): [
        "................",
        ".......KK..KK...",
        "......KKKK.KK...",
        ".....KKGGKKKK...",
        "....KKGGGGKKK...",
        "...KKGGGGGGKK...",
        "..KKGGGGGGGGKK..",
        ".KKGGGGGGGGGGKK.",
        "KKKKGGGGGGGGKKKK",
        "..KKGGKKKKGGKK..",
        "..KKGGKKKKGGKK..",
        "..KKGGKKKKGGKK..",
        "..KKGGKKKKGGKK..",
        "..KKGGKKKKGGKK..",
        "..KKKKKKKKKKKK..",
        "................",
    ],
    ('home', 20): [
        "....................",
        ".........KK...KK....",
        "........KKKK..KK....",
        ".......KKGGKK.KK....",
        "......KKGGGGKKKK....",
        ".....KKGGGGGGKKK....",
        "....KKGGGGGGGGKK....",
        "...KKGGGGGGGGGGKK...",
        "..KKGGGGGGGGGGGGKK..",
        ".KKGGGGGGGGGGGGGGKK.",
        "KKKKKGGGGGGGGGGKKKKK",
        "...KKGGGGGGGGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKGGGKKKKGGGKK...",
        "...KKKKKKKKKKKKKK...",
        "....................",
    ],
    ('pageup', 16): [
        "................",
        "...KKKKKKK......",
        "...KWWWWWKK.....",
        "...KWWWWWKSK....",
        "...KWWWWWKSSK...",
        "...KWWWWWKKKK...",
        "...KWWWKKWWWK...",
        "...KWWKKKKWWK...",
        "...KWKKKKKKWK...",
        "...KWWWKKWWWK...",
        "...KWWWKKWWWK...",
        "...KWWWKKWWWK...",
        "...KWWWKKWWWK...",
        "...KWWWWWWWWK...",
        "...KKKKKKKKKK...",
        "................",
    ],
    ('pageup', 20): [
        "....................",
        "....KKKKKKK.........",
        "....KWWWWWKK........",
        "....KWWWWWKSK.......",
        "....KWWWWWKSSK......",
        "....KWWWWWKSSSK.....",
        "....KWWWWWKKKKKK....",
        "....KWWWWWWWWWWK....",
        "....KWWWWKKWWWWK....",
        "....KWWWKKKKWWWK....",
        "....KWWKKKKKKWWK....",
        "....KWKKKKKKKKWK....",
        "....KWWWKKKKWWWK....",
        "....KWWWKKKKWWWK....",
        "....KWWWKKKKWWWK....",
        "....KWWWKKKKWWWK....",
        "....KWWWKKKKWWWK....",
        "....KWWWWWWWWWWK....",
        "....KKKKKKKKKKKK....",
        "....................",
    ],
    ('windows', 16): [
        "................",
        ".KKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKGGGGKKGGGGKK.",
        ".KKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKK.",
        "................",
    ],
    ('windows', 20): [
        "....................",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKGGGGGGKKGGGGGGKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        ".KKKKKKKKKKKKKKKKKK.",
        "....................",
    ],
    ('arrow', 16): [
        "................",
        "................",
        ".......KK.......",
        "......KKKK......",
        ".....KKKKKK.....",
        "....KKKKKKKK....",
        "...KKKKKKKKKK...",
        "..KKKKKKKKKKKK..",
        ".....KKKKKK.....",
        ".....KKKKKK.....",
        ".....KKKKKK.....",
        ".....KKKKKK.....",
        ".....KKKKKK.....",
        ".....KKKKKK.....",
        "................",
        "................",
    ],
    ('arrow', 20): [
        "....................",
        "....................",
        ".........KK.........",
        "........KKKK........",
        ".......KKKKKK.......",
        "......KKKKKKKK......",
        ".....KKKKKKKKKK.....",
        "....KKKKKKKKKKKK....",
        "...KKKKKKKKKKKKKK...",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        ".......KKKKKK.......",
        "....................",
        "....................",
    ],
}

GLYPH_SIZES = (20, 16)


def glyph_canvas(rows):
    s = len(rows)
    assert all(len(r) == s for r in rows), rows
    cv = Canvas(s, s)
    cv.art(rows, GLYPH_LEGEND)
    return cv


def glyph(name, s):
    return glyph_canvas(GLYPHS[(name, s)])


def turned(cv, direction):
    """A drawing that points up, turned to point in the given direction."""
    n = cv.w
    out = Canvas(n, n)
    for y in range(n):
        for x in range(n):
            if direction == 'up':
                v = cv.px[y][x]
            elif direction == 'down':
                v = cv.px[n - 1 - y][x]
            elif direction == 'left':
                v = cv.px[x][y]
            else:
                v = cv.px[n - 1 - x][y]
            out.set(x, y, v)
    return out


# Rows of the Page Up glyph that hold its arrow; Page Down has them in reverse.
PAGE_ARROW_ROWS = {16: (6, 13), 20: (8, 17)}


def glyph_page_down(s):
    rows = list(GLYPHS[('pageup', s)])
    lo, hi = PAGE_ARROW_ROWS[s]
    rows[lo:hi] = reversed(rows[lo:hi])
    return glyph_canvas(rows)


def key_monitor():
    cv = Canvas(32, 32)
    cv.round_rect(2, 4, 29, 23, 1, BLACK)
    cv.rect(5, 7, 26, 20, GREY)
    cv.rect(5, 7, 26, 7, BLACK)
    cv.rect(5, 7, 5, 20, BLACK)
    cv.rect(13, 24, 18, 26, BLACK)
    cv.round_rect(8, 27, 23, 29, 1, BLACK)
    return cv


def key_padlock():
    cv = Canvas(32, 32)
    cv.ring(16, 12, 5.0, 8.0, BLACK, lambda dx, dy: dy <= 0)
    cv.rect(8, 12, 10, 15, BLACK)
    cv.rect(21, 12, 23, 15, BLACK)
    cv.round_rect(5, 14, 26, 30, 2, BLACK)
    cv.rect(7, 16, 24, 28, GREY)
    cv.disc(16, 21, 2.6, BLACK)
    cv.rect(15, 21, 16, 26, BLACK)
    return cv


def key_pause():
    cv = Canvas(32, 32)
    cv.rect(8, 5, 13, 26, BLACK)
    cv.rect(18, 5, 23, 26, BLACK)
    return cv


def key_home():
    cv = Canvas(32, 32)
    cv.poly([(16, 2), (31, 16), (27, 16), (27, 30), (5, 30), (5, 16), (1, 16)], BLACK)
    cv.poly([(16, 6.5), (24.5, 14.5), (24.5, 28), (7.5, 28), (7.5, 14.5)], GREY)
    cv.rect(13, 19, 18, 29, BLACK)
    cv.rect(22, 4, 25, 10, BLACK)
    return cv


def key_page(up):
    cv = Canvas(32, 32)
    sheet(cv)
    small_arrow(cv, up)
    return cv


def key_arrow(direction):
    """Bold arrow: 10 px shaft, head 22 px wide, drawn pointing up and turned,
    so all four match exactly."""
    up = Canvas(32, 32)
    up.poly([(16, 4), (27, 15), (21, 15), (21, 28), (11, 28), (11, 15), (5, 15)], BLACK)
    return turned(up, direction)


def key_windows():
    """A plain window frame split into four panes."""
    cv = Canvas(32, 32)
    cv.rect(3, 3, 28, 28, BLACK)
    for (x0, y0) in ((6, 6), (17, 6), (6, 17), (17, 17)):
        cv.rect(x0, y0, x0 + 8, y0 + 8, GREY)
    return cv


# --------------------------------------------------------------------------
# About picture: hands resting on a keyboard, drawn with anti-aliased shapes
# (supersampled) and reduced to a 256-colour palette.

ABOUT_SIZE = 102
SS = 4  # samples per pixel along each axis

SKIN = (240, 196, 160)
SKIN_EDGE = (168, 104, 72)
NAIL = (250, 222, 206)
SLEEVE = (52, 92, 160)
SLEEVE_EDGE = (26, 48, 96)
BODY = (70, 74, 82)
BODY_EDGE = (30, 32, 38)
KEY = (232, 234, 238)
KEY_SIDE = (168, 172, 182)
BACKDROP_TOP = (214, 228, 244)
BACKDROP_BOTTOM = (250, 246, 236)
NOTE = (40, 60, 140)


def _capsule(ax, ay, bx, by, r):
    """Inside-test for a stadium (segment a-b thickened by r) and its bounding box."""
    vx, vy = bx - ax, by - ay
    ll = vx * vx + vy * vy

    def inside(x, y):
        t = ((x - ax) * vx + (y - ay) * vy) / ll
        t = 0.0 if t < 0 else 1.0 if t > 1 else t
        dx, dy = x - ax - t * vx, y - ay - t * vy
        return dx * dx + dy * dy <= r * r
    return inside, (min(ax, bx) - r, min(ay, by) - r, max(ax, bx) + r, max(ay, by) + r)


def _ellipse(cx, cy, rx, ry):
    def inside(x, y):
        dx, dy = (x - cx) / rx, (y - cy) / ry
        return dx * dx + dy * dy <= 1.0
    return inside, (cx - rx, cy - ry, cx + rx, cy + ry)


def _rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        dx = max(x0 + r - x, 0.0, x - (x1 - r))
        dy = max(y0 + r - y, 0.0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside, (x0, y0, x1, y1)


def _polygon(pts):
    def inside(x, y):
        odd = False
        n = len(pts)
        for i in range(n):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % n]
            if (ay <= y < by) or (by <= y < ay):
                if x < ax + (y - ay) * (bx - ax) / (by - ay):
                    odd = not odd
        return odd
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    return inside, (min(xs), min(ys), max(xs), max(ys))


def _outlined(shapes, shape_fn, args, grow, edge, fill):
    """Adds a shape twice: a slightly larger dark copy behind, then the fill."""
    shapes.append((shape_fn(*args[:-1], args[-1] + grow), edge))
    shapes.append((shape_fn(*args), fill))


def _hand(shapes, cx, mirror):
    """One hand seen from above, fingers pointing up; mirror=-1 gives the left hand."""
    def X(dx):
        return cx + mirror * dx
    # Forearm and sleeve first: everything else overlaps them.
    shapes.append((_capsule(X(4), 86, X(9), 112, 11.5), SKIN_EDGE))
    shapes.append((_capsule(X(4), 86, X(9), 112, 10.5), SKIN))
    shapes.append((_polygon([(X(-10), 96), (X(17), 92), (X(22), 104), (X(-6), 104)]), SLEEVE_EDGE))
    shapes.append((_polygon([(X(-9), 97.2), (X(16.2), 93.4), (X(20.6), 104), (X(-4.8), 104)]), SLEEVE))
    # Thumb reaching in towards the space bar.
    _outlined(shapes, _capsule, (X(-6), 80, X(-17), 72, 3.6), 1.0, SKIN_EDGE, SKIN)
    # Palm.
    _outlined(shapes, _ellipse, (X(3), 76, 12.5, 11.0), 1.0, SKIN_EDGE, SKIN)
    # Fingers, index (inner) to little finger (outer); tip points are on the keys.
    fingers = [(-6, 70, -8, 52), (0, 68, 0, 48), (6, 69, 8, 50), (11, 72, 15, 57)]
    for i, (bx, by, tx, ty) in enumerate(fingers):
        r = 3.4 if i < 3 else 3.0
        _outlined(shapes, _capsule, (X(bx), by, X(tx), ty, r), 1.0, SKIN_EDGE, SKIN)
        shapes.append((_ellipse(X(tx + 0.1 * (tx - bx)), ty + 1.6, r * 0.55, r * 0.7), NAIL))


def about_shapes():
    shapes = []
    # Keyboard body.
    shapes.append((_rrect(4, 24, 98, 88, 5), BODY_EDGE))
    shapes.append((_rrect(5, 25, 97, 87, 4.5), BODY))
    # Five rows of keys; the bottom row has the long space bar.
    pitch = 9.0
    for row in range(4):
        y0 = 29 + row * 11
        offset = (0, 3, 5, 8)[row]
        n = (10, 10, 9, 8)[row]
        for k in range(n):
            x0 = 8 + offset + k * pitch
            if x0 + 7.5 > 95:
                break
            shapes.append((_rrect(x0, y0, x0 + 7.6, y0 + 9, 1.5), KEY_SIDE))
            shapes.append((_rrect(x0 + 0.8, y0 + 0.4, x0 + 6.8, y0 + 7.2, 1.2), KEY))
    y0 = 73
    for (x0, x1) in ((8, 22), (24, 78), (80, 94)):
        shapes.append((_rrect(x0, y0, x1, y0 + 9, 1.5), KEY_SIDE))
        shapes.append((_rrect(x0 + 0.8, y0 + 0.4, x1 - 0.8, y0 + 7.2, 1.2), KEY))
    # Two musical notes above the keyboard: the keys make sound.
    for (nx, ny, s) in ((22, 15, 1.0), (74, 12, 0.9)):
        shapes.append((_ellipse(nx, ny + 5 * s, 3.2 * s, 2.4 * s), NOTE))
        shapes.append((_polygon([(nx + 2.0 * s, ny + 5 * s), (nx + 3.2 * s, ny + 5 * s),
                                 (nx + 3.2 * s, ny - 8 * s), (nx + 2.0 * s, ny - 8 * s)]), NOTE))
        shapes.append((_polygon([(nx + 3.2 * s, ny - 8 * s), (nx + 8 * s, ny - 4.5 * s),
                                 (nx + 8 * s, ny - 2.5 * s), (nx + 3.2 * s, ny - 6 * s)]), NOTE))
    _hand(shapes, 28, -1)
    _hand(shapes, 74, 1)
    return shapes


def backdrop(y):
    t = y / ABOUT_SIZE
    return tuple(a + (b - a) * t for a, b in zip(BACKDROP_TOP, BACKDROP_BOTTOM))


def render_about():
    shapes = about_shapes()
    n = ABOUT_SIZE
    out = []
    step = 1.0 / SS
    for py in range(n):
        # Only shapes touching this row need testing.
        row_shapes = [(fn, c, box) for ((fn, box), c) in shapes
                      if box[1] <= py + 1 and box[3] >= py]
        for px in range(n):
            cand = [(fn, c) for (fn, c, box) in row_shapes if box[0] <= px + 1 and box[2] >= px]
            acc = [0.0, 0.0, 0.0]
            for sy in range(SS):
                y = py + (sy + 0.5) * step
                for sx in range(SS):
                    x = px + (sx + 0.5) * step
                    col = None
                    for fn, c in reversed(cand):
                        if fn(x, y):
                            col = c
                            break
                    if col is None:
                        col = backdrop(y)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
            k = SS * SS
            out.append(tuple(int(v / k + 0.5) for v in acc))
    return out


def median_cut(colours, limit):
    """Deterministic median-cut palette of at most `limit` colours."""
    counts = {}
    for c in colours:
        counts[c] = counts.get(c, 0) + 1
    boxes = [sorted(counts)]
    while len(boxes) < limit:
        # Split the box with the widest channel range (ties: first found).
        best, best_range, best_ch = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c in box]
                rng = max(vals) - min(vals)
                if rng > best_range:
                    best, best_range, best_ch = i, rng, ch
        if best is None:
            break
        box = sorted(boxes[best], key=lambda c: (c[best_ch], c))
        total = sum(counts[c] for c in box)
        run, cut = 0, 1
        for j, c in enumerate(box[:-1]):
            run += counts[c]
            cut = j + 1
            if run * 2 >= total:
                break
        boxes[best:best + 1] = [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        w = sum(counts[c] for c in box)
        palette.append(tuple((sum(c[ch] * counts[c] for c in box) + w // 2) // w for ch in range(3)))
    return palette


def about_bmp():
    pixels = render_about()
    palette = median_cut(pixels, 256)
    lookup = {}
    indices = []
    for c in pixels:
        if c not in lookup:
            lookup[c] = min(range(len(palette)),
                            key=lambda i: sum((a - b) ** 2 for a, b in zip(c, palette[i])))
        indices.append(lookup[c])
    return bmp8_bytes(indices, ABOUT_SIZE, ABOUT_SIZE, palette)


# --------------------------------------------------------------------------

def artwork():
    """Every output file name with its bytes."""
    return [
        ('clavitone.ico', ico_bytes([app_icon(32), app_icon(16)])),
        ('tray_on.ico', ico_bytes([tray_icon(32, YELLOW), tray_icon(16, YELLOW)])),
        ('tray_off.ico', ico_bytes([tray_icon(32, RED), tray_icon(16, RED)])),
        ('key_monitor.ico', ico_bytes([key_monitor()] + [glyph('monitor', n) for n in GLYPH_SIZES])),
        ('key_padlock.ico', ico_bytes([key_padlock()] + [glyph('padlock', n) for n in GLYPH_SIZES])),
        ('key_pause.ico', ico_bytes([key_pause()] + [glyph('pause', n) for n in GLYPH_SIZES])),
        ('key_left.ico', ico_bytes([key_arrow('left')] + [turned(glyph('arrow', n), 'left') for n in GLYPH_SIZES])),
        ('key_home.ico', ico_bytes([key_home()] + [glyph('home', n) for n in GLYPH_SIZES])),
        ('key_pageup.ico', ico_bytes([key_page(True)] + [glyph('pageup', n) for n in GLYPH_SIZES])),
        ('key_pagedown.ico', ico_bytes([key_page(False)] + [glyph_page_down(n) for n in GLYPH_SIZES])),
        ('key_up.ico', ico_bytes([key_arrow('up')] + [glyph('arrow', n) for n in GLYPH_SIZES])),
        ('key_down.ico', ico_bytes([key_arrow('down')] + [turned(glyph('arrow', n), 'down') for n in GLYPH_SIZES])),
        ('key_right.ico', ico_bytes([key_arrow('right')] + [turned(glyph('arrow', n), 'right') for n in GLYPH_SIZES])),
        ('key_windows.ico', ico_bytes([key_windows()] + [glyph('windows', n) for n in GLYPH_SIZES])),
        ('about.bmp', about_bmp()),
    ]


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, data in artwork():
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)
        print(name, len(data), 'bytes')


if __name__ == '__main__':
    main()
