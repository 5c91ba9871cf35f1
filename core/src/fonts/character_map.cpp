#include "core/fonts/character_map.h"

#include <algorithm>
#include <array>

#include "core/fonts/name_table.h"
#include "core/fonts/sfnt_file.h"

namespace core::fonts {

namespace {

constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr std::size_t kRecordsAt = 4;
constexpr std::size_t kRecordSize = 8;

struct Encoding {
    std::uint16_t platform;
    std::uint16_t encoding;
};

// Full Unicode first, then the BMP ones, then symbol fonts' private area and Mac Roman.
constexpr std::array<Encoding, 10> kPreferred = {{
    {3, 10}, {0, 6}, {0, 4}, {3, 1}, {0, 3}, {0, 2}, {0, 1}, {0, 0}, {3, 0}, {1, 0},
}};

// Collects ranges, joining each to the previous when they touch (the common case of a table in
// order), so that a per-character walk stays small.
class RangeCollector {
public:
    void Add(char32_t first, char32_t last) {
        if (first > last || first > kLastCodePoint) return;
        last = std::min(last, kLastCodePoint);
        if (!ranges_.empty() && ranges_.back().last + 1 == first) {
            ranges_.back().last = last;
        } else {
            ranges_.push_back({first, last});
        }
    }
    CodePointSet Done() { return CodePointSet::FromRanges(std::move(ranges_)); }

private:
    std::vector<CodePointRange> ranges_;
};

// Mac Roman subtables number their characters by the encoding's bytes.
char32_t CharacterOf(std::uint32_t code, bool macRoman) {
    return macRoman && code < 256 ? MacRomanToUnicode(static_cast<std::uint8_t>(code)) : char32_t{code};
}

std::optional<CodePointSet> ReadFormat0(const BigEndian& sub, bool macRoman) {
    constexpr std::size_t kGlyphsAt = 6;
    if (!sub.Has(kGlyphsAt, 256)) return std::nullopt;
    RangeCollector set;
    for (std::uint32_t code = 0; code < 256; ++code) {
        if (sub.U8(kGlyphsAt + code) == 0) continue;
        const char32_t c = CharacterOf(code, macRoman);
        set.Add(c, c);
    }
    return set.Done();
}

std::optional<CodePointSet> ReadFormat4(const BigEndian& sub) {
    constexpr std::size_t kEndsAt = 14;
    const std::size_t segments = sub.U16(6) / 2;
    const std::size_t starts = kEndsAt + segments * 2 + 2;
    const std::size_t deltas = starts + segments * 2;
    const std::size_t rangeOffsets = deltas + segments * 2;
    if (segments == 0 || !sub.Has(rangeOffsets, segments * 2)) return std::nullopt;
    RangeCollector set;
    // Segments are meant to be in order; a code point is counted once even when they are not,
    // which also keeps the walk under 65,536 steps in all.
    std::uint32_t next = 0;
    for (std::size_t i = 0; i < segments && next <= 0xFFFF; ++i) {
        const std::uint32_t end = sub.U16(kEndsAt + i * 2);
        const std::uint32_t start = std::max<std::uint32_t>(sub.U16(starts + i * 2), next);
        if (start > end) continue;
        next = end + 1;
        const std::uint16_t delta = sub.U16(deltas + i * 2);
        const std::size_t rangeOffsetAt = rangeOffsets + i * 2;
        const std::uint16_t rangeOffset = sub.U16(rangeOffsetAt);
        if (rangeOffset == 0) {
            // Every character of the segment has a glyph but the one the delta takes to 0 (the
            // closing segment's 0xFFFF, as a rule).
            const std::uint32_t missing = (0x10000 - delta) & 0xFFFF;
            if (missing < start || missing > end) {
                set.Add(start, end);
            } else {
                if (missing > start) set.Add(start, missing - 1);
                if (missing < end) set.Add(missing + 1, end);
            }
            continue;
        }
        const std::uint32_t segmentStart = sub.U16(starts + i * 2);
        for (std::uint32_t c = start; c <= end; ++c) {
            const std::uint32_t glyph = sub.U16(rangeOffsetAt + rangeOffset + std::size_t{c - segmentStart} * 2);
            if (glyph != 0 && ((glyph + delta) & 0xFFFF) != 0) set.Add(c, c);
        }
    }
    return set.Done();
}

std::optional<CodePointSet> ReadFormat6(const BigEndian& sub, bool macRoman) {
    constexpr std::size_t kGlyphsAt = 10;
    const std::uint32_t firstCode = sub.U16(6);
    const std::uint32_t count = sub.U16(8);
    if (!sub.Has(kGlyphsAt, std::size_t{count} * 2)) return std::nullopt;
    RangeCollector set;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (sub.U16(kGlyphsAt + std::size_t{i} * 2) == 0) continue;
        const char32_t c = CharacterOf(firstCode + i, macRoman);
        set.Add(c, c);
    }
    return set.Done();
}

// Format 12 maps each group onto consecutive glyphs, format 13 onto one glyph.
std::optional<CodePointSet> ReadGroups(const BigEndian& sub, bool oneGlyphPerGroup) {
    constexpr std::size_t kGroupsAt = 16;
    constexpr std::size_t kGroupSize = 12;
    const std::size_t count = sub.U32(12);
    if (!sub.Has(0, kGroupsAt) || count > (sub.size() - kGroupsAt) / kGroupSize) return std::nullopt;
    RangeCollector set;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t group = kGroupsAt + i * kGroupSize;
        char32_t first = sub.U32(group);
        const char32_t last = sub.U32(group + 4);
        const std::uint32_t glyph = sub.U32(group + 8);
        if (glyph == 0) {
            // Only the group's first character lands on the missing glyph, unless all do.
            if (oneGlyphPerGroup || first >= kLastCodePoint) continue;
            ++first;
        }
        set.Add(first, last);
    }
    return set.Done();
}

std::optional<CodePointSet> ReadSubtable(const BigEndian& sub, bool macRoman) {
    switch (sub.U16(0)) {
        case 0: return ReadFormat0(sub, macRoman);
        case 4: return ReadFormat4(sub);
        case 6: return ReadFormat6(sub, macRoman);
        case 12: return ReadGroups(sub, false);
        case 13: return ReadGroups(sub, true);
        default: return std::nullopt;
    }
}

struct Script {
    char32_t first;
    char32_t last;
    std::wstring_view name;
};

// Each writing system by the stretch that holds its basic letters.
constexpr auto kScripts = std::to_array<Script>({
    {0x0041, 0x007A, L"Латиница"},
    {0x0391, 0x03C9, L"Греческий"},
    {0x0410, 0x044F, L"Кириллица"},
    {0x0531, 0x0586, L"Армянский"},
    {0x05D0, 0x05EA, L"Иврит"},
    {0x0621, 0x064A, L"Арабский"},
    {0x0710, 0x072F, L"Сирийский"},
    {0x0905, 0x0939, L"Деванагари"},
    {0x0985, 0x09B9, L"Бенгальский"},
    {0x0A05, 0x0A39, L"Гурмукхи"},
    {0x0A85, 0x0AB9, L"Гуджарати"},
    {0x0B85, 0x0BB9, L"Тамильский"},
    {0x0C05, 0x0C39, L"Телугу"},
    {0x0C85, 0x0CB9, L"Каннада"},
    {0x0D05, 0x0D39, L"Малаялам"},
    {0x0E01, 0x0E2E, L"Тайский"},
    {0x0E81, 0x0EAE, L"Лаосский"},
    {0x0F40, 0x0F6C, L"Тибетский"},
    {0x1000, 0x102A, L"Бирманский"},
    {0x10D0, 0x10FA, L"Грузинский"},
    {0x1200, 0x137C, L"Эфиопский"},
    {0x13A0, 0x13F4, L"Чероки"},
    {0x1780, 0x17B3, L"Кхмерский"},
    {0x1820, 0x1877, L"Монгольский"},
    {0x3041, 0x3096, L"Хирагана"},
    {0x30A1, 0x30FA, L"Катакана"},
    {0x3105, 0x312F, L"Бопомофо"},
    {0x4E00, 0x9FFF, L"Китайские иероглифы"},
    {0xAC00, 0xD7A3, L"Хангыль"},
});

// Half the basic letters, or 200 of a large set (a font for one country's characters holds a
// few thousand of the ideographs, not all of them).
constexpr std::uint32_t kLargeScriptEnough = 200;

}  // namespace

CodePointSet CodePointSet::FromRanges(std::vector<CodePointRange> ranges) {
    std::erase_if(ranges, [](const CodePointRange& r) { return r.first > r.last || r.first > kLastCodePoint; });
    for (CodePointRange& r : ranges) r.last = std::min(r.last, kLastCodePoint);
    std::sort(ranges.begin(), ranges.end(), [](const CodePointRange& a, const CodePointRange& b) { return a.first < b.first; });
    CodePointSet set;
    for (const CodePointRange& r : ranges) {
        if (!set.ranges_.empty() && r.first <= set.ranges_.back().last + 1) {
            set.ranges_.back().last = std::max(set.ranges_.back().last, r.last);
        } else {
            set.ranges_.push_back(r);
        }
    }
    return set;
}

std::uint32_t CodePointSet::Count() const noexcept {
    std::uint32_t count = 0;
    for (const CodePointRange& r : ranges_) count += r.last - r.first + 1;
    return count;
}

std::uint32_t CodePointSet::CountWithin(char32_t first, char32_t last) const noexcept {
    std::uint32_t count = 0;
    auto r = std::lower_bound(ranges_.begin(), ranges_.end(), first,
                              [](const CodePointRange& range, char32_t c) { return range.last < c; });
    for (; r != ranges_.end() && r->first <= last; ++r) {
        const char32_t from = std::max(first, r->first);
        const char32_t to = std::min(last, r->last);
        if (from <= to) count += to - from + 1;
    }
    return count;
}

std::optional<CodePointSet> ReadCharacterMap(std::span<const std::uint8_t> bytes) {
    const BigEndian table(bytes);
    const std::size_t count = table.U16(2);
    for (const Encoding& wanted : kPreferred) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t record = kRecordsAt + i * kRecordSize;
            if (!table.Has(record, kRecordSize)) break;
            if (table.U16(record) != wanted.platform || table.U16(record + 2) != wanted.encoding) continue;
            const std::size_t offset = table.U32(record + 4);
            if (offset >= table.size()) continue;
            const BigEndian sub(bytes.subspan(offset));
            if (auto set = ReadSubtable(sub, wanted.platform == 1)) return set;
        }
    }
    return std::nullopt;
}

std::vector<std::wstring_view> ScriptsCovered(const CodePointSet& set) {
    std::vector<std::wstring_view> names;
    for (const Script& script : kScripts) {
        const std::uint32_t size = script.last - script.first + 1;
        const std::uint32_t enough = std::min((size + 1) / 2, kLargeScriptEnough);
        if (set.CountWithin(script.first, script.last) >= enough) names.push_back(script.name);
    }
    return names;
}

}  // namespace core::fonts
