#pragma once
// The persisted properties of the hyperlink and the progress bar: their names, the values of a new
// instance, and load/save through a property bag. Saving writes every persisted property, so a
// saved control always reads back as it was; the load defaults only fill in what a bag lacks.

#include <cstdint>
#include <string>

#include "core/colour_math.h"
#include "core/controls/progress_bar_state.h"
#include "core/property_bag.h"

namespace core {

inline constexpr Colour kButtonFaceColour = SystemColourRef(0x0F);
inline constexpr Colour kButtonTextColour = SystemColourRef(0x12);
inline constexpr Colour kHighlightColour = SystemColourRef(0x0D);

inline constexpr int kCyrillicCharset = 204;

// What the container offers a control that has no stored font or colours.
struct ContainerAmbient {
    FontDescription font;
    Colour foreColour = kButtonTextColour;
    Colour backColour = kButtonFaceColour;
};

enum class TextAlignment : std::int16_t { Left = 0, Right = 1, Centre = 2 };
enum class BorderStyle : std::int16_t { None = 0, FixedSingle = 1 };

struct HyperLinkProperties {
    bool enabled = true;
    FontDescription font{L"Tahoma", 8.25, false, false, true, false, kCyrillicCharset};
    std::wstring hyperLink = L"https://www.marrowind.ru/";
    std::wstring caption = L"Hyperlink";
    TextAlignment alignment = TextAlignment::Left;
    bool autoSize = true;
    Colour hoverColour = 0x0000FF;
    std::int16_t appearance = 1;
    BorderStyle borderStyle = BorderStyle::None;
    Colour foreColour = kButtonTextColour;
    Colour backColour = kButtonFaceColour;
    bool autoToolTip = true;
    bool soundOn = false;  // not persisted
    bool moUnderline = false;
    bool moPointer = false;
    std::int32_t soundId = 0;  // not persisted

    bool operator==(const HyperLinkProperties&) const = default;
};

void SaveHyperLink(const HyperLinkProperties& properties, PropertyBag& bag);
HyperLinkProperties LoadHyperLink(const PropertyBag& bag, const ContainerAmbient& ambient);

// The hyperlink's target is stored without surrounding blanks.
std::wstring TrimBlanks(const std::wstring& text);

void SaveProgressBar(const ProgressBarState& state, const FontDescription& font, PropertyBag& bag);
// Stored values go in as they are (no total rule), as a container load does.
void LoadProgressBar(const PropertyBag& bag, const ContainerAmbient& ambient, ProgressBarState& state, FontDescription& font);

}  // namespace core
