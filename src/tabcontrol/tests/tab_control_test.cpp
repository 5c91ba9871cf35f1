#include "tabcontrol/tab_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include <string>
#include <vector>

#include "support/gui_resources.h"
#include "support/pump.h"
#include "support/screenshot.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace {

using tabcontrol::TabControl;

class Form : public win::Window {
public:
    Form() {
        win::CreateArgs args;
        args.title = L"Tabs";
        args.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        args.x = args.y = 10;
        args.width = 420;
        args.height = 300;
        Create(win::WindowClassArgs{L"GlyphTabTestForm"}, args);
    }
};

class TabControlTest : public testing::Test {
protected:
    void SetUp() override {
        ::ShowWindow(form.hwnd(), SW_SHOW);
        tabs.Create(form.hwnd(), 50, RECT{10, 10, 390, 250});
        tabs.events.beforeClick = [this](int tab, bool& cancel) {
            log.push_back(L"before " + std::to_wstring(tab));
            cancel = cancelNext;
        };
        tabs.events.tabClick = [this](int tab) { log.push_back(L"click " + std::to_wstring(tab)); };
    }

    void AddThree() {
        tabs.AddTab(L"Общие", -1, -1, L"GENERAL", 1000);
        tabs.AddTab(L"Текст просмотра", -1, -1, L"DECODE", 2000);
        tabs.AddTab(L"Цвета", -1, -1, L"VIEW", 3000);
    }
    std::vector<std::wstring> Keys() const {
        std::vector<std::wstring> keys;
        for (int i = 1; i <= tabs.TabCount(); ++i) keys.push_back(tabs.TabKey(i));
        return keys;
    }
    std::vector<std::wstring> Texts() const {
        std::vector<std::wstring> texts;
        for (int i = 1; i <= tabs.TabCount(); ++i) texts.push_back(tabs.TabText(i));
        return texts;
    }

    Form form;
    TabControl tabs;
    std::vector<std::wstring> log;
    bool cancelNext = false;
};

void ExpectTabError(const std::function<void()>& call, std::int32_t kind, const std::wstring& text) {
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const core::RuntimeError& error) {
        EXPECT_EQ(error.Number(), tabcontrol::error::Number(kind));
        EXPECT_EQ(error.Description(), text);
        EXPECT_EQ(error.Source(), core::ExecutableName() + L".cTabCtrl");
    }
}

TEST_F(TabControlTest, InsertsBeforeANumberOrKeyAndAppendsPastTheEnd) {
    tabs.AddTab(L"A", -1, -1, L"A");
    tabs.AddTab(L"B", -1, -1, L"B");
    tabs.AddTab(L"C", -1, 1, L"C");
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"C", L"A", L"B"}));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"C", L"A", L"B"}));
    tabs.AddTab(L"D", -1, 4, L"D");  // count + 1 appends
    tabs.AddTab(L"E", -1, L"A", L"E");
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"C", L"E", L"A", L"B", L"D"}));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"C", L"E", L"A", L"B", L"D"}));
    EXPECT_EQ(tabs.IndexForTab(L"B"), 4);
    ExpectTabError([&] { tabs.AddTab(L"F", -1, L"nowhere", L"F"); }, tabcontrol::error::kTabNotFound,
                   L"TabIndex nowhere does not exist");
    EXPECT_EQ(tabs.TabCount(), 5);
}

TEST_F(TabControlTest, MissingTabsRaiseKindOneWithTheKeyOrNumberInTheText) {
    AddThree();
    ExpectTabError([&] { tabs.SelectTab(L"x"); }, tabcontrol::error::kTabNotFound, L"TabIndex x does not exist");
    ExpectTabError([&] { tabs.TabText(4); }, tabcontrol::error::kTabNotFound, L"TabIndex 4 does not exist");
    ExpectTabError([&] { tabs.TabKey(0); }, tabcontrol::error::kTabNotFound, L"TabIndex 0 does not exist");
    ExpectTabError([&] { tabs.RemoveTab(L"general"); }, tabcontrol::error::kTabNotFound,
                   L"TabIndex general does not exist");
    EXPECT_EQ(tabcontrol::error::Number(tabcontrol::error::kTabNotFound), static_cast<std::int32_t>(0x80040419u));
    EXPECT_EQ(tabcontrol::error::Number(tabcontrol::error::kSetImage), static_cast<std::int32_t>(0x8004041Fu));
}

TEST_F(TabControlTest, SelectTabRaisesBeforeClickAndTabClickUnlessToldNotTo) {
    AddThree();
    tabs.SelectTab(1, true);
    EXPECT_EQ(tabs.SelectedTab(), 1);
    tabs.SelectTab(L"VIEW", true);
    EXPECT_EQ(tabs.SelectedTab(), 3);
    EXPECT_TRUE(log.empty());

    tabs.SelectTab(L"DECODE");
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 3", L"click 2"}));
    // Leaving tab 1 still reports the click, although the platform answers 0 then.
    tabs.SelectTab(1, true);
    log.clear();
    tabs.SelectTab(2);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 1", L"click 2"}));
}

TEST_F(TabControlTest, ACancelledBeforeClickKeepsTheOldTab) {
    AddThree();
    tabs.SelectTab(1, true);
    cancelNext = true;
    tabs.SelectTab(3);
    EXPECT_EQ(tabs.SelectedTab(), 1);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 1"}));

    // The same through the platform: a click on the third tab.
    log.clear();
    RECT third{};
    ::SendMessageW(tabs.TabCtrlhWnd(), TCM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&third));
    LPARAM point = MAKELPARAM((third.left + third.right) / 2, (third.top + third.bottom) / 2);
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_LBUTTONUP, 0, point);
    EXPECT_EQ(tabs.SelectedTab(), 1);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 1"}));

    cancelNext = false;
    log.clear();
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_LBUTTONUP, 0, point);
    EXPECT_EQ(tabs.SelectedTab(), 3);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 1", L"click 3"}));
}

TEST_F(TabControlTest, RemovingTheSelectedLastTabSelectsTheNewLastWithEvents) {
    AddThree();
    tabs.SelectTab(3, true);
    tabs.RemoveTab(L"VIEW");
    EXPECT_EQ(tabs.TabCount(), 2);
    EXPECT_EQ(tabs.SelectedTab(), 2);
    // BeforeClick names a tab that exists: the one taking over.
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 2", L"click 2"}));
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"GENERAL", L"DECODE"}));

    // Removing a tab that is not selected moves nothing but the keys.
    log.clear();
    tabs.RemoveTab(1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"DECODE"}));
    EXPECT_EQ(tabs.TabText(L"DECODE"), L"Текст просмотра");

    tabs.RemoveAllTabs();
    EXPECT_EQ(tabs.TabCount(), 0);
    EXPECT_EQ(tabs.SelectedTab(), 0);
    ExpectTabError([&] { tabs.TabKey(1); }, tabcontrol::error::kTabNotFound, L"TabIndex 1 does not exist");
}

TEST_F(TabControlTest, ItemFieldsReadAndWriteOneAtATime) {
    AddThree();
    EXPECT_EQ(tabs.TabItemData(L"DECODE"), 2000);
    EXPECT_EQ(tabs.TabImage(2), -1);
    tabs.SetTabItemData(2, 42);
    tabs.SetTabImage(L"DECODE", 3);
    EXPECT_EQ(tabs.TabItemData(2), 42);
    EXPECT_EQ(tabs.TabImage(2), 3);
    EXPECT_EQ(tabs.TabText(2), L"Текст просмотра");
    EXPECT_FALSE(tabs.TabHot(1));
}

TEST_F(TabControlTest, RebuildAppliesTheAlignmentAndKeepsEverything) {
    AddThree();
    tabs.SetTabImage(1, 2);
    tabs.SetTabItemData(3, 77);
    tabs.SelectTab(2, true);
    tabs.SetTabAlign(core::TabAlignment::Bottom);
    EXPECT_EQ(::GetWindowLongPtrW(tabs.TabCtrlhWnd(), GWL_STYLE) & TCS_BOTTOM, 0);
    HWND before = tabs.TabCtrlhWnd();

    tabs.Rebuild();
    EXPECT_NE(tabs.TabCtrlhWnd(), before);
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_NE(::GetWindowLongPtrW(tabs.TabCtrlhWnd(), GWL_STYLE) & TCS_BOTTOM, 0);
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"GENERAL", L"DECODE", L"VIEW"}));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Общие", L"Текст просмотра", L"Цвета"}));
    EXPECT_EQ(tabs.TabImage(1), 2);
    EXPECT_EQ(tabs.TabItemData(L"GENERAL"), 1000);
    EXPECT_EQ(tabs.TabItemData(L"VIEW"), 77);
    EXPECT_EQ(tabs.SelectedTab(), 2);
    EXPECT_TRUE(log.empty());
    // The new tab window reports to the control as the old one did.
    tabs.SelectTab(3);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 2", L"click 3"}));
}

TEST_F(TabControlTest, StylePropertiesRewriteTheLiveWindow) {
    tabs.SetHotTrack(true);
    tabs.SetButtons(true);
    tabs.SetFlatButtons(true);
    LONG_PTR style = ::GetWindowLongPtrW(tabs.TabCtrlhWnd(), GWL_STYLE);
    EXPECT_NE(style & TCS_HOTTRACK, 0);
    EXPECT_NE(style & TCS_BUTTONS, 0);
    EXPECT_NE(style & TCS_FLATBUTTONS, 0);
    tabs.SetButtons(false);
    style = ::GetWindowLongPtrW(tabs.TabCtrlhWnd(), GWL_STYLE);
    EXPECT_EQ(style & (TCS_BUTTONS | TCS_FLATBUTTONS), 0);
    tabs.SetFlatSeparators(true);
    EXPECT_NE(::SendMessageW(tabs.TabCtrlhWnd(), TCM_GETEXTENDEDSTYLE, 0, 0) & TCS_EX_FLATSEPARATORS, 0);
}

// Refuses to read the tab at one position, as the platform does with an item it cannot hand out.
class UnreadableTab : public subclass::SubclassClient {
public:
    explicit UnreadableTab(WPARAM position) : position_(position) {}
    core::MessageResponse MsgResponse() override { return core::MessageResponse::Consume; }
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        return wParam == position_ ? FALSE : subclass::CallPreviousProcedure(hwnd, message, wParam, lParam);
    }

private:
    WPARAM position_;
};

TEST_F(TabControlTest, KeysStayWithTheirTabsThroughAnUnreadableItemAndALostStrip) {
    AddThree();
    UnreadableTab unreadable(1);
    subclass::AttachMessage(unreadable, tabs.TabCtrlhWnd(), TCM_GETITEMW);
    tabs.Rebuild();  // the old strip goes, and the attachment with it
    EXPECT_EQ(Keys(), (std::vector<std::wstring>{L"GENERAL", L"DECODE", L"VIEW"}));
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Общие", L"", L"Цвета"}));
    EXPECT_EQ(tabs.TabItemData(L"VIEW"), 3000);

    // A strip destroyed behind the control's back is forgotten with its tabs.
    ::DestroyWindow(tabs.TabCtrlhWnd());
    EXPECT_EQ(tabs.TabCtrlhWnd(), nullptr);
    tabs.AddTab(L"Потерянная", -1, -1, L"LOST");
    EXPECT_EQ(tabs.TabCount(), 0);
    tabs.Rebuild();
    ASSERT_NE(tabs.TabCtrlhWnd(), nullptr);
    tabs.AddTab(L"Новая", -1, -1, L"NEW");
    EXPECT_EQ(Keys(), std::vector<std::wstring>{L"NEW"});
    ExpectTabError([&] { tabs.IndexForTab(L"LOST"); }, tabcontrol::error::kTabNotFound,
                   L"TabIndex LOST does not exist");
}

class FailingList : public tabcontrol::ImageListSource {
public:
    void DrawFirstImage() override { throw std::runtime_error("empty list"); }
    HIMAGELIST Handle() override { return nullptr; }
};

TEST_F(TabControlTest, ImageListsTakeHandlesAsTheyAreAndRefuseUnusableObjects) {
    HIMAGELIST list = ::ImageList_Create(16, 16, ILC_COLOR32, 1, 1);
    tabs.SetImageList(list);
    EXPECT_EQ(tabs.ImageList(), list);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(::SendMessageW(tabs.TabCtrlhWnd(), TCM_GETIMAGELIST, 0, 0)), list);

    FailingList failing;
    ExpectTabError([&] { tabs.SetImageList(&failing); }, tabcontrol::error::kInvalidImageList, L"Invalid Image List.");
    EXPECT_EQ(tabs.ImageList(), nullptr);
    ExpectTabError([&] { tabs.SetImageList(static_cast<tabcontrol::ImageListSource*>(nullptr)); },
                   tabcontrol::error::kInvalidImageList, L"Invalid Image List.");
    tabs.SetImageList(static_cast<HIMAGELIST>(nullptr));
    ::ImageList_Destroy(list);
}

TEST_F(TabControlTest, TheClientAreaLiesInsideTheControlBelowTheTabs) {
    AddThree();
    RECT pixels = tabs.ClientAreaPixels();
    EXPECT_GT(pixels.left, 10);
    EXPECT_GT(pixels.top, 10 + 10);  // below the tab row
    EXPECT_LT(pixels.right, 390);
    EXPECT_LT(pixels.bottom, 250);
    EXPECT_EQ(tabs.ClientLeft(), std::lround(win::PixelsToTwips(pixels.left)));
    EXPECT_EQ(tabs.ClientHeight(), std::lround(win::PixelsToTwips(pixels.bottom - pixels.top)));
}

TEST_F(TabControlTest, OwnerDrawnTabsAreAskedFirstAndPaintedByDefaultOnRequest) {
    tabs.SetOwnerDraw(true);
    AddThree();
    std::vector<tabcontrol::DrawItemEvent> asked;
    tabs.events.drawItem = [&](tabcontrol::DrawItemEvent& e) {
        asked.push_back(e);
        e.doDefault = true;
    };
    win::WindowDc screen(nullptr);
    win::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 100, 30));
    win::SelectGuard select(dc.get(), bitmap.get());
    RECT all{0, 0, 100, 30};
    ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));

    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_TAB;
    draw.CtlID = 1;
    draw.itemID = 1;
    draw.hwndItem = tabs.TabCtrlhWnd();
    draw.hDC = dc.get();
    draw.rcItem = RECT{0, 0, 100, 29};
    EXPECT_EQ(::SendMessageW(tabs.hwnd(), WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&draw)), TRUE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].position, 1);
    EXPECT_FALSE(asked[0].selected);
    EXPECT_EQ(asked[0].bounds.bottom, 30);  // one larger for an unselected tab
    EXPECT_EQ(::GetPixel(dc.get(), 1, 1), ::GetSysColor(COLOR_BTNFACE));
    // The caption reaches a memory DC too, which belongs to no window.
    int textPixels = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 100; ++x) textPixels += ::GetPixel(dc.get(), x, y) != ::GetSysColor(COLOR_BTNFACE);
    }
    EXPECT_GT(textPixels, 20);
}

TEST_F(TabControlTest, MeasureItemHandsTheSizeBackOnlyWhenAsked) {
    tabs.events.measureItem = [](tabcontrol::MeasureItemEvent& e) {
        e.width = 80;
        e.height = 25;
        e.doDefault = e.position != 0;
    };
    MEASUREITEMSTRUCT measure{};
    measure.CtlID = 1;
    measure.itemID = 0;
    measure.itemWidth = 10;
    measure.itemHeight = 10;
    ::SendMessageW(tabs.hwnd(), WM_MEASUREITEM, 1, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 80u);
    EXPECT_EQ(measure.itemHeight, 25u);
    measure.itemID = 1;
    measure.itemWidth = 10;
    ::SendMessageW(tabs.hwnd(), WM_MEASUREITEM, 1, reinterpret_cast<LPARAM>(&measure));
    EXPECT_EQ(measure.itemWidth, 10u);
}

TEST_F(TabControlTest, NavigationKeysBelongToTheFocusedStrip) {
    AddThree();
    tabs.SelectTab(1, true);
    ::SetFocus(tabs.hwnd());
    EXPECT_EQ(::GetFocus(), tabs.TabCtrlhWnd());
    MSG key{tabs.TabCtrlhWnd(), WM_KEYDOWN, VK_RETURN, 0};
    LRESULT code = ::SendMessageW(tabs.TabCtrlhWnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&key));
    EXPECT_NE(code & DLGC_WANTMESSAGE, 0);
    key.wParam = VK_HOME;
    code = ::SendMessageW(tabs.TabCtrlhWnd(), WM_GETDLGCODE, VK_HOME, reinterpret_cast<LPARAM>(&key));
    EXPECT_NE(code & DLGC_WANTMESSAGE, 0);
    key.wParam = VK_TAB;
    code = ::SendMessageW(tabs.TabCtrlhWnd(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&key));
    EXPECT_EQ(code & DLGC_WANTMESSAGE, 0);

    ::SendMessageW(tabs.TabCtrlhWnd(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(tabs.SelectedTab(), 2);
    EXPECT_EQ(log, (std::vector<std::wstring>{L"before 1", L"click 2"}));
}

TEST_F(TabControlTest, CoolTabsPaintWithoutLeaksAndFontsAreReplacedCleanly) {
    AddThree();
    tabs.SelectTab(2, true);
    testing_support::PumpFor(50);
    const unsigned gdiBefore = testing_support::GdiObjectCount();
    for (int round = 0; round < 20; ++round) {
        tabs.SetCoolTabs(round % 2 ? core::CoolTabsMode::Shaded : core::CoolTabsMode::Outlined);
        core::FontDescription font;
        font.name = L"Tahoma";
        font.points = 8 + round % 3;
        tabs.SetFont(font);
        ::RedrawWindow(tabs.TabCtrlhWnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    tabs.SetCoolTabs(core::CoolTabsMode::Off);
    testing_support::PumpFor(50);
    EXPECT_LE(testing_support::GdiObjectCount(), gdiBefore + 1);
    EXPECT_EQ(tabs.Font().name, L"Tahoma");
}

TEST_F(TabControlTest, RightClicksResizingAndMouseActivationReachTheStrip) {
    AddThree();
    int rightClicks = 0;
    tabs.events.tabRightClick = [&] { ++rightClicks; };
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(tabs.TabCtrlhWnd(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(rightClicks, 1);

    tabs.SetBounds(RECT{10, 10, 210, 110});
    RECT client{};
    ::GetClientRect(tabs.TabCtrlhWnd(), &client);
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);

    // A click on an unfocused strip takes the focus without activating anything.
    ::SetFocus(form.hwnd());
    LRESULT answer = ::SendMessageW(tabs.TabCtrlhWnd(), WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form.hwnd()),
                                    MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    EXPECT_EQ(answer, MA_NOACTIVATE);
    EXPECT_EQ(::GetFocus(), tabs.TabCtrlhWnd());
}

// Not a check: the painting modes side by side, when GLYPH_SCREENSHOT_DIR is set.
TEST(TabControlPictures, PaintingModes) {
    const std::string directory = testing_support::ScreenshotDirectory();
    if (directory.empty()) GTEST_SKIP() << "GLYPH_SCREENSHOT_DIR not set";
    Form form;
    ::SetWindowPos(form.hwnd(), nullptr, 10, 10, 420, 560, SWP_NOZORDER);
    ::ShowWindow(form.hwnd(), SW_SHOW);
    TabControl strips[4];
    for (int i = 0; i < 4; ++i) {
        core::TabStripProperties properties;
        properties.coolTabs = i == 3 ? core::CoolTabsMode::Off : static_cast<core::CoolTabsMode>(i);
        properties.ownerDraw = i == 3;
        properties.font = {L"Tahoma", 8};
        strips[i].Create(form.hwnd(), 10 + i, RECT{10, 10 + 125 * i, 390, 125 * (i + 1)}, properties);
        strips[i].events.drawItem = [](tabcontrol::DrawItemEvent& e) { e.doDefault = true; };
        strips[i].AddTab(L"Общие", -1, -1, L"A");
        strips[i].AddTab(L"Текст просмотра", -1, -1, L"B");
        strips[i].AddTab(L"Цвета", -1, -1, L"C");
        strips[i].SelectTab(2, true);
    }
    ::RedrawWindow(form.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    testing_support::PumpFor(400);
    EXPECT_TRUE(testing_support::SaveWindowBitmap(form.hwnd(), directory + "/tab_modes.bmp"));
}

TEST(TabControlLifetime, NothingStaysSubclassedAfterTheControlGoes) {
    Form form;
    HWND tabWindow = nullptr;
    HWND host = nullptr;
    {
        TabControl tabs;
        tabs.Create(form.hwnd(), 1, RECT{0, 0, 200, 100});
        tabWindow = tabs.TabCtrlhWnd();
        host = tabs.hwnd();
        EXPECT_TRUE(subclass::IsSubclassed(host));
        EXPECT_TRUE(subclass::IsSubclassed(tabWindow));
    }
    EXPECT_FALSE(::IsWindow(host));
    EXPECT_FALSE(::IsWindow(tabWindow));

    // Destroyed with its form first, created again on a new form, then released.
    auto tabs = std::make_unique<TabControl>();
    tabs->AddTab(L"early", -1, -1, L"EARLY");  // no strip yet: nothing to add
    EXPECT_EQ(tabs->TabCount(), 0);
    tabs->Create(form.hwnd(), 1, RECT{0, 0, 200, 100});
    tabs->AddTab(L"old", -1, -1, L"OLD");
    form.Destroy();
    EXPECT_EQ(tabs->TabCtrlhWnd(), nullptr);
    Form second;
    tabs->Create(second.hwnd(), 1, RECT{0, 0, 200, 100});
    tabs->AddTab(L"new", -1, -1, L"NEW");
    EXPECT_EQ(tabs->TabKey(1), L"NEW");
    EXPECT_EQ(tabs->IndexForTab(L"NEW"), 1);
    tabs.reset();
}

}  // namespace
