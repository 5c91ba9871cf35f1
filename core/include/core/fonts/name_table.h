#pragma once
// The font's own texts from its `name` table: full name, version, designer, licence and the rest.
// Windows and Unicode records are UTF-16BE; Mac Roman records are read only when no Windows or
// Unicode record holds that text. Among the records of one text, Russian comes first, then
// English, then whatever language there is.

#include <cstdint>
#include <map>
#include <span>
#include <string>

namespace core::fonts {

enum class NameId : std::uint16_t {
    Copyright = 0,
    Family = 1,
    Subfamily = 2,
    FullName = 4,
    Version = 5,
    Trademark = 7,
    Manufacturer = 8,
    Designer = 9,
    VendorUrl = 11,
    DesignerUrl = 12,
    LicenceDescription = 13,
    LicenceUrl = 14,
};

class NameStrings {
public:
    // Empty when the font has no readable record of that text.
    const std::wstring& Get(NameId id) const;
    void Set(NameId id, std::wstring text) { texts_[id] = std::move(text); }

private:
    std::map<NameId, std::wstring> texts_;
};

// English names only, for matching the names the platform files fonts under.
enum class NameLanguage { Preferred, English };

NameStrings ReadNameTable(std::span<const std::uint8_t> table, NameLanguage language = NameLanguage::Preferred);

// Appends one code point as wchar_t holds it here (UTF-16 pairs where wchar_t is 16 bits).
void AppendCodePoint(std::wstring& text, char32_t codePoint);

// The Unicode character of a Mac Roman byte.
char32_t MacRomanToUnicode(std::uint8_t byte) noexcept;

}  // namespace core::fonts
