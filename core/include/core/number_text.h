#pragma once
// Conversions between stored preference texts and numbers.
//
// Preferences are text; readers convert them the way the original runtime did: surrounding blanks
// are allowed, a fraction is rounded half to even for whole-number targets, an exponent and the
// "&H"/"&O" radix prefixes are understood. A text that does not convert, or overflows the
// target, yields nullopt so that the caller can fall back to the value's default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// Parses a number; decimalSeparator is the user's locale separator ('.' is always accepted too).
std::optional<double> ParseNumber(std::wstring_view text, wchar_t decimalSeparator = L'.');

std::optional<std::int32_t> ParseInt32(std::wstring_view text, wchar_t decimalSeparator = L'.');
std::optional<std::int16_t> ParseInt16(std::wstring_view text, wchar_t decimalSeparator = L'.');
std::optional<float> ParseSingle(std::wstring_view text, wchar_t decimalSeparator = L'.');

// Decimal text of a whole number, as stored in the preferences.
std::wstring FormatInt(std::int64_t value);

// Rounds half to even, as the original runtime's whole-number conversions do.
double RoundHalfEven(double value);

}  // namespace core
