#include "core/app/cmap_coverage.h"

#include <algorithm>
#include <optional>

namespace core {

namespace {

constexpr std::size_t kRecordSize = 8;
constexpr std::size_t kGroupSize = 12;

std::optional<std::uint32_t> Read(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t size) {
    if (at > bytes.size() || bytes.size() - at < size) return std::nullopt;
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i) value = value << 8 | bytes[at + i];
    return value;
}

// The offset of the subtable the Unicode full-repertoire encodings point at, Windows' first.
std::optional<std::size_t> FullRepertoireSubtable(std::span<const std::uint8_t> cmap) {
    const auto count = Read(cmap, 2, 2);
    if (!count) return std::nullopt;
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < *count; ++i) {
        const std::size_t record = 4 + i * kRecordSize;
        const auto platform = Read(cmap, record, 2);
        const auto encoding = Read(cmap, record + 2, 2);
        const auto offset = Read(cmap, record + 4, 4);
        if (!platform || !encoding || !offset) break;
        const bool windows = *platform == 3 && *encoding == 10;
        const bool unicode = *platform == 0 && (*encoding == 4 || *encoding == 6);
        if (windows) return *offset;
        if (unicode && !found) found = *offset;
    }
    return found;
}

}  // namespace

std::vector<CodePointRange> FullRepertoireCoverage(std::span<const std::uint8_t> cmap) {
    std::vector<CodePointRange> covered;
    const auto subtable = FullRepertoireSubtable(cmap);
    if (!subtable) return covered;
    const auto format = Read(cmap, *subtable, 2);
    const auto groups = Read(cmap, *subtable + 12, 4);
    if (!format || (*format != 12 && *format != 13) || !groups) return covered;
    const std::size_t first = *subtable + 16;
    if (*groups > (cmap.size() - std::min(cmap.size(), first)) / kGroupSize) return covered;
    for (std::size_t i = 0; i < *groups; ++i) {
        const std::size_t at = first + i * kGroupSize;
        char32_t start = *Read(cmap, at, 4);
        char32_t end = std::min<char32_t>(*Read(cmap, at + 4, 4), kLastCodePoint);
        const std::uint32_t glyph = *Read(cmap, at + 8, 4);
        // Glyph 0 is the missing-glyph box: a format 13 group maps all of it there, a format 12
        // group only its first code point.
        if (glyph == 0) {
            if (*format == 13 || start >= end) continue;
            ++start;
        }
        if (start <= end) covered.push_back({start, end});
    }
    return covered;
}

}  // namespace core
