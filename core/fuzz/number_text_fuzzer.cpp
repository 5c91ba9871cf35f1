// The number reader over any text, with the user's decimal separator either '.' or ',' (the first
// byte of the input). A decimal text must read as the nearest double, as the C library reads it;
// the other separator must read the same; every integer width must agree with the double it
// rounds; and what FormatInt writes must read back.

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "core/number_text.h"
#include "fuzz_input.h"

namespace {

using fuzz::Require;

std::wstring Replaced(std::wstring text, wchar_t from, wchar_t to) {
    for (wchar_t& ch : text) {
        if (ch == from) ch = to;
    }
    return text;
}

// The C library's reading of a plainly decimal text (the separator made '.'), or nothing for the
// radix forms and anything else the C library would read differently (hex, "inf", partial reads).
std::optional<double> CLibraryReading(const std::wstring& text, wchar_t separator) {
    std::string narrow;
    for (wchar_t ch : Replaced(text, separator, L'.')) {
        if (ch > 0x7F) return std::nullopt;
        narrow += static_cast<char>(ch);
    }
    const auto first = narrow.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    narrow = narrow.substr(first, narrow.find_last_not_of(" \t") - first + 1);
    if (narrow.find_first_not_of("+-.0123456789eE") != std::string::npos) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(narrow.c_str(), &end);
    if (end != narrow.c_str() + narrow.size()) return std::nullopt;
    return value;
}

template <typename Int>
void CheckWidth(std::optional<Int> parsed, std::optional<double> number) {
    std::optional<Int> expected;
    if (number) {
        const double rounded = core::RoundHalfEven(*number);
        if (rounded >= std::numeric_limits<Int>::min() && rounded <= std::numeric_limits<Int>::max()) {
            expected = static_cast<Int>(rounded);
        }
    }
    Require(parsed == expected, "an integer reading disagrees with the rounded number");
    if (parsed) Require(core::ParseNumber(core::FormatInt(*parsed)) == static_cast<double>(*parsed),
                        "a formatted integer does not read back");
}

void CheckText(const std::wstring& text, wchar_t separator) {
    const std::optional<double> number = core::ParseNumber(text, separator);
    if (number) Require(std::isfinite(*number), "a number that is not finite");
    Require(core::ParseNumber(Replaced(text, separator, L'.'), L'.') == number,
            "the locale separator reads differently from '.'");

    if (const auto expected = CLibraryReading(text, separator)) {
        if (std::isfinite(*expected)) {
            Require(number.has_value(), "a finite decimal text is refused");
            Require(*number == *expected, "a decimal text is not the nearest double");
        } else {
            Require(!number, "an overflowing decimal text is accepted");
        }
    }

    if (number) {
        const double rounded = core::RoundHalfEven(*number);
        Require(rounded == std::floor(rounded) && std::fabs(rounded - *number) <= 0.5,
                "rounding is not to the nearest whole number");
        if (std::fabs(rounded - *number) == 0.5) Require(std::fmod(rounded, 2.0) == 0, "a half rounds to odd");
    }
    CheckWidth(core::ParseInt32(text, separator), number);
    CheckWidth(core::ParseInt16(text, separator), number);
    const std::optional<float> single = core::ParseSingle(text, separator);
    Require(single.has_value() == (number && std::fabs(*number) <= FLT_MAX), "a single's range is wrong");
    if (single) Require(*single == static_cast<float>(*number), "a single is not the rounded number");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first bytes double as a whole number of every width, written and read back.
    std::int64_t whole = 0;
    std::memcpy(&whole, data, std::min(size, sizeof whole));
    const std::wstring written = core::FormatInt(whole);
    Require(core::ParseInt32(written) == (whole == static_cast<std::int32_t>(whole)
                                              ? std::optional<std::int32_t>(static_cast<std::int32_t>(whole))
                                              : std::nullopt),
            "a formatted 64-bit number reads back wrongly as 32 bits");
    Require(core::ParseNumber(written) == static_cast<double>(whole), "a formatted 64-bit number reads back wrongly");

    // The first byte names the separator, the rest is the text.
    if (size == 0) return 0;
    const wchar_t separator = data[0] == ',' ? L',' : L'.';
    std::wstring text;
    for (std::size_t i = 1; i < size; ++i) text += fuzz::WideFromByte(data[i]);
    CheckText(text, separator);
    return 0;
}
