#include "core/app/unicode_characters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

namespace core {
namespace {

// Every name the database lists comes back as it spells it, and nothing comes back for a code
// point it does not name: the compact store has no second source of truth to test against.
TEST(UnicodeCharacters, EveryListedNameDecodesAsTheDatabaseSpellsIt) {
    std::ifstream data(GLYPH_UNICODE_DATA_DIR "/UnicodeData.txt");
    ASSERT_TRUE(data) << GLYPH_UNICODE_DATA_DIR;
    int checked = 0;
    char32_t expectedNext = 0;
    for (std::string line; std::getline(data, line);) {
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, ';');) fields.push_back(field);
        const auto codePoint = static_cast<char32_t>(std::stoul(fields.at(0), nullptr, 16));
        // The code point before this one, when unlisted and not inside a range, has no name.
        if (codePoint > expectedNext && !fields[1].ends_with("Last>")) {
            EXPECT_EQ(CharacterName(codePoint - 1), "") << std::hex << static_cast<std::uint32_t>(codePoint - 1);
        }
        expectedNext = codePoint + 1;
        std::string name = fields[1] == "<control>" ? fields.at(10) : fields[1];
        if (name.starts_with("<")) continue;
        EXPECT_EQ(CharacterName(codePoint), name) << std::hex << static_cast<std::uint32_t>(codePoint);
        ++checked;
    }
    EXPECT_GT(checked, 30000);
}

TEST(UnicodeCharacters, DerivedNamesBlocksAndEdges) {
    const std::pair<char32_t, const char*> names[] = {
        {0x4E00, "CJK UNIFIED IDEOGRAPH-4E00"}, {0x20000, "CJK UNIFIED IDEOGRAPH-20000"},
        {0x17000, "TANGUT IDEOGRAPH-17000"},    {0xAC00, "HANGUL SYLLABLE GA"},
        {0xD7A3, "HANGUL SYLLABLE HIH"},        {0xAC01, "HANGUL SYLLABLE GAG"},
        {0xD800, ""},  {0xE000, ""},  {0x10FFFF, ""},  {0x110000, ""},
    };
    for (const auto& [codePoint, name] : names) EXPECT_EQ(CharacterName(codePoint), name) << std::hex << static_cast<std::uint32_t>(codePoint);

    const std::pair<char32_t, const char*> blocks[] = {
        {0x0000, "Basic Latin"}, {0x007F, "Basic Latin"}, {0x0080, "Latin-1 Supplement"}, {0x0416, "Cyrillic"},
        {0x10FFFF, "Supplementary Private Use Area-B"}, {0x2FE0, nullptr}, {0x110000, nullptr},
    };
    for (const auto& [codePoint, name] : blocks) {
        const UnicodeBlock* block = BlockOf(codePoint);
        EXPECT_EQ(block ? std::string(block->name) : "<none>", name ? name : "<none>") << std::hex << static_cast<std::uint32_t>(codePoint);
    }
}

TEST(UnicodeCharacters, TextsOfACodePoint) {
    EXPECT_EQ(CodePointLabel(0x41), L"U+0041");
    EXPECT_EQ(CodePointLabel(0x1F600), L"U+1F600");
    const std::wstring pair = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    EXPECT_EQ(Utf16Of(0x1F600), pair);
    EXPECT_EQ(Utf16Of(0x10FFFF).size(), 2u);
    EXPECT_EQ(Utf16Of(0xDC00), L"");
    EXPECT_EQ(Utf16Of(0x110000), L"");
    const std::pair<std::wstring, std::uint32_t> firsts[] = {
        {pair, 0x1F600}, {pair.substr(0, 1), 0xFFFD}, {pair.substr(1), 0xFFFD}, {L"Жx", 0x416}, {L"", 0},
    };
    for (const auto& [text, codePoint] : firsts) EXPECT_EQ(static_cast<std::uint32_t>(FirstCodePoint(text)), codePoint);
    EXPECT_EQ(CellName(0x416), L"U+0416 Ж");
    EXPECT_EQ(CellName(0x0A), L"U+000A");
    EXPECT_EQ(CellName(0x1F600), L"U+1F600 " + pair);
}

}  // namespace
}  // namespace core
