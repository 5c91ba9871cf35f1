#pragma once
// What a button record needs from the platform to measure itself and name its shortcut:
// text extents in the bar's font, and the keyboard layout's key names and character mapping.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/commandbar/measure_button_params.h"

namespace core::commandbar {

struct TextExtent {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Draw-text formats of the measurements: calculate only, single line or wrapping.
inline constexpr std::uint32_t kMeasureSingleLine = 0x420;
inline constexpr std::uint32_t kMeasureWrapping = 0x400;

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // Extent of `text` drawn with params.font on params.hdc from a 256 x 256 rectangle.
    virtual TextExtent MeasureText(const MeasureButtonParams& params, std::wstring_view text,
                                   std::uint32_t format) const = 0;
};

class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;
    // The platform's name of the key, as it reports it (any case); empty when it has none.
    virtual std::wstring KeyName(std::uint16_t virtualKey) const = 0;
    // The platform's character-to-key result: virtual key in the low byte, shift state above;
    // -1 when the character has no key.
    virtual std::int32_t VirtualKeyFromChar(wchar_t character) const = 0;
};

}  // namespace core::commandbar
