#!/usr/bin/python3
"""Writes the font files the tests open without installing them: make_open_test_fonts.py FOLDER.
Three small fonts made from Debian's Liberation fonts (Latin and Cyrillic only) under family names
no system has: "Glyphoscope Proba", "Glyphoscope Secunda" and "Glyphoscope Tertia"; and
damaged.ttf, the first font cut short after its table directory.
Needs Debian's python3-fonttools and fonts-liberation (run with /usr/bin/python3)."""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

SOURCE = '/usr/share/fonts/truetype/liberation/'
FONTS = [('LiberationSans-Regular.ttf', 'Glyphoscope Proba', 'proba.ttf'),
         ('LiberationSerif-Regular.ttf', 'Glyphoscope Secunda', 'secunda.ttf'),
         ('LiberationMono-Regular.ttf', 'Glyphoscope Tertia', 'tertia.ttf')]
UNICODES = list(range(0x20, 0x7F)) + list(range(0x400, 0x460))


def make(source, family, output):
    font = TTFont(source)
    options = subset.Options()
    options.name_IDs = ['*']
    options.layout_features = []
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=UNICODES)
    subsetter.subset(font)
    name = font['name']
    for record in list(name.names):
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID in (4, 18):
            record.string = family + ' Regular'
        elif record.nameID == 6:
            record.string = family.replace(' ', '') + '-Regular'
        elif record.nameID in (3, 7, 19, 0, 13, 14):
            name.names.remove(record)
    font.save(output)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for source, family, output in FONTS:
        make(SOURCE + source, family, os.path.join(folder, output))
    with open(os.path.join(folder, 'proba.ttf'), 'rb') as whole:
        head = whole.read(400)
    with open(os.path.join(folder, 'damaged.ttf'), 'wb') as damaged:
        damaged.write(head)


if __name__ == '__main__':
    main()
