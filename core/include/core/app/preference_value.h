#pragma once
// How a stored preference reads, apart from the registry: which stored values are text at all, and
// the conversions every reader applies. A value that is absent, or does not convert, reads as the
// value's absent default: 0, or off.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace core {

// The registry's type number of a string value (REG_SZ), the one type preferences are kept as.
inline constexpr std::uint32_t kPreferenceTextType = 1;

// The text of a stored value from its type and its raw little-endian UTF-16 bytes; nullopt for
// any other type. A terminating NUL is optional, text after an embedded NUL is not part of the
// value, and an odd last byte is no character.
std::optional<std::wstring> PreferenceText(std::uint32_t type, std::span<const std::uint8_t> data);

// True only for the exact text "1".
bool PreferenceIsOn(const std::optional<std::wstring>& text);
// A 32-bit colour 0x00BBGGRR; `absent` when nothing is stored.
std::int32_t PreferenceColour(const std::optional<std::wstring>& text, wchar_t decimalSeparator,
                              std::int32_t absent = 0);
// A coordinate in twips.
float PreferenceTwips(const std::optional<std::wstring>& text, wchar_t decimalSeparator);

}  // namespace core
