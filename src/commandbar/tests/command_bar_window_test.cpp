#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_persistence.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/command_bar_window.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/commandbar/style_colours.h"
#include "support/canvas.h"
#include "support/error_capture.h"
#include "support/gui_resources.h"
#include "support/test_icons.h"
#include "test_bar_window.h"

namespace commandbar {
namespace {

namespace el = core::colour_element;
namespace cb = core::commandbar;
using testing::TestForm;

// Icons of 18 pixels make tool bar buttons 26 pixels thick (4 pixels of spacing each side).
constexpr int kIcon = 18;
constexpr int kButtonDepth = 26;

std::unique_ptr<CommandBarWindow> MakeControl(HWND form, RECT bounds = {0, 0, 300, 40}, bool visible = true) {
    auto control = std::make_unique<CommandBarWindow>();
    control->Create(CommandBarWindowArgs{form, bounds, visible});
    return control;
}

// A bar of `count` icon buttons with captions, shown in the control.
cb::CommandBar ShowBar(CommandBarWindow& control, const std::wstring& key, int count) {
    cb::CommandBar bar = control.CommandBars().Add(key);
    for (int i = 1; i <= count; ++i) {
        bar.Buttons().Add(control.Buttons().Add(key + L":B" + std::to_wstring(i), 0, L"Пункт " + std::to_wstring(i)));
    }
    control.SetToolbar(bar);
    return bar;
}

COLORREF PixelAt(const CommandBarWindow& control, int x, int y) {
    const std::uint32_t p = control.Canvas().Surface().Pixels()[static_cast<std::size_t>(y) * control.Canvas().Surface().Width() + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Near(COLORREF a, core::Colour b, int tolerance = 8) {
    auto channel = [](std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    for (int shift : {0, 8, 16}) {
        if (std::abs(channel(a, shift) - channel(static_cast<std::uint32_t>(b), shift)) > tolerance) return false;
    }
    return true;
}

SIZE WindowSize(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

class CommandBarWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        icons_.Add(testing_support::MakeSolidIcon(kIcon, kIcon, 0xFF3366CCu).get());
        SetStyle(1);
    }
    TestForm form_;
    testing_support::OwnedImageList icons_{kIcon, kIcon};
};

TEST_F(CommandBarWindowTest, ToolBarTakesItsButtonsDepthAcrossItsOrientation) {
    struct Case {
        std::int32_t orientation;
        bool vertical;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        auto control = MakeControl(form_.hwnd(), RECT{0, 0, 120, 150});
        control->SetToolbarImageList(icons_.get());
        control->SetOrientation(c.orientation);
        ShowBar(*control, L"TB", 3);
        const SIZE size = WindowSize(control->hwnd());
        EXPECT_EQ(c.vertical ? size.cx : size.cy, kButtonDepth) << c.orientation;
        EXPECT_EQ(c.vertical ? size.cy : size.cx, c.vertical ? 150 : 120) << c.orientation;
        control->CommandBars().Remove(L"TB");
    }
}

TEST_F(CommandBarWindowTest, PopupHostStaysHorizontalAndIsTwoPixelsTallerThanItsMenu) {
    auto host = MakeControl(form_.hwnd(), RECT{0, 0, 10, 10}, false);
    host->MakePopupHost();
    ShowBar(*host, L"MENU:FILE", 4);
    const unsigned refreshes = host->Canvas().RefreshCount();
    host->SetOrientation(2);
    EXPECT_EQ(host->Orientation(), 0);
    EXPECT_GT(host->Canvas().RefreshCount(), refreshes);
    const auto& items = host->DisplayInfo();
    ASSERT_EQ(items.size(), 4u);
    const SIZE size = WindowSize(host->hwnd());
    EXPECT_EQ(size.cx, items.back().right);
    EXPECT_EQ(size.cy, items.back().bottom + 2);
    EXPECT_GT(items.back().bottom, items.front().bottom);
}

TEST_F(CommandBarWindowTest, ShowingNothingStopsListeningToTheOwnerForm) {
    auto control = MakeControl(form_.hwnd());
    ShowBar(*control, L"TB", 1);
    auto deactivatedInMenuMode = [&] {
        Registry().SetMenuMode(true, control->Hwnd());
        ::SendMessageW(form_.hwnd(), WM_ACTIVATEAPP, 0, 0);
        const bool left = !Registry().InMenuMode();
        Registry().SetMenuMode(false, 0);
        return left;
    };
    EXPECT_TRUE(deactivatedInMenuMode());
    control->SetToolbar(std::nullopt);
    EXPECT_FALSE(control->Toolbar().has_value());
    EXPECT_EQ(control->OwnerForm(), 0u);
    EXPECT_FALSE(deactivatedInMenuMode());

    // A popup host moved onto the desktop still listens to the form it was made on.
    auto host = MakeControl(form_.hwnd(), RECT{0, 0, 10, 10}, false);
    host->MakePopupHost();
    ::SetParent(host->hwnd(), nullptr);
    ShowBar(*host, L"MENU", 1);
    EXPECT_EQ(host->OwnerForm(), ToHandle(form_.hwnd()));
    EXPECT_TRUE(deactivatedInMenuMode());
}

TEST_F(CommandBarWindowTest, RedrawOffPaintsNothingAndOnPaintsOnce) {
    auto control = MakeControl(form_.hwnd());
    cb::CommandBar bar = ShowBar(*control, L"TB", 3);
    control->SetRedraw(false);
    const unsigned refreshes = control->Canvas().RefreshCount();
    const auto shown = control->Canvas().Surface().Pixels();
    const std::vector<std::uint32_t> lastImage(shown.begin(), shown.end());
    control->SetOrientation(1);
    control->SetFont(core::FontDescription{L"Arial", 12});
    control->SetCustomColour(el::kBarBackStart, 0x0000FF);
    bar.Buttons().Item(1).SetCaption(L"Другой");
    bar.Buttons().Item(2).SetChecked(true);
    ::SetWindowPos(control->hwnd(), nullptr, 0, 0, 60, 250, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(control->Canvas().RefreshCount(), refreshes);
    // Resized or not, the window keeps showing the last image.
    EXPECT_TRUE(std::ranges::equal(control->Canvas().Surface().Pixels(), lastImage));
    control->SetRedraw(true);
    EXPECT_EQ(control->Canvas().RefreshCount(), refreshes + 1);
    RECT client{};
    ::GetClientRect(control->hwnd(), &client);
    EXPECT_EQ(control->Canvas().Surface().Height(), client.bottom);
    control->SetCustomColour(el::kBarBackStart, core::kNoColour);
}

TEST_F(CommandBarWindowTest, StyleSetThroughOneControlRepaintsEveryControl) {
    auto first = MakeControl(form_.hwnd(), RECT{0, 0, 300, 40});
    auto second = MakeControl(form_.hwnd(), RECT{0, 50, 300, 90});
    ShowBar(*first, L"TB1", 1);
    ShowBar(*second, L"TB2", 1);
    const COLORREF before = PixelAt(*second, 290, 1);
    const unsigned refreshes = second->Canvas().RefreshCount();
    first->SetStyle(2);
    EXPECT_EQ(second->Style(), 2);
    EXPECT_GT(second->Canvas().RefreshCount(), refreshes);
    EXPECT_NE(PixelAt(*second, 290, 1), before);
}

TEST_F(CommandBarWindowTest, ResizeIsRaisedOnceWhenTheLayoutResizesTheWindow) {
    auto control = MakeControl(form_.hwnd());
    control->SetToolbarImageList(icons_.get());
    ShowBar(*control, L"TB", 2);
    int resizes = 0;
    control->events.resize = [&] { ++resizes; };
    ::SetWindowPos(control->hwnd(), nullptr, 0, 0, 280, 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(WindowSize(control->hwnd()).cy, kButtonDepth);
    // A setting change on the owner form runs the same handler.
    ::SendMessageW(form_.hwnd(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(resizes, 2);
}

TEST_F(CommandBarWindowTest, OnlyALiveRegisteredControlIsTakenAsANewPopupHost) {
    auto first = MakeControl(form_.hwnd());
    auto spare = MakeControl(form_.hwnd(), RECT{0, 0, 10, 10}, false);
    CommandBarWindow designed;
    designed.Create(CommandBarWindowArgs{form_.hwnd(), RECT{0, 0, 10, 10}, false, true});
    EXPECT_EQ(designed.Hwnd(), 0u);
    EXPECT_EQ(Registry().Instances().Count(), 2);
    CommandBarWindow* offered = nullptr;
    first->events.requestNewInstance = [&](CommandBarWindow*& control) { control = offered; };
    for (CommandBarWindow* candidate : {static_cast<CommandBarWindow*>(nullptr), &designed, spare.get()}) {
        offered = candidate;
        cb::CommandBarControl* taken = Registry().GetPopupControl();
        EXPECT_EQ(taken, candidate == spare.get() ? spare.get() : nullptr);
    }
    EXPECT_TRUE(spare->InUse());
    Registry().ClearPopupPool();
}

TEST_F(CommandBarWindowTest, PersistedPropertiesRoundTripWithoutStoringDefaults) {
    auto plain = MakeControl(form_.hwnd());
    core::PropertyBag defaults;
    SaveProperties(*plain, defaults);
    EXPECT_EQ(defaults.Values().size(), 1u);
    EXPECT_TRUE(defaults.Contains(L"Font"));

    plain->SetFont(core::FontDescription{L"Arial", 10.5, true});
    plain->SetEnabled(false);
    plain->SetOrientation(3);
    plain->SetMainMenu(true);
    plain->SetStyle(0);
    core::PropertyBag changed;
    SaveProperties(*plain, changed);
    SetStyle(1);
    auto loaded = MakeControl(form_.hwnd());
    LoadProperties(*loaded, changed);
    EXPECT_EQ(loaded->Font(), plain->Font());
    EXPECT_FALSE(loaded->Enabled());
    EXPECT_FALSE(::IsWindowEnabled(loaded->hwnd()));
    EXPECT_EQ(loaded->Orientation(), 3);
    EXPECT_TRUE(loaded->MainMenu());
    EXPECT_EQ(loaded->Style(), 0);
}

TEST_F(CommandBarWindowTest, HandlersMayRemoveTheButtonOrBarTheyAreToldAbout) {
    auto control = MakeControl(form_.hwnd());
    ShowBar(*control, L"TB", 3);
    std::wstring clicked;
    control->events.buttonClick = [&](const cb::Button& button) {
        clicked = button.Key();
        control->Buttons().Remove(button.Key());
    };
    control->ClickItem(2);
    EXPECT_EQ(clicked, L"TB:B2");
    EXPECT_EQ(control->DisplayInfo().size(), 2u);

    control->events.buttonClick = [&](const cb::Button& button) {
        control->CommandBars().Remove(control->Toolbar()->Key());
        clicked = button.Key();
    };
    control->ClickItem(1);
    EXPECT_EQ(clicked, L"TB:B1");
    EXPECT_FALSE(control->ShowsBar());
    EXPECT_TRUE(control->DisplayInfo().empty());
}

TEST_F(CommandBarWindowTest, OverflowingLayoutIsReportedAndLeavesOneRecordPerButton) {
    auto control = MakeControl(form_.hwnd());
    cb::CommandBar bar = ShowBar(*control, L"TB", 2);
    cb::Button panel = control->Buttons().Add(L"TB:PANEL", -1, L"", cb::ButtonStyle::Panel);
    win::UniqueWindow edit(::CreateWindowExW(0, L"EDIT", L"", WS_CHILD, 0, 0, 30, 20, form_.hwnd(), nullptr,
                                             nullptr, nullptr));
    panel.SetPanelControl(ToHandle(edit.get()));
    bar.Buttons().Add(panel);
    testing_support::ErrorCapture errors;
    panel.SetPanelWidth(INT_MAX);
    ASSERT_FALSE(errors.errors().empty());
    EXPECT_EQ(errors.errors().front().Number(), core::error_number::kOverflow);
    EXPECT_EQ(control->DisplayInfo().size(), 3u);
    panel.SetPanelWidth(40);
    EXPECT_GT(control->DisplayInfo().back().right, 40);
}

TEST_F(CommandBarWindowTest, BarBackgroundsAreDrawnWhereTheyBelong) {
    // A horizontal bar's gradient runs downwards, a vertical one's rightwards.
    for (std::int32_t orientation : {0, 1}) {
        auto control = MakeControl(form_.hwnd(), RECT{0, 0, 200, 200});
        // Set after the first registration, which starts from the style's own colours.
        SetCustomColour(el::kBarBackStart, 0x0000FF);
        SetCustomColour(el::kBarBackEnd, 0xFF0000);
        control->SetToolbarImageList(icons_.get());
        control->SetOrientation(orientation);
        ShowBar(*control, L"TB", 1);
        const int depthEnd = kButtonDepth - 1;
        const int along = 190;
        const bool vertical = orientation == 1;
        EXPECT_TRUE(Near(PixelAt(*control, vertical ? 0 : along, vertical ? along : 0), 0x0000FF)) << orientation;
        EXPECT_TRUE(Near(PixelAt(*control, vertical ? depthEnd : along, vertical ? along : depthEnd), 0xFF0000, 24))
            << orientation;
        control->CommandBars().Remove(L"TB");
    }
    SetCustomColour(el::kBarBackStart, core::kNoColour);
    SetCustomColour(el::kBarBackEnd, core::kNoColour);

    // A menu: border, icon column and the opening left where it meets its item (below it).
    auto host = MakeControl(form_.hwnd(), RECT{0, 0, 10, 10});
    host->MakePopupHost();
    POINT origin{0, 0};
    ::ClientToScreen(host->hwnd(), &origin);
    host->SetPopupContext(form_.hwnd(), 0, origin.x + 10, 30, nullptr);
    ShowBar(*host, L"MENU", 3);
    const int height = host->Canvas().Surface().Height();
    EXPECT_TRUE(Near(PixelAt(*host, 5, 0), GetElementColour(el::kMenuBorder), 0));
    EXPECT_TRUE(Near(PixelAt(*host, 20, 0), GetElementColour(el::kMenuBackStart), 0));
    EXPECT_TRUE(Near(PixelAt(*host, 40, 0), GetElementColour(el::kMenuBorder), 0));
    EXPECT_TRUE(Near(PixelAt(*host, 0, height / 2), GetElementColour(el::kMenuBorder), 0));
    EXPECT_TRUE(Near(PixelAt(*host, 2, height - 4), GetElementColour(el::kBarBackStart)));
}

// Hot tracking repaints one item: it must leave what a whole repaint would, border included, in
// a menu and on a menu bar wrapped into rows over its parent-relative background.
TEST_F(CommandBarWindowTest, MenuItemRepaintEqualsAWholeRepaintInEveryStyle) {
    auto menu = MakeControl(form_.hwnd(), RECT{0, 0, 10, 10});
    menu->MakePopupHost();
    menu->SetMenuImageList(icons_.get());
    cb::CommandBar bar = ShowBar(*menu, L"MENU", 2);
    bar.Buttons().Add(menu->Buttons().Add(L"MENU:SEP", -1, L"", cb::ButtonStyle::Separator));
    bar.Buttons().Add(menu->Buttons().Add(L"MENU:LAST", -1, L"Последний"));
    auto menuBar = MakeControl(form_.hwnd(), RECT{0, 0, 130, 20});
    menuBar->SetMainMenu(true);
    cb::CommandBar titles = menuBar->CommandBars().Add(L"MAIN");
    cb::CommandBar drop = ShowBar(*menuBar, L"DROP", 1);
    for (const wchar_t* caption : {L"Файл", L"Правка", L"Вид", L"Справка"}) {
        cb::Button title = menuBar->Buttons().Add(std::wstring(L"MAIN:") + caption, -1, caption);
        title.SetShowCaptionInToolbar(true);
        title.SetBar(drop);
        titles.Buttons().Add(title);
    }
    menuBar->SetToolbar(titles);
    ASSERT_GT(menuBar->DisplayInfo().back().top, menuBar->DisplayInfo().front().top) << "the titles wrap";

    using State = bool cb::DisplayButtonInfo::*;
    for (CommandBarWindow* host : {menu.get(), menuBar.get()}) {
        auto& items = host->DisplayInfo();
        for (std::int32_t style = 0; style <= 3; ++style) {
            SetStyle(style);
            for (State state : {&cb::DisplayButtonInfo::mouseOver, &cb::DisplayButtonInfo::showingMenu}) {
                for (std::size_t i = 0; i < items.size(); ++i) {
                    items[i].*state = true;
                    host->DrawBar();
                    const auto span = host->Canvas().Surface().Pixels();
                    const std::vector<std::uint32_t> whole(span.begin(), span.end());
                    items[i].*state = false;
                    host->DrawBar();
                    items[i].*state = true;
                    host->DrawBarItem(static_cast<std::int32_t>(i + 1));
                    items[i].*state = false;
                    const auto after = host->Canvas().Surface().Pixels();
                    EXPECT_TRUE(std::equal(whole.begin(), whole.end(), after.begin(), after.end()))
                        << (host == menu.get() ? "menu" : "menu bar") << ", style " << style << ", item " << i + 1
                        << (state == &cb::DisplayButtonInfo::mouseOver ? ", hot" : ", open");
                }
            }
        }
    }
    SetStyle(1);
}

TEST_F(CommandBarWindowTest, BackgroundPictureTilesFromTheOriginAndFollowsAdjustments) {
    // Four pixels wide: red on the left half, blue on the right.
    testing_support::Canvas tile(4, 4, RGB(255, 0, 0));
    for (int y = 0; y < 4; ++y) {
        for (int x = 2; x < 4; ++x) ::SetPixelV(tile.dc(), x, y, RGB(0, 0, 255));
    }
    win::UniqueBitmap copy(::CreateCompatibleBitmap(tile.dc(), 4, 4));
    {
        win::UniqueMemoryDc dc(::CreateCompatibleDC(tile.dc()));
        win::SelectGuard select(dc.get(), copy.get());
        ::BitBlt(dc.get(), 0, 0, 4, 4, tile.dc(), 0, 0, SRCCOPY);
    }
    const imaging::Picture picture(copy.release());
    auto control = MakeControl(form_.hwnd());
    control->SetBackgroundImage(&picture);
    const int y = control->Canvas().Surface().Height() - 1;
    EXPECT_EQ(PixelAt(*control, 0, y), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(*control, 290, y), RGB(0, 0, 255));
    EXPECT_EQ(control->BackgroundImage().Width(), 4);
    control->AdjustBackgroundImage(0, 0, -1.0f);
    EXPECT_EQ(PixelAt(*control, 288, y), RGB(0, 0, 0));
    control->SetBackgroundImage(nullptr);
    EXPECT_TRUE(control->BackgroundImage().Empty());
    EXPECT_NE(PixelAt(*control, 288, y), RGB(0, 0, 0));
}

TEST_F(CommandBarWindowTest, NoGdiOrUserGrowthFromRepaintsOrControlCycles) {
    auto control = MakeControl(form_.hwnd());
    control->SetToolbarImageList(icons_.get());
    ShowBar(*control, L"TB", 4);
    control->DrawBar();
    unsigned gdi = testing_support::GdiObjectCount();
    for (int i = 0; i < 10000; ++i) {
        if (i % 2) {
            control->DrawBar();
        } else {
            control->DrawBarItem(1 + i % 4);
        }
    }
    EXPECT_LE(testing_support::GdiObjectCount(), gdi);

    auto cycle = [&] {
        auto other = MakeControl(form_.hwnd(), RECT{0, 50, 300, 90});
        other->SetToolbarImageList(icons_.get());
        other->SetToolbar(control->Toolbar());
    };
    cycle();
    gdi = testing_support::GdiObjectCount();
    const unsigned user = testing_support::UserObjectCount();
    for (int i = 0; i < 1000; ++i) cycle();
    EXPECT_LE(testing_support::GdiObjectCount(), gdi);
    EXPECT_LE(testing_support::UserObjectCount(), user);
}

}  // namespace
}  // namespace commandbar
