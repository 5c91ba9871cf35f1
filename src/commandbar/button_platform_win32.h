#pragma once
// Win32 answers to what a button record asks of the platform: key names and the character-to-key
// mapping of the current keyboard layout, and text extents drawn with the bar's font.

#include <windows.h>

#include <string>

#include "core/commandbar/button_platform.h"

namespace commandbar {

class Win32KeyboardLayout : public core::commandbar::KeyboardLayout {
public:
    std::wstring KeyName(std::uint16_t virtualKey) const override;
    std::int32_t VirtualKeyFromChar(wchar_t character) const override;
};

// Measures on params.hdc with params.Font (the control's font from its FontCache) selected, the
// previous font restored; without a device context, on a screen-compatible one of its own.
class Win32TextMeasurer : public core::commandbar::TextMeasurer {
public:
    core::commandbar::TextExtent MeasureText(const core::commandbar::MeasureButtonParams& params,
                                             std::wstring_view text, std::uint32_t format) const override;
};

}  // namespace commandbar
