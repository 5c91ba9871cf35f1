#include "core/property_bag.h"

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <optional>
#include <vector>

#include "core/number_text.h"

namespace core {

namespace {

std::vector<std::wstring> Split(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::wstring::npos) return parts;
        start = end + 1;
    }
}

// Shortest text that reads back as the same double.
std::wstring DoubleText(double value) {
    wchar_t buffer[64];
    for (int digits = 6; digits <= 17; ++digits) {
        std::swprintf(buffer, std::size(buffer), L"%.*g", digits, value);
        if (std::wcstod(buffer, nullptr) == value) break;
    }
    return buffer;
}

// The bag's own number texts, read back to the same double (a written 8.25 must not come back as
// 8.250000000000002).
std::optional<double> ReadExactDouble(const std::wstring& text) {
    if (text.empty() || text.front() == L' ') return std::nullopt;
    wchar_t* end = nullptr;
    double value = std::wcstod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

void PropertyBag::WriteBool(const std::wstring& name, bool value) { WriteText(name, value ? L"1" : L"0"); }

void PropertyBag::WriteInt(const std::wstring& name, std::int64_t value) { WriteText(name, FormatInt(value)); }

void PropertyBag::WriteDouble(const std::wstring& name, double value) { WriteText(name, DoubleText(value)); }

void PropertyBag::WriteFont(const std::wstring& name, const FontDescription& font) { WriteText(name, FontDescriptionToText(font)); }

std::wstring PropertyBag::ReadText(const std::wstring& name, const std::wstring& fallback) const {
    auto found = values_.find(name);
    return found == values_.end() ? fallback : found->second;
}

bool PropertyBag::ReadBool(const std::wstring& name, bool fallback) const {
    auto found = values_.find(name);
    if (found == values_.end()) return fallback;
    if (found->second == L"1") return true;
    if (found->second == L"0") return false;
    return fallback;
}

std::int64_t PropertyBag::ReadInt(const std::wstring& name, std::int64_t fallback) const {
    auto found = values_.find(name);
    if (found == values_.end()) return fallback;
    std::optional<double> number = ParseNumber(found->second);
    // Colours are unsigned 32-bit, so the range reaches past a signed 32-bit integer.
    if (!number || std::floor(*number) != *number || *number < -2147483648.0 || *number > 4294967295.0) return fallback;
    return static_cast<std::int64_t>(*number);
}

double PropertyBag::ReadDouble(const std::wstring& name, double fallback) const {
    auto found = values_.find(name);
    if (found == values_.end()) return fallback;
    std::optional<double> number = ReadExactDouble(found->second);
    return number ? *number : fallback;
}

FontDescription PropertyBag::ReadFont(const std::wstring& name, const FontDescription& fallback) const {
    auto found = values_.find(name);
    FontDescription font;
    if (found == values_.end() || !ParseFontDescription(found->second, font)) return fallback;
    return font;
}

std::wstring FontDescriptionToText(const FontDescription& font) {
    std::wstring text = font.name + L";" + DoubleText(font.points);
    if (font.bold) text += L";bold";
    if (font.italic) text += L";italic";
    if (font.underline) text += L";underline";
    return text + L";" + FormatInt(font.charset);
}

bool ParseFontDescription(const std::wstring& text, FontDescription& font) {
    std::vector<std::wstring> parts = Split(text, L';');
    if (parts.size() < 3 || parts.front().empty()) return false;
    std::optional<double> points = ReadExactDouble(parts[1]);
    std::optional<std::int32_t> charset = ParseInt32(parts.back());
    if (!points || !(*points > 0) || *points > 1000 || !charset || *charset < 0 || *charset > 255) return false;
    FontDescription parsed;
    parsed.name = parts.front();
    parsed.points = *points;
    parsed.charset = *charset;
    for (size_t i = 2; i + 1 < parts.size(); ++i) {
        if (parts[i] == L"bold")
            parsed.bold = true;
        else if (parts[i] == L"italic")
            parsed.italic = true;
        else if (parts[i] == L"underline")
            parsed.underline = true;
        else
            return false;
    }
    font = parsed;
    return true;
}

}  // namespace core
