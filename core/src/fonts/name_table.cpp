#include "core/fonts/name_table.h"

#include <array>
#include <optional>

#include "core/fonts/sfnt_file.h"

namespace core::fonts {

namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kRecordSize = 12;
constexpr char32_t kReplacement = 0xFFFD;

constexpr std::uint16_t kUnicodePlatform = 0;
constexpr std::uint16_t kMacPlatform = 1;
constexpr std::uint16_t kWindowsPlatform = 3;
constexpr std::uint16_t kMacRomanEncoding = 0;
constexpr std::uint16_t kMacEnglish = 0;
// The Windows encodings whose texts are UTF-16BE: symbol, Unicode BMP, full Unicode.
constexpr std::array<std::uint16_t, 3> kWindowsUtf16Encodings = {0, 1, 10};
constexpr std::uint16_t kWindowsRussian = 0x0419;
constexpr std::uint16_t kWindowsUsEnglish = 0x0409;
constexpr std::uint16_t kPrimaryLanguageMask = 0x03FF;
constexpr std::uint16_t kPrimaryEnglish = 0x09;

constexpr std::array<char32_t, 128> kMacRomanUpperHalf = {
    0x00C4, 0x00C5, 0x00C7, 0x00C9, 0x00D1, 0x00D6, 0x00DC, 0x00E1, 0x00E0, 0x00E2, 0x00E4, 0x00E3, 0x00E5,
    0x00E7, 0x00E9, 0x00E8, 0x00EA, 0x00EB, 0x00ED, 0x00EC, 0x00EE, 0x00EF, 0x00F1, 0x00F3, 0x00F2, 0x00F4,
    0x00F6, 0x00F5, 0x00FA, 0x00F9, 0x00FB, 0x00FC, 0x2020, 0x00B0, 0x00A2, 0x00A3, 0x00A7, 0x2022, 0x00B6,
    0x00DF, 0x00AE, 0x00A9, 0x2122, 0x00B4, 0x00A8, 0x2260, 0x00C6, 0x00D8, 0x221E, 0x00B1, 0x2264, 0x2265,
    0x00A5, 0x00B5, 0x2202, 0x2211, 0x220F, 0x03C0, 0x222B, 0x00AA, 0x00BA, 0x03A9, 0x00E6, 0x00F8, 0x00BF,
    0x00A1, 0x00AC, 0x221A, 0x0192, 0x2248, 0x2206, 0x00AB, 0x00BB, 0x2026, 0x00A0, 0x00C0, 0x00C3, 0x00D5,
    0x0152, 0x0153, 0x2013, 0x2014, 0x201C, 0x201D, 0x2018, 0x2019, 0x00F7, 0x25CA, 0x00FF, 0x0178, 0x2044,
    0x20AC, 0x2039, 0x203A, 0xFB01, 0xFB02, 0x2021, 0x00B7, 0x201A, 0x201E, 0x2030, 0x00C2, 0x00CA, 0x00C1,
    0x00CB, 0x00C8, 0x00CD, 0x00CE, 0x00CF, 0x00CC, 0x00D3, 0x00D4, 0xF8FF, 0x00D2, 0x00DA, 0x00DB, 0x00D9,
    0x0131, 0x02C6, 0x02DC, 0x00AF, 0x02D8, 0x02D9, 0x02DA, 0x00B8, 0x02DD, 0x02DB, 0x02C7,
};

bool IsWindowsUtf16(std::uint16_t encoding) {
    for (std::uint16_t e : kWindowsUtf16Encodings) {
        if (e == encoding) return true;
    }
    return false;
}

// Lower is better; nothing for records this reader cannot decode.
std::optional<int> Rank(std::uint16_t platform, std::uint16_t encoding, std::uint16_t languageId,
                        NameLanguage language) {
    const bool english = (languageId & kPrimaryLanguageMask) == kPrimaryEnglish;
    if (platform == kWindowsPlatform && IsWindowsUtf16(encoding)) {
        if (language == NameLanguage::English) return english ? (languageId == kWindowsUsEnglish ? 0 : 1) : std::optional<int>{};
        if (languageId == kWindowsRussian) return 0;
        if (languageId == kWindowsUsEnglish) return 1;
        return english ? 2 : 3;
    }
    if (platform == kUnicodePlatform) return 4;
    if (platform == kMacPlatform && encoding == kMacRomanEncoding) {
        if (language == NameLanguage::English && languageId != kMacEnglish) return std::nullopt;
        return languageId == kMacEnglish ? 5 : 6;
    }
    return std::nullopt;
}

// Line breaks become "\n"; other control characters and blanks at either end go.
std::wstring Clean(const std::u32string& raw) {
    std::wstring text;
    text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        char32_t c = raw[i];
        if (c == U'\r') {
            if (i + 1 < raw.size() && raw[i + 1] == U'\n') ++i;
            c = U'\n';
        }
        if (c == U'\n') {
            text.push_back(L'\n');
        } else if (c >= 0x20 && c != 0x7F) {
            AppendCodePoint(text, c);
        }
    }
    const std::size_t first = text.find_first_not_of(L" \n\t");
    if (first == std::wstring::npos) return {};
    return text.substr(first, text.find_last_not_of(L" \n\t") - first + 1);
}

// An odd last byte is dropped; a surrogate without its partner becomes U+FFFD.
std::u32string DecodeUtf16Be(const BigEndian& bytes) {
    std::u32string text;
    const std::size_t units = bytes.size() / 2;
    text.reserve(units);
    for (std::size_t i = 0; i < units; ++i) {
        const char32_t unit = bytes.U16(i * 2);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const char32_t low = bytes.U16((i + 1) * 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                text.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        text.push_back(unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
    }
    return text;
}

std::u32string DecodeMacRoman(std::span<const std::uint8_t> bytes) {
    std::u32string text;
    text.reserve(bytes.size());
    for (std::uint8_t b : bytes) text.push_back(MacRomanToUnicode(b));
    return text;
}

}  // namespace

const std::wstring& NameStrings::Get(NameId id) const {
    static const std::wstring kNone;
    auto found = texts_.find(id);
    return found == texts_.end() ? kNone : found->second;
}

void AppendCodePoint(std::wstring& text, char32_t codePoint) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (codePoint >= 0x10000) {
            const char32_t v = codePoint - 0x10000;
            text.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
            text.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
            return;
        }
    }
    text.push_back(static_cast<wchar_t>(codePoint));
}

char32_t MacRomanToUnicode(std::uint8_t byte) noexcept {
    return byte < 0x80 ? char32_t{byte} : kMacRomanUpperHalf[byte - 0x80U];
}

NameStrings ReadNameTable(std::span<const std::uint8_t> bytes, NameLanguage language) {
    const BigEndian table(bytes);
    NameStrings names;
    if (!table.Has(0, kHeaderSize)) return names;
    const std::size_t count = table.U16(2);
    const std::size_t storage = table.U16(4);
    std::map<std::uint16_t, int> bestRank;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t record = kHeaderSize + i * kRecordSize;
        if (!table.Has(record, kRecordSize)) break;
        const std::uint16_t platform = table.U16(record);
        const std::uint16_t encoding = table.U16(record + 2);
        const std::uint16_t nameId = table.U16(record + 6);
        const std::optional<int> rank = Rank(platform, encoding, table.U16(record + 4), language);
        auto best = bestRank.find(nameId);
        if (!rank || (best != bestRank.end() && best->second <= *rank)) continue;
        const std::span<const std::uint8_t> raw = table.Slice(storage + table.U16(record + 10), table.U16(record + 8));
        std::wstring text = Clean(platform == kMacPlatform ? DecodeMacRoman(raw) : DecodeUtf16Be(BigEndian(raw)));
        if (text.empty()) continue;
        bestRank[nameId] = *rank;
        names.Set(static_cast<NameId>(nameId), std::move(text));
    }
    return names;
}

}  // namespace core::fonts
