#include "core/fonts/sfnt_file.h"

namespace core::fonts {

namespace {

constexpr std::uint32_t kTrueTypeVersion = 0x00010000;
constexpr std::uint32_t kAppleTrueTypeVersion = Tag('t', 'r', 'u', 'e');
constexpr std::uint32_t kCffVersion = Tag('O', 'T', 'T', 'O');
constexpr std::size_t kSfntHeaderSize = 12;
constexpr std::size_t kTableRecordSize = 16;
constexpr std::size_t kCollectionHeaderSize = 12;

bool IsSfntVersion(std::uint32_t version) {
    return version == kTrueTypeVersion || version == kAppleTrueTypeVersion || version == kCffVersion;
}

// Where face `faceIndex` starts, or nothing.
std::optional<std::size_t> FaceOffset(const BigEndian& file, std::uint32_t faceIndex, bool& collection) {
    collection = file.U32(0) == kCollectionTag;
    if (!collection) {
        if (faceIndex != 0 || !IsSfntVersion(file.U32(0))) return std::nullopt;
        return 0;
    }
    if (!file.Has(0, kCollectionHeaderSize) || faceIndex >= file.U32(8)) return std::nullopt;
    const std::size_t at = kCollectionHeaderSize + std::size_t{faceIndex} * 4;
    if (!file.Has(at, 4)) return std::nullopt;
    return file.U32(at);
}

}  // namespace

std::uint16_t BigEndian::U16(std::size_t offset) const noexcept {
    if (!Has(offset, 2)) return 0;
    return static_cast<std::uint16_t>((bytes_[offset] << 8) | bytes_[offset + 1]);
}

std::uint32_t BigEndian::U32(std::size_t offset) const noexcept {
    if (!Has(offset, 4)) return 0;
    return (std::uint32_t{bytes_[offset]} << 24) | (std::uint32_t{bytes_[offset + 1]} << 16) |
           (std::uint32_t{bytes_[offset + 2]} << 8) | std::uint32_t{bytes_[offset + 3]};
}

std::optional<FontTableSet> TablesFromFile(std::span<const std::uint8_t> bytes, std::uint32_t faceIndex) {
    const BigEndian file(bytes);
    FontTableSet tables;
    const std::optional<std::size_t> start = FaceOffset(file, faceIndex, tables.collection);
    if (!start || !file.Has(*start, kSfntHeaderSize) || !IsSfntVersion(file.U32(*start))) return std::nullopt;
    tables.sfnt = true;
    tables.cff = file.U32(*start) == kCffVersion;
    // A directory that claims more tables than the file holds is read as far as it goes.
    const std::size_t count = file.U16(*start + 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t record = *start + kSfntHeaderSize + i * kTableRecordSize;
        if (!file.Has(record, kTableRecordSize)) break;
        const std::uint32_t tag = file.U32(record);
        const std::span<const std::uint8_t> table = file.Slice(file.U32(record + 8), file.U32(record + 12));
        auto assign = [&](std::vector<std::uint8_t>& into) { into.assign(table.begin(), table.end()); };
        switch (tag) {
            case kNameTag: assign(tables.name); break;
            case kOs2Tag: assign(tables.os2); break;
            case kHeadTag: assign(tables.head); break;
            case kMaxpTag: assign(tables.maxp); break;
            case kCmapTag: assign(tables.cmap); break;
            case kCffTag:
            case kCff2Tag: tables.cff = true; break;
            default: break;
        }
    }
    return tables;
}

std::uint32_t FaceCount(std::span<const std::uint8_t> bytes) {
    const BigEndian file(bytes);
    if (file.U32(0) == kCollectionTag) return file.Has(0, kCollectionHeaderSize) ? file.U32(8) : 0;
    return file.Has(0, kSfntHeaderSize) && IsSfntVersion(file.U32(0)) ? 1 : 0;
}

}  // namespace core::fonts
