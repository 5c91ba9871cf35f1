#pragma once
// Key names as shortcut texts show them.

#include <string>
#include <string_view>

namespace core::commandbar {

// First letter of each blank-separated word capital, the rest small ("PAGE DOWN" -> "Page Down").
std::wstring ProperCase(std::wstring_view text);

}  // namespace core::commandbar
