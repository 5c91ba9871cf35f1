#include "imaging/alpha_dib_section.h"

#include <gtest/gtest.h>

#include "core/colour_math.h"
#include "support/canvas.h"
#include "support/gui_resources.h"

namespace imaging {
namespace {

using testing_support::Canvas;

// Pixel (x, y) counted from the top, in a bottom-up section: blue, green, red, alpha.
const std::uint8_t* PixelAt(const AlphaDibSection& dib, int x, int y) {
    ::GdiFlush();
    return dib.DIBSectionBitsPtr() + (dib.Height() - 1 - y) * dib.BytesPerScanLine() + x * 4;
}

COLORREF PictureColour(const Picture& picture, int x, int y) {
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win::SelectGuard select(dc.get(), picture.Handle());
    return ::GetPixel(dc.get(), x, y);
}

TEST(AlphaDibSection, CreateGivesA32BitBottomUpSection) {
    AlphaDibSection dib;
    EXPECT_EQ(dib.hdc(), nullptr);
    ASSERT_TRUE(dib.Create(5, 3));
    EXPECT_NE(dib.hdc(), nullptr);
    EXPECT_NE(dib.Bitmap(), nullptr);
    EXPECT_EQ(dib.Width(), 5);
    EXPECT_EQ(dib.Height(), 3);
    EXPECT_EQ(dib.BytesPerScanLine(), 20);
    DIBSECTION info{};
    ASSERT_EQ(::GetObjectW(dib.Bitmap(), sizeof(info), &info), static_cast<int>(sizeof(info)));
    EXPECT_EQ(info.dsBmih.biBitCount, 32);
    EXPECT_GT(info.dsBmih.biHeight, 0);
    ::SetPixelV(dib.hdc(), 1, 0, RGB(10, 20, 30));
    const std::uint8_t* p = PixelAt(dib, 1, 0);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    EXPECT_EQ(p, dib.DIBSectionBitsPtr() + 2 * 20 + 4) << "the top row is last in memory";

    EXPECT_FALSE(dib.Create(0, 10));
    EXPECT_EQ(dib.hdc(), nullptr) << "a failed create leaves the object empty";
    EXPECT_EQ(dib.Width(), 0);
}

// A screen-compatible bitmap, selected into no device context, filled with `colour` and one blue
// pixel at (5, 3).
win::UniqueBitmap MakeBitmap(int width, int height, COLORREF colour) {
    win::WindowDc screen(nullptr);
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    win::SelectGuard select(dc.get(), bitmap.get());
    win::UniqueBrush brush(::CreateSolidBrush(colour));
    const RECT all{0, 0, width, height};
    ::FillRect(dc.get(), &all, brush.get());
    ::SetPixelV(dc.get(), 5, 3, RGB(0, 0, 255));
    return bitmap;
}

TEST(AlphaDibSection, CopiesFromABitmapAndHandsBackIndependentPictures) {
    const win::UniqueBitmap source = MakeBitmap(6, 4, RGB(200, 40, 40));
    AlphaDibSection dib;
    ASSERT_TRUE(dib.CreateFromHBitmap(source.get()));
    EXPECT_EQ(dib.Width(), 6);
    EXPECT_EQ(dib.Height(), 4);
    EXPECT_EQ(::GetPixel(dib.hdc(), 5, 3), RGB(0, 0, 255));
    EXPECT_EQ(::GetPixel(dib.hdc(), 0, 0), RGB(200, 40, 40));

    const Picture before = dib.Picture();
    ASSERT_FALSE(before.Empty());
    EXPECT_EQ(before.Width(), 6);
    EXPECT_NE(before.Handle(), dib.Bitmap());
    dib.AdjustHLS(85, -1, 0.0f);  // recolour to yellow
    EXPECT_EQ(::GetPixel(dib.hdc(), 0, 0), RGB(200, 200, 40));
    EXPECT_EQ(PictureColour(before, 0, 0), RGB(200, 40, 40)) << "the earlier picture is a copy";
    EXPECT_EQ(PictureColour(before, 5, 3), RGB(0, 0, 255));

    AlphaDibSection again;
    ASSERT_TRUE(again.CreateFromPicture(before));
    EXPECT_EQ(::GetPixel(again.hdc(), 5, 3), RGB(0, 0, 255));

    // A bitmap selected elsewhere cannot be read: the section says so instead of staying black.
    Canvas selected(4, 4, RGB(1, 2, 3));
    AlphaDibSection refused;
    EXPECT_FALSE(refused.CreateFromHBitmap(selected.bitmap()));
    EXPECT_EQ(refused.hdc(), nullptr);
    // Nor does it keep a blank section when no DC can be had to read the bitmap through.
    testing::SetMemoryDcMaker([](HDC) -> HDC { return nullptr; });
    const bool createdWithoutDc = refused.CreateFromHBitmap(source.get());
    testing::SetMemoryDcMaker(nullptr);
    EXPECT_FALSE(createdWithoutDc);
    EXPECT_EQ(refused.hdc(), nullptr);
    EXPECT_EQ(refused.Width(), 0);

    AlphaDibSection empty;
    EXPECT_TRUE(empty.Picture().Empty());
    EXPECT_FALSE(empty.CreateFromHBitmap(nullptr));
}

TEST(AlphaDibSection, LoadPictureBltCopiesAPartOrTheWhole) {
    Canvas source(20, 20, RGB(0, 0, 0));
    ::SetPixelV(source.dc(), 12, 7, RGB(255, 255, 0));
    AlphaDibSection dib;
    ASSERT_TRUE(dib.Create(8, 8));
    dib.LoadPictureBlt(source.dc(), 10, 5, 4, 4);
    EXPECT_EQ(::GetPixel(dib.hdc(), 2, 2), RGB(255, 255, 0));
    dib.LoadPictureBlt(source.dc(), 5, 0);
    EXPECT_EQ(::GetPixel(dib.hdc(), 7, 7), RGB(255, 255, 0));
    dib.LoadPictureBlt(source.dc(), 0, 0, -1, -1, BLACKNESS);
    EXPECT_EQ(::GetPixel(dib.hdc(), 7, 7), RGB(0, 0, 0));
}

TEST(AlphaDibSection, AdjustHlsCases) {
    AlphaDibSection dib;
    ASSERT_TRUE(dib.Create(2, 1));
    ::SetPixelV(dib.hdc(), 0, 0, RGB(200, 40, 40));
    ::SetPixelV(dib.hdc(), 1, 0, RGB(100, 100, 100));
    ::GdiFlush();
    dib.DIBSectionBitsPtr()[3] = 77;  // alpha of the bottom-up first pixel

    dib.AdjustHLS(-1, -1, 0.5f);
    EXPECT_EQ(::GetPixel(dib.hdc(), 0, 0), RGB(200, 40, 40)) << "both -1: nothing changes";
    EXPECT_EQ(::GetPixel(dib.hdc(), 1, 0), RGB(100, 100, 100));

    dib.AdjustHLS(-1, 128, 0.0f);
    EXPECT_EQ(::GetPixel(dib.hdc(), 0, 0), RGB(180, 60, 60)) << "only the saturation";
    ::GdiFlush();
    EXPECT_EQ(dib.DIBSectionBitsPtr()[3], 77) << "alpha is left alone";

    dib.AdjustHLS(-1, 0, -0.5f);
    EXPECT_EQ(::GetPixel(dib.hdc(), 1, 0), RGB(50, 50, 50)) << "luminance halved";
}

TEST(AlphaDibSection, PaintsPlainAndBlended) {
    AlphaDibSection dib;
    ASSERT_TRUE(dib.Create(4, 4));
    ::GdiFlush();
    std::uint8_t* bits = dib.DIBSectionBitsPtr();
    for (int i = 0; i < 16; ++i) {
        bits[i * 4] = 200;  // blue
        bits[i * 4 + 1] = 0;
        bits[i * 4 + 2] = 0;
        bits[i * 4 + 3] = 128;
    }
    Canvas plain(8, 8, RGB(255, 255, 255));
    dib.PaintPicture(plain.dc(), 2, 2);
    EXPECT_EQ(plain.Pixel(2, 2), RGB(0, 0, 200));
    EXPECT_EQ(plain.Pixel(6, 6), RGB(255, 255, 255));
    dib.PaintPicture(plain.dc(), 0, 0, 1, 1, 3, 3, BLACKNESS);
    EXPECT_EQ(plain.Pixel(0, 0), RGB(0, 0, 0));

    dib.PreMultiplyAlpha();
    ::GdiFlush();
    EXPECT_EQ(bits[0], 100);
    Canvas blended(4, 4, RGB(0, 0, 0));
    dib.AlphaPaintPicture(blended.dc());
    EXPECT_NEAR(GetBValue(blended.Pixel(1, 1)), 100, 1);
    Canvas faded(4, 4, RGB(0, 0, 0));
    dib.AlphaPaintPicture(faded.dc(), 0, 0, -1, -1, 0, 0, 128, false);
    EXPECT_NEAR(GetBValue(faded.Pixel(1, 1)), 50, 1);
}

TEST(AlphaDibSection, ExtractDibHandsOverTheBitmap) {
    const unsigned before = testing_support::GdiObjectCount();
    {
        AlphaDibSection dib;
        ASSERT_TRUE(dib.Create(4, 4));
        win::UniqueBitmap owned(dib.ExtractDib());
        EXPECT_NE(owned.get(), nullptr);
        EXPECT_EQ(dib.hdc(), nullptr);
        EXPECT_EQ(dib.Bitmap(), nullptr);
        BITMAP info{};
        EXPECT_TRUE(::GetObjectW(owned.get(), sizeof(info), &info));
        EXPECT_EQ(info.bmWidth, 4);
    }
    for (int i = 0; i < 200; ++i) {
        AlphaDibSection dib;
        dib.Create(16, 16);
        dib.Create(8, 8);
        Picture picture = dib.Picture();
        dib.AdjustHLS(10, 10, 0.1f);
        dib.ClearUp();
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
}  // namespace imaging
