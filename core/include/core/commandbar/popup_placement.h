#pragma once
// Where a popup menu opens: next to the item that opened it (below a horizontal bar's item,
// beside a vertical bar's item or a parent menu's item) or at a point, then kept on the monitor's
// work area by flipping to the other side of the item or sliding along it. Screen pixels.

#include <cstdint>

#include "core/centring.h"
#include "core/commandbar/bar_interaction.h"

namespace core::commandbar {

enum class PopupOrigin : std::int32_t {
    Point,
    // The source is itself a popup menu.
    Submenu,
    HorizontalBar,
    VerticalBar,
};

struct PlacementRequest {
    PopupOrigin origin = PopupOrigin::Point;
    // The source item in screen pixels; for Point only `point` counts.
    ScreenRect item;
    ScreenPoint point;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool rightToLeft = false;
    // Submenu: the parent menu's own side; a parent opened to the left makes its submenus open to
    // the left too.
    PopupSide parentSide = PopupSide::None;
    // VerticalBar: Left opens to the right of the item, Right to its left.
    Orientation orientation = Orientation::Top;
    // The system style draws menus flush against their item and without a join line.
    bool systemStyle = false;
};

struct Placement {
    std::int32_t left = 0;
    std::int32_t top = 0;
    PopupSide side = PopupSide::Below;
    std::int32_t joinStart = 0;
    std::int32_t joinLength = 0;
};

// The point whose monitor's work area the popup is fitted to.
ScreenPoint PlacementReference(const PlacementRequest& request);

// The whole placement: initial side and position, fitting into `area` (ignored for a popup at a
// point), and the system style's missing join line.
Placement PlacePopup(const PlacementRequest& request, const ScreenRect& area);

}  // namespace core::commandbar
