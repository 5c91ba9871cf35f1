#pragma once
// The few tables of a TrueType or OpenType font that say what the font is, as raw bytes, and the
// bounds-checked big-endian reading every table reader shares. A font's tables come either from
// the platform one at a time or from a whole file (a single font or a collection).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace core::fonts {

// A table's four-character tag as the file stores it.
constexpr std::uint32_t Tag(char a, char b, char c, char d) noexcept {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(a)) << 24) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(b)) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(c)) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(d));
}

inline constexpr std::uint32_t kNameTag = Tag('n', 'a', 'm', 'e');
inline constexpr std::uint32_t kOs2Tag = Tag('O', 'S', '/', '2');
inline constexpr std::uint32_t kHeadTag = Tag('h', 'e', 'a', 'd');
inline constexpr std::uint32_t kMaxpTag = Tag('m', 'a', 'x', 'p');
inline constexpr std::uint32_t kCmapTag = Tag('c', 'm', 'a', 'p');
inline constexpr std::uint32_t kCffTag = Tag('C', 'F', 'F', ' ');
inline constexpr std::uint32_t kCff2Tag = Tag('C', 'F', 'F', '2');
inline constexpr std::uint32_t kCollectionTag = Tag('t', 't', 'c', 'f');

// Reads past the end give 0; a reader checks Has() for every record before trusting it.
class BigEndian {
public:
    explicit BigEndian(std::span<const std::uint8_t> bytes) noexcept : bytes_(bytes) {}

    std::size_t size() const noexcept { return bytes_.size(); }
    bool Has(std::size_t offset, std::size_t count) const noexcept {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint8_t U8(std::size_t offset) const noexcept { return Has(offset, 1) ? bytes_[offset] : 0; }
    std::uint16_t U16(std::size_t offset) const noexcept;
    std::int16_t S16(std::size_t offset) const noexcept { return static_cast<std::int16_t>(U16(offset)); }
    std::uint32_t U32(std::size_t offset) const noexcept;
    // Empty when the stretch does not lie wholly inside.
    std::span<const std::uint8_t> Slice(std::size_t offset, std::size_t count) const noexcept {
        return Has(offset, count) ? bytes_.subspan(offset, count) : std::span<const std::uint8_t>{};
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// What the details of a face are read from; a missing or unreadable table is empty.
struct FontTableSet {
    std::vector<std::uint8_t> name;
    std::vector<std::uint8_t> os2;
    std::vector<std::uint8_t> head;
    std::vector<std::uint8_t> maxp;
    std::vector<std::uint8_t> cmap;
    bool sfnt = false;        // the font has TrueType/OpenType tables at all
    bool cff = false;         // its outlines are CFF (OpenType "OTTO")
    bool collection = false;  // it is one face of a collection file
};

// The tables of face `faceIndex` of a whole font file, single or collection; nothing when the
// bytes are no such file or hold no such face. A table that runs past the end is left empty.
std::optional<FontTableSet> TablesFromFile(std::span<const std::uint8_t> file, std::uint32_t faceIndex = 0);

// The number of faces a font file holds: 1 for a single font, the count of a collection, 0 for
// anything else.
std::uint32_t FaceCount(std::span<const std::uint8_t> file);

}  // namespace core::fonts
