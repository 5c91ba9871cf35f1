#!/usr/bin/env python3
"""Turns the Unicode Character Database's Blocks.txt, UnicodeData.txt and Jamo.txt (Debian's
unicode-data package) into the C++ tables the character map looks names up in:
make_unicode_tables.py FOLDER OUTPUT.cpp

Names are stored compactly: a dictionary of the words they use, most frequent first, and each name
as the number of words it shares with the name before it followed by its own words' numbers.
A name that ends in its own code point ("CJK COMPATIBILITY IDEOGRAPH-F900") stores that ending as
one token. Ranges whose names are derived from the code point (ideographs, Hangul syllables) are
kept as rules, not names."""
import collections
import os
import sys

ONE_BYTE_WORDS = 0xB0      # word numbers below this take one byte
HEX_SUFFIX = 0xFE          # "-" and the code point in hex
NAMES_PER_INDEX_ENTRY = 32
MAX_SHARED_OR_NEW = 15     # each fits in half of the record's count byte

# Ranges UnicodeData.txt gives as <..., First> and <..., Last> whose names are derived.
DERIVED_PREFIXES = (
    ('CJK Ideograph', 'CJK UNIFIED IDEOGRAPH-'),
    ('Tangut Ideograph', 'TANGUT IDEOGRAPH-'),
)


def read_fields(path):
    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.split('#', 1)[0].strip()
            if line:
                yield [field.strip() for field in line.split(';')]


def read_blocks(folder):
    blocks = []
    for first_last, name in read_fields(os.path.join(folder, 'Blocks.txt')):
        first, last = (int(x, 16) for x in first_last.split('..'))
        blocks.append((first, last, name))
    blocks.sort()
    return blocks


def read_names(folder):
    names, ranges, first = [], [], None
    for fields in read_fields(os.path.join(folder, 'UnicodeData.txt')):
        cp, name, old_name = int(fields[0], 16), fields[1], fields[10]
        if name.endswith(', First>'):
            first = cp
        elif name.endswith(', Last>'):
            label = name[1:-len(', Last>')]
            if label.startswith('Hangul Syllable'):
                ranges.append((first, cp, 1, ''))
            for start, prefix in DERIVED_PREFIXES:
                if label.startswith(start):
                    ranges.append((first, cp, 0, prefix))
        elif name == '<control>':
            if old_name:  # control characters go by their old names ("LINE FEED (LF)")
                names.append((cp, old_name))
        elif not name.startswith('<'):
            names.append((cp, name))
    return names, ranges


def read_jamo(folder):
    short = {int(cp, 16): name for cp, name in read_fields(os.path.join(folder, 'Jamo.txt'))}
    leading = [short.get(0x1100 + i, '') for i in range(19)]
    vowels = [short.get(0x1161 + i, '') for i in range(21)]
    trailing = [''] + [short.get(0x11A8 + i, '') for i in range(27)]
    return leading, vowels, trailing


def words_of(cp, name):
    suffix = '-%04X' % cp
    if name.endswith(suffix):
        return name[:-len(suffix)].split(' '), True
    return name.split(' '), False


def encode_names(names):
    counts = collections.Counter()
    split = []
    for cp, name in names:
        words, hex_suffix = words_of(cp, name)
        counts.update(words)
        split.append((cp, words, hex_suffix))
    dictionary = [w for w, _ in sorted(counts.items(), key=lambda item: (-item[1], item[0]))]
    number = {w: i for i, w in enumerate(dictionary)}
    limit = ONE_BYTE_WORDS + (HEX_SUFFIX - ONE_BYTE_WORDS) * 256
    if len(dictionary) > limit:
        sys.exit('too many distinct words in the names: %d' % len(dictionary))

    data, index = bytearray(), []
    previous_words, previous_cp = [], 0
    for i, (cp, words, hex_suffix) in enumerate(split):
        if i % NAMES_PER_INDEX_ENTRY == 0:
            index.append((cp, len(data)))
            previous_words, previous_cp = [], cp
        shared = 0
        while (shared < min(len(words), len(previous_words), MAX_SHARED_OR_NEW)
               and words[shared] == previous_words[shared]):
            shared += 1
        tokens = []
        for w in words[shared:]:
            n = number[w]
            tokens += [n] if n < ONE_BYTE_WORDS else [ONE_BYTE_WORDS + (n - ONE_BYTE_WORDS) // 256,
                                                      (n - ONE_BYTE_WORDS) % 256]
        new_words = len(words) - shared + (1 if hex_suffix else 0)
        if new_words > MAX_SHARED_OR_NEW:
            sys.exit('name with too many words: %X' % cp)
        delta = cp - previous_cp
        while delta >= 0x80:  # little-endian base-128
            data.append(0x80 | (delta & 0x7F))
            delta >>= 7
        data.append(delta)
        data.append(shared << 4 | new_words)
        data += bytes(tokens)
        if hex_suffix:
            data.append(HEX_SUFFIX)
        previous_words, previous_cp = words, cp
    # Each word's last letter carries the top bit, so the dictionary needs no lengths.
    blob = bytearray()
    for w in dictionary:
        encoded = w.encode('ascii')
        blob += encoded[:-1] + bytes([encoded[-1] | 0x80])
    return blob, data, index, len(dictionary)


def byte_array(name, data):
    rows = [', '.join('0x%02X' % b for b in data[i:i + 24]) for i in range(0, len(data), 24)]
    return 'extern const std::uint8_t %s[] = {\n%s\n};\n' % (name, ',\n'.join(rows))


def string_array(name, items):
    return 'extern const char* const %s[] = {%s};\n' % (name, ', '.join('"%s"' % s for s in items))


def main():
    folder, output = sys.argv[1], sys.argv[2]
    blocks = read_blocks(folder)
    names, ranges = read_names(folder)
    leading, vowels, trailing = read_jamo(folder)
    words, name_data, index, word_count = encode_names(names)

    out = ['// Generated by tools/make_unicode_tables.py from the Unicode Character Database; do not edit.',
           '#include "app/unicode_data.h"', '', 'namespace core::unicode_data {', '']
    out.append('extern const UnicodeBlock kBlocks[] = {')
    out += ['    {0x%04X, 0x%04X, "%s"},' % block for block in blocks]
    out.append('};')
    out.append('extern const std::size_t kBlockCount = %d;' % len(blocks))
    out.append('extern const DerivedRange kDerivedRanges[] = {')
    out += ['    {0x%04X, 0x%04X, %s, "%s"},' % (f, l, 'DerivedName::Hangul' if kind else 'DerivedName::HexSuffix', p)
            for f, l, kind, p in ranges]
    out.append('};')
    out.append('extern const std::size_t kDerivedRangeCount = %d;' % len(ranges))
    out.append(string_array('kJamoLeading', leading))
    out.append(string_array('kJamoVowel', vowels))
    out.append(string_array('kJamoTrailing', trailing))
    out.append(byte_array('kWords', words))
    out.append('extern const std::size_t kWordsSize = %d;' % len(words))
    out.append('extern const std::size_t kWordCount = %d;' % word_count)
    out.append(byte_array('kNames', name_data))
    out.append('extern const std::size_t kNamesSize = %d;' % len(name_data))
    out.append('extern const NameIndexEntry kNameIndex[] = {')
    out += ['    {0x%04X, %d},' % entry for entry in index]
    out.append('};')
    out.append('extern const std::size_t kNameIndexCount = %d;' % len(index))
    out += ['', '}  // namespace core::unicode_data', '']
    text = '\n'.join(out)
    # Written only when it changes, so a re-run does not rebuild the core.
    if not os.path.exists(output) or open(output, encoding='utf-8').read() != text:
        os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
        with open(output, 'w', encoding='utf-8') as f:
            f.write(text)
    sys.stderr.write('unicode tables: %d blocks, %d names in %d bytes, %d words in %d bytes\n'
                     % (len(blocks), len(names), len(name_data), word_count, len(words)))


if __name__ == '__main__':
    main()
