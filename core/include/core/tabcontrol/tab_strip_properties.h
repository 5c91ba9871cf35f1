#pragma once
// The tab strip's saved properties, the window style they give the platform tab window, and
// their load and save under the names and defaults a form file uses.

#include <cstdint>
#include <string>

#include "core/property_bag.h"

namespace core {

enum class TabAlignment : std::int32_t { Top = 0, Left = 1, Bottom = 2, Right = 3 };
// The flattened painting: outlines redrawn in one-pixel lines, and with Shaded also the body
// filled and the unselected tabs shaded.
enum class CoolTabsMode : std::int32_t { Off = 0, Outlined = 1, Shaded = 2 };

// A new tab strip's font.
inline const FontDescription kDefaultTabFont{L"MS Sans Serif", 8};

struct TabStripProperties {
    bool hotTrack = false;
    bool buttons = false;
    bool multiLine = false;
    bool rightJustify = false;
    TabAlignment tabAlign = TabAlignment::Top;
    bool flatSeparators = false;
    bool flatButtons = false;
    bool ownerDraw = false;
    CoolTabsMode coolTabs = CoolTabsMode::Off;
    FontDescription font = kDefaultTabFont;
    bool operator==(const TabStripProperties&) const = default;
};

// WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS and the tab styles of the flags. Flat buttons only
// count with buttons; right justification adds no bit.
std::uint32_t TabWindowStyle(const TabStripProperties& properties);

// Missing or unreadable values take their defaults.
TabStripProperties ReadTabStripProperties(const PropertyBag& bag);
void WriteTabStripProperties(const TabStripProperties& properties, PropertyBag& bag);

}  // namespace core
