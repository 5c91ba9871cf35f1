#pragma once
// What the Unicode Character Database says about a code point: its block and its name. The tables
// are generated at build time from the database's own files.

#include <cstddef>
#include <span>
#include <string>

namespace core {

struct UnicodeBlock {
    char32_t first;
    char32_t last;
    const char* name;  // as the database spells it: "Cyrillic", "CJK Unified Ideographs"
};

inline constexpr char32_t kLastCodePoint = 0x10FFFF;

// Every block, in code point order.
std::span<const UnicodeBlock> UnicodeBlocks();
// Null for a code point outside every block.
const UnicodeBlock* BlockOf(char32_t codePoint);

// The character's name ("CYRILLIC CAPITAL LETTER ZHE"), derived for ideographs and Hangul
// syllables; empty where the database has none.
std::string CharacterName(char32_t codePoint);

// "U+0416", "U+1F600": at least four hex digits.
std::wstring CodePointLabel(char32_t codePoint);
// The code point as UTF-16, a surrogate pair beyond the first plane; empty for a surrogate or a
// value past the last code point.
std::wstring Utf16Of(char32_t codePoint);
// The first code point of a UTF-16 text, joining a surrogate pair; 0xFFFD for an unpaired half,
// nothing for empty text.
char32_t FirstCodePoint(std::wstring_view text);
// What a screen reader says for a cell: "U+0416 Ж"; control characters only by their label.
std::wstring CellName(char32_t codePoint);

}  // namespace core
