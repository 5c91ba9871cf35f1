#include "win/dib_surface.h"

#include <gtest/gtest.h>

#include "support/gui_resources.h"

namespace {

using win::DibSurface;

TEST(DibSurface, GdiDrawingAndPixelsMeetInTheChosenRowOrder) {
    for (auto order : {DibSurface::RowOrder::TopDown, DibSurface::RowOrder::BottomUp}) {
        DibSurface surface;
        ASSERT_TRUE(surface.Create(3, 2, order));
        EXPECT_EQ(surface.Pixels()[0], 0u) << "new pixels are zero";
        ::SetPixelV(surface.Dc(), 1, 0, RGB(1, 2, 3));  // top row
        const std::size_t index = order == DibSurface::RowOrder::TopDown ? 1 : 4;
        EXPECT_EQ(surface.Pixels()[index], 0x010203u);

        DibSurface target;
        ASSERT_TRUE(target.Create(5, 5));
        surface.CopyTo(target.Dc(), 2, 2);
        EXPECT_EQ(::GetPixel(target.Dc(), 3, 2), RGB(1, 2, 3));
    }
}

TEST(DibSurface, ResizeReusesAMoveHandsOverAndNothingLeaks) {
    const unsigned before = testing_support::GdiObjectCount();
    {
        DibSurface surface;
        EXPECT_FALSE(surface.Create(0, 5));
        EXPECT_FALSE(surface.Create(0x10000, 0x10000)) << "beyond 2 GB";
        ASSERT_TRUE(surface.Resize(4, 4));
        const HDC dc = surface.Dc();
        ASSERT_TRUE(surface.Resize(4, 4));
        EXPECT_EQ(surface.Dc(), dc) << "same size: same surface";
        ASSERT_TRUE(surface.Resize(8, 4));
        EXPECT_EQ(surface.Width(), 8);

        DibSurface moved = std::move(surface);
        EXPECT_FALSE(surface);
        EXPECT_EQ(moved.Width(), 8);
        moved = DibSurface();
        EXPECT_FALSE(moved);

        ASSERT_TRUE(moved.Create(2, 2));
        win::UniqueBitmap kept(moved.Release());
        BITMAP info{};
        EXPECT_EQ(::GetObjectW(kept.get(), sizeof(info), &info), static_cast<int>(sizeof(info)));
        EXPECT_FALSE(moved);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
