#include "core/commandbar/command_bar_handles.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/commandbar/command_bar_error.h"
#include "fakes.h"

namespace core::commandbar {

namespace {

using testing::ErrorNumberOf;
using testing::ErrorTextOf;
using testing::FakeControl;
using testing::FakeEnvironment;

constexpr std::int32_t kOwnerMissing = command_bar_error::kNoOwningControlNumber;
constexpr std::int32_t kItemMissing = command_bar_error::kItemDoesNotExistNumber;

class Handles : public ::testing::Test {
protected:
    Handles() { control.Register(); }

    FakeEnvironment environment;
    CommandBarRegistry registry{environment};
    FakeControl control{registry, environment, 100, 1000};
    CommandBars bars{registry, 100};
    Buttons buttons{registry, 100};
};

}  // namespace

TEST_F(Handles, FreshProcessCountsTheBuiltInBarsAndButtons) {
    EXPECT_EQ(bars.Count(), 3);
    EXPECT_EQ(buttons.Count(), 6);
    EXPECT_EQ(bars.Item(3).Key(), L"CHEVRON");
    EXPECT_EQ(buttons.Item(L"CHEVRON:CUSTOMISE").Caption(), L"&Customise...");
}

TEST_F(Handles, BarsAndButtonsAreSeparateKeySpaces) {
    EXPECT_EQ(ErrorNumberOf([&] { bars.Add(L"CHEVRON:ADDORREMOVE"); }), 457);
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(L"CHEVRON:ADDORREMOVE"); }), 457);
    bars.Add(L"SHARED", L"Общий");
    Button button = buttons.Add(L"SHARED");
    EXPECT_EQ(bars.Item(L"SHARED").Title(), L"Общий");
    EXPECT_EQ(button.Key(), L"SHARED");
    EXPECT_EQ(ErrorTextOf([&] { bars.Add(L"SHARED"); }),
              L"This key is already associated with an element of this collection.");
}

TEST_F(Handles, KeysThatReadAsNumbersAreRefused) {
    for (const wchar_t* key : {L"12", L"3.5", L"-3", L" 7 ", L"1e3", L"&H10", L"+4", L"0"}) {
        EXPECT_EQ(ErrorNumberOf([&] { bars.Add(key); }), 13) << "bar key accepted";
        EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(key); }), 13) << "button key accepted";
    }
    EXPECT_EQ(ErrorTextOf([&] { bars.Add(L"12"); }), L"Type Mismatch.");
    for (const wchar_t* key : {L"A12", L"1A", L"1e", L"-", L".", L"1.2.3", L"MENU:1"}) {
        EXPECT_EQ(ErrorNumberOf([&] { bars.Add(key); }), 0);
        EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(key); }), 0);
    }
    // The duplicate check comes first.
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(L"A12"); }), 457);

    // The user's decimal separator makes a number as '.' does.
    EXPECT_EQ(ErrorNumberOf([&] { bars.Add(L"2,5"); }), 0);
    environment.decimalSeparator = L',';
    for (const wchar_t* key : {L"3,5", L"-0,5e1", L"4.5"}) {
        EXPECT_EQ(ErrorNumberOf([&] { bars.Add(key); }), 13) << "bar key accepted";
        EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(key); }), 13) << "button key accepted";
    }
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(L"1,2,3"); }), 0);
}

TEST_F(Handles, ButtonAddDefaultsAndArguments) {
    Button plain = buttons.Add(L"PLAIN");
    EXPECT_EQ(plain.IconIndex(), -1);
    EXPECT_EQ(plain.Caption(), L"");
    EXPECT_EQ(plain.ShortcutKey(), 0);
    EXPECT_EQ(plain.ShortcutModifiers(), ModifierBits(ShortcutModifier::Ctrl));
    EXPECT_EQ(plain.ToolTip(), L"");
    EXPECT_EQ(registry.GetButton(L"PLAIN").Style(), ButtonStyle::Normal);
    EXPECT_FALSE(plain.Bar().has_value());

    Button full = buttons.Add(L"FULL", 3, L"&Открыть", ButtonStyle::Check, L"Открыть файл", 'O',
                              ShortcutModifier::Ctrl | ShortcutModifier::Shift);
    EXPECT_EQ(full.IconIndex(), 3);
    EXPECT_EQ(full.Caption(), L"&Открыть");
    EXPECT_EQ(registry.GetButton(L"FULL").Style(), ButtonStyle::Check);
    EXPECT_EQ(full.ToolTip(), L"Открыть файл");
    EXPECT_EQ(full.ShortcutKey(), 'O');
    EXPECT_EQ(full.ShortcutModifiers(), ShortcutModifier::Ctrl | ShortcutModifier::Shift);

    plain.SetChecked(true);
    EXPECT_FALSE(plain.Checked());
    full.SetChecked(true);
    EXPECT_TRUE(full.Checked());
}

TEST_F(Handles, PropertiesRoundTripThroughFreshHandles) {
    buttons.Add(L"B");
    Button a = buttons.Item(L"B");
    a.SetTag(L"tag");
    a.SetItemData(-7);
    a.SetColourBox(0x00FF00);
    a.SetEnabled(false);
    a.SetLocked(true);
    a.SetVisible(false);
    a.SetShowCaptionInToolbar(true);
    a.SetShowDropDownInToolbar(true);
    a.SetPanelWidth(40);
    Button b = buttons.Item(7);
    EXPECT_EQ(b.Key(), L"B");
    EXPECT_EQ(b.Tag(), L"tag");
    EXPECT_EQ(b.ItemData(), -7);
    EXPECT_EQ(b.ColourBox(), 0x00FF00);
    EXPECT_FALSE(b.Enabled());
    EXPECT_TRUE(b.Locked());
    EXPECT_FALSE(b.Visible());
    EXPECT_TRUE(b.ShowCaptionInToolbar());
    EXPECT_TRUE(b.ShowDropDownInToolbar());
    EXPECT_EQ(b.PanelWidth(), 40);

    CommandBar bar = bars.Add(L"BAR");
    b.SetBar(bar);
    ASSERT_TRUE(a.Bar().has_value());
    EXPECT_EQ(a.Bar()->Key(), L"BAR");
    EXPECT_EQ(ErrorNumberOf([&] { a.SetBar(std::nullopt); }), 91);
    EXPECT_EQ(a.Bar()->Key(), L"BAR");
    bar.SetTitle(L"Панель");
    EXPECT_EQ(bars.Item(L"BAR").Title(), L"Панель");
}

TEST_F(Handles, PlacingButtonsInABar) {
    CommandBar bar = bars.Add(L"BAR");
    CommandBarButtons list = bar.Buttons();
    Button a = buttons.Add(L"A");
    Button b = buttons.Add(L"B");
    Button c = buttons.Add(L"C");
    list.Add(b);
    list.InsertBefore(a, b);
    list.InsertAfter(c, b);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Item(1).Key(), L"A");
    EXPECT_EQ(list.Item(3).Key(), L"C");
    EXPECT_EQ(list.Item(L"B").Key(), L"B");

    EXPECT_EQ(ErrorNumberOf([&] { list.InsertAfter(b, b); }), 457);
    EXPECT_EQ(ErrorNumberOf([&] { list.Add(a); }), 457);
    Button d = buttons.Add(L"D");
    Button e = buttons.Add(L"E");
    EXPECT_EQ(ErrorNumberOf([&] { list.InsertBefore(d, e); }), kItemMissing);
    EXPECT_EQ(ErrorNumberOf([&] { list.Add(std::nullopt); }), 91);
    EXPECT_EQ(ErrorNumberOf([&] { list.InsertAfter(d, std::nullopt); }), 91);
    // A removed reference button is just not in the bar, and the duplicate check comes first.
    Button removed = buttons.Add(L"REMOVED");
    buttons.Remove(L"REMOVED");
    EXPECT_EQ(ErrorNumberOf([&] { list.InsertAfter(a, removed); }), 457);
    EXPECT_EQ(ErrorNumberOf([&] { list.InsertBefore(d, removed); }), kItemMissing);
    EXPECT_EQ(ErrorNumberOf([&] { list.Remove(L"D"); }), kItemMissing);
    EXPECT_EQ(ErrorNumberOf([&] { list.Remove(L"NOBODY"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { list.Item(4); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { list.Item(L"D"); }), 5);

    list.Remove(L"B");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(registry.GetButton(L"B").Bars().Count(), 0);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(buttons.Count(), 6 + 5);
}

TEST_F(Handles, RemovingMissingItemsAndLookingUpGoneKeys) {
    EXPECT_EQ(ErrorNumberOf([&] { bars.Remove(L"NONE"); }), kItemMissing);
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Remove(L"NONE"); }), kItemMissing);
    EXPECT_EQ(ErrorTextOf([&] { buttons.Remove(L"NONE"); }), L"Item does not exist.");
    EXPECT_EQ(ErrorNumberOf([&] { bars.Item(L"NONE"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { bars.Item(0); }), 9);

    Button gone = buttons.Add(L"GONE");
    buttons.Remove(L"GONE");
    EXPECT_EQ(ErrorNumberOf([&] { gone.Caption(); }), 5);
    CommandBar goneBar = bars.Add(L"GONEBAR");
    bars.Remove(L"GONEBAR");
    EXPECT_EQ(ErrorNumberOf([&] { goneBar.Buttons(); }), 5);
}

TEST_F(Handles, RemovedBarsAndButtonsAreNothingOnEveryPathThatReachedThem) {
    CommandBar menu = bars.Add(L"MENU");
    CommandBar fileMenu = bars.Add(L"MENU:FILE");
    Button file = buttons.Add(L"MENU:FILE");
    Button open = buttons.Add(L"MENU:FILE:OPEN", -1, L"&Open", ButtonStyle::Normal, L"", 'O');
    menu.Buttons().Add(file);
    fileMenu.Buttons().Add(open);
    file.SetBar(fileMenu);
    control.Show(L"MENU:FILE");

    bars.Remove(L"MENU:FILE");
    EXPECT_FALSE(file.Bar().has_value());   // a removed sub-bar is no sub-bar
    EXPECT_TRUE(control.shownBar.empty());  // the control showing it shows nothing
    EXPECT_EQ(ErrorNumberOf([&] { fileMenu.Buttons().Count(); }), 5);
    environment.foreground = 1000;
    control.Show(L"MENU");
    EXPECT_FALSE(registry.ProcessAccelerator('O', ModifierBits(ShortcutModifier::Ctrl)));

    buttons.Remove(L"MENU:FILE");
    EXPECT_EQ(menu.Buttons().Count(), 0);
    EXPECT_EQ(ErrorNumberOf([&] { menu.Buttons().Item(1); }), 9);
    EXPECT_EQ(ErrorNumberOf([&] { menu.Buttons().Item(L"MENU:FILE"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { file.Bar(); }), 5);
    // A new record under the old key is a new button, in no bar.
    Button again = buttons.Add(L"MENU:FILE");
    EXPECT_FALSE(file.Bar().has_value());
    EXPECT_EQ(menu.Buttons().Count(), 0);
    menu.Buttons().Add(again);
    EXPECT_EQ(menu.Buttons().Item(1).Key(), L"MENU:FILE");
}

TEST_F(Handles, ErrorsCarryTheCommandBarSource) {
    SetExecutableName(L"Glyphoscope");
    try {
        bars.Remove(L"NONE");
        FAIL();
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.Source(), L"Glyphoscope.zentPicker");
        EXPECT_EQ(error.Number(), static_cast<std::int32_t>(0x800462AFu));
    }
    EXPECT_EQ(kOwnerMissing, static_cast<std::int32_t>(0x800462AEu));
}

TEST_F(Handles, HandleThroughADestroyedControlRaisesOnEveryMember) {
    FakeControl other(registry, environment, 101, 1000);
    other.Register();
    CommandBars deadBars(registry, 101);
    Buttons deadButtons(registry, 101);
    CommandBar bar = CommandBars(registry, 101).Add(L"BAR");
    Button button = Buttons(registry, 101).Add(L"BTN");
    CommandBarButtons list = bar.Buttons();
    other.DestroyWindow();

    std::vector<std::function<void()>> members = {
        [&] { deadBars.Count(); },
        [&] { deadBars.Item(1); },
        [&] { deadBars.Item(L"BAR"); },
        [&] { deadBars.Remove(L"BAR"); },
        [&] { deadBars.Add(L"NEW"); },
        [&] { deadButtons.Count(); },
        [&] { deadButtons.Item(1); },
        [&] { deadButtons.Item(L"BTN"); },
        [&] { deadButtons.Remove(L"BTN"); },
        [&] { deadButtons.Add(L"NEW"); },
        [&] { bar.Key(); },
        [&] { bar.Title(); },
        [&] { bar.SetTitle(L"x"); },
        [&] { bar.Buttons(); },
        [&] { list.Count(); },
        [&] { list.Item(1); },
        [&] { list.Item(L"BTN"); },
        [&] { list.Clear(); },
        [&] { list.Remove(L"BTN"); },
        [&] { list.Add(button); },
        [&] { list.InsertBefore(button, button); },
        [&] { list.InsertAfter(button, button); },
        [&] { button.Key(); },
        [&] { button.Tag(); },
        [&] { button.SetTag(L""); },
        [&] { button.ItemData(); },
        [&] { button.SetItemData(1); },
        [&] { button.Caption(); },
        [&] { button.SetCaption(L""); },
        [&] { button.IconIndex(); },
        [&] { button.SetIconIndex(1); },
        [&] { button.ColourBox(); },
        [&] { button.SetColourBox(1); },
        [&] { button.ToolTip(); },
        [&] { button.SetToolTip(L""); },
        [&] { button.ShortcutKey(); },
        [&] { button.SetShortcutKey(1); },
        [&] { button.ShortcutModifiers(); },
        [&] { button.SetShortcutModifiers(1); },
        [&] { button.Bar(); },
        [&] { button.SetBar(CommandBar(registry, 100, L"BAR")); },
        [&] { button.Checked(); },
        [&] { button.SetChecked(true); },
        [&] { button.Enabled(); },
        [&] { button.SetEnabled(true); },
        [&] { button.Locked(); },
        [&] { button.SetLocked(true); },
        [&] { button.ShowCaptionInToolbar(); },
        [&] { button.SetShowCaptionInToolbar(true); },
        [&] { button.ShowDropDownInToolbar(); },
        [&] { button.SetShowDropDownInToolbar(true); },
        [&] { button.Visible(); },
        [&] { button.SetVisible(true); },
        [&] { button.PanelWidth(); },
        [&] { button.SetPanelWidth(1); },
        [&] { button.PanelControl(); },
        [&] { button.SetPanelControl(5); },
    };
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(ErrorNumberOf(members[i]), kOwnerMissing) << "member " << i;
    }
    EXPECT_EQ(ErrorTextOf(members[0]), L"Owning zentCommandBar Control does not exist.");

    // The records are still there for every other control.
    EXPECT_EQ(CommandBars(registry, 100).Item(L"BAR").Key(), L"BAR");
    EXPECT_EQ(Buttons(registry, 100).Item(L"BTN").Key(), L"BTN");
    EXPECT_EQ(ErrorNumberOf([&] { Buttons(registry, 0).Count(); }), kOwnerMissing);
}

TEST_F(Handles, PanelControlMovesIntoTheControlUnlessItHostsPopups) {
    Button panel = buttons.Add(L"PANEL", -1, L"", ButtonStyle::Panel);
    panel.SetPanelControl(500);
    EXPECT_EQ(control.adopted, std::vector<WindowHandle>{500});
    panel.SetPanelControl(501);
    EXPECT_EQ(control.hidden, std::vector<WindowHandle>{500});
    EXPECT_EQ(panel.PanelControl(), 501u);
    panel.SetPanelControl(0);
    EXPECT_EQ(panel.PanelControl(), 0u);

    control.popupHost = true;
    panel.SetPanelControl(502);
    EXPECT_EQ(panel.PanelControl(), 0u);
    EXPECT_EQ(control.adopted.size(), 2u);
}

}  // namespace core::commandbar
