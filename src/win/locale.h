#pragma once
// The user's regional settings that readers of numbers need.

#include <windows.h>

#include <iterator>

namespace win {

// The user's decimal separator ("," on a Russian system), so that "1,5" reads as 1.5 where the
// locale writes it so; '.' when the locale names none.
inline wchar_t LocaleDecimalSeparator() {
    wchar_t separator[4] = {};
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, static_cast<int>(std::size(separator))) > 0 &&
        separator[0] != L'\0') {
        return separator[0];
    }
    return L'.';
}

}  // namespace win
