#pragma once
// The platform's list of screen fonts: one name per family, in first-reported order.

#include <string>
#include <vector>

namespace app {

std::vector<std::wstring> ScreenFontFamilies();

}  // namespace app
