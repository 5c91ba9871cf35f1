#include "core/commandbar/command_bar_registry.h"

#include <gtest/gtest.h>

#include <memory>

#include "fakes.h"

namespace core::commandbar {

namespace {

using testing::BarChange;
using testing::ErrorNumberOf;
using testing::FakeControl;
using testing::FakeEnvironment;

constexpr WindowHandle kForm = 1000;
constexpr WindowHandle kOtherForm = 2000;

class Registry : public ::testing::Test {
protected:
    Registry() { menuBar.Register(); }

    ButtonRecord& MakeButton(const std::wstring& key, ButtonStyle style = ButtonStyle::Normal) {
        ButtonRecord& button = registry.AddButton(key);
        if (style != ButtonStyle::Normal) button.SetStyle(style);
        return button;
    }
    BarRecord& Bar(const std::wstring& key, std::initializer_list<ButtonRecord*> buttons) {
        BarRecord& bar = registry.AddBar(key);
        for (ButtonRecord* button : buttons) bar.Add(*button);
        return bar;
    }

    FakeEnvironment environment;
    CommandBarRegistry registry{environment};
    FakeControl menuBar{registry, environment, 100, kForm};
};

std::vector<std::wstring> KeysOf(const BarRecord& bar) {
    std::vector<std::wstring> keys;
    for (const auto& entry : bar.Buttons()) keys.push_back(entry.value->Key());
    return keys;
}

}  // namespace

TEST_F(Registry, FirstRegistrationBuildsTheChevronBarsAndTheLastTearsAllDown) {
    EXPECT_TRUE(registry.IsRunning());
    EXPECT_EQ(environment.renderingInitialised, 1);
    EXPECT_TRUE(environment.KeyboardHooked());
    ASSERT_EQ(registry.BarCount(), 3);
    ASSERT_EQ(registry.ButtonCount(), 6);
    EXPECT_EQ(KeysOf(registry.GetBar(L"CHEVRON:ADDORREMOVE")),
              (std::vector<std::wstring>{L"CHEVRON:ADDORREMOVE:SEPARATOR", L"CHEVRON:ADDORREMOVE:RESET"}));
    EXPECT_EQ(KeysOf(registry.GetBar(L"CHEVRON:ADDORREMOVEBAR")),
              (std::vector<std::wstring>{L"CHEVRON:ADDORREMOVEBAR", L"CHEVRON:SEPARATOR", L"CHEVRON:CUSTOMISE"}));
    EXPECT_EQ(KeysOf(registry.GetBar(L"CHEVRON")), (std::vector<std::wstring>{L"CHEVRON:ADDORREMOVE"}));
    EXPECT_EQ(registry.GetButton(L"CHEVRON:ADDORREMOVE").Caption(), L"&Add or Remove Buttons");
    EXPECT_EQ(registry.GetButton(L"CHEVRON:ADDORREMOVE").SubBar(), &registry.GetBar(L"CHEVRON:ADDORREMOVEBAR"));
    EXPECT_EQ(registry.GetButton(L"CHEVRON:ADDORREMOVEBAR").Caption(), L"CommandBar Name");
    EXPECT_EQ(registry.GetButton(L"CHEVRON:ADDORREMOVEBAR").SubBar(), &registry.GetBar(L"CHEVRON:ADDORREMOVE"));
    EXPECT_FALSE(registry.GetButton(L"CHEVRON:ADDORREMOVE:RESET").Enabled());
    EXPECT_EQ(registry.GetButton(L"CHEVRON:ADDORREMOVE:RESET").Caption(), L"&Reset Toolbar");
    EXPECT_FALSE(registry.GetButton(L"CHEVRON:CUSTOMISE").Enabled());
    EXPECT_EQ(registry.GetButton(L"CHEVRON:CUSTOMISE").Caption(), L"&Customise...");
    EXPECT_EQ(registry.GetButton(L"CHEVRON:SEPARATOR").Style(), ButtonStyle::Separator);
    EXPECT_EQ(environment.properties.at(100), &menuBar);

    // A second control joins the running registry without rebuilding anything.
    FakeControl toolbar(registry, environment, 101, kForm);
    toolbar.Register();
    Bar(L"MENU", {&MakeButton(L"MENU:FILE")});
    EXPECT_EQ(registry.BarCount(), 4);
    EXPECT_EQ(ErrorNumberOf([&] { toolbar.Register(); }), 457);

    toolbar.Unregister();
    EXPECT_TRUE(registry.IsRunning());
    menuBar.Unregister();
    EXPECT_FALSE(registry.IsRunning());
    EXPECT_EQ(registry.BarCount(), 0);
    EXPECT_EQ(registry.ButtonCount(), 0);
    EXPECT_FALSE(environment.KeyboardHooked());
    EXPECT_TRUE(environment.properties.empty());
    EXPECT_EQ(ErrorNumberOf([&] { menuBar.Unregister(); }), 5);

    menuBar.Register();
    EXPECT_EQ(registry.BarCount(), 3);
    EXPECT_EQ(registry.ButtonCount(), 6);
    EXPECT_EQ(registry.FindBar(L"MENU"), nullptr);
    EXPECT_EQ(environment.renderingInitialised, 2);
}

TEST_F(Registry, RadioGroupsAreBoundedBySeparatorsOnly) {
    ButtonRecord& before = MakeButton(L"BEFORE", ButtonStyle::Radio);
    ButtonRecord& r1 = MakeButton(L"R1", ButtonStyle::Radio);
    ButtonRecord& plain = MakeButton(L"PLAIN");
    ButtonRecord& r2 = MakeButton(L"R2", ButtonStyle::Radio);
    ButtonRecord& r3 = MakeButton(L"R3", ButtonStyle::Radio);
    ButtonRecord& s1 = MakeButton(L"S1", ButtonStyle::Separator);
    ButtonRecord& s2 = MakeButton(L"S2", ButtonStyle::Separator);
    Bar(L"SIZES", {&before, &s1, &r1, &plain, &r2, &r3, &s2});
    before.SetChecked(true);

    r1.SetChecked(true);
    r3.SetChecked(true);
    r2.SetChecked(true);
    EXPECT_FALSE(r1.Checked());  // the plain button in between does not split the group
    EXPECT_TRUE(r2.Checked());
    EXPECT_FALSE(r3.Checked());
    EXPECT_TRUE(before.Checked());  // other side of the separator

    r2.SetChecked(false);
    EXPECT_TRUE(r2.Checked());  // an eRadio group keeps one checked
}

TEST_F(Registry, PlacingOrJoiningGroupsKeepsOneCheckedRadio) {
    ButtonRecord& a = MakeButton(L"A", ButtonStyle::Radio);
    ButtonRecord& b = MakeButton(L"B", ButtonStyle::Radio);
    ButtonRecord& c = MakeButton(L"C", ButtonStyle::Radio);
    ButtonRecord& separator = MakeButton(L"SEP", ButtonStyle::Separator);
    BarRecord& bar = Bar(L"BAR", {&a, &separator, &b});
    a.SetChecked(true);
    b.SetChecked(true);
    EXPECT_TRUE(a.Checked());
    c.SetChecked(true);     // not in a bar yet: nothing to clear
    bar.InsertAfter(c, a.Key());  // the placed button wins its group
    EXPECT_TRUE(c.Checked());
    EXPECT_FALSE(a.Checked());
    bar.Remove(separator);  // C and B now share a group: the first stays checked
    EXPECT_TRUE(c.Checked());
    EXPECT_FALSE(b.Checked());
}

TEST_F(Registry, NullableRadioGroupMayBeLeftEmpty) {
    ButtonRecord& a = MakeButton(L"A", ButtonStyle::RadioNullable);
    ButtonRecord& b = MakeButton(L"B", ButtonStyle::RadioNullable);
    ButtonRecord& c = MakeButton(L"C", ButtonStyle::RadioNullable);
    Bar(L"BAR", {&a, &b, &c});
    a.SetChecked(true);
    b.SetChecked(true);
    EXPECT_FALSE(a.Checked());
    b.SetChecked(false);
    EXPECT_FALSE(a.Checked());
    EXPECT_FALSE(b.Checked());
    EXPECT_FALSE(c.Checked());
}

TEST_F(Registry, ChangesReachEveryControlShowingABarThatHoldsTheButton) {
    ButtonRecord& open = MakeButton(L"OPEN");
    ButtonRecord& check = MakeButton(L"CHECK", ButtonStyle::Check);
    Bar(L"FILE", {&open, &check});
    Bar(L"TOOLS", {&open});
    FakeControl toolbar(registry, environment, 101, kForm);
    toolbar.Register();
    FakeControl idle(registry, environment, 102, kForm);
    idle.Register();
    menuBar.Show(L"FILE");
    toolbar.Show(L"TOOLS");

    open.SetCaption(L"&Open");
    open.SetEnabled(false);
    check.SetChecked(true);
    registry.GetBar(L"FILE").SetTitle(L"Файл");
    std::vector<BarChange>& seen = menuBar.changes;
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].kind, BarChangeKind::ButtonSize);
    EXPECT_EQ(seen[0].button, L"OPEN");
    EXPECT_EQ(seen[1].kind, BarChangeKind::ButtonLook);
    EXPECT_EQ(seen[2].kind, BarChangeKind::ButtonChecked);
    EXPECT_EQ(seen[2].button, L"CHECK");
    EXPECT_EQ(seen[3].kind, BarChangeKind::Title);
    EXPECT_EQ(toolbar.changes.size(), 2u);  // only OPEN is on the tool bar
    EXPECT_TRUE(idle.changes.empty());

    // Stored-only properties notify nobody.
    open.SetTag(L"t");
    open.SetToolTip(L"tip");
    open.SetShortcutKey('O');
    EXPECT_EQ(seen.size(), 4u);

    // A control whose window went away is skipped.
    toolbar.DestroyWindow();
    open.SetVisible(false);
    EXPECT_EQ(toolbar.changes.size(), 2u);
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(Registry, ShownBarsRegisterTheirControlWithTheWholeMenuTree) {
    ButtonRecord& file = MakeButton(L"MENU:FILE");
    ButtonRecord& open = MakeButton(L"MENU:FILE:OPEN");
    ButtonRecord& recent = MakeButton(L"MENU:FILE:RECENT");
    ButtonRecord& first = MakeButton(L"MENU:FILE:RECENT:1");
    Bar(L"MENU", {&file});
    BarRecord& fileMenu = Bar(L"MENU:FILE", {&open, &recent});
    BarRecord& recentMenu = Bar(L"MENU:FILE:RECENT", {&first});
    file.SetSubBar(&fileMenu);
    recent.SetSubBar(&recentMenu);

    menuBar.Show(L"MENU");
    const std::wstring formKey = HandleKey(kForm);
    for (ButtonRecord* button : {&file, &open, &recent, &first}) {
        ASSERT_TRUE(button->Controls().Contains(formKey)) << button->Key().c_str();
        EXPECT_EQ(button->Controls().Item(formKey), 100u);
    }
    EXPECT_TRUE(recentMenu.Controls().Contains(HandleKey(100)));
    EXPECT_EQ(recentMenu.Controls().Item(HandleKey(100)).topLevel, kForm);

    // A second control on the same form does not replace the first in the buttons.
    FakeControl toolbar(registry, environment, 101, kForm);
    toolbar.Register();
    toolbar.Show(L"MENU:FILE");
    EXPECT_EQ(open.Controls().Item(formKey), 100u);

    // Buttons placed into a shown bar join its controls; removed ones leave them.
    ButtonRecord& save = MakeButton(L"MENU:FILE:SAVE");
    fileMenu.InsertBefore(save, open.Key());
    EXPECT_TRUE(save.Controls().Contains(formKey));
    fileMenu.Remove(save);
    EXPECT_FALSE(save.Controls().Contains(formKey));
    EXPECT_EQ(save.Bars().Count(), 0);

    // Detaching does not descend into sub-bars.
    menuBar.ShowNothing();
    EXPECT_FALSE(file.Controls().Contains(formKey));
    EXPECT_FALSE(registry.GetBar(L"MENU").Controls().Contains(HandleKey(100)));
    EXPECT_TRUE(first.Controls().Contains(formKey));
}

TEST_F(Registry, SharedButtonStaysKnownOnTheFormWhileAnyOfItsBarsIsShownThere) {
    ButtonRecord& shared = MakeButton(L"SHARED");
    Bar(L"ONE", {&shared});
    BarRecord& two = Bar(L"TWO", {&shared});
    FakeControl toolbar(registry, environment, 101, kForm);
    toolbar.Register();
    menuBar.Show(L"ONE");
    toolbar.Show(L"TWO");
    const std::wstring formKey = HandleKey(kForm);
    EXPECT_EQ(shared.Controls().Item(formKey), 100u);

    menuBar.ShowNothing();  // TWO is still shown on the form, by the tool bar
    ASSERT_TRUE(shared.Controls().Contains(formKey));
    EXPECT_EQ(shared.Controls().Item(formKey), 101u);
    two.Remove(shared);
    EXPECT_FALSE(shared.Controls().Contains(formKey));
}

TEST_F(Registry, SelfContainingMenusTerminate) {
    ButtonRecord& loop = MakeButton(L"LOOP");
    BarRecord& bar = Bar(L"LOOPBAR", {&loop});
    loop.SetSubBar(&bar);
    menuBar.Show(L"LOOPBAR");
    environment.foreground = kForm;
    EXPECT_FALSE(registry.ProcessAccelerator('X', ModifierBits(ShortcutModifier::Ctrl)));
    EXPECT_EQ(loop.FindByShortcut(0, 'X', ModifierBits(ShortcutModifier::Ctrl), true), nullptr);
}

class Accelerators : public Registry {
protected:
    Accelerators() {
        file.SetSubBar(&fileMenu);
        save.SetShortcutKey('S');
        save.SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
        saveAll.SetShortcutKey('S');
        saveAll.SetShortcutModifiers(ShortcutModifier::Ctrl | ShortcutModifier::Shift);
        load.SetShortcutKey(0x74);
        load.SetShortcutModifiers(0);
        menuBar.mainMenu = true;
        menuBar.Show(L"MENU");
        toolbar.Register();
        toolbar.Show(L"TOOLBAR");
        environment.foreground = kForm;
    }

    ButtonRecord& file = MakeButton(L"MENU:FILE");
    ButtonRecord& save = MakeButton(L"MENU:FILE:SAVE");
    ButtonRecord& saveAll = MakeButton(L"MENU:FILE:SAVEALL");
    ButtonRecord& load = MakeButton(L"TOOLBAR:LOAD");
    BarRecord& menu = Bar(L"MENU", {&file});
    BarRecord& fileMenu = Bar(L"MENU:FILE", {&save, &saveAll});
    BarRecord& toolbarBar = Bar(L"TOOLBAR", {&load});
    FakeControl toolbar{registry, environment, 101, kForm};
};

TEST_F(Accelerators, ModifiersMustMatchExactly) {
    EXPECT_TRUE(registry.ProcessAccelerator('S', ShortcutModifier::Ctrl | ShortcutModifier::Shift));
    EXPECT_EQ(menuBar.raisedClicks, std::vector<std::wstring>{L"MENU:FILE:SAVEALL"});
    EXPECT_TRUE(registry.ProcessAccelerator('S', ModifierBits(ShortcutModifier::Ctrl)));
    EXPECT_EQ(menuBar.raisedClicks.back(), L"MENU:FILE:SAVE");
    EXPECT_FALSE(registry.ProcessAccelerator('S', ShortcutModifier::Ctrl | ShortcutModifier::Alt));
    EXPECT_FALSE(registry.ProcessAccelerator('S', 0));
}

TEST_F(Accelerators, ItemsShownByTheTargetControlAreClickedInPlace) {
    EXPECT_TRUE(registry.ProcessAccelerator(0x74, 0));
    EXPECT_EQ(toolbar.clickedItems, std::vector<std::int32_t>{1});
    EXPECT_TRUE(toolbar.raisedClicks.empty());
    EXPECT_TRUE(menuBar.clickedItems.empty());
}

TEST_F(Accelerators, DisabledTitleBlocksItsMenuAlsoOnceAPopupHasShownIt) {
    // A popup host belongs to the main form and keeps the last menu it showed.
    FakeControl popup(registry, environment, 103, kForm);
    popup.Register();
    popup.popupHost = true;
    for (bool shown : {false, true}) {
        if (shown) popup.Show(L"MENU:FILE");
        file.SetEnabled(false);
        EXPECT_FALSE(registry.ProcessAccelerator('S', ModifierBits(ShortcutModifier::Ctrl))) << "menu shown: " << shown;
        file.SetEnabled(true);
        save.SetEnabled(false);
        EXPECT_FALSE(registry.ProcessAccelerator('S', ModifierBits(ShortcutModifier::Ctrl))) << "menu shown: " << shown;
        EXPECT_TRUE(registry.ProcessAccelerator('S', ShortcutModifier::Ctrl | ShortcutModifier::Shift))
            << "menu shown: " << shown;
        save.SetEnabled(true);
    }
    EXPECT_TRUE(popup.raisedClicks.empty());
}

TEST_F(Accelerators, OnlyAnEnabledRestoredForegroundFormOfTheControlCounts) {
    environment.foreground = 0;  // minimised or disabled
    EXPECT_FALSE(registry.ProcessAccelerator('S', ModifierBits(ShortcutModifier::Ctrl)));
    environment.foreground = kOtherForm;
    EXPECT_FALSE(registry.ProcessAccelerator('S', ModifierBits(ShortcutModifier::Ctrl)));
    EXPECT_TRUE(menuBar.raisedClicks.empty());
}

TEST_F(Accelerators, MainMenuControlIsTheEnabledMainMenuOfTheForegroundForm) {
    EXPECT_EQ(registry.GetMainMenuControl(), 100u);
    menuBar.enabled = false;
    EXPECT_EQ(registry.GetMainMenuControl(), 0u);
    menuBar.enabled = true;
    environment.foreground = kOtherForm;
    EXPECT_EQ(registry.GetMainMenuControl(), 0u);
}

TEST_F(Registry, MenuModeDisablesExactlyTheOtherNonPopupControls) {
    FakeControl toolbar(registry, environment, 101, kForm);
    FakeControl alreadyOff(registry, environment, 102, kForm);
    FakeControl host(registry, environment, 103, 103);
    FakeControl gone(registry, environment, 104, kForm);
    for (FakeControl* control : {&toolbar, &alreadyOff, &host, &gone}) control->Register();
    host.popupHost = true;
    registry.SetShowAll(true);

    registry.SetMenuMode(true, 100);
    EXPECT_TRUE(registry.InMenuMode());
    EXPECT_FALSE(registry.ShowAll());
    EXPECT_TRUE(environment.MouseHooked());
    EXPECT_TRUE(menuBar.enabled);
    EXPECT_TRUE(host.enabled);
    EXPECT_FALSE(toolbar.enabled);
    EXPECT_FALSE(gone.enabled);
    EXPECT_EQ(registry.MenuModeInitiator(), 100u);

    registry.SetMenuMode(true, 101);  // already on: nothing
    EXPECT_EQ(registry.MenuModeInitiator(), 100u);

    gone.DestroyWindow();
    FakeControl late(registry, environment, 105, kForm);
    late.Register();
    late.enabled = false;
    registry.SetKeyboardInitiated(true);
    registry.SetMenuModeControl(101);
    registry.SetMenuMode(false, 0);
    EXPECT_FALSE(registry.InMenuMode());
    EXPECT_FALSE(registry.KeyboardInitiated());
    EXPECT_EQ(registry.MenuModeControl(), 0u);
    EXPECT_EQ(registry.MenuModeInitiator(), 0u);
    EXPECT_FALSE(environment.MouseHooked());
    EXPECT_TRUE(toolbar.enabled);
    EXPECT_TRUE(alreadyOff.enabled);
    EXPECT_FALSE(late.enabled);  // was never in the disabled set
    EXPECT_FALSE(gone.enabled);  // no longer resolves
    EXPECT_EQ(menuBar.hotItemCleared, 1);
}

TEST_F(Registry, LeavingMenuModeAboveLevelZeroClosesOneLevelOnly) {
    FakeControl popupA(registry, environment, 201, 201);
    FakeControl popupB(registry, environment, 202, 202);
    popupA.Register();
    popupB.Register();
    popupA.popupHost = popupB.popupHost = true;
    registry.SetMenuMode(true, 100);
    registry.PushPopup(201, 100, false, false);
    registry.PushPopup(202, 201, true, true);
    ASSERT_EQ(registry.PopupLevel(), 1);

    registry.SetMenuMode(false, 0);
    EXPECT_TRUE(registry.InMenuMode());
    EXPECT_EQ(registry.PopupLevel(), 0);
    EXPECT_EQ(popupB.closeMenuCalls, std::vector<bool>{true});
    EXPECT_TRUE(popupA.closeMenuCalls.empty());

    registry.SetMenuMode(false, 0);
    EXPECT_FALSE(registry.InMenuMode());
}

TEST_F(Registry, FinalTeardownEndsMenuModeWhateverThePopupLevel) {
    FakeControl popup(registry, environment, 201, 201);
    popup.Register();
    popup.popupHost = true;
    registry.SetMenuMode(true, 100);
    registry.PushPopup(201, 100, true, true);
    ASSERT_EQ(registry.PopupLevel(), 1);
    popup.Unregister();
    menuBar.Unregister();
    EXPECT_FALSE(registry.InMenuMode());
    EXPECT_FALSE(environment.MouseHooked());
    EXPECT_EQ(registry.PopupLevel(), 0);
    EXPECT_EQ(registry.PopupStack(), nullptr);

    menuBar.Register();
    registry.SetMenuMode(true, 100);  // a fresh start can enter menu mode again
    EXPECT_TRUE(environment.MouseHooked());
}

TEST_F(Registry, PopupPoolHandsOutFreeHostsAndAsksForMore) {
    std::vector<std::unique_ptr<FakeControl>> supplied;
    WindowHandle next = 300;
    menuBar.supplyInstance = [&]() -> CommandBarControl* {
        supplied.push_back(std::make_unique<FakeControl>(registry, environment, next++, 0));
        supplied.back()->Register();
        return supplied.back().get();
    };
    EXPECT_FALSE(registry.HasPopupPool());
    CommandBarControl* first = registry.GetPopupControl();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Hwnd(), 300u);
    EXPECT_TRUE(first->InUse());
    EXPECT_TRUE(registry.PopupPool()->Contains(L"H300"));
    CommandBarControl* second = registry.GetPopupControl();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Hwnd(), 301u);

    registry.ReleasePopupControls();
    EXPECT_FALSE(first->InUse());
    EXPECT_EQ(registry.GetPopupControl(), first);
    EXPECT_EQ(supplied.size(), 2u);

    menuBar.supplyInstance = nullptr;
    registry.GetPopupControl();  // takes 301
    EXPECT_EQ(registry.GetPopupControl(), nullptr);

    // Closing menus reaches every control only once a pool exists.
    registry.CloseAllMenus();
    EXPECT_EQ(menuBar.closeMenuCalls, std::vector<bool>{true});
    supplied[0]->popupHost = true;
    registry.CloseOtherMenus(100);
    EXPECT_EQ(menuBar.closeMenuCalls.size(), 1u);
    EXPECT_EQ(supplied[0]->closeMenuCalls, std::vector<bool>{true});
    EXPECT_EQ(supplied[1]->closeMenuCalls, (std::vector<bool>{true, false}));

    registry.ClearPopupPool();
    EXPECT_FALSE(registry.HasPopupPool());
    EXPECT_EQ(environment.properties.count(300), 0u);
}

TEST_F(Registry, NoPoolMeansNoClosingAndNoRegisteredControlMeansNoPopup) {
    registry.CloseAllMenus();
    registry.CloseOtherMenus(0);
    EXPECT_TRUE(menuBar.closeMenuCalls.empty());
    menuBar.Unregister();
    EXPECT_EQ(registry.GetPopupControl(), nullptr);
}

TEST_F(Registry, RefreshReachesEveryRegisteredControl) {
    FakeControl toolbar(registry, environment, 101, kForm);
    toolbar.Register();
    registry.RefreshAllControls();
    EXPECT_EQ(menuBar.styleChanges, 1);
    EXPECT_EQ(toolbar.styleChanges, 1);
}

TEST_F(Registry, RemovedBarLeavesNoReferenceBehind) {
    ButtonRecord& file = MakeButton(L"MENU:FILE");
    ButtonRecord& open = MakeButton(L"MENU:FILE:OPEN");
    open.SetShortcutKey('O');
    open.SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
    Bar(L"MENU", {&file});
    BarRecord& fileMenu = Bar(L"MENU:FILE", {&open});
    file.SetSubBar(&fileMenu);
    FakeControl popup(registry, environment, 201, 201);
    popup.Register();
    menuBar.Show(L"MENU");
    popup.Show(L"MENU:FILE");
    environment.foreground = kForm;

    registry.RemoveBar(L"MENU:FILE");
    EXPECT_EQ(file.SubBar(), nullptr);
    EXPECT_TRUE(popup.shownBar.empty());
    EXPECT_EQ(open.Bars().Count(), 0);
    EXPECT_FALSE(registry.ProcessAccelerator('O', ModifierBits(ShortcutModifier::Ctrl)));
    file.SetCaption(L"&Файл");  // notifies only live bars
    EXPECT_EQ(menuBar.changes.back().kind, BarChangeKind::ButtonSize);

    registry.RemoveBar(L"MENU");  // shown by the menu bar
    EXPECT_TRUE(menuBar.shownBar.empty());
    EXPECT_EQ(file.Bars().Count(), 0);
    file.SetCaption(L"x");
    EXPECT_EQ(ErrorNumberOf([&] { registry.GetBar(L"MENU"); }), 5);
}

TEST_F(Registry, RemovedButtonLeavesEveryBarAndControl) {
    ButtonRecord& a = MakeButton(L"A");
    ButtonRecord& b = MakeButton(L"B");
    BarRecord& toolbarBar = Bar(L"TB", {&a, &b});
    BarRecord& list = registry.GetBar(L"CHEVRON:ADDORREMOVE");
    list.InsertBefore(b, list.Item(1)->Key());
    menuBar.Show(L"TB");
    menuBar.changes.clear();

    registry.RemoveButton(L"B");
    EXPECT_EQ(toolbarBar.Count(), 1);
    EXPECT_EQ(list.IndexOf(L"B"), 0);
    EXPECT_EQ(list.Count(), 2);
    ASSERT_EQ(menuBar.changes.size(), 1u);
    EXPECT_EQ(menuBar.changes[0].kind, BarChangeKind::ButtonList);
    EXPECT_EQ(registry.FindButton(L"B"), nullptr);
    a.SetVisible(false);
    toolbarBar.Clear();
    EXPECT_EQ(a.Bars().Count(), 0);
}

TEST_F(Registry, ControlMayRemoveTheChangingBarFromItsNotification) {
    ButtonRecord& a = MakeButton(L"A");
    Bar(L"TB", {&a});
    menuBar.Show(L"TB");
    menuBar.ReactOnce([&] {
        registry.RemoveBar(L"TB");
        registry.RemoveButton(L"A");
    });
    a.SetCaption(L"gone");  // bar and button are removed while notifying
    EXPECT_EQ(registry.FindBar(L"TB"), nullptr);
    EXPECT_EQ(registry.FindButton(L"A"), nullptr);
}

// A control's notification may remove or link again the very records being changed; nothing may
// be left pointing at a record that is gone.
TEST_F(Registry, NotificationsThatRemoveOrRelinkRecordsLeaveNoStaleLink) {
    // Placing a button whose placement notifies a control that removes it. A style change does
    // not settle groups, so both groups below hold two checked radio buttons before it.
    ButtonRecord& x1 = MakeButton(L"X1", ButtonStyle::Check);
    ButtonRecord& x2 = MakeButton(L"X2", ButtonStyle::Check);
    ButtonRecord& y1 = MakeButton(L"Y1", ButtonStyle::Check);
    BarRecord& radios = Bar(L"RADIOS", {&x1, &x2, &MakeButton(L"SEP", ButtonStyle::Separator), &y1});
    for (ButtonRecord* button : {&x1, &x2, &y1}) {
        button->SetChecked(true);
        button->SetStyle(ButtonStyle::Radio);
    }
    ButtonRecord& placed = MakeButton(L"PLACED", ButtonStyle::Radio);
    placed.SetChecked(true);
    menuBar.Show(L"RADIOS");
    menuBar.ReactOnce([&] { registry.RemoveButton(L"PLACED"); });
    radios.Add(placed);
    EXPECT_EQ(registry.FindButton(L"PLACED"), nullptr);
    EXPECT_EQ(KeysOf(radios), (std::vector<std::wstring>{L"X1", L"X2", L"SEP", L"Y1"}));
    EXPECT_TRUE(x1.Checked());
    EXPECT_FALSE(x2.Checked());
    EXPECT_TRUE(y1.Checked());

    // A button placed into a bar by the notification of that bar's removal.
    ButtonRecord& late = MakeButton(L"LATE");
    Bar(L"DOOMED", {&MakeButton(L"FIRST")});
    menuBar.Show(L"DOOMED");
    menuBar.ReactOnce([&] { registry.GetBar(L"DOOMED").Add(late); });
    registry.RemoveBar(L"DOOMED");
    EXPECT_EQ(late.Bars().Count(), 0);
    late.SetCaption(L"&Late");  // notifies the bars it knows

    // A button placed into another bar by the notification of its own removal.
    Bar(L"FROM", {&MakeButton(L"MOVING")});
    BarRecord& to = Bar(L"TO", {});
    menuBar.Show(L"FROM");
    menuBar.ReactOnce([&] { to.Add(registry.GetButton(L"MOVING")); });
    registry.RemoveButton(L"MOVING");
    EXPECT_EQ(to.Count(), 0);
    to.Clear();  // unlinks every button it holds
}

TEST_F(Registry, ToggleOnClickFlipsCheckablesAndCustomiseEntries) {
    ButtonRecord& check = MakeButton(L"CHECK", ButtonStyle::Check);
    ButtonRecord& plain = MakeButton(L"PLAIN");
    BarRecord& bar = Bar(L"BAR", {&check, &plain});
    bar.ToggleOnClick(1);
    EXPECT_TRUE(check.Checked());
    bar.ToggleOnClick(1);
    EXPECT_FALSE(check.Checked());
    plain.SetCustomiseState(CustomiseState::Checked);
    bar.ToggleOnClick(2);
    EXPECT_EQ(plain.CustomiseState(), CustomiseState::Unchecked);
    bar.ToggleOnClick(2);
    EXPECT_EQ(plain.CustomiseState(), CustomiseState::Checked);
    bar.ToggleOnClick(3);  // nothing there
}

}  // namespace core::commandbar
