#pragma once
// How the preview is composed from the selected font and the stored preferences.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace core {

// The sizes the font size menu offers, in points.
inline constexpr std::array<int, 8> kPreviewSizes = {10, 12, 14, 18, 20, 22, 24, 26};
// Used when FontSize is absent or not one of the offered sizes: a stored 0 or 15 would show a
// preview in a size the menu cannot select.
inline constexpr int kDefaultPreviewPoints = 12;

// The one reading of a size text (a stored FontSize, a menu key's last part): the offered size it
// names exactly ("14"; never "014" or "14 "), or nothing.
std::optional<int> OfferedSize(std::wstring_view text);

// The preview size for a stored FontSize text.
int PreviewPointsFor(const std::optional<std::wstring>& storedFontSize);

// "<font> - <sample text>".
std::wstring PreviewText(std::wstring_view fontName, std::wstring_view viewerText);

}  // namespace core
