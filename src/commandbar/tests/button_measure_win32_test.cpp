#include <windows.h>

#include <gtest/gtest.h>

#include "commandbar/button_platform_win32.h"
#include "commandbar/font_cache.h"
#include "core/commandbar/button_record.h"
#include "core/commandbar/proper_case.h"
#include "support/gui_resources.h"
#include "win/handles.h"

namespace commandbar {

namespace {

using core::commandbar::ButtonRecord;
using core::commandbar::ButtonStyle;
using core::commandbar::MeasureButtonParams;

class RealFontMeasure : public ::testing::Test {
protected:
    // The bar's default font (Tahoma 8.25) from the font cache, as a control measures with it.
    RealFontMeasure() : dc_(::CreateCompatibleDC(nullptr)), font_(fonts_.Font(core::FontDescription{}, 0, dc_.get())) {
        params.hdc = reinterpret_cast<std::uintptr_t>(dc_.get());
        params.font = reinterpret_cast<std::uintptr_t>(font_);
        params.fontFace = L"Tahoma";
        params.fontSize = 8;
        params.iconWidth = 16;
        params.iconHeight = 16;
    }

    SIZE Extent(const std::wstring& text) {
        win::SelectGuard select(dc_.get(), font_);
        RECT area{0, 0, 256, 256};
        ::DrawTextW(dc_.get(), text.c_str(), static_cast<int>(text.size()), &area, DT_CALCRECT | DT_SINGLELINE);
        return SIZE{area.right - area.left, area.bottom - area.top};
    }

    win::UniqueMemoryDc dc_;
    FontCache fonts_;
    HFONT font_;
    MeasureButtonParams params;
    Win32TextMeasurer text;
    Win32KeyboardLayout keyboard;
};

}  // namespace

TEST_F(RealFontMeasure, MenuItemIsCaptionAndTwoSpacesPlus52) {
    ASSERT_TRUE(font_);
    ButtonRecord button(L"OPEN");
    button.SetCaption(L"Открыть файл");
    params.sizeStyle = core::commandbar::SizeStyle::PopupMenu;
    std::int32_t width = button.Measure(params, false, text, keyboard);
    EXPECT_EQ(width, Extent(L"Открыть файл  ").cx + 52);
    EXPECT_GT(Extent(L"Открыть файл  ").cx, Extent(L"Открыть файл").cx);
    EXPECT_EQ(params.height, std::max<LONG>(Extent(L"Xy").cy, 16) + 8);

    ButtonRecord separator(L"SEP");
    separator.SetStyle(ButtonStyle::Separator);
    params.height = 0;
    EXPECT_EQ(separator.Measure(params, false, text, keyboard), 10);
    EXPECT_EQ(params.height, 3);
}

TEST_F(RealFontMeasure, ToolbarButtonsFromRealLineHeights) {
    ButtonRecord button(L"LOAD");
    button.SetIconIndex(0);
    params.sizeStyle = core::commandbar::SizeStyle::Toolbar;
    EXPECT_EQ(button.Measure(params, false, text, keyboard), 24);
    LONG line = Extent(L"Xy").cy;
    EXPECT_EQ(params.height, line < 24 ? 24 : line + 8);

    ButtonRecord separator(L"SEP");
    separator.SetStyle(ButtonStyle::Separator);
    EXPECT_EQ(separator.Measure(params, false, text, keyboard), 8);
}

TEST_F(RealFontMeasure, MeasuringReleasesWhatItSelectsAndCreates) {
    ButtonRecord button(L"B");
    button.SetCaption(L"&Настройки");
    params.sizeStyle = core::commandbar::SizeStyle::PopupMenu;
    button.Measure(params, false, text, keyboard);  // warm up
    unsigned before = testing_support::GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        button.ClearMeasureCache();
        params.height = 0;
        button.Measure(params, false, text, keyboard);
        MeasureButtonParams noDc;
        text.MeasureText(noDc, L"Xy", core::commandbar::kMeasureSingleLine);
    }
    EXPECT_EQ(testing_support::GdiObjectCount(), before);
    EXPECT_EQ(::GetCurrentObject(dc_.get(), OBJ_FONT), ::GetStockObject(SYSTEM_FONT));
}

TEST(PlatformKeys, ShortcutTextsUseTheLayoutsKeyNames) {
    Win32KeyboardLayout keyboard;
    ButtonRecord button(L"B");
    button.SetShortcutKey(VK_F5);
    button.SetShortcutModifiers(core::commandbar::ShortcutModifier::Ctrl | core::commandbar::ShortcutModifier::Shift);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Ctrl+Shift+F5");
    button.SetShortcutKey(VK_DELETE);
    button.SetShortcutModifiers(0);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Del");
    button.SetShortcutKey('O');
    button.SetShortcutModifiers(core::commandbar::ModifierBits(core::commandbar::ShortcutModifier::Ctrl));
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Ctrl+O");
    // Other names are the layout's own ("Esc" on Windows, "Escape" under Wine), in proper case.
    button.SetShortcutKey(VK_ESCAPE);
    button.SetShortcutModifiers(core::commandbar::ModifierBits(core::commandbar::ShortcutModifier::Alt));
    std::wstring name = keyboard.KeyName(VK_ESCAPE);
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Alt+" + core::commandbar::ProperCase(name));
    EXPECT_EQ(button.GetShortcutText(keyboard).substr(0, 5), L"Alt+E");

    button.SetCaption(L"&Open");
    EXPECT_TRUE(button.MatchesAccelerator('O', keyboard));
    EXPECT_FALSE(button.MatchesAccelerator('P', keyboard));
}

}  // namespace commandbar
