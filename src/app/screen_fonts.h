#pragma once
// The platform's list of screen fonts: one entry per family, in first-reported order.

#include <vector>

#include "core/app/font_family_list.h"

namespace app {

// With the traits the script filter asks for, gathered from the same enumeration.
std::vector<core::FontFamily> ScreenFontFamilies();

}  // namespace app
