#pragma once
// Win32 answers to what a button record asks of the platform: key names and the character-to-key
// mapping of the current keyboard layout, and text extents drawn with the bar's font.

#include <windows.h>

#include <string>

#include "core/commandbar/button_platform.h"
#include "win/handles.h"

namespace commandbar {

class Win32KeyboardLayout : public core::commandbar::KeyboardLayout {
public:
    std::wstring KeyName(std::uint16_t virtualKey) const override;
    std::int32_t VirtualKeyFromChar(wchar_t character) const override;
};

// Measures on params.hdc with params.hFont selected (the previous font is restored); without a
// device context, on a screen-compatible one of its own.
class Win32TextMeasurer : public core::commandbar::TextMeasurer {
public:
    core::commandbar::TextExtent MeasureText(const core::commandbar::cMeasureButtonParams& params,
                                             std::wstring_view text, std::uint32_t format) const override;
};

// A bar font for a face and point size on a device context: the font that measuring and painting
// select. Sizes are rounded to whole device pixels.
win::UniqueFont CreateBarFont(HDC dc, const std::wstring& face, double points, bool bold = false);

}  // namespace commandbar
