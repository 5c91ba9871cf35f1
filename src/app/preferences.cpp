#include "app/preferences.h"

#include <vector>

#include "core/app/preference_value.h"
#include "win/dpi.h"
#include "win/handles.h"
#include "win/locale.h"

namespace app {

namespace {

using win::LocaleDecimalSeparator;

}  // namespace

std::optional<std::wstring> GetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName) {
    win::UniqueRegKey key;
    if (::RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return std::nullopt;

    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(bytes);
    DWORD read = bytes;
    if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, data.data(), &read) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    data.resize(read);
    static_assert(REG_SZ == core::kPreferenceTextType);
    return core::PreferenceText(type, data);
}

void SetString(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, const std::wstring& text) {
    win::UniqueRegKey key;
    if (::RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, key.put(),
                          nullptr) != ERROR_SUCCESS) {
        return;
    }
    // Characters plus the terminating NUL that other readers of REG_SZ expect.
    auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    ::RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

namespace prefs {

std::optional<std::wstring> Get(const wchar_t* valueName) {
    return GetString(HKEY_CURRENT_USER, kPreferencesKeyPath, valueName);
}

void Set(const wchar_t* valueName, const std::wstring& text) {
    SetString(HKEY_CURRENT_USER, kPreferencesKeyPath, valueName, text);
}

bool IsOn(const wchar_t* valueName) { return core::PreferenceIsOn(Get(valueName)); }

void SetOn(const wchar_t* valueName, bool on) { Set(valueName, on ? L"1" : L"0"); }

std::int32_t ReadColour(const wchar_t* valueName, std::int32_t absent) {
    return core::PreferenceColour(Get(valueName), LocaleDecimalSeparator(), absent);
}

float ReadTwips(const wchar_t* valueName) { return core::PreferenceTwips(Get(valueName), LocaleDecimalSeparator()); }

int ReadCoordinatePixels(const wchar_t* valueName) {
    return core::TwipsToPixelsInRange(ReadTwips(valueName), win::ScreenDpi()).value_or(0);
}

}  // namespace prefs

}  // namespace app
