#!/usr/bin/env python3
"""Draws the program's pictures: res/Splash.spl and the 48 x 48 about logo and progress picture
(res/AboutLogo.bgra and res/ProgressPicture.bgra, premultiplied B, G, R, A bytes, rows top to
bottom, which the program carries as resources). Run from anywhere:
python3 tools/make_artwork.py [--png DIR]

The text is set in Liberation Sans (Debian's fonts-liberation), read from its TrueType outlines.
"""
import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from artwork_raster import Canvas, TrueTypeFont, blur_mask, circle, coverage_map, rounded_rect  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FONT_DIR = '/usr/share/fonts/truetype/liberation'
REGULAR = TrueTypeFont(os.path.join(FONT_DIR, 'LiberationSans-Regular.ttf'))
BOLD = TrueTypeFont(os.path.join(FONT_DIR, 'LiberationSans-Bold.ttf'))


def rgb(hex_colour, alpha=1.0):
    v = int(hex_colour.lstrip('#'), 16)
    return ((v >> 16 & 255) / 255.0, (v >> 8 & 255) / 255.0, (v & 255) / 255.0, alpha)


def gradient(c0, c1, x0, y0, x1, y1):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def paint(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return tuple(a + (b - a) * t for a, b in zip(c0, c1))
    return paint


def thick_line(x0, y0, x1, y1, width):
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def ring(cx, cy, r, thickness):
    return [circle(cx, cy, r + thickness / 2), circle(cx, cy, r - thickness / 2, reverse=True)]


def magnifier(canvas, cx, cy, r, thickness, handle, colour, glass=None):
    if glass:
        canvas.fill([circle(cx, cy, r)], glass)
    canvas.fill(ring(cx, cy, r, thickness), colour)
    angle = math.radians(45)
    sx, sy = cx + (r + thickness / 2 - 0.5) * math.cos(angle), cy + (r + thickness / 2 - 0.5) * math.sin(angle)
    ex, ey = cx + (r + handle) * math.cos(angle), cy + (r + handle) * math.sin(angle)
    canvas.fill([thick_line(sx, sy, ex, ey, thickness * 1.6)], colour)
    canvas.fill([circle(ex, ey, thickness * 0.8)], colour)


def text(canvas, font, string, x, baseline, size, colour, tracking=0.0, subsamples=6):
    canvas.fill(font.text_polygons(string, x, baseline, size, tracking), colour, subsamples)
    return x + font.text_width(string, size) + tracking * len(string)


def drop_shadow(canvas, shape, radius, colour):
    mask = blur_mask(coverage_map([shape], canvas.width, canvas.height), canvas.width, canvas.height, radius)
    canvas.draw_mask(mask, colour)


def draw_splash():
    # No drop shadow: without a compositor a layered window shows translucent pixels as dark ones.
    width, height = 492, 272
    c = Canvas(width, height)
    card = (0, 0, width, height)
    shape = rounded_rect(*card, 18)
    left, top, w, h = card
    c.fill([shape], gradient(rgb('#1F3A7A'), rgb('#4B1F6B'), left, top, left + w, top + h))
    # A soft light from the upper left.
    c.fill([shape], lambda x, y: (1, 1, 1, 0.10 * max(0.0, 1 - math.hypot(x - left - 60, y - top - 30) / 300)))

    # Letters in the background, as on a type specimen sheet.
    for glyph, font, size, x, base, alpha in (('Aa', BOLD, 190, 300, 200, 0.07), ('Ж', REGULAR, 120, 420, 262, 0.06),
                                              ('g', REGULAR, 150, 236, 250, 0.05), ('&', BOLD, 80, 440, 90, 0.06)):
        polygons = font.text_polygons(glyph, x, base, size)
        clipped = coverage_map([shape], width, height)
        cover = coverage_map(polygons, width, height)
        c.draw_mask({k: v * clipped.get(k, 0) for k, v in cover.items()}, (1, 1, 1, alpha))

    # The logo: a magnifier over a letter.
    lx, ly = left + 36, top + 40
    c.fill([rounded_rect(lx, ly, 76, 76, 16)], gradient(rgb('#3D6DF2'), rgb('#7A3FD0'), lx, ly, lx + 76, ly + 76))
    c.fill([rounded_rect(lx, ly, 76, 76, 16)], lambda x, y: (1, 1, 1, 0.18 if y < ly + 30 else 0.0))
    text(c, BOLD, 'A', lx + 12, ly + 52, 44, rgb('#FFFFFF'))
    magnifier(c, lx + 48, ly + 38, 13, 5, 14, rgb('#FFB547'), glass=(1, 1, 1, 0.22))

    tx = lx + 100
    text(c, REGULAR, 'MARROWIND', tx + 2, ly + 18, 15, rgb('#AFC3FF'), tracking=2.6)
    end = text(c, BOLD, 'Glyphoscope', tx, ly + 62, 40, rgb('#FFFFFF'))
    text(c, BOLD, '2.3', end + 10, ly + 62, 40, rgb('#FFB547'))
    text(c, REGULAR, 'Просмотр шрифтов, установленных в системе', tx + 1, ly + 90, 15, rgb('#DCE3FA'))
    c.fill([rounded_rect(tx + 1, ly + 104, 120, 3, 1.5)], gradient(rgb('#FFB547'), rgb('#FFB547', 0.0),
                                                                    tx, 0, tx + 120, 0))

    bottom = top + h - 22
    text(c, REGULAR, 'Загрузка программы...', left + 36, bottom, 13, rgb('#C9D2F0'))
    notice = '© Marrowind, 2003–2026'
    text(c, REGULAR, notice, left + w - 30 - REGULAR.text_width(notice, 12), bottom, 12, rgb('#9FAAD0'))
    # A hairline frame keeps the edge crisp on light desktops.
    c.fill([rounded_rect(*card, 18), rounded_rect(left + 1, top + 1, w - 2, h - 2, 17)[::-1]], (1, 1, 1, 0.18))
    return c


def draw_logo():
    c = Canvas(48, 48)
    drop_shadow(c, rounded_rect(3, 4, 42, 42, 9), 1, rgb('#000000', 0.35))
    tile = rounded_rect(3, 2, 42, 42, 9)
    c.fill([tile], gradient(rgb('#3D6DF2'), rgb('#7A3FD0'), 3, 2, 45, 44))
    c.fill([rounded_rect(3, 2, 42, 18, 9)], (1, 1, 1, 0.16))
    text(c, BOLD, 'A', 8, 32, 26, rgb('#FFFFFF'), subsamples=8)
    magnifier(c, 28.5, 24.5, 7.5, 3, 8, rgb('#FFB547'), glass=(1, 1, 1, 0.25))
    return c


def draw_progress_picture():
    c = Canvas(48, 48)
    sheet = [(9, 3), (31, 3), (40, 12), (40, 45), (9, 45)]
    drop_shadow(c, [(x + 1, y + 1) for x, y in sheet], 1, rgb('#000000', 0.35))
    c.fill([sheet], rgb('#8A93A8'))
    c.fill([[(10, 4), (30.5, 4), (39, 12.5), (39, 44), (10, 44)]], gradient(rgb('#FFFFFF'), rgb('#E4E9F5'), 0, 4, 0, 44))
    c.fill([[(30, 3.5), (40, 13.5), (30, 13.5)]], rgb('#C5CCDD'))
    text(c, BOLD, 'Aa', 13, 24, 15, rgb('#2F4FB8'), subsamples=8)
    for y, length in ((29, 22), (33, 18), (37, 20)):
        c.fill([rounded_rect(13, y, length, 1.6, 0.8)], rgb('#9AA6C4'))
    # A small clock: the list is being read.
    c.fill([circle(36, 36, 9.5)], rgb('#FFFFFF'))
    c.fill([circle(36, 36, 8.5)], gradient(rgb('#FFC861'), rgb('#F29A1F'), 0, 27, 0, 45))
    c.fill([circle(36, 36, 6.3)], rgb('#FFFFFF'))
    c.fill([thick_line(36, 36, 36, 31.5, 1.5)], rgb('#7A4A08'))
    c.fill([thick_line(36, 36, 39.3, 37.6, 1.5)], rgb('#7A4A08'))
    c.fill([circle(36, 36, 1.1)], rgb('#7A4A08'))
    return c


def splash_file(canvas):
    pixels = canvas.bgra_bytes()
    header = b'GSPL' + struct.pack('<HHIIII', 1, 24, canvas.width, canvas.height, zlib.crc32(pixels) & 0xFFFFFFFF, 0)
    return header + pixels


def write_png(canvas, path):
    """Straight-alpha PNG of the canvas, for looking at the pictures."""
    raw = bytearray()
    for y in range(canvas.height):
        raw.append(0)
        for r, g, b, a in canvas.px[y * canvas.width:(y + 1) * canvas.width]:
            if a > 0:
                r, g, b = r / a, g / a, b / a
            raw += bytes(min(255, max(0, round(v * 255))) for v in (r, g, b, a))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', canvas.width, canvas.height, 8, 6, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def main():
    splash, logo, progress = draw_splash(), draw_logo(), draw_progress_picture()
    with open(os.path.join(ROOT, 'res', 'Splash.spl'), 'wb') as f:
        f.write(splash_file(splash))
    for name, canvas in (('AboutLogo.bgra', logo), ('ProgressPicture.bgra', progress)):
        with open(os.path.join(ROOT, 'res', name), 'wb') as f:
            f.write(canvas.bgra_bytes())
    if len(sys.argv) == 3 and sys.argv[1] == '--png':
        for name, canvas in (('splash', splash), ('logo', logo), ('progress', progress)):
            write_png(canvas, os.path.join(sys.argv[2], name + '.png'))


if __name__ == '__main__':
    main()
