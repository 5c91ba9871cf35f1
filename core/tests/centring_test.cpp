#include "core/centring.h"

#include <gtest/gtest.h>

namespace {

using core::CentredWithin;
using core::ScreenPoint;
using core::ScreenRect;

// A second monitor left of the primary one, as a user with the main window there has it.
constexpr ScreenRect kLeftWork{-1920, 0, 0, 1040};
constexpr ScreenRect kPrimaryWork{0, 0, 1280, 984};

TEST(Centring, CentresOnTheOwnerInsideTheOwnersWorkAreaWhereverThatIs) {
    struct Case {
        ScreenRect anchor;
        ScreenRect work;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {{100, 100, 500, 400}, kPrimaryWork, {200, 200}},
        // On the left monitor the window stays there, also against its far edges.
        {{-1500, 200, -900, 600}, kLeftWork, {-1300, 350}},
        {{-1920, -50, -1800, 50}, kLeftWork, {-1920, 0}},
        {{-60, 1000, 200, 1200}, kLeftWork, {-200, 940}},
        // Without an owner the work area is the anchor.
        {kLeftWork, kLeftWork, {-1060, 470}},
        // An owner saved far off screen: the window comes back onto the work area.
        {{2000000000, 2000000000, 2100000000, 2100000000}, kPrimaryWork, {1080, 884}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CentredWithin(c.anchor, 200, 100, c.work), c.expected) << c.anchor.left << "," << c.anchor.top;
    }
    // Larger than the work area: the top left corner stays on it.
    EXPECT_EQ(CentredWithin(kLeftWork, 2500, 1200, kLeftWork), (ScreenPoint{-1920, 0}));
}

}  // namespace
