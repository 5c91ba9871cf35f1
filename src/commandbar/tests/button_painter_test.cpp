#include "commandbar/button_painter.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_image_list.h"
#include "core/commandbar/button_record.h"
#include "commandbar/drawing_utilities.h"
#include "support/gui_resources.h"
#include "support/test_icons.h"
#include "win/dib_surface.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace commandbar {
namespace {

namespace el = core::colour_element;
using core::ColourStyle;
using core::commandbar::BarPaintState;
using core::commandbar::ButtonPaintState;
using core::commandbar::ButtonStyle;

constexpr COLORREF kBackground = RGB(200, 100, 50);

class ButtonPainter : public ::testing::Test {
protected:
    void SetUp() override {
        DetectPlatform();
        platform_ = Platform();
        InitialiseColours();
        DetectDisplaySettings(::GetDesktopWindow());
        ASSERT_TRUE(surface_.Create(240, 60));
        Clear();
        font_.reset(::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        auto icon = testing_support::MakeSolidIcon(16, 16, 0xFF2040A0u);
        list_.Add(icon.get());
        images_.InitialiseFromHandle(list_.get());
        tools_ = ButtonPaintTools{surface_.Dc(), font_.get(), &images_, nullptr};
    }
    void TearDown() override {
        SetPlatform(platform_);
        InitialiseColours();
    }

    void Clear() { FillGradient(surface_.Dc(), kBackground, kBackground, 0, 0, 240, 60, false); }
    COLORREF Pixel(int x, int y) const {
        const std::uint32_t p = surface_.Pixels()[static_cast<std::size_t>(y) * surface_.Width() + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    static COLORREF Element(int id) { return win::ToColorRef(GetElementColour(id)); }
    // Gradients may round their first row by a step.
    static bool Near(COLORREF a, COLORREF b) {
        return std::abs(GetRValue(a) - GetRValue(b)) <= 4 && std::abs(GetGValue(a) - GetGValue(b)) <= 4 &&
               std::abs(GetBValue(a) - GetBValue(b)) <= 4;
    }
    int CountOtherThan(COLORREF colour, int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += Pixel(x, y) != colour;
        }
        return count;
    }
    int CountChanged() const { return CountOtherThan(kBackground, 0, 0, surface_.Width(), surface_.Height()); }

    static BarPaintState Menu() {
        BarPaintState bar;
        bar.sizeStyle = core::commandbar::SizeStyle::PopupMenu;
        bar.size = 200;
        bar.height = 24;
        bar.iconWidth = bar.iconHeight = 16;
        return bar;
    }
    static BarPaintState Toolbar(int left, int top, int size, int height, core::commandbar::Orientation orientation = core::commandbar::Orientation::Top) {
        BarPaintState bar;
        bar.left = left;
        bar.top = top;
        bar.size = size;
        bar.height = height;
        bar.orientation = orientation;
        bar.toolbarSize = height;
        bar.iconWidth = bar.iconHeight = 16;
        return bar;
    }
    static ButtonPaintState Item(const wchar_t* caption) {
        ButtonPaintState button;
        button.caption = caption;
        return button;
    }

    core::PlatformCapabilities platform_;
    win::DibSurface surface_;
    win::UniqueFont font_;
    testing_support::OwnedImageList list_{16, 16};
    CommandBarImageList images_;
    ButtonPaintTools tools_;
};

TEST_F(ButtonPainter, MenuItemHighlightsWithHotOrMenuColoursAndHotBorder) {
    SetStyle(static_cast<int>(ColourStyle::Dark));  // solid colours: every pixel is known
    BarPaintState bar = Menu();
    bar.mouseOverButton = true;
    ButtonPaintState item = Item(L"&Открыть");
    PaintButton(tools_, bar, item);
    EXPECT_EQ(Pixel(150, 6), Element(el::kMenuHotStart));
    EXPECT_EQ(Pixel(2, 12), Element(el::kHotBorder));
    EXPECT_EQ(Pixel(197, 23), Element(el::kHotBorder));
    EXPECT_EQ(Pixel(1, 12), kBackground);
    EXPECT_EQ(CountChanged(), 196 * 23);
    EXPECT_GT(CountOtherThan(Element(el::kMenuHotStart), 32, 4, 100, 20), 20) << "the caption";

    // Disabled under the mouse: nothing, unless the menus are driven from the keyboard.
    Clear();
    item.enabled = false;
    PaintButton(tools_, bar, item);
    EXPECT_EQ(Pixel(150, 6), kBackground);
    bar.keyboardDriven = true;
    PaintButton(tools_, bar, item);
    EXPECT_EQ(Pixel(150, 6), Element(el::kMenuBackStart));
    EXPECT_EQ(Pixel(2, 12), Element(el::kHotBorder));
}

TEST_F(ButtonPainter, CheckedToolbarButtonTurnsPressedWhenHovered) {
    ASSERT_EQ(GetStyle(), static_cast<int>(ColourStyle::Themed));
    BarPaintState bar = Toolbar(10, 10, 40, 30);
    ButtonPaintState button;
    button.style = ButtonStyle::Check;
    button.checked = true;
    button.iconIndex = 0;
    PaintButton(tools_, bar, button);
    // Fill and outline share the rectangle (11, 11) 38 x 28.
    EXPECT_TRUE(Near(Pixel(12, 12), Element(el::kButtonCheckedStart)));
    EXPECT_EQ(Pixel(11, 25), Element(el::kHotBorder));
    EXPECT_EQ(Pixel(48, 25), Element(el::kHotBorder));
    EXPECT_EQ(Pixel(30, 11), Element(el::kHotBorder));
    EXPECT_EQ(Pixel(10, 25), kBackground);
    EXPECT_EQ(Pixel(14 + 8, 17 + 8), RGB(0x20, 0x40, 0xA0)) << "the icon";

    bar.mouseOverButton = true;
    PaintButton(tools_, bar, button);
    EXPECT_TRUE(Near(Pixel(12, 12), Element(el::kButtonPressedStart)));
    EXPECT_FALSE(Near(Element(el::kButtonPressedStart), Element(el::kButtonCheckedStart)));

    // The same button as a bar's painting pass hands it over: a record and the draw parameters.
    Clear();
    core::commandbar::ButtonRecord record(L"check");
    record.SetStyle(ButtonStyle::Check);
    record.SetChecked(true);
    record.SetIconIndex(0);
    core::commandbar::DrawButtonParams params;
    params.hdc = reinterpret_cast<std::uintptr_t>(surface_.Dc());
    params.font = reinterpret_cast<std::uintptr_t>(font_.get());
    params.imageList = reinterpret_cast<std::uintptr_t>(&images_);
    params.iconWidth = params.iconHeight = 16;
    params.sizeStyle = core::commandbar::SizeStyle::Toolbar;
    params.left = params.top = 10;
    params.size = 40;
    params.height = params.toolbarSize = 30;
    Win32ButtonPainter painter;
    painter.Paint(record, params);
    EXPECT_TRUE(Near(Pixel(12, 12), Element(el::kButtonCheckedStart)));
    EXPECT_EQ(Pixel(14 + 8, 17 + 8), RGB(0x20, 0x40, 0xA0)) << "the icon from the bar's image list";
}

TEST_F(ButtonPainter, SeparatorsDrawTwoLinesButNothingThemedWithoutVisualStyles) {
    ButtonPaintState separator;
    separator.style = ButtonStyle::Separator;
    separator.active = false;
    PaintButton(tools_, Toolbar(60, 10, 8, 30), separator);
    EXPECT_EQ(Pixel(63, 20), Element(el::kSeparatorDark));
    EXPECT_EQ(Pixel(64, 21), Element(el::kSeparatorLight));
    EXPECT_EQ(Pixel(63, 13), kBackground);
    EXPECT_EQ(Pixel(62, 20), kBackground);

    Clear();
    SetStyle(static_cast<int>(ColourStyle::System));
    core::PlatformCapabilities old = platform_;
    old.isXpOrLater = false;
    SetPlatform(old);
    PaintButton(tools_, Toolbar(60, 10, 8, 30), separator);
    PaintButton(tools_, Toolbar(60, 10, 40, 8, core::commandbar::Orientation::Left), separator);
    EXPECT_EQ(CountChanged(), 0);
}

TEST_F(ButtonPainter, ColourBoxIsASwatchInMenusAndToolbars) {
    ButtonPaintState swatch;
    swatch.colourBox = core::MakeRgb(0, 160, 0);
    PaintButton(tools_, Menu(), swatch);                       // box at (5, 4)
    PaintButton(tools_, Toolbar(100, 30, 24, 24), swatch);     // box at (104, 34)
    for (const POINT origin : {POINT{5, 4}, POINT{104, 34}}) {
        EXPECT_EQ(Pixel(origin.x + 7, origin.y + 7), RGB(0, 160, 0));
        EXPECT_EQ(Pixel(origin.x, origin.y + 7), Element(el::kMenuBorder));
        EXPECT_EQ(Pixel(origin.x + 14, origin.y + 14), Element(el::kMenuBorder));
        EXPECT_EQ(Pixel(origin.x + 15, origin.y + 7), kBackground);
    }
}

TEST_F(ButtonPainter, VerticalBarArrowPointsLeftAlongTheBottom) {
    ButtonPaintState button;
    button.hasSubBar = true;
    button.showDropDownInToolbar = true;
    // Cell (1, 28) 28 x 11, centred on (15, 33).
    PaintButton(tools_, Toolbar(0, 0, 30, 40, core::commandbar::Orientation::Left), button);
    const COLORREF arrow = Element(el::kToolbarText);
    EXPECT_EQ(Pixel(16, 31), arrow);
    EXPECT_EQ(Pixel(16, 35), arrow);
    EXPECT_EQ(Pixel(14, 33), arrow);
    EXPECT_EQ(Pixel(13, 32), kBackground);
    EXPECT_EQ(Pixel(15, 30), kBackground);
}

TEST_F(ButtonPainter, PanelPlacesItsControlAndHidesItWhenHidden) {
    win::UniqueWindow bar(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 100, 300, 40, nullptr, nullptr,
                                            nullptr, nullptr));
    win::UniqueWindow control(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 10, 20, bar.get(), nullptr,
                                                nullptr, nullptr));
    tools_.barWindow = bar.get();
    ButtonPaintState panel;
    panel.style = ButtonStyle::Panel;
    panel.panelControl = ToHandle(control.get());
    panel.active = false;
    PaintButton(tools_, Toolbar(10, 0, 60, 30), panel);
    RECT placed{};
    ::GetWindowRect(control.get(), &placed);
    ::MapWindowPoints(HWND_DESKTOP, bar.get(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 11);
    EXPECT_EQ(placed.top, 5);
    EXPECT_EQ(placed.right - placed.left, 58);
    EXPECT_TRUE(::GetWindowLongPtrW(control.get(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(CountChanged(), 0) << "a panel in a horizontal bar paints nothing itself";

    BarPaintState hidden = Toolbar(10, 0, 60, 30);
    hidden.hidden = true;
    PaintButton(tools_, hidden, panel);
    EXPECT_FALSE(::GetWindowLongPtrW(control.get(), GWL_STYLE) & WS_VISIBLE);
    control.reset();
    PaintButton(tools_, Toolbar(10, 0, 60, 30), panel);  // a control that is gone is ignored
}

TEST_F(ButtonPainter, NoGdiGrowthOverAThousandPaints) {
    win::UniqueFont vertical(::CreateFontW(-11, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                           L"Tahoma"));
    ButtonPaintState item = Item(L"&Сохранить");
    item.shortcutText = L"Ctrl+S";
    item.hasSubBar = true;
    item.checked = true;
    item.iconIndex = 0;
    ButtonPaintState split = Item(L"Назад");
    split.style = ButtonStyle::Split;
    split.showCaptionInToolbar = true;
    split.iconIndex = 0;
    auto paintAll = [&](int round) {
        SetStyle(round % 4);
        BarPaintState menu = Menu();
        menu.mouseOverButton = round % 2 == 0;
        PaintButton(tools_, menu, item);
        BarPaintState toolbar = Toolbar(0, 24, 80, 30);
        toolbar.mouseOverButton = true;
        toolbar.mouseDownButton = round % 3 == 0;
        PaintButton(tools_, toolbar, split);
        ButtonPaintTools rotated = tools_;
        rotated.font = vertical.get();
        PaintButton(rotated, Toolbar(200, 0, 30, 60, core::commandbar::Orientation::Left), split);
    };
    for (int round = 0; round < 8; ++round) paintAll(round);
    const unsigned before = testing_support::GdiObjectCount();
    for (int round = 0; round < 1000; ++round) paintAll(round);
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
    EXPECT_EQ(::GetCurrentObject(surface_.Dc(), OBJ_FONT), ::GetStockObject(SYSTEM_FONT)) << "the font is restored";
}

}  // namespace
}  // namespace commandbar
