#!/usr/bin/python3
"""Writes the seed corpus of the font table reader: make_font_table_seeds.py FOLDER. Each seed is
a font file that keeps only the tables the reader looks at (name, OS/2, head, maxp, cmap), taken
from fonts Debian ships (fonts-liberation, fonts-dejavu-core, fonts-wine), plus a few variants:
Mac records only, a Russian full name, CFF outlines, a collection of two faces.
Needs Debian's python3-fonttools (run with /usr/bin/python3)."""
import os
import struct
import sys

from fontTools.ttLib import TTFont

KEPT = ['OS/2', 'cmap', 'head', 'maxp', 'name']
LIBERATION = '/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf'
DEJAVU_MONO = '/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf'
MARLETT = '/usr/share/wine/fonts/marlett.ttf'
COURIER = '/usr/share/wine/fonts/courier.ttf'


def raw_tables(path, edit_names=None):
    font = TTFont(path)
    if edit_names:
        edit_names(font['name'])
        return {tag: font[tag].compile(font) if tag == 'name' else font.reader[tag] for tag in KEPT}
    return {tag: font.reader[tag] for tag in KEPT}


def checksum(data):
    data += b'\0' * (-len(data) % 4)
    return sum(struct.unpack('>%dI' % (len(data) // 4), data)) & 0xFFFFFFFF


def directory(version, tables, start):
    """The sfnt header and table records for tables laid out from `start` on; returns both."""
    header = struct.pack('>IHHHH', version, len(tables), 0, 0, 0)
    records, body, offset = b'', b'', start + 12 + 16 * len(tables)
    for tag in sorted(tables):
        data = tables[tag]
        records += struct.pack('>4sIII', tag.encode('latin-1'), checksum(data), offset + len(body), len(data))
        body += data + b'\0' * (-len(data) % 4)
    return header + records, body


def sfnt(tables, version=0x00010000):
    head, body = directory(version, tables, 0)
    return head + body


def collection(faces):
    header_size = 12 + 4 * len(faces)
    out, offsets = b'', []
    for tables in faces:
        offsets.append(header_size + len(out))
        head, body = directory(0x00010000, tables, offsets[-1])
        out += head + body
    return struct.pack('>4sHHI', b'ttcf', 1, 0, len(faces)) + struct.pack('>%dI' % len(faces), *offsets) + out


def only_mac(name):
    name.names = [record for record in name.names if record.platformID == 1]


def russian_full_name(name):
    name.setName('Либерейшн Санс', 4, 3, 1, 0x0419)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    seeds = {
        'liberation-sans.ttf': sfnt(raw_tables(LIBERATION)),
        'dejavu-sans-mono.ttf': sfnt(raw_tables(DEJAVU_MONO)),
        'marlett.ttf': sfnt(raw_tables(MARLETT)),
        'courier.ttf': sfnt(raw_tables(COURIER)),
        'mac-names-only.ttf': sfnt(raw_tables(COURIER, only_mac)),
        'russian-full-name.ttf': sfnt(raw_tables(LIBERATION, russian_full_name)),
        'cff-outlines.otf': sfnt(dict(raw_tables(MARLETT), **{'CFF ': b'\1\0\4\1'}), 0x4F54544F),
        'two-faces.ttc': collection([raw_tables(MARLETT), raw_tables(COURIER)]),
    }
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    main(sys.argv[1])
