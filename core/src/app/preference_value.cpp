#include "core/app/preference_value.h"

#include "core/number_text.h"

namespace core {

std::optional<std::wstring> PreferenceText(std::uint32_t type, std::span<const std::uint8_t> data) {
    if (type != kPreferenceTextType) return std::nullopt;
    std::wstring text;
    text.reserve(data.size() / 2);
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        auto unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == L'\0') break;
        text += unit;
    }
    return text;
}

bool PreferenceIsOn(const std::optional<std::wstring>& text) { return text == L"1"; }

std::int32_t PreferenceColour(const std::optional<std::wstring>& text, wchar_t decimalSeparator, std::int32_t absent) {
    return text ? ParseInt32(*text, decimalSeparator).value_or(0) : absent;
}

float PreferenceTwips(const std::optional<std::wstring>& text, wchar_t decimalSeparator) {
    return text ? ParseSingle(*text, decimalSeparator).value_or(0.0f) : 0.0f;
}

}  // namespace core
