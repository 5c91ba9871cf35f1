#include "core/commandbar/popup_placement.h"

namespace core::commandbar {

namespace {

// The system style has no 1-pixel step in from the item and no 2-pixel overlap with it.
struct Insets {
    std::int32_t d1;
    std::int32_t d2;
};

Insets InsetsFor(const PlacementRequest& request) {
    return request.systemStyle ? Insets{0, 0} : Insets{1, 2};
}

std::int32_t SubmenuLeft(const PlacementRequest& request, PopupSide side) {
    return side == PopupSide::Right ? request.item.right - 1 : request.item.left - request.width + 1;
}

std::int32_t HorizontalReferenceX(const PlacementRequest& request) {
    Insets insets = InsetsFor(request);
    return request.rightToLeft ? request.item.right - insets.d1 : request.item.left + insets.d1;
}

bool OpensToTheRight(const PlacementRequest& request) { return request.orientation != Orientation::Right; }

std::int32_t VerticalReferenceX(const PlacementRequest& request) {
    Insets insets = InsetsFor(request);
    return OpensToTheRight(request) ? request.item.right - insets.d2 : request.item.left + insets.d2;
}

PopupSide SubmenuSide(const PlacementRequest& request) {
    if (request.parentSide == PopupSide::Right || request.parentSide == PopupSide::Left) return request.parentSide;
    return request.rightToLeft ? PopupSide::Left : PopupSide::Right;
}

Placement InitialPlacement(const PlacementRequest& request) {
    Placement placement;
    Insets insets = InsetsFor(request);
    const ScreenRect& item = request.item;
    switch (request.origin) {
    case PopupOrigin::Point:
        placement.left = request.point.x;
        placement.top = request.point.y;
        break;
    case PopupOrigin::Submenu:
        placement.side = SubmenuSide(request);
        placement.left = SubmenuLeft(request, placement.side);
        placement.top = item.top - 1;
        break;
    case PopupOrigin::HorizontalBar: {
        std::int32_t x = HorizontalReferenceX(request);
        placement.left = request.rightToLeft ? x - request.width : x;
        placement.top = item.bottom - insets.d2;
        if (request.rightToLeft) {
            placement.joinStart = item.left + 1;
            placement.joinLength = x - placement.joinStart;
        } else {
            placement.joinStart = x;
            placement.joinLength = item.right - 1 - x;
        }
        break;
    }
    case PopupOrigin::VerticalBar: {
        bool toRight = OpensToTheRight(request);
        placement.side = toRight ? PopupSide::Right : PopupSide::Left;
        std::int32_t x = VerticalReferenceX(request);
        placement.top = item.top + insets.d1;
        placement.left = toRight ? x : x - request.width;
        placement.joinStart = placement.top;
        placement.joinLength = item.bottom - 1 - placement.top;
        break;
    }
    }
    return placement;
}

void FitVertically(const PlacementRequest& request, Placement& placement, const ScreenRect& area) {
    std::int32_t bottom = placement.top + request.height;
    if (bottom <= area.bottom && placement.top >= area.top) return;
    if (bottom > area.bottom) {
        if (request.origin == PopupOrigin::Submenu || placement.side == PopupSide::Right ||
            placement.side == PopupSide::Left) {
            placement.top -= bottom - area.bottom;
        } else {
            placement.top = request.item.top + 2 - request.height;
            placement.side = PopupSide::Above;
        }
    }
    if (placement.top < area.top) placement.top = area.top;
}

void FlipSubmenu(const PlacementRequest& request, Placement& placement) {
    placement.side = placement.side == PopupSide::Right ? PopupSide::Left : PopupSide::Right;
    placement.left = SubmenuLeft(request, placement.side);
}

void FitHorizontally(const PlacementRequest& request, Placement& placement, const ScreenRect& area) {
    std::int32_t right = placement.left + request.width;
    if (right <= area.right && placement.left >= area.left) return;
    bool submenu = request.origin == PopupOrigin::Submenu;
    if (right > area.right) {
        if (submenu) {
            FlipSubmenu(request, placement);
        } else if (placement.side == PopupSide::Below || placement.side == PopupSide::Above) {
            placement.left -= right - area.right;
        } else if (placement.side == PopupSide::Right) {
            placement.left = request.item.left + 2 - request.width;
            placement.side = PopupSide::Left;
        }
        return;
    }
    if (submenu) {
        FlipSubmenu(request, placement);
    } else if (placement.side == PopupSide::Left) {
        placement.left = request.item.right - 2;
        placement.side = PopupSide::Right;
    }
}

}  // namespace

ScreenPoint PlacementReference(const PlacementRequest& request) {
    switch (request.origin) {
    case PopupOrigin::Point:
        return request.point;
    case PopupOrigin::Submenu:
        return {SubmenuSide(request) == PopupSide::Right ? request.item.right : request.item.left, request.item.top};
    case PopupOrigin::HorizontalBar:
        return {HorizontalReferenceX(request), request.item.bottom - InsetsFor(request).d2};
    case PopupOrigin::VerticalBar:
        break;
    }
    return {VerticalReferenceX(request), request.item.top + InsetsFor(request).d1};
}

Placement PlacePopup(const PlacementRequest& request, const ScreenRect& area) {
    Placement placement = InitialPlacement(request);
    if (request.origin != PopupOrigin::Point) {
        FitVertically(request, placement, area);
        FitHorizontally(request, placement, area);
    }
    if (request.systemStyle) {
        placement.joinStart = -3000;
        placement.joinLength = 0;
    }
    return placement;
}

}  // namespace core::commandbar
