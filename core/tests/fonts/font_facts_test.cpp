#include "core/fonts/font_facts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/fonts/character_map.h"
#include "core/fonts/name_table.h"

namespace {

using namespace core::fonts;
using Bytes = std::vector<std::uint8_t>;

Bytes Seed(const std::string& name) {
    std::ifstream in(std::string(GLYPH_FONT_SEEDS_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

FontTableSet Tables(const std::string& name, std::uint32_t face = 0) {
    auto tables = TablesFromFile(Seed(name), face);
    EXPECT_TRUE(tables.has_value()) << name;
    return tables.value_or(FontTableSet{});
}

void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b.at(at) = static_cast<std::uint8_t>(v >> 8);
    b.at(at + 1) = static_cast<std::uint8_t>(v);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, static_cast<std::uint16_t>(v >> 16));
    Put16(b, at + 2, static_cast<std::uint16_t>(v));
}

Bytes Truncated(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

// The offsets of the name records of that text, on one platform or all.
std::vector<std::size_t> NameRecords(const Bytes& name, NameId id, std::optional<std::uint16_t> platform = {}) {
    const BigEndian table(name);
    std::vector<std::size_t> found;
    for (std::size_t at = 6; table.Has(at, 12); at += 12) {
        if (table.U16(at + 6) == static_cast<std::uint16_t>(id) && (!platform || table.U16(at) == *platform)) {
            found.push_back(at);
        }
    }
    EXPECT_FALSE(found.empty());
    return found;
}

// What the fonts themselves hold, as fontTools reads them.
TEST(FontFacts, RealFontsTables) {
    struct Case {
        std::string file;
        std::uint32_t face;
        std::wstring fullName, version;
        std::uint32_t glyphs, characters;
        std::vector<std::wstring_view> scripts;
        FontFormat format;
        std::uint16_t embedding;
    };
    const std::vector<std::wstring_view> europe = {L"Латиница", L"Греческий", L"Кириллица"};
    const Case cases[] = {
        {"liberation-sans.ttf", 0, L"Liberation Sans", L"Version 1.07.4", 681, 668, europe, FontFormat::TrueType, 0},
        {"russian-full-name.ttf", 0, L"Либерейшн Санс", L"Version 1.07.4", 681, 668, europe, FontFormat::TrueType, 0},
        {"dejavu-sans-mono.ttf", 0, L"DejaVu Sans Mono", L"Version 2.37", 3377, 3322,
         {L"Латиница", L"Греческий", L"Кириллица", L"Армянский", L"Арабский", L"Лаосский", L"Грузинский"},
         FontFormat::TrueType, 0},
        {"courier.ttf", 0, L"Courier", L"Version 001.000", 501, 498, europe, FontFormat::TrueType, 8},
        {"mac-names-only.ttf", 0, L"Courier", L"Version 001.000", 501, 498, europe, FontFormat::TrueType, 8},
        {"marlett.ttf", 0, L"Marlett", L"Version 0.2", 39, 35, {}, FontFormat::TrueType, 0},
        {"cff-outlines.otf", 0, L"Marlett", L"Version 0.2", 39, 35, {}, FontFormat::OpenTypeCff, 0},
        {"two-faces.ttc", 0, L"Marlett", L"Version 0.2", 39, 35, {}, FontFormat::TrueTypeCollection, 0},
        {"two-faces.ttc", 1, L"Courier", L"Version 001.000", 501, 498, europe, FontFormat::TrueTypeCollection, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file + " " + std::to_string(c.face));
        const FontFacts facts = ReadFontFacts(Tables(c.file, c.face));
        EXPECT_EQ(facts.fullName, c.fullName);
        EXPECT_EQ(facts.version, c.version);
        EXPECT_EQ(facts.glyphCount, c.glyphs);
        EXPECT_EQ(facts.codePointCount, c.characters);
        EXPECT_EQ(facts.scripts, c.scripts);
        EXPECT_EQ(facts.format, c.format);
        EXPECT_EQ(facts.embeddingFlags, c.embedding);
        EXPECT_EQ(WebLink(facts.licenceUrl).has_value(), !facts.licenceUrl.empty());
    }
    EXPECT_EQ(FaceCount(Seed("two-faces.ttc")), 2u);
    EXPECT_FALSE(TablesFromFile(Seed("two-faces.ttc"), 2).has_value());
}

// Damage to one table leaves its own fields unknown and every other field as it was.
TEST(FontFacts, DamagedTablesLoseOnlyTheirOwnFields) {
    const FontTableSet intact = Tables("liberation-sans.ttf");
    struct Case {
        const char* what;
        std::function<void(FontTableSet&)> damage;
        std::wstring fullName;
        std::optional<std::uint32_t> glyphs, characters;
    };
    const Case cases[] = {
        {"name cut inside its records", [](FontTableSet& t) { t.name.resize(40); }, L"", 681, 668},
        {"full names past the end",
         [](FontTableSet& t) {
             for (std::size_t at : NameRecords(t.name, NameId::FullName)) Put16(t.name, at + 10, 0xFFF0);
         },
         L"", 681, 668},
        {"full name of odd length",
         [](FontTableSet& t) { Put16(t.name, NameRecords(t.name, NameId::FullName, 3).front() + 8, 29); },
         L"Liberation San", 681, 668},
        {"maxp cut short", [](FontTableSet& t) { t.maxp.resize(5); }, L"Liberation Sans", std::nullopt, 668},
        {"every cmap subtable past the end",
         [](FontTableSet& t) {
             for (std::size_t at = 4; at + 8 <= 4 + 8 * std::size_t{BigEndian(t.cmap).U16(2)}; at += 8) Put32(t.cmap, at + 4, 0x7FFFFFF0);
         },
         L"Liberation Sans", 681, std::nullopt},
        {"format 4 claiming 32767 segments",
         [](FontTableSet& t) {
             for (std::size_t at = 4; at + 8 <= 4 + 8 * std::size_t{BigEndian(t.cmap).U16(2)}; at += 8) {
                 const std::uint32_t sub = BigEndian(t.cmap).U32(at + 4);
                 if (BigEndian(t.cmap).U16(sub) == 4) Put16(t.cmap, sub + 6, 0xFFFE);
             }
         },
         // The Mac Roman subtable is left: its 256 codes, less the unmapped ones.
         L"Liberation Sans", 681, 227},
        {"no tables at all", [](FontTableSet& t) { t = FontTableSet{}; }, L"", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FontTableSet tables = intact;
        c.damage(tables);
        const FontFacts facts = ReadFontFacts(tables);
        EXPECT_EQ(facts.fullName, c.fullName);
        EXPECT_EQ(facts.glyphCount, c.glyphs);
        EXPECT_EQ(facts.codePointCount, c.characters);
        for (const DetailField& field : DetailFields(facts)) EXPECT_FALSE(field.value.empty()) << std::wstring(field.label);
    }
    // A file cut in half keeps the tables that lie wholly in the first half, and a directory
    // pointing past the end loses only that table.
    Bytes file = Seed("liberation-sans.ttf");
    file.resize(file.size() / 2);
    EXPECT_TRUE(TablesFromFile(file).has_value());
    EXPECT_TRUE(TablesFromFile(file)->name.empty());
    EXPECT_FALSE(TablesFromFile(Bytes(file.begin(), file.begin() + 11)).has_value());
}

Bytes NameTable(const std::vector<std::tuple<std::uint16_t, std::uint16_t, std::uint16_t, Bytes>>& records) {
    Bytes table(6 + 12 * records.size());
    Put16(table, 2, static_cast<std::uint16_t>(records.size()));
    Put16(table, 4, static_cast<std::uint16_t>(table.size()));
    std::size_t at = 6, storage = 0;
    for (const auto& [platform, encoding, language, text] : records) {
        Put16(table, at, platform);
        Put16(table, at + 2, encoding);
        Put16(table, at + 4, language);
        Put16(table, at + 6, static_cast<std::uint16_t>(NameId::FullName));
        Put16(table, at + 8, static_cast<std::uint16_t>(text.size()));
        Put16(table, at + 10, static_cast<std::uint16_t>(storage));
        at += 12;
        storage += text.size();
    }
    for (const auto& record : records) table.insert(table.end(), std::get<3>(record).begin(), std::get<3>(record).end());
    return table;
}

TEST(FontFacts, NameRecordsPickTheLanguageAndDecode) {
    const Bytes english = {0, 'E'}, russian = {0x04, 0x1F}, german = {0, 'G'};
    const Bytes emoji = {0xD8, 0x3D, 0xDE, 0x00}, lonely = {0xD8, 0x3D, 0, 'x'}, crlf = {0, 'a', 0, '\r', 0, '\n', 0, 'b'};
    std::wstring face;
    AppendCodePoint(face, 0x1F600);
    struct Case {
        const char* what;
        Bytes table;
        std::wstring expected;
    };
    const Case cases[] = {
        {"Russian before English", NameTable({{3, 1, 0x0409, english}, {3, 1, 0x0419, russian}}), L"П"},
        {"English before German", NameTable({{3, 1, 0x0407, german}, {3, 1, 0x0809, english}}), L"E"},
        {"Windows before Mac", NameTable({{1, 0, 0, {'M'}}, {3, 1, 0x0407, german}}), L"G"},
        {"Mac Roman", NameTable({{1, 0, 0, {'C', 'a', 'f', 0x8E}}}), L"Café"},
        {"Mac outside Roman is skipped", NameTable({{1, 7, 32, {0x8F}}}), L""},
        {"an empty record gives way", NameTable({{3, 1, 0x0419, {}}, {1, 0, 0, {'M'}}}), L"M"},
        {"surrogate pair", NameTable({{3, 10, 0x0409, emoji}}), face},
        {"lone surrogate", NameTable({{3, 1, 0x0409, lonely}}), L"\uFFFDx"},
        {"line breaks", NameTable({{3, 1, 0x0409, crlf}}), L"a\nb"},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadNameTable(c.table).Get(NameId::FullName), c.expected) << c.what;
}

// Character maps whose claims would take a naive reader a very long time end at once.
TEST(FontFacts, CharacterMapsStayBoundedAndMerged) {
    auto groups = [](std::uint16_t format, std::vector<std::array<std::uint32_t, 3>> list) {
        Bytes t(12 + 16 + 12 * list.size());
        Put16(t, 2, 1);
        Put16(t, 4, 3);
        Put16(t, 6, 10);
        Put32(t, 8, 12);
        Put16(t, 12, format);
        Put32(t, 24, static_cast<std::uint32_t>(list.size()));
        for (std::size_t i = 0; i < list.size(); ++i) {
            for (std::size_t j = 0; j < 3; ++j) Put32(t, 28 + 12 * i + 4 * j, list[i][j]);
        }
        return t;
    };
    struct Case {
        const char* what;
        Bytes table;
        std::optional<std::uint32_t> count;
    };
    const Case cases[] = {
        {"a group over every code", groups(12, {{0, 0xFFFFFFFF, 5}}), 0x110000},
        {"overlapping groups", groups(12, {{0x41, 0x5A, 1}, {0x50, 0x60, 30}}), 0x20},
        {"the missing glyph at the start", groups(12, {{0x41, 0x43, 0}}), 2},
        {"format 13 onto the missing glyph", groups(13, {{0x41, 0x43, 0}}), 0},
        {"more groups than the table holds", Truncated(groups(12, {{0x41, 0x43, 0}}), 30), std::nullopt},
    };
    for (const Case& c : cases) {
        const auto set = ReadCharacterMap(c.table);
        EXPECT_EQ(set ? std::optional(set->Count()) : std::nullopt, c.count) << c.what;
    }
}

TEST(FontFacts, TextsForTheWindow) {
    EXPECT_EQ(EmbeddingText(0), L"Без ограничений, шрифт можно установить");
    EXPECT_EQ(EmbeddingText(0x0002), L"Запрещено");
    EXPECT_EQ(EmbeddingText(0x0006 | 0x0100), L"Разрешено для просмотра и печати; только весь шрифт целиком");
    EXPECT_EQ(EmbeddingText(0x000E | 0x0200), L"Разрешено для просмотра, печати и правки; только растровые образы");

    const std::pair<std::wstring, std::optional<std::wstring>> links[] = {
        {L" https://example.org/licence ", L"https://example.org/licence"},
        {L"www.example.org", L"http://www.example.org"},
        {L"HTTP://EXAMPLE.ORG", L"HTTP://EXAMPLE.ORG"},
        {L"file:///C:/Windows/calc.exe", std::nullopt},
        {L"C:\\Windows\\calc.exe", std::nullopt},
        {L"http://", std::nullopt},
        {L"http://a b", std::nullopt},
    };
    for (const auto& [text, link] : links) EXPECT_EQ(WebLink(text), link) << text;

    const std::pair<std::wstring, std::vector<std::wstring>> entries[] = {
        {L"Arial Bold (TrueType)", {L"Arial Bold"}},
        {L"Cambria & Cambria Math (TrueType)", {L"Cambria", L"Cambria Math"}},
        {L"Courier 10,12,15", {L"Courier"}},
        {L"Small Fonts (VGA res)", {L"Small Fonts"}},
    };
    for (const auto& [entry, faces] : entries) EXPECT_EQ(FacesOfRegistryEntry(entry), faces) << entry;
    EXPECT_EQ(FontFilePath(L"arial.ttf", L"C:\\Windows\\Fonts"), L"C:\\Windows\\Fonts\\arial.ttf");
    EXPECT_EQ(FontFilePath(L"D:\\My\\a.ttf", L"C:\\Windows\\Fonts"), L"D:\\My\\a.ttf");
    EXPECT_EQ(SplitFilePath(L"\\\\?\\C:\\Fonts\\a.ttf").folder, L"C:\\Fonts");
    EXPECT_EQ(SplitFilePath(L"C:\\a.ttf").folder, L"C:\\");

    FontFacts facts;
    facts.fullName = L"A";
    facts.copyright = L"line 1\nline 2";
    const std::vector<std::wstring> faces = {L"Regular", L"Bold"};
    const std::wstring text = DetailsAsText(L"Fam", faces, DetailFields(facts));
    EXPECT_TRUE(text.starts_with(L"Семейство: Fam\r\nНачертания: Regular, Bold\r\nПолное имя: A\r\nВерсия: —\r\n"));
    EXPECT_NE(text.find(L"Авторские права: line 1 line 2\r\n"), std::wstring::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 2 + static_cast<long>(DetailFields(facts).size()));
}

}  // namespace
