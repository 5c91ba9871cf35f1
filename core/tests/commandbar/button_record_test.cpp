#include "core/commandbar/button_record.h"

#include <gtest/gtest.h>

#include <climits>

#include "core/commandbar/bar_record.h"
#include "core/commandbar/draw_button_params.h"
#include "core/commandbar/proper_case.h"
#include "fakes.h"

namespace core::commandbar {

namespace {

using testing::ErrorNumberOf;
using testing::FakeKeyboard;
using testing::FakeMeasurer;

MeasureButtonParams MenuParams() {
    MeasureButtonParams params;
    params.sizeStyle = SizeStyle::PopupMenu;
    params.iconWidth = 16;
    params.iconHeight = 16;
    return params;
}

MeasureButtonParams ToolbarParams(std::int32_t icon = 16) {
    MeasureButtonParams params;
    params.sizeStyle = SizeStyle::Toolbar;
    params.iconWidth = icon;
    params.iconHeight = icon;
    return params;
}

class ButtonMeasure : public ::testing::Test {
protected:
    std::int32_t Measure(ButtonRecord& button, MeasureButtonParams& params, bool hidden = false) {
        return button.Measure(params, hidden, text, keyboard);
    }
    FakeMeasurer text;
    FakeKeyboard keyboard;
};

}  // namespace

TEST(ButtonRecord, StartsWithTheDocumentedValues) {
    ButtonRecord button(L"B");
    EXPECT_EQ(button.Spacing(), 4);
    EXPECT_EQ(button.SplitWidth(), 11);
    EXPECT_EQ(button.MenuRightMargin(), 20);
    EXPECT_EQ(button.IconIndex(), -1);
    EXPECT_EQ(button.ColourBox(), -1);
    EXPECT_EQ(button.PanelWidth(), 16);
    EXPECT_EQ(button.CustomiseState(), CustomiseState::NoCheckBox);
    EXPECT_TRUE(button.Enabled());
    EXPECT_TRUE(button.Visible());
    EXPECT_FALSE(button.Locked());
    EXPECT_FALSE(button.Checked());
    EXPECT_EQ(button.Style(), ButtonStyle::Normal);
    EXPECT_EQ(button.SubBar(), nullptr);
}

TEST(ButtonRecord, CheckedIsTakenOnlyByCheckableStyles) {
    ButtonRecord button(L"B");
    for (ButtonStyle style : {ButtonStyle::Normal, ButtonStyle::Separator, ButtonStyle::Split, ButtonStyle::Panel}) {
        button.SetStyle(style);
        button.SetChecked(true);
        EXPECT_FALSE(button.Checked());
    }
    for (ButtonStyle style : {ButtonStyle::Check, ButtonStyle::Radio, ButtonStyle::RadioNullable}) {
        button.SetStyle(style);
        button.SetChecked(true);
        EXPECT_TRUE(button.Checked());
        button.SetChecked(false);
    }
}

TEST(ButtonRecord, ShortcutTextPutsModifiersInFixedOrderAndProperCasesKeyNames) {
    FakeKeyboard keyboard;
    ButtonRecord button(L"B");
    EXPECT_EQ(button.GetShortcutText(keyboard), L"");
    button.SetShortcutKey(0x74);  // F5
    button.SetShortcutModifiers(ShortcutModifier::Shift | ShortcutModifier::Ctrl);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Ctrl+Shift+F5");
    button.SetShortcutModifiers(ShortcutModifier::Alt | ShortcutModifier::Ctrl);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Ctrl+Alt+F5");
    button.SetShortcutModifiers(ShortcutModifier::Alt | ShortcutModifier::Shift);
    button.SetShortcutKey(0x22);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Shift+Alt+Page Down");
    button.SetShortcutModifiers(0);
    button.SetShortcutKey(46);
    EXPECT_EQ(button.GetShortcutText(keyboard), L"Del");

    button.SetToolTip(L"Удалить");
    EXPECT_EQ(button.GetToolTipText(true, keyboard), L"Удалить (Del)");
    EXPECT_EQ(button.GetToolTipText(false, keyboard), L"Удалить");
    button.SetShortcutKey(0);
    EXPECT_EQ(button.GetToolTipText(true, keyboard), L"Удалить");
}

TEST(ButtonRecord, ProperCaseHandlesCyrillicAndWords) {
    EXPECT_EQ(ProperCase(L"PAGE DOWN"), L"Page Down");
    EXPECT_EQ(ProperCase(L"num 5"), L"Num 5");
    EXPECT_EQ(ProperCase(L"ВВОД"), L"Ввод");
    EXPECT_EQ(ProperCase(L""), L"");
}

TEST(ButtonRecord, AcceleratorIsTheCharacterAfterTheFirstAmpersand) {
    FakeKeyboard keyboard;
    ButtonRecord button(L"B");
    button.SetCaption(L"&Open");
    EXPECT_TRUE(button.MatchesAccelerator('O', keyboard));  // low byte only: Shift is ignored
    EXPECT_FALSE(button.MatchesAccelerator('P', keyboard));
    button.SetCaption(L"Save &as && &keep");
    EXPECT_TRUE(button.MatchesAccelerator('A', keyboard));
    EXPECT_FALSE(button.MatchesAccelerator('K', keyboard));
    button.SetCaption(L"Plain");
    EXPECT_FALSE(button.MatchesAccelerator('P', keyboard));
    button.SetCaption(L"Trailing&");
    EXPECT_FALSE(button.MatchesAccelerator(0, keyboard));
    button.SetCaption(L"&?");  // no key for the character
    EXPECT_FALSE(button.MatchesAccelerator(0xFF, keyboard));
}

TEST(ButtonRecord, SplitButtonDropDownPartAtTheFarEdge) {
    ButtonRecord button(L"B");
    button.SetStyle(ButtonStyle::Split);
    EXPECT_TRUE(button.IsOverDropDownPart(30, 40, false));
    EXPECT_FALSE(button.IsOverDropDownPart(29, 40, false));
    EXPECT_TRUE(button.IsOverDropDownPart(10, 40, true));
    EXPECT_FALSE(button.IsOverDropDownPart(11, 40, true));
    button.SetStyle(ButtonStyle::Normal);
    EXPECT_FALSE(button.IsOverDropDownPart(39, 40, false));
    EXPECT_FALSE(button.IsOverDropDownPart(0, 40, true));
}

TEST(ButtonRecord, ActiveStateFollowsVisibilityEnablingLockAndStyle) {
    ButtonRecord button(L"B");
    EXPECT_TRUE(button.IsActive(Orientation::Top, false));
    button.SetLocked(true);
    EXPECT_FALSE(button.IsActive(Orientation::Top, false));
    button.SetLocked(false);
    button.SetStyle(ButtonStyle::Separator);
    EXPECT_FALSE(button.IsActive(Orientation::Top, true));

    button.SetStyle(ButtonStyle::Panel);
    EXPECT_FALSE(button.IsActive(Orientation::Top, false));
    EXPECT_FALSE(button.IsActive(Orientation::Left, false));  // no icon
    button.SetIconIndex(0);
    EXPECT_TRUE(button.IsActive(Orientation::Left, false));
    EXPECT_TRUE(button.IsActive(Orientation::Right, false));
    EXPECT_FALSE(button.IsActive(Orientation::Bottom, false));

    // A disabled, hidden entry of the customise list stays reachable there.
    button.SetStyle(ButtonStyle::Normal);
    button.SetEnabled(false);
    button.SetVisible(false);
    button.SetCustomiseState(CustomiseState::Unchecked);
    EXPECT_TRUE(button.IsActive(Orientation::Top, true));
    EXPECT_FALSE(button.IsActive(Orientation::Top, false));
    button.SetCustomiseState(CustomiseState::NoCheckBox);
    EXPECT_FALSE(button.IsActive(Orientation::Top, true));
}

TEST_F(ButtonMeasure, SeparatorIsThreeHighInMenusAndEightWideInToolbars) {
    ButtonRecord separator(L"S");
    separator.SetStyle(ButtonStyle::Separator);
    MeasureButtonParams menu = MenuParams();
    EXPECT_EQ(Measure(separator, menu), 10);
    EXPECT_EQ(menu.height, 3);
    MeasureButtonParams toolbar = ToolbarParams();
    EXPECT_EQ(Measure(separator, toolbar), 8);
}

TEST_F(ButtonMeasure, ToolbarButtonHeightFromIconOrLineHeight) {
    ButtonRecord button(L"B");
    button.SetIconIndex(0);
    MeasureButtonParams params = ToolbarParams(16);
    EXPECT_EQ(Measure(button, params), 24);
    EXPECT_EQ(params.height, 24);

    text.lineHeight = 24;
    button.ClearMeasureCache();
    params = ToolbarParams(16);
    EXPECT_EQ(Measure(button, params), 24);
    EXPECT_EQ(params.height, 32);
}

TEST_F(ButtonMeasure, ToolbarCaptionBesideAndBelowTheIcon) {
    ButtonRecord button(L"B");
    button.SetIconIndex(0);
    button.SetCaption(L"Load");  // 24 wide
    button.SetShowCaptionInToolbar(true);
    MeasureButtonParams beside = ToolbarParams(16);
    EXPECT_EQ(Measure(button, beside), 24 + 24 + 4);
    EXPECT_EQ(beside.height, 24);

    MeasureButtonParams below = ToolbarParams(16);
    below.buttonPosition = ButtonTextPosition::Below;
    EXPECT_EQ(Measure(button, below), 36);  // max(24, 24 + 12)
    EXPECT_EQ(below.height, 13 + 24 + 4);
}

TEST_F(ButtonMeasure, DropDownAllowancesAndPanels) {
    ButtonRecord split(L"S");
    split.SetStyle(ButtonStyle::Split);
    MeasureButtonParams horizontal = ToolbarParams(16);
    EXPECT_EQ(Measure(split, horizontal), 8 + 11);
    MeasureButtonParams vertical = ToolbarParams(16);
    vertical.orientation = Orientation::Left;
    EXPECT_EQ(Measure(split, vertical), 8);
    EXPECT_EQ(vertical.height, 8 + 13 + 11);  // line height 13 is not below 8
}

TEST_F(ButtonMeasure, MenuItemIsCaptionWithTwoSpacesAndShortcutPlus52) {
    ButtonRecord button(L"B");
    button.SetCaption(L"Open");
    MeasureButtonParams params = MenuParams();
    EXPECT_EQ(Measure(button, params), 6 * 6 + 52);
    EXPECT_EQ(text.measured.back(), L"Open  ");
    EXPECT_EQ(params.height, 16 + 8);  // icon height beats the line height

    button.SetShortcutKey('O');
    button.SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
    button.SetIconIndex(3);
    params = MenuParams();
    EXPECT_EQ(Measure(button, params), 16 + 12 * 6 + 52);
    EXPECT_EQ(text.measured.back(), L"Open  Ctrl+O");

    // The customise list adds a check column.
    params = MenuParams();
    params.sizeStyle = SizeStyle::CustomiseList;
    EXPECT_EQ(Measure(button, params), 16 + 12 * 6 + 52 + 16 + 2);

    ButtonRecord empty(L"E");
    params = MenuParams();
    EXPECT_EQ(Measure(empty, params), 10);
    empty.SetColourBox(0x0000FF);
    params = MenuParams();
    EXPECT_EQ(Measure(empty, params), 26);
}

TEST_F(ButtonMeasure, HiddenOrInvisibleButtonsMeasureNothingExceptInTheCustomiseList) {
    ButtonRecord button(L"B");
    button.SetCaption(L"Open");
    MeasureButtonParams params = MenuParams();
    EXPECT_EQ(Measure(button, params, true), 0);
    button.SetVisible(false);
    EXPECT_EQ(Measure(button, params), 0);
    params.sizeStyle = SizeStyle::CustomiseList;
    EXPECT_GT(Measure(button, params), 0);
}

TEST_F(ButtonMeasure, CacheAnswersForEqualParametersUntilASizeChange) {
    ButtonRecord button(L"B");
    button.SetCaption(L"Open");
    MeasureButtonParams params = MenuParams();
    Measure(button, params);
    std::size_t calls = text.measured.size();
    MeasureButtonParams again = MenuParams();
    again.size = 999;  // not a measuring input
    EXPECT_EQ(Measure(button, again), 88);
    EXPECT_EQ(again.height, 24);
    EXPECT_EQ(text.measured.size(), calls);

    MeasureButtonParams otherFont = MenuParams();
    otherFont.fontFace = L"tahoma";
    Measure(button, otherFont);
    EXPECT_GT(text.measured.size(), calls);
    EXPECT_EQ(button.MeasureCacheCount(), 2u);

    button.SetCaption(L"Opened");
    EXPECT_EQ(button.MeasureCacheCount(), 0u);
    params = MenuParams();
    EXPECT_EQ(Measure(button, params), 8 * 6 + 52);
}

TEST_F(ButtonMeasure, SubBarAndShortcutChangesAreMeasuredAfresh) {
    testing::FakeEnvironment environment;
    CommandBarRegistry registry(environment);
    BarRecord subBar(registry, L"SUB");
    ButtonRecord button(L"B");
    button.SetShowDropDownInToolbar(true);
    MeasureButtonParams params = ToolbarParams(0);
    EXPECT_EQ(Measure(button, params), 8);
    button.SetSubBar(&subBar);  // brings the drop-down arrow
    params = ToolbarParams(0);
    EXPECT_EQ(Measure(button, params), 8 + 7);
    button.SetSubBar(nullptr);
    params = ToolbarParams(0);
    EXPECT_EQ(Measure(button, params), 8);

    button.SetCaption(L"Open");
    params = MenuParams();
    const std::int32_t plain = Measure(button, params);
    button.SetShortcutKey('O');
    params = MenuParams();
    EXPECT_EQ(Measure(button, params), plain + 1 * 6);  // "O"
    button.SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
    params = MenuParams();
    EXPECT_EQ(Measure(button, params), plain + 6 * 6);  // "Ctrl+O"
}

TEST(MeasureButtonParams, CompareToIgnoresOnlyHandlesOfDrawingAndSize) {
    MeasureButtonParams a = MenuParams();
    MeasureButtonParams b = a;
    b.hdc = 5;
    b.font = 6;
    b.size = 7;
    EXPECT_EQ(a.CompareTo(b), 0);
    b.fontFace = L"Tahoma";
    EXPECT_EQ(a.CompareTo(b), 1);
    b = a;
    b.rightToLeft = true;
    EXPECT_EQ(a.CompareTo(b), 1);
    b = a;
    b.buttonPosition = ButtonTextPosition::Below;
    EXPECT_EQ(a.CompareTo(b), 1);

    MeasureButtonParams copy;
    copy.size = 42;
    copy.FromMeasureButtonParams(b);
    EXPECT_EQ(copy.size, 42);
    EXPECT_EQ(copy.CompareTo(b), 0);

    DrawButtonParams draw;
    static_cast<BarParams&>(draw) = b;
    draw.height = b.height;
    draw.size = 99;
    copy.FromDrawButtonParams(draw);
    EXPECT_EQ(copy.size, 42);
    EXPECT_EQ(copy.CompareTo(b), 0);
}

TEST_F(ButtonMeasure, OverflowingSizesRaiseError6) {
    ButtonRecord panel(L"P");
    panel.SetStyle(ButtonStyle::Panel);
    panel.SetPanelControl(77);
    panel.SetPanelWidth(INT_MAX);
    MeasureButtonParams params = ToolbarParams();
    EXPECT_EQ(ErrorNumberOf([&] { Measure(panel, params); }), 6);
    panel.SetPanelWidth(30);
    EXPECT_EQ(Measure(panel, params), 38);
    params.orientation = Orientation::Right;
    EXPECT_EQ(Measure(panel, params), 0);
}

TEST(CaptionTextTest, MnemonicMarksAreDroppedAndTheFirstSingleOneNamesTheKey) {
    struct Case {
        const wchar_t* caption;
        const wchar_t* spoken;
        wchar_t mnemonic;
    };
    for (const Case& c :
         {Case{L"&Файл", L"Файл", L'Ф'}, Case{L"Save && E&xit", L"Save & Exit", L'x'}, Case{L"A&&B", L"A&B", 0},
          Case{L"End&", L"End", 0}, Case{L"", L"", 0}, Case{L"&&&Z", L"&Z", L'Z'}}) {
        EXPECT_EQ(CaptionWithoutMnemonic(c.caption), c.spoken) << c.caption;
        EXPECT_EQ(MnemonicOf(c.caption), c.mnemonic) << c.caption;
    }
}

}  // namespace core::commandbar
