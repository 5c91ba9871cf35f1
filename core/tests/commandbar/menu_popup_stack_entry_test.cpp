#include "core/commandbar/menu_popup_stack_entry.h"

#include <gtest/gtest.h>

#include "fakes.h"

namespace core::commandbar {

namespace {

using testing::ErrorNumberOf;
using testing::FakeControl;
using testing::FakeEnvironment;

class PopupStack : public ::testing::Test {
protected:
    PopupStack() {
        for (FakeControl* control : {&menuBar, &popupA, &popupB, &submenu}) control->Register();
        popupA.popupHost = popupB.popupHost = submenu.popupHost = true;
    }

    FakeEnvironment environment;
    CommandBarRegistry registry{environment};
    FakeControl menuBar{registry, environment, 100, 1000};
    FakeControl popupA{registry, environment, 201, 201};
    FakeControl popupB{registry, environment, 202, 202};
    FakeControl submenu{registry, environment, 203, 203};
};

}  // namespace

TEST(MenuPopupStack, StoresWhatItIsGiven) {
    MenuPopupStackEntry entry;
    EXPECT_EQ(entry.Hwnd(), 0u);
    entry.Initialise(5, 6, true, 2);
    EXPECT_EQ(entry.Hwnd(), 5u);
    EXPECT_EQ(entry.HwndSource(), 6u);
    EXPECT_TRUE(entry.ShownAsPopup());
    EXPECT_EQ(entry.RecursionLevel(), 2);
}

TEST_F(PopupStack, NestedContextMenuDisablesTheLevelBelowUntilItCloses) {
    EXPECT_EQ(registry.PopupStack(), nullptr);
    registry.PushPopup(201, 100, false, false);  // drop-down from the menu bar
    EXPECT_EQ(registry.PopupLevel(), 0);
    EXPECT_TRUE(menuBar.enabled);
    EXPECT_TRUE(popupA.enabled);

    registry.PushPopup(203, 201, false, false);  // submenu of A: same level, disables nothing
    EXPECT_EQ(registry.PopupStack()->Item(L"H203").RecursionLevel(), 0);
    EXPECT_TRUE(popupA.enabled);

    registry.PushPopup(202, 201, true, true);  // context menu from A's host
    EXPECT_EQ(registry.PopupLevel(), 1);
    EXPECT_EQ(registry.PopupStack()->Item(L"H202").RecursionLevel(), 1);
    EXPECT_FALSE(popupA.enabled);
    EXPECT_FALSE(menuBar.enabled);
    EXPECT_FALSE(submenu.enabled);
    EXPECT_TRUE(popupB.enabled);

    registry.PopPopup(202);
    EXPECT_TRUE(popupA.enabled);
    EXPECT_TRUE(menuBar.enabled);
    EXPECT_TRUE(submenu.enabled);
    EXPECT_EQ(registry.PopupLevel(), 1);  // lowered only by leaving menu mode
    EXPECT_EQ(registry.PopupStack()->Count(), 2);

    registry.PopPopup(999);  // not on the stack
    EXPECT_EQ(registry.PopupStack()->Count(), 2);
    registry.PopPopup(203);
    registry.PopPopup(201);
    EXPECT_EQ(registry.PopupStack(), nullptr);
    registry.PopPopup(201);
}

TEST_F(PopupStack, LevelStaysDisabledWhileAnotherEntryOfTheUpperLevelRemains) {
    registry.PushPopup(201, 100, false, false);
    registry.PushPopup(202, 201, true, true);
    registry.PushPopup(203, 202, false, false);  // submenu of the context menu: level 1 too
    EXPECT_EQ(registry.PopupStack()->Item(L"H203").RecursionLevel(), 1);
    registry.PopPopup(203);
    EXPECT_FALSE(popupA.enabled);
    registry.PopPopup(202);
    EXPECT_TRUE(popupA.enabled);
}

TEST_F(PopupStack, PushingAWindowTwiceFailsWith457) {
    registry.PushPopup(201, 100, false, false);
    EXPECT_EQ(ErrorNumberOf([&] { registry.PushPopup(201, 100, false, false); }), 457);
    EXPECT_EQ(registry.PopupStack()->Count(), 1);
}

}  // namespace core::commandbar
