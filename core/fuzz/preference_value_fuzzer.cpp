// The preferences' value rules over raw registry data. The first byte is the value's type (a
// registry type number when it is one, else a string), the second the locale's decimal separator,
// the rest the stored bytes. A string must read the same with or without its terminator, with an
// odd last byte, and with anything after an embedded NUL; what the store writes must read back.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/app/preference_value.h"
#include "fuzz_input.h"

namespace {

using fuzz::Require;

constexpr std::uint32_t kLastRegistryType = 11;  // REG_QWORD

std::optional<std::wstring> Read(std::uint32_t type, const std::vector<std::uint8_t>& data) {
    return core::PreferenceText(type, data);
}

// The bytes the store writes: the text in UTF-16 and its terminator.
std::vector<std::uint8_t> Written(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (wchar_t unit : text + L'\0') {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>((unit >> 8) & 0xFF));
    }
    return bytes;
}

void CheckConversions(const std::optional<std::wstring>& text, wchar_t separator) {
    const bool on = core::PreferenceIsOn(text);
    const std::int32_t colour = core::PreferenceColour(text, separator);
    const float twips = core::PreferenceTwips(text, separator);
    Require(on == (text == L"1"), "on is not exactly the text \"1\"");
    if (!text) Require(colour == 0 && twips == 0, "an absent value does not read as its default");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::uint32_t type = data[0] <= kLastRegistryType ? data[0] : core::kPreferenceTextType;
    const wchar_t separator = data[1] == ',' ? L',' : L'.';
    const std::vector<std::uint8_t> stored(data + 2, data + size);

    const std::optional<std::wstring> text = Read(type, stored);
    CheckConversions(text, separator);
    if (type != core::kPreferenceTextType) {
        Require(!text, "a value of another type reads as text");
        return 0;
    }
    Require(text.has_value(), "a string value reads as absent");
    Require(text->find(L'\0') == std::wstring::npos, "the text holds a NUL");
    Require(text->size() <= stored.size() / 2, "the text is longer than its data");

    std::vector<std::uint8_t> even(stored.begin(), stored.end() - static_cast<std::ptrdiff_t>(stored.size() % 2));
    Require(Read(type, even) == text, "an odd last byte changes the text");
    std::vector<std::uint8_t> terminated = even;
    terminated.insert(terminated.end(), {0, 0});
    Require(Read(type, terminated) == text, "a terminator changes the text");
    terminated.insert(terminated.end(), stored.begin(), stored.end());
    Require(Read(type, terminated) == text, "data after a terminator changes the text");
    Require(Read(type, Written(*text)) == text, "written text does not read back");
    return 0;
}
