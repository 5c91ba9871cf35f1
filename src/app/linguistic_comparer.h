#pragma once
// The user's language as the platform knows it: how it compares names ignoring case, and how it
// groups digits.

#include "core/app/font_filter.h"

namespace app {

// FindNLSStringEx with the linguistic ignore-case rules of the user's locale.
class LinguisticComparer final : public core::TextComparer {
public:
    bool Contains(std::wstring_view text, std::wstring_view pattern) const override;
};

// The user's thousands separator and digit groups; "," in threes when the locale names none.
core::DigitGrouping UserDigitGrouping();

}  // namespace app
