#!/usr/bin/python3
"""Writes COUNT small TrueType fonts, each its own family, for the font load benchmark:
make_bench_fonts.py COUNT FOLDER. Renamed copies of a Basic Latin subset of Liberation Sans.
Needs Debian's python3-fonttools (run with /usr/bin/python3)."""
import io
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = '/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf'


def small_base():
    font = TTFont(SOURCE)
    options = subset.Options()
    options.layout_features = []
    options.name_IDs = [1, 2, 3, 4, 6]
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=range(0x20, 0x7F))
    subsetter.subset(font)
    data = io.BytesIO()
    font.save(data)
    return data.getvalue()


def main():
    count, folder = int(sys.argv[1]), sys.argv[2]
    os.makedirs(folder, exist_ok=True)
    base = small_base()
    for i in range(count):
        font = TTFont(io.BytesIO(base))
        family = 'Glyphoscope Bench %05d' % i
        for record in font['name'].names:
            if record.nameID in (1, 4):
                record.string = family
            elif record.nameID == 3:
                record.string = family + ' Regular'
            elif record.nameID == 6:
                record.string = family.replace(' ', '') + '-Regular'
        font.save(os.path.join(folder, 'gbench%05d.ttf' % i))


if __name__ == '__main__':
    main()
