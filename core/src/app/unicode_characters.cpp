#include "core/app/unicode_characters.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/unicode_data.h"

namespace core {

namespace {

namespace data = unicode_data;

constexpr char32_t kHangulFirst = 0xAC00;
constexpr char32_t kVowelCount = 21;
constexpr char32_t kTrailingCount = 28;

bool IsSurrogate(char32_t codePoint) { return codePoint >= 0xD800 && codePoint <= 0xDFFF; }

void AppendHex(std::string& text, char32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    char digits[8]{};
    int count = 0;
    do {
        digits[count++] = kDigits[value % 16];
        value /= 16;
    } while (value != 0 || count < 4);
    while (count > 0) text.push_back(digits[--count]);
}

// Where each word starts in the dictionary, found once.
const std::vector<std::uint32_t>& WordStarts() {
    static const std::vector<std::uint32_t> starts = [] {
        std::vector<std::uint32_t> found;
        found.reserve(data::kWordCount);
        std::uint32_t start = 0;
        for (std::uint32_t i = 0; i < data::kWordsSize; ++i) {
            if (data::kWords[i] & 0x80) {
                found.push_back(start);
                start = i + 1;
            }
        }
        return found;
    }();
    return starts;
}

void AppendWord(std::string& text, std::size_t word) {
    const auto& starts = WordStarts();
    if (word >= starts.size()) return;
    for (std::uint32_t i = starts[word]; i < data::kWordsSize; ++i) {
        text.push_back(static_cast<char>(data::kWords[i] & 0x7F));
        if (data::kWords[i] & 0x80) break;
    }
}

// One decoded record: its code point and its words (a word number, or the hex-suffix marker).
struct NameReader {
    std::size_t offset;
    char32_t codePoint;
    std::vector<std::size_t> words;

    static constexpr std::size_t kHexWord = SIZE_MAX;

    std::uint8_t Next() { return offset < data::kNamesSize ? data::kNames[offset++] : 0; }

    void ReadRecord() {
        char32_t delta = 0;
        for (int shift = 0; shift < 28; shift += 7) {
            const std::uint8_t byte = Next();
            delta |= static_cast<char32_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80)) break;
        }
        codePoint += delta;
        const std::uint8_t counts = Next();
        words.resize(std::min<std::size_t>(counts >> 4, words.size()));
        for (int i = 0; i < (counts & 0x0F); ++i) {
            const std::uint8_t byte = Next();
            if (byte == data::kHexSuffix) {
                words.push_back(kHexWord);
            } else if (byte < data::kOneByteWords) {
                words.push_back(byte);
            } else {
                words.push_back(data::kOneByteWords + (static_cast<std::size_t>(byte - data::kOneByteWords) << 8) +
                                Next());
            }
        }
    }
};

std::string ListedName(char32_t codePoint) {
    const data::NameIndexEntry* end = data::kNameIndex + data::kNameIndexCount;
    const data::NameIndexEntry* after = std::upper_bound(
        data::kNameIndex, end, codePoint,
        [](char32_t wanted, const data::NameIndexEntry& entry) { return wanted < entry.codePoint; });
    if (after == data::kNameIndex) return {};
    const data::NameIndexEntry& entry = *(after - 1);
    const std::size_t stop = after == end ? data::kNamesSize : after->offset;
    NameReader reader{entry.offset, entry.codePoint, {}};
    while (reader.offset < stop) {
        reader.ReadRecord();
        if (reader.codePoint > codePoint) return {};
        if (reader.codePoint != codePoint) continue;
        std::string name;
        for (std::size_t word : reader.words) {
            if (word == NameReader::kHexWord) {
                name.push_back('-');
                AppendHex(name, codePoint);
                continue;
            }
            if (!name.empty()) name.push_back(' ');
            AppendWord(name, word);
        }
        return name;
    }
    return {};
}

std::string DerivedName(const data::DerivedRange& range, char32_t codePoint) {
    std::string name;
    if (range.kind == data::DerivedName::HexSuffix) {
        name = range.prefix;
        AppendHex(name, codePoint);
        return name;
    }
    const char32_t index = codePoint - kHangulFirst;
    name = "HANGUL SYLLABLE ";
    name += data::kJamoLeading[index / (kVowelCount * kTrailingCount)];
    name += data::kJamoVowel[(index % (kVowelCount * kTrailingCount)) / kTrailingCount];
    name += data::kJamoTrailing[index % kTrailingCount];
    return name;
}

}  // namespace

std::span<const UnicodeBlock> UnicodeBlocks() { return {data::kBlocks, data::kBlockCount}; }

const UnicodeBlock* BlockOf(char32_t codePoint) {
    const auto blocks = UnicodeBlocks();
    auto after = std::upper_bound(blocks.begin(), blocks.end(), codePoint,
                                  [](char32_t wanted, const UnicodeBlock& block) { return wanted < block.first; });
    if (after == blocks.begin()) return nullptr;
    const UnicodeBlock& block = *(after - 1);
    return codePoint <= block.last ? &block : nullptr;
}

std::string CharacterName(char32_t codePoint) {
    for (std::size_t i = 0; i < data::kDerivedRangeCount; ++i) {
        const data::DerivedRange& range = data::kDerivedRanges[i];
        if (codePoint >= range.first && codePoint <= range.last) return DerivedName(range, codePoint);
    }
    return ListedName(codePoint);
}

std::wstring CodePointLabel(char32_t codePoint) {
    std::string hex;
    AppendHex(hex, codePoint);
    return L"U+" + std::wstring(hex.begin(), hex.end());
}

std::wstring Utf16Of(char32_t codePoint) {
    if (IsSurrogate(codePoint) || codePoint > kLastCodePoint) return {};
    if (codePoint < 0x10000) return std::wstring(1, static_cast<wchar_t>(codePoint));
    const char32_t offset = codePoint - 0x10000;
    return {static_cast<wchar_t>(0xD800 + (offset >> 10)), static_cast<wchar_t>(0xDC00 + (offset & 0x3FF))};
}

char32_t FirstCodePoint(std::wstring_view text) {
    if (text.empty()) return 0;
    const auto first = static_cast<char32_t>(text[0]);
    if (first > kLastCodePoint) return 0xFFFD;
    if (!IsSurrogate(first)) return first;
    if (first >= 0xDC00 || text.size() < 2) return 0xFFFD;
    const auto second = static_cast<char32_t>(text[1]);
    if (second < 0xDC00 || second > 0xDFFF) return 0xFFFD;
    return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
}

std::wstring CellName(char32_t codePoint) {
    const bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
    if (control) return CodePointLabel(codePoint);
    return CodePointLabel(codePoint) + L" " + Utf16Of(codePoint);
}

}  // namespace core
