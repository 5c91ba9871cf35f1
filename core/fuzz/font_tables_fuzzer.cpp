// The font table reader over whole font files (single or collection) and over the bytes taken as
// each table on its own. Whatever it reads, its character sets stay sorted, disjoint and inside
// Unicode, and every field has a text.

#include <cstdint>
#include <span>

#include "core/fonts/character_map.h"
#include "core/fonts/font_facts.h"
#include "core/fonts/sfnt_file.h"
#include "fuzz_input.h"

namespace {

// A collection can claim millions of faces; a few show that picking one works.
constexpr std::uint32_t kFacesTried = 4;

void CheckSet(const core::fonts::CodePointSet& set) {
    const auto& ranges = set.Ranges();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        fuzz::Require(ranges[i].first <= ranges[i].last && ranges[i].last <= 0x10FFFF, "a range outside Unicode");
        fuzz::Require(i == 0 || ranges[i - 1].last + 1 < ranges[i].first, "ranges out of order or touching");
    }
    fuzz::Require(set.Count() <= 0x110000, "more characters than Unicode has");
}

void CheckFacts(const core::fonts::FontTableSet& tables) {
    const core::fonts::FontFacts facts = core::fonts::ReadFontFacts(tables);
    const auto fields = core::fonts::DetailFields(facts);
    for (const auto& field : fields) fuzz::Require(!field.value.empty(), "a field without text");
    const std::wstring text = core::fonts::DetailsAsText(L"", {}, fields);
    fuzz::Require(!text.empty(), "no text to copy");
    if (auto set = core::fonts::ReadCharacterMap(tables.cmap)) {
        CheckSet(*set);
        fuzz::Require(facts.codePointCount == set->Count(), "the count disagrees with the set");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::uint32_t faces = core::fonts::FaceCount(bytes);
    for (std::uint32_t face = 0; face < faces && face < kFacesTried; ++face) {
        // A face may be claimed and lie outside the file.
        if (const auto tables = core::fonts::TablesFromFile(bytes, face)) CheckFacts(*tables);
    }
    core::fonts::FontTableSet raw;
    raw.sfnt = true;
    raw.name = raw.os2 = raw.head = raw.maxp = raw.cmap = std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    CheckFacts(raw);
    return 0;
}
