#!/usr/bin/python3
"""Writes a TrueType font that covers more than 55,000 code points, for the character map's tests
and benchmark: make_wide_font.py OUTPUT.ttf. Family "Glyphoscope Wide". Every code point from
U+0020 to U+D7FF (less the C1 controls) and the emoticons U+1F600 to U+1F64F are mapped; its glyph is a frame holding the low eight bits
of the code point as filled squares, so that neighbouring cells look different.
Needs Debian's python3-fonttools (run with /usr/bin/python3)."""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FAMILY = 'Glyphoscope Wide'
ASCENT, DESCENT, ADVANCE = 800, 200, 1000


def rectangle(pen, left, bottom, right, top, clockwise=True):
    points = [(left, bottom), (left, top), (right, top), (right, bottom)]
    if not clockwise:
        points.reverse()
    pen.moveTo(points[0])
    for point in points[1:]:
        pen.lineTo(point)
    pen.closePath()


def pattern_glyph(bits):
    pen = TTGlyphPen(None)
    rectangle(pen, 100, 0, 900, 800)
    rectangle(pen, 150, 50, 850, 750, clockwise=False)
    for bit in range(8):
        if bits & (1 << bit):
            column, row = bit % 4, bit // 4
            left, bottom = 200 + column * 160, 420 - row * 320
            rectangle(pen, left, bottom, left + 120, bottom + 280)
    return pen.glyph()


def main():
    names = ['.notdef'] + ['g%02X' % i for i in range(256)]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(names)
    covered = list(range(0x20, 0x7F)) + list(range(0xA0, 0xD800)) + list(range(0x1F600, 0x1F650))
    builder.setupCharacterMap({cp: 'g%02X' % (cp & 0xFF) for cp in covered})
    glyphs = {'.notdef': TTGlyphPen(None).glyph()}
    glyphs.update({'g%02X' % i: pattern_glyph(i) for i in range(256)})
    builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics({name: (ADVANCE, 100 if name != '.notdef' else 0) for name in names})
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    builder.setupNameTable({'familyName': FAMILY, 'styleName': 'Regular'})
    builder.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, usWinAscent=ASCENT, usWinDescent=DESCENT)
    builder.setupPost()
    builder.save(sys.argv[1])


if __name__ == '__main__':
    main()
