#pragma once
// The command bar's colour styles: thirty colour elements whose colours follow the drawing
// style, the desktop colour scheme, the colour depth and optional custom colours.
//
// Nothing is cached: every element is computed from the desktop's current system colours when it
// is asked for, so a change of the system colours shows at the next repaint. The desktop is
// reached through ColourTranslator, which tests replace with a fixed set of colours.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/colour_math.h"

namespace core {

enum class ColourStyle : std::int32_t { Blended = 0, Themed = 1, Dark = 2, System = 3 };

// Desktop visual-style colour schemes; only the themed style reads them.
enum class ColourScheme : std::int32_t { None = 0, NormalColour = 1, Metallic = 2, Homestead = 3 };

ColourScheme ColourSchemeFromName(std::wstring_view schemeName);

namespace colour_element {
inline constexpr int kToolbarText = 1;
inline constexpr int kToolbarTextHot = 2;
inline constexpr int kToolbarTextDisabled = 3;
inline constexpr int kButtonBackStart = 4;
inline constexpr int kButtonBackEnd = 5;
inline constexpr int kButtonHotStart = 6;
inline constexpr int kButtonHotEnd = 7;
inline constexpr int kButtonCheckedStart = 8;
inline constexpr int kButtonCheckedEnd = 9;
inline constexpr int kButtonPressedStart = 10;
inline constexpr int kButtonPressedEnd = 11;
inline constexpr int kDropShadow = 12;
inline constexpr int kMenuBorder = 13;
inline constexpr int kMenuText = 14;
inline constexpr int kMenuTextHot = 15;
inline constexpr int kMenuTextDisabled = 16;
inline constexpr int kMenuBackStart = 17;
inline constexpr int kMenuBackEnd = 18;
inline constexpr int kMenuHotStart = 19;
inline constexpr int kMenuHotEnd = 20;
inline constexpr int kHotBorder = 21;
inline constexpr int kMenuCheckStart = 22;
inline constexpr int kMenuCheckEnd = 23;
inline constexpr int kMenuCheckHotStart = 24;
inline constexpr int kMenuCheckHotEnd = 25;
inline constexpr int kMenuIconDisabled = 26;
inline constexpr int kSeparatorLight = 27;
inline constexpr int kSeparatorDark = 28;
inline constexpr int kBarBackStart = 29;
inline constexpr int kBarBackEnd = 30;

inline constexpr int kFirst = 1;
inline constexpr int kLast = 30;
// Ids 0 and 31 are accepted everywhere but belong to no element.
inline constexpr int kSlotCount = 32;
}  // namespace colour_element

// Name of an element, for diagnostics and swatches ("ToolbarText", ...); "" outside 1..30.
std::wstring_view ColourElementName(int id);

// System colour indices the formulas read.
namespace system_colour {
inline constexpr int kMenu = 4;
inline constexpr int kWindow = 5;
inline constexpr int kWindowText = 8;
inline constexpr int kHighlight = 13;
inline constexpr int kHighlightText = 14;
inline constexpr int kButtonFace = 15;
inline constexpr int kButtonShadow = 16;
inline constexpr int kGrayText = 17;
inline constexpr int kButtonHighlight = 20;
inline constexpr int kDarkShadow = 21;
inline constexpr int kLight = 22;
}  // namespace system_colour

class ColourTranslator {
public:
    virtual ~ColourTranslator() = default;
    // System colour `index` read directly.
    virtual Colour SystemColour(int index) const = 0;
    // An OLE colour as plain RGB; -1 when it cannot be translated.
    virtual Colour Translate(Colour colour) const = 0;
};

class StylePalette {
public:
    StylePalette() { Initialise(); }

    // Style 1, high colour, no custom colours. The scheme is left as it is.
    void Initialise();

    // Values outside 0..3 are stored as given and painted like style 0.
    std::int32_t Style() const noexcept { return style_; }
    void SetStyle(std::int32_t style) noexcept { style_ = style; }

    ColourScheme Scheme() const noexcept { return scheme_; }
    void SetScheme(ColourScheme scheme) noexcept { scheme_ = scheme; }

    bool IsHighColour() const noexcept { return highColour_; }
    void SetHighColour(bool highColour) noexcept { highColour_ = highColour; }

    // Ids 0..31; any other id raises error 9.
    Colour CustomColour(int id) const;
    void SetCustomColour(int id, Colour colour);
    bool IsUsingStyleColour(int id) const;

    // The colour the element has without its own custom colour (custom colours of the elements it
    // derives from still count). Ids 0 and 31 give 0.
    Colour StyleColour(int id, const ColourTranslator& desktop) const;

    // The element's current colour: plain RGB or -1. A custom colour comes first and is translated,
    // except for elements 2, 26 and 28, which hand it back as stored. Ids 0 and 31 give 0.
    Colour ElementColour(int id, const ColourTranslator& desktop) const;

private:
    Colour Formula(int id, const ColourTranslator& desktop) const;

    std::int32_t style_ = 1;
    ColourScheme scheme_ = ColourScheme::None;
    bool highColour_ = true;
    std::array<Colour, colour_element::kSlotCount> custom_{};
};

}  // namespace core
