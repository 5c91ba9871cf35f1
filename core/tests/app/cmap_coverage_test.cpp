#include "core/app/cmap_coverage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace core {
namespace {

struct Group {
    std::uint32_t start, end, glyph;
};

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = size - 1; i >= 0; --i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A cmap table with one encoding record pointing at one format 12 or 13 subtable.
std::vector<std::uint8_t> Cmap(std::uint16_t platform, std::uint16_t encoding, std::uint16_t format,
                               const std::vector<Group>& groups, std::uint32_t claimedGroups) {
    std::vector<std::uint8_t> bytes;
    // Version, one record (platform, encoding, offset), then the subtable's header and groups.
    for (auto [value, size] : {std::pair<std::uint32_t, int>{0, 2}, {1, 2}, {platform, 2}, {encoding, 2}, {12, 4},
                               {format, 2}, {0, 2}, {16 + groups.size() * 12, 4}, {0, 4}, {claimedGroups, 4}}) {
        Put(bytes, value, size);
    }
    for (const Group& g : groups) {
        for (std::uint32_t value : {g.start, g.end, g.glyph}) Put(bytes, value, 4);
    }
    return bytes;
}

TEST(CmapCoverage, GroupsOfFullRepertoireSubtablesWithoutTheMissingGlyph) {
    const std::vector<Group> groups = {
        {0x41, 0x5A, 3},          //
        {0xFFF0, 0x10005, 40},    // crosses into the second plane
        {0x1F600, 0x1F64F, 60},   //
        {0x20000, 0x20000, 0},    // only the missing glyph
        {0x20010, 0x20012, 0},    // starts on the missing glyph
        {0x10FFF0, 0x110010, 9},  // runs past the last code point
    };
    const std::vector<CodePointRange> expected = {
        {0x41, 0x5A}, {0xFFF0, 0x10005}, {0x1F600, 0x1F64F}, {0x20011, 0x20012}, {0x10FFF0, 0x10FFFF}};
    const auto n = static_cast<std::uint32_t>(groups.size());
    struct Case {
        std::vector<std::uint8_t> table;
        std::size_t ranges;
    };
    const Case cases[] = {
        {Cmap(3, 10, 12, groups, n), expected.size()},
        {Cmap(0, 4, 12, groups, n), expected.size()},
        {Cmap(3, 1, 12, groups, n), 0},                         // not a full-repertoire encoding
        {Cmap(3, 10, 4, groups, n), 0},                         // a format that stops at U+FFFF
        {Cmap(3, 10, 13, {{0x20000, 0x2A6DF, 0}}, 1), 0},       // many-to-one onto the missing glyph
        {Cmap(3, 10, 12, groups, n + 1), 0},                    // claims more groups than it holds
        {Cmap(3, 10, 12, groups, 0xFFFFFFFF), 0},
        {{0, 0, 0}, 0},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto covered = FullRepertoireCoverage(cases[i].table);
        ASSERT_EQ(covered.size(), cases[i].ranges) << i;
        for (std::size_t r = 0; r < covered.size(); ++r) {
            EXPECT_EQ(static_cast<std::uint32_t>(covered[r].first), static_cast<std::uint32_t>(expected[r].first)) << i;
            EXPECT_EQ(static_cast<std::uint32_t>(covered[r].last), static_cast<std::uint32_t>(expected[r].last)) << i;
        }
    }
}

}  // namespace
}  // namespace core
