#pragma once
// The tables tools/make_unicode_tables.py writes at build time; unicode_characters.cpp reads them.

#include <cstddef>
#include <cstdint>

#include "core/app/unicode_characters.h"

namespace core::unicode_data {

enum class DerivedName : std::uint8_t { HexSuffix, Hangul };

struct DerivedRange {
    char32_t first;
    char32_t last;
    DerivedName kind;
    const char* prefix;  // for HexSuffix: the name before the code point's hex digits
};

// Every NAMES_PER_INDEX_ENTRY-th name: its code point and where its record starts in kNames.
struct NameIndexEntry {
    char32_t codePoint;
    std::uint32_t offset;
};

// Word numbers below this take one byte; from it up to kHexSuffix, two.
inline constexpr std::uint8_t kOneByteWords = 0xB0;
inline constexpr std::uint8_t kHexSuffix = 0xFE;

extern const UnicodeBlock kBlocks[];
extern const std::size_t kBlockCount;
extern const DerivedRange kDerivedRanges[];
extern const std::size_t kDerivedRangeCount;
// Hangul syllable names are built from these (19, 21 and 28 parts; the first trailing part empty).
extern const char* const kJamoLeading[];
extern const char* const kJamoVowel[];
extern const char* const kJamoTrailing[];
// The words, most frequent first, each ending at the byte with the top bit set.
extern const std::uint8_t kWords[];
extern const std::size_t kWordsSize;
extern const std::size_t kWordCount;
// Per name: the code point's distance from the previous one (base-128, low bits first), a byte
// with the count of words shared with the previous name (high half) and of new tokens (low half),
// then the new tokens. The first name after an index entry shares nothing.
extern const std::uint8_t kNames[];
extern const std::size_t kNamesSize;
extern const NameIndexEntry kNameIndex[];
extern const std::size_t kNameIndexCount;

}  // namespace core::unicode_data
