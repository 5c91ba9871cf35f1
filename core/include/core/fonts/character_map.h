#pragma once
// Which characters a font has, from its `cmap` table, and the writing systems they make up.
// Subtables are tried from the widest Unicode one down to Mac Roman; one that is damaged gives
// way to the next. Every loop is bounded by the table's size or by the Unicode range, whatever
// the table claims.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace core::fonts {

struct CodePointRange {
    char32_t first = 0;
    char32_t last = 0;
    bool operator==(const CodePointRange&) const = default;
};

// Sorted, disjoint and never adjacent.
class CodePointSet {
public:
    // From ranges in any order, overlapping or not; empty ranges are left out.
    static CodePointSet FromRanges(std::vector<CodePointRange> ranges);

    const std::vector<CodePointRange>& Ranges() const noexcept { return ranges_; }
    std::uint32_t Count() const noexcept;
    // How many of first..last the set holds.
    std::uint32_t CountWithin(char32_t first, char32_t last) const noexcept;

private:
    std::vector<CodePointRange> ranges_;
};

// Nothing when the table has no subtable this reader understands.
std::optional<CodePointSet> ReadCharacterMap(std::span<const std::uint8_t> table);

// The writing systems the set covers, by their Russian names, in a fixed order.
std::vector<std::wstring_view> ScriptsCovered(const CodePointSet& set);

}  // namespace core::fonts
