#include "core/twips.h"

#include <gtest/gtest.h>

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

}  // namespace core
