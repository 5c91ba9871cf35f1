#include "core/twips.h"

#include <gtest/gtest.h>

#include <limits>

namespace core {

TEST(Twips, ConvertsWithTheRealDpi) {
    EXPECT_EQ(TwipsToPixels(9015, 96), 601);
    EXPECT_EQ(TwipsToPixels(9015, 144), 902);   // 901.5 rounds away from the shrinking side
    EXPECT_EQ(TwipsToPixels(5245, 96), 350);
    EXPECT_EQ(TwipsToPixels(5955 - 5245, 120), 59);
    EXPECT_DOUBLE_EQ(PixelsToTwips(100, 96), 1500.0);
    EXPECT_DOUBLE_EQ(PixelsToTwips(100, 192), 750.0);
    EXPECT_EQ(PointsToPixels(12, 96), 16);
    EXPECT_EQ(PointsToPixels(10, 120), 17);
}

// Stored coordinates convert only where the rounded pixel value fits a 32-bit long; beyond it they
// read as absent rather than overflowing.
TEST(Twips, StoredCoordinatesOutsideTheLongRangeDoNotConvert) {
    struct Case {
        double twips;
        int dpi;
        std::optional<int> pixels;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {1500, 96, 100},
        {-1500, 144, -150},
        {2147483647.0, 1440, 2147483647},
        {2147483647.4, 1440, 2147483647},
        {2147483647.5, 1440, std::nullopt},
        {-2147483648.0, 1440, -2147483647 - 1},
        {-2147483648.5, 1440, std::nullopt},
        {32212254705.0, 96, 2147483647},
        {32212254720.0, 96, std::nullopt},
        {1e30, 96, std::nullopt},
        {-1e30, 96, std::nullopt},
        {infinity, 96, std::nullopt},
        {nan, 96, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TwipsToPixelsInRange(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
        if (c.pixels) {
            EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), *c.pixels) << c.twips;
        }
    }
}

}  // namespace core
