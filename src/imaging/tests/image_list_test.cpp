#include "imaging/image_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/runtime_error.h"
#include "support/canvas.h"
#include "support/gui_resources.h"
#include "support/test_icons.h"
#include "win/module.h"

namespace imaging {
namespace {

using testing_support::Canvas;

constexpr COLORREF kWhiteRef = RGB(255, 255, 255);

win::UniqueIcon Solid(std::uint32_t argb) { return testing_support::MakeSolidIcon(16, 16, argb); }

// The colour the image draws with at its centre, on white.
COLORREF CentreColour(const ImageList& list, const core::ItemRef& image) {
    Canvas canvas(16, 16);
    list.DrawImage(image, canvas.dc(), 0, 0);
    return canvas.Pixel(8, 8);
}

int ErrorNumber(const std::function<void()>& body) {
    try {
        body();
    } catch (const core::RuntimeError& e) {
        EXPECT_EQ(e.Source(), core::ErrorSource(L".zentImageList"));
        return e.Number();
    }
    return 0;
}

class ImageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.ColourDepth = 32;
        ASSERT_TRUE(list_.Create());
    }
    // Three keyed images: red "A", green "B", blue "C".
    void AddThree() {
        ASSERT_TRUE(list_.AddFromHandle(red_.get(), ImageType::Icon, L"A"));
        ASSERT_TRUE(list_.AddFromHandle(green_.get(), ImageType::Icon, L"B"));
        ASSERT_TRUE(list_.AddFromHandle(blue_.get(), ImageType::Icon, L"C"));
    }
    ImageList list_;
    win::UniqueIcon red_ = Solid(0xFFFF0000u);
    win::UniqueIcon green_ = Solid(0xFF00FF00u);
    win::UniqueIcon blue_ = Solid(0xFF0000FFu);
};

TEST_F(ImageListTest, CreateFollowsTheSizeAndDepth) {
    EXPECT_NE(list_.Handle(), nullptr);
    EXPECT_EQ(list_.ImageCount(), 0);
    int cx = 0, cy = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(list_.Handle(), &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    win::WindowDc screen(nullptr);
    EXPECT_EQ(ImageList::SystemColourDepth(), ::GetDeviceCaps(screen.get(), BITSPIXEL));
    EXPECT_GT(ImageList::SystemColourDepth(), 8);
    list_.IconSizeX = list_.IconSizeY = 32;
    ASSERT_TRUE(list_.Clear());
    ASSERT_TRUE(::ImageList_GetIconSize(list_.Handle(), &cx, &cy));
    EXPECT_EQ(cx, 32);
    list_.Destroy();
    EXPECT_EQ(list_.Handle(), nullptr);
    EXPECT_EQ(list_.ImageCount(), 0);
    EXPECT_FALSE(list_.AddFromHandle(red_.get(), ImageType::Icon, L"A")) << "no list, nothing added";
}

TEST_F(ImageListTest, KeysAndNumbersFindImages) {
    AddThree();
    EXPECT_EQ(list_.ImageCount(), 3);
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"B")), 2);
    EXPECT_EQ(list_.ItemIndex(3), 3);
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"b")), -1) << "keys are case-sensitive";
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"missing")), -1);
    EXPECT_TRUE(list_.KeyExists(L"C"));
    EXPECT_FALSE(list_.KeyExists(L"D"));
    EXPECT_EQ(list_.ItemKey(1), L"A");
    EXPECT_EQ(ErrorNumber([&] { list_.ItemIndex(0); }), 9);
    EXPECT_EQ(ErrorNumber([&] { list_.ItemIndex(4); }), 9);
    EXPECT_EQ(ErrorNumber([&] { list_.ItemKey(0); }), 9);
    EXPECT_EQ(ErrorNumber([&] { list_.SetItemKey(4, L"X"); }), 9);
    EXPECT_EQ(CentreColour(list_, std::wstring(L"B")), RGB(0, 255, 0));
}

TEST_F(ImageListTest, ADuplicateKeyRaises457AndLeavesTheImageUnkeyed) {
    AddThree();
    EXPECT_EQ(ErrorNumber([&] { list_.AddFromHandle(red_.get(), ImageType::Icon, L"B"); }), 457);
    EXPECT_EQ(list_.ImageCount(), 4);
    EXPECT_EQ(list_.ItemKey(4), L"");
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"B")), 2);
    EXPECT_EQ(ErrorNumber([&] { list_.SetItemKey(1, L"C"); }), 457);
    EXPECT_EQ(list_.ItemKey(1), L"A");
    list_.SetItemKey(1, L"A");  // its own key again is fine
    list_.SetItemKey(4, L"D");
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"D")), 4);
    // Keys without a name never clash.
    EXPECT_TRUE(list_.AddFromHandle(red_.get(), ImageType::Icon));
    EXPECT_TRUE(list_.AddFromHandle(red_.get(), ImageType::Icon, L""));
    EXPECT_EQ(list_.ImageCount(), 6);
}

TEST_F(ImageListTest, RemovingTheMiddleOfThree) {
    AddThree();
    list_.RemoveImage(std::wstring(L"B"));
    EXPECT_EQ(list_.ImageCount(), 2);
    EXPECT_EQ(list_.ItemKey(1), L"A");
    EXPECT_EQ(list_.ItemKey(2), L"C");
    EXPECT_EQ(CentreColour(list_, 2), RGB(0, 0, 255));
    EXPECT_EQ(list_.ItemIndex(std::wstring(L"B")), -1);
    EXPECT_EQ(ErrorNumber([&] { list_.RemoveImage(std::wstring(L"B")); }), 9);
    EXPECT_EQ(ErrorNumber([&] { list_.RemoveImage(3); }), 9);
    EXPECT_EQ(list_.ImageCount(), 2);
}

TEST_F(ImageListTest, InsertionAfterAnImage) {
    AddThree();
    win::UniqueIcon black = Solid(0xFF000000u);
    ASSERT_TRUE(
        list_.AddFromHandle(black.get(), ImageType::Icon, L"K", core::kNoColour, core::ItemRef(std::wstring(L"A"))));
    EXPECT_EQ(list_.ItemKey(2), L"K");
    EXPECT_EQ(list_.ItemKey(3), L"B");
    EXPECT_EQ(list_.ItemKey(4), L"C");
    EXPECT_EQ(CentreColour(list_, 1), RGB(255, 0, 0));
    EXPECT_EQ(CentreColour(list_, 2), RGB(0, 0, 0));
    EXPECT_EQ(CentreColour(list_, 3), RGB(0, 255, 0));
    EXPECT_EQ(CentreColour(list_, 4), RGB(0, 0, 255));
    // 0 appends; a key that names no image adds nothing.
    ASSERT_TRUE(list_.AddFromHandle(black.get(), ImageType::Icon, L"Z", core::kNoColour, core::ItemRef(0)));
    EXPECT_EQ(list_.ItemKey(5), L"Z");
    EXPECT_FALSE(
        list_.AddFromHandle(black.get(), ImageType::Icon, L"Y", core::kNoColour, core::ItemRef(std::wstring(L"?"))));
    EXPECT_EQ(list_.ImageCount(), 5);
    // After the last image is the end.
    ASSERT_TRUE(list_.AddFromHandle(red_.get(), ImageType::Icon, L"L", core::kNoColour, core::ItemRef(5)));
    EXPECT_EQ(list_.ItemKey(6), L"L");
}

TEST_F(ImageListTest, BitmapsTakeTheirTopLeftPixelAsTransparentColour) {
    Canvas bitmapCanvas(16, 16, RGB(255, 0, 255));
    ::SetPixelV(bitmapCanvas.dc(), 8, 8, RGB(0, 0, 128));
    // A device-dependent copy, as a loaded bitmap would be.
    win::WindowDc screen(nullptr);
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 16, 16));
    {
        win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
        win::SelectGuard select(dc.get(), bitmap.get());
        ::BitBlt(dc.get(), 0, 0, 16, 16, bitmapCanvas.dc(), 0, 0, SRCCOPY);
    }
    ASSERT_TRUE(list_.AddFromHandle(bitmap.get(), ImageType::Bitmap, L"BMP"));
    Canvas canvas(16, 16, RGB(10, 20, 30));
    list_.DrawImage(std::wstring(L"BMP"), canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.Pixel(8, 8), RGB(0, 0, 128));
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(10, 20, 30)) << "the magenta background is transparent";
}

TEST_F(ImageListTest, ImagesFromResourcesAndPictures) {
    list_.IconSizeX = list_.IconSizeY = 32;
    ASSERT_TRUE(list_.Create());
    ASSERT_TRUE(list_.AddFromResourceID(101, ::GetModuleHandleW(nullptr), ImageType::Icon, L"About"));
    EXPECT_FALSE(list_.AddFromResourceID(999, ::GetModuleHandleW(nullptr), ImageType::Icon, L"None"));
    EXPECT_EQ(list_.ImageCount(), 1);
    Canvas about(32, 32);
    list_.DrawImage(std::wstring(L"About"), about.dc(), 0, 0);
    EXPECT_GT(GetBValue(about.Pixel(16, 4)), 150) << "the blue disc of the about icon";

    // A picture with a yellow background and a red square at (20, 20): only 16 x 16 pixels are taken.
    Canvas picture(64, 64, RGB(255, 255, 0));
    win::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
    const RECT square{20, 20, 30, 30};
    ::FillRect(picture.dc(), &square, red.get());
    ASSERT_TRUE(list_.AddFromDeviceContext(picture.dc(), L"Block", 16, 16));
    Canvas canvas(32, 32, RGB(0, 0, 255));
    list_.DrawImage(std::wstring(L"Block"), canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.Pixel(6, 6), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(0, 0, 255)) << "the back colour is transparent";
    EXPECT_EQ(canvas.Pixel(20, 20), RGB(0, 0, 255)) << "beyond 16 x 16 only back colour";
}

TEST_F(ImageListTest, DrawingStates) {
    AddThree();
    Canvas canvas(64, 16, kWhiteRef);
    list_.DrawImage(std::wstring(L"A"), canvas.dc(), 0, 0, false, false, true);
    const COLORREF disabled = canvas.Pixel(8, 8);
    EXPECT_NE(disabled, RGB(255, 0, 0)) << "disabled is drawn greyed";
    EXPECT_EQ(GetRValue(disabled), GetGValue(disabled)) << "greyed has no hue";
    list_.DrawImage(std::wstring(L"A"), canvas.dc(), 16, 0, true);
    EXPECT_NE(canvas.Pixel(24, 8), RGB(255, 0, 0)) << "selected is blended";
    list_.DrawImage(std::wstring(L"A"), canvas.dc(), 32, 0, false, true, false, core::MakeRgb(0, 0, 255));
    EXPECT_GT(GetBValue(canvas.Pixel(40, 8)), 0) << "cut blends with the dither colour";
    // A key that names nothing draws nothing; another list can be drawn from.
    list_.DrawImage(std::wstring(L"none"), canvas.dc(), 48, 0);
    EXPECT_EQ(canvas.CountOtherThan(kWhiteRef, 48, 0, 64, 16), 0);
    testing_support::OwnedImageList other(16, 16);
    other.Add(blue_.get());
    list_.DrawImage(1, canvas.dc(), 48, 0, false, false, false, core::kNoColour, other.get());
    EXPECT_EQ(canvas.Pixel(56, 8), RGB(0, 0, 255));
}

TEST_F(ImageListTest, SwapAndCopy) {
    AddThree();
    list_.SwapOrCopyImage(1, 3, true);
    EXPECT_EQ(list_.ItemKey(1), L"C");
    EXPECT_EQ(CentreColour(list_, 1), RGB(0, 0, 255));
    EXPECT_EQ(CentreColour(list_, std::wstring(L"A")), RGB(255, 0, 0));
    list_.SwapOrCopyImage(std::wstring(L"B"), 1, false);  // copy B over image 1, keys exchanged
    EXPECT_EQ(CentreColour(list_, 1), RGB(0, 255, 0));
    EXPECT_EQ(CentreColour(list_, 2), RGB(0, 255, 0));
    EXPECT_EQ(list_.ItemKey(1), L"B");
    EXPECT_EQ(list_.ItemKey(2), L"C");
    auto icon = list_.ItemCopyOfIcon(std::wstring(L"B"));
    ASSERT_TRUE(icon);
    EXPECT_FALSE(list_.ItemCopyOfIcon(std::wstring(L"none")));
}

// The centre colour of each image's place in a picture strip.
std::vector<COLORREF> StripColours(const Picture& strip) {
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win::SelectGuard select(dc.get(), strip.Handle());
    std::vector<COLORREF> colours;
    for (int x = 8; x < strip.Width(); x += 16) colours.push_back(::GetPixel(dc.get(), x, 8));
    return colours;
}

TEST_F(ImageListTest, PictureStripOfARange) {
    AddThree();
    const Picture strip =
        list_.ImagePictureStrip(core::ItemRef(std::wstring(L"B")), core::ItemRef(3), core::MakeRgb(1, 2, 3));
    EXPECT_EQ(strip.Height(), 16);
    // Image 1 is outside the range.
    EXPECT_EQ(StripColours(strip), (std::vector<COLORREF>{RGB(1, 2, 3), RGB(0, 255, 0), RGB(0, 0, 255)}));
    EXPECT_EQ(StripColours(list_.ImagePictureStrip(core::ItemRef(2), core::ItemRef(2), core::MakeRgb(1, 2, 3))),
              (std::vector<COLORREF>{RGB(1, 2, 3), RGB(0, 255, 0), RGB(1, 2, 3)}));
    EXPECT_TRUE(list_.ImagePictureStrip(core::ItemRef(3), core::ItemRef(1)).Empty());
    EXPECT_EQ(list_.ImagePictureStrip().Width(), 48);

    ImageList single;
    single.ColourDepth = 32;
    ASSERT_TRUE(single.Create());
    ASSERT_TRUE(single.AddFromHandle(red_.get(), ImageType::Icon));
    EXPECT_EQ(StripColours(single.ImagePictureStrip()), std::vector<COLORREF>{RGB(255, 0, 0)});
}

TEST_F(ImageListTest, KeysStayWithTheirImagesWhenAnExchangeFails) {
    AddThree();
    struct NoIcons {
        NoIcons() {
            testing::SetIconExtractor([](HIMAGELIST, int, UINT) -> HICON { return nullptr; });
        }
        ~NoIcons() { testing::SetIconExtractor(nullptr); }
    };
    win::UniqueIcon black = Solid(0xFF000000u);
    {
        NoIcons failing;
        list_.SwapOrCopyImage(1, 3, true);
        // The new image cannot move up after image 1: it stays last, and its key with it.
        ASSERT_TRUE(list_.AddFromHandle(black.get(), ImageType::Icon, L"K", core::kNoColour, core::ItemRef(1)));
    }
    const std::vector<std::wstring> keys{L"A", L"B", L"C", L"K"};
    const std::vector<COLORREF> colours{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(0, 0, 0)};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(list_.ItemKey(i), keys[i - 1]);
        EXPECT_EQ(CentreColour(list_, i), colours[i - 1]) << i;
    }
}

std::wstring IconFile(const wchar_t* folder, const wchar_t* name) {
    return win::ExecutableDirectory() + L"\\Data\\icons\\" + folder + L"\\" + name + L".ico";
}

TEST(ProgramIcons, EveryFileLoadsAtItsStatedSizeWithAlpha) {
    const wchar_t* names[] = {L"Load_fonts", L"Exit", L"Settings", L"License", L"Home_page", L"Send_mail", L"About"};
    for (auto [folder, size] : {std::pair{L"menu", 16}, std::pair{L"toolbar", 32}}) {
        ImageList list;
        list.IconSizeX = list.IconSizeY = size;
        list.ColourDepth = 32;
        ASSERT_TRUE(list.Create());
        for (const wchar_t* name : names) {
            ASSERT_TRUE(list.AddFromFile(IconFile(folder, name), ImageType::Icon, name)) << folder << "/" << name;
        }
        EXPECT_EQ(list.ImageCount(), 7);
        for (const wchar_t* name : names) {
            auto icon = list.ItemCopyOfIcon(std::wstring(name));
            ICONINFO info{};
            ASSERT_TRUE(::GetIconInfo(icon.get(), &info));
            win::UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
            BITMAP bitmap{};
            ::GetObjectW(colour.get(), sizeof(bitmap), &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size) << name;
            // Some pixels are partly transparent: the alpha channel came through.
            Canvas canvas(size, size, RGB(0, 0, 0));
            list.DrawImage(std::wstring(name), canvas.dc(), 0, 0);
            int opaque = 0, edges = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    if (canvas.Pixel(x, y) != RGB(0, 0, 0)) ++opaque;
                }
            }
            Canvas white(size, size, kWhiteRef);
            list.DrawImage(std::wstring(name), white.dc(), 0, 0);
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    const COLORREF onBlack = canvas.Pixel(x, y), onWhite = white.Pixel(x, y);
                    if (onBlack != onWhite && onBlack != RGB(0, 0, 0) && onWhite != kWhiteRef) ++edges;
                }
            }
            EXPECT_GT(opaque, size * size / 4) << name << " draws something";
            EXPECT_GT(edges, 0) << name << " has soft edges";
        }
    }
    EXPECT_FALSE(ImageList().AddFromFile(IconFile(L"menu", L"Exit"), ImageType::Icon)) << "no list";
}

TEST(ProgramIcons, AMissingFileAddsNothing) {
    ImageList list;
    ASSERT_TRUE(list.Create());
    EXPECT_FALSE(list.AddFromFile(IconFile(L"menu", L"Missing"), ImageType::Icon, L"X"));
    EXPECT_EQ(list.ImageCount(), 0);
    EXPECT_FALSE(list.KeyExists(L"X"));
}

TEST(ImageListHandles, NothingLeaksAcrossCreateAddDrawDestroy) {
    win::UniqueIcon icon = Solid(0xFF123456u);
    Canvas canvas(16, 16);
    const unsigned before = testing_support::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        ImageList list;
        list.ColourDepth = 32;
        list.Create();
        list.AddFromHandle(icon.get(), ImageType::Icon, L"K");
        list.AddFromFile(IconFile(L"menu", L"About"), ImageType::Icon, L"About");
        list.DrawImage(1, canvas.dc(), 0, 0, false, false, true);
        list.DrawImage(2, canvas.dc(), 0, 0, true, true);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
}

}  // namespace
}  // namespace imaging
