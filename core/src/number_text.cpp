#include "core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace core {

namespace {

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

int DigitValue(wchar_t ch, int radix) {
    int value = -1;
    if (ch >= L'0' && ch <= L'9') value = ch - L'0';
    else if (ch >= L'a' && ch <= L'f') value = ch - L'a' + 10;
    else if (ch >= L'A' && ch <= L'F') value = ch - L'A' + 10;
    return value < radix ? value : -1;
}

// "&H1F" / "&O17": at most 32 bits, read as a signed 32-bit pattern like the original runtime.
std::optional<double> ParseRadix(std::wstring_view digits, int radix) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (wchar_t ch : digits) {
        int digit = DigitValue(ch, radix);
        if (digit < 0) return std::nullopt;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (value > 0xFFFFull) {
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
    }
    // Four hex digits or fewer make a 16-bit pattern ("&HFFFF" is -1).
    return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
}

}  // namespace

double RoundHalfEven(double value) {
    double floorValue = std::floor(value);
    double diff = value - floorValue;
    if (diff > 0.5) return floorValue + 1.0;
    if (diff < 0.5) return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

std::optional<double> ParseNumber(std::wstring_view text, wchar_t decimalSeparator) {
    text = Trim(text);
    if (text.size() > 2 && text[0] == L'&') {
        wchar_t kind = text[1];
        if (kind == L'H' || kind == L'h') return ParseRadix(text.substr(2), 16);
        if (kind == L'O' || kind == L'o') return ParseRadix(text.substr(2), 8);
        return std::nullopt;
    }

    // The text again in the C library's syntax, which from_chars reads to the nearest double
    // whatever the locale.
    std::string plain;
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    // The power of ten of the first significant digit, plus one: only its sign matters, to tell
    // a text too large for a double from one too small.
    std::int64_t magnitude = 0;
    bool significant = false;
    bool anyDigit = false;
    bool inFraction = false;
    for (; pos < text.size(); ++pos) {
        wchar_t ch = text[pos];
        if (ch >= L'0' && ch <= L'9') {
            plain += static_cast<char>(ch);
            anyDigit = true;
            significant = significant || ch != L'0';
            if (significant && !inFraction) ++magnitude;
            if (!significant && inFraction) --magnitude;
        } else if (!inFraction && (ch == L'.' || ch == decimalSeparator)) {
            plain += '.';
            inFraction = true;
        } else {
            break;
        }
    }
    if (!anyDigit) return std::nullopt;

    std::int64_t exponent = 0;
    if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
        plain += 'e';
        ++pos;
        bool negativeExponent = false;
        if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
            negativeExponent = text[pos] == L'-';
            plain += static_cast<char>(text[pos]);
            ++pos;
        }
        bool exponentDigit = false;
        for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
            plain += static_cast<char>(text[pos]);
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[pos] - L'0');
            exponentDigit = true;
        }
        if (!exponentDigit) return std::nullopt;
        if (negativeExponent) exponent = -exponent;
    }
    if (pos != text.size()) return std::nullopt;

    double value = 0;
    auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Below the smallest double is zero; above the largest does not convert.
        if (magnitude + exponent > 0) return std::nullopt;
        value = 0;
    } else if (error != std::errc() || end != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseInt32(std::wstring_view text, wchar_t decimalSeparator) {
    auto value = ParseNumber(text, decimalSeparator);
    if (!value) return std::nullopt;
    double rounded = RoundHalfEven(*value);
    if (rounded < std::numeric_limits<std::int32_t>::min() ||
        rounded > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int16_t> ParseInt16(std::wstring_view text, wchar_t decimalSeparator) {
    auto value = ParseInt32(text, decimalSeparator);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

std::optional<float> ParseSingle(std::wstring_view text, wchar_t decimalSeparator) {
    auto value = ParseNumber(text, decimalSeparator);
    if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
    return static_cast<float>(*value);
}

std::wstring FormatInt(std::int64_t value) { return std::to_wstring(value); }

}  // namespace core
