#include "core/commandbar/popup_placement.h"

#include <gtest/gtest.h>

namespace core::commandbar {

namespace {

struct PlacementCase {
    const char* name;
    PopupOrigin origin;
    // For a menu at a point: the point is its top-left corner.
    ScreenRect item;
    PopupSide parentSide;
    Orientation orientation;
    bool rightToLeft;
    bool systemStyle;
    Placement expected;
};

// A 100 × 200 menu on a 1000 × 800 work area.
TEST(PopupPlacementTest, PopupsOpenBesideTheirItemAndFlipOrSlideToStayOnTheWorkArea) {
    constexpr auto H = PopupOrigin::HorizontalBar;
    constexpr auto V = PopupOrigin::VerticalBar;
    constexpr auto S = PopupOrigin::Submenu;
    constexpr auto P = PopupOrigin::Point;
    constexpr auto none = PopupSide::None;
    constexpr auto top = Orientation::Top;
    const PlacementCase cases[] = {
        {"drop-down", H, {10, 0, 60, 20}, none, top, false, false, {11, 18, PopupSide::Below, 11, 48}},
        {"drop-down near the bottom", H, {10, 700, 60, 720}, none, top, false, false,
         {11, 502, PopupSide::Above, 11, 48}},
        {"drop-down past the right", H, {950, 0, 1000, 20}, none, top, false, false,
         {900, 18, PopupSide::Below, 951, 48}},
        {"right-to-left drop-down", H, {500, 0, 550, 20}, none, top, true, false, {449, 18, PopupSide::Below, 501, 48}},
        {"system style", H, {10, 0, 60, 20}, none, top, false, true, {10, 20, PopupSide::Below, -3000, 0}},
        {"submenu past the right", S, {901, 100, 999, 119}, none, top, false, false, {802, 99, PopupSide::Left, 0, 0}},
        {"submenu of a left submenu", S, {803, 150, 901, 169}, PopupSide::Left, top, false, false,
         {704, 149, PopupSide::Left, 0, 0}},
        {"submenu past the bottom", S, {100, 700, 199, 719}, none, top, false, false,
         {198, 600, PopupSide::Right, 0, 0}},
        {"right-hand bar at the left edge", V, {0, 100, 30, 130}, none, Orientation::Right, false, false,
         {28, 101, PopupSide::Right, 101, 28}},
        {"left-hand bar at the right edge", V, {950, 100, 1000, 130}, none, Orientation::Left, false, false,
         {852, 101, PopupSide::Left, 101, 28}},
        {"context menu at the corner", P, {950, 750, 0, 0}, none, top, false, false, {950, 750, PopupSide::Below, 0, 0}},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.name);
        PlacementRequest request;
        request.origin = c.origin;
        request.item = c.item;
        request.point = {c.item.left, c.item.top};
        request.width = 100;
        request.height = 200;
        request.parentSide = c.parentSide;
        request.orientation = c.orientation;
        request.rightToLeft = c.rightToLeft;
        request.systemStyle = c.systemStyle;
        Placement placement = PlacePopup(request, {0, 0, 1000, 800});
        EXPECT_EQ(placement.left, c.expected.left);
        EXPECT_EQ(placement.top, c.expected.top);
        EXPECT_EQ(placement.side, c.expected.side);
        EXPECT_EQ(placement.joinStart, c.expected.joinStart);
        EXPECT_EQ(placement.joinLength, c.expected.joinLength);
    }
}

}  // namespace

}  // namespace core::commandbar
