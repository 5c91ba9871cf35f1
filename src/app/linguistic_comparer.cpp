#include "app/linguistic_comparer.h"

#include <windows.h>

#include <climits>
#include <iterator>

namespace app {

bool LinguisticComparer::Contains(std::wstring_view text, std::wstring_view pattern) const {
    if (text.size() > INT_MAX || pattern.size() > INT_MAX) return false;
    int found = 0;
    return ::FindNLSStringEx(LOCALE_NAME_USER_DEFAULT, FIND_FROMSTART | LINGUISTIC_IGNORECASE, text.data(),
                             static_cast<int>(text.size()), pattern.data(), static_cast<int>(pattern.size()), &found,
                             nullptr, nullptr, 0) >= 0;
}

core::DigitGrouping UserDigitGrouping() {
    core::DigitGrouping grouping;
    wchar_t text[16] = {};
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, text, static_cast<int>(std::size(text))) > 0) {
        grouping.separator = text;
    }
    if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SGROUPING, text, static_cast<int>(std::size(text))) > 0) {
        grouping.sizes = text;
    }
    return grouping;
}

}  // namespace app
