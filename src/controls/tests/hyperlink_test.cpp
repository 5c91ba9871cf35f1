#include "controls/hyperlink.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/tests/host_window.h"
#include "support/pump.h"

namespace controls {
namespace {

using controls_testing::HostWindow;

struct LinkFixture : testing::Test {
    HostWindow host;
    HyperLink link;
    std::vector<std::wstring> opened;
    int clicks = 0, overs = 0, outs = 0, changes = 0;

    void SetUp() override {
        // Start outside every link, after the moves of an earlier test have arrived.
        ::SetCursorPos(0, 0);
        testing_support::PumpUntil([] {
            POINT at{};
            ::GetCursorPos(&at);
            return at.x == 0 && at.y == 0;
        });
        testing_support::PumpFor(100);
        core::HyperLinkProperties p;
        p.caption = L"www.marrowind.ru/glyphoscope";
        p.hyperLink = L"https://www.marrowind.ru/glyphoscope/";
        link.Create(host.hwnd(), 1, RECT{20, 20, 120, 40}, p);
        link.SetOpener([this](const std::wstring& target) { opened.push_back(target); });
        link.onClick = [this] { ++clicks; };
        link.onMouseOver = [this](const MouseArgs&) { ++overs; };
        link.onMouseOut = [this] { ++outs; };
        link.onChange = [this] { ++changes; };
        testing_support::PumpFor(50);
    }

    POINT ScreenPointInLink() const {
        POINT p{3, 3};
        ::ClientToScreen(link.hwnd(), &p);
        return p;
    }
    void MoveOver(int x, int y, WPARAM buttons = 0) {
        ::SendMessageW(link.hwnd(), WM_MOUSEMOVE, buttons, MAKELPARAM(x, y));
    }
    // The pointer really goes over the link, and the link hears of it.
    void Enter(WPARAM buttons = 0) {
        const POINT inside = ScreenPointInLink();
        ::SetCursorPos(inside.x, inside.y);
        MoveOver(3, 3, buttons);
    }
    // The pointer goes far off; true once the leave check has reported it.
    bool Leave() {
        const POINT inside = ScreenPointInLink();
        const int before = outs;
        ::SetCursorPos(inside.x + 300, inside.y + 300);
        return testing_support::PumpUntil([&] { return outs > before; }, 1000);
    }
    void ClickAt(int x, int y) {
        ::SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ::SendMessageW(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
};

TEST_F(LinkFixture, EntryIsReportedOnceAndLeavingWithinTheLeaveCheck) {
    POINT inside = ScreenPointInLink();
    ASSERT_TRUE(::SetCursorPos(inside.x, inside.y));
    ASSERT_EQ(::WindowFromPoint(inside), link.hwnd());
    MoveOver(3, 3);
    MoveOver(5, 4);
    MoveOver(8, 6);
    EXPECT_EQ(overs, 1);
    EXPECT_TRUE(link.Hovering());
    EXPECT_EQ(link.CurrentTextColour(), link.HoverColour());
    testing_support::PumpFor(120);  // ticks while the pointer stays over the link change nothing
    EXPECT_EQ(outs, 0);

    ::SetCursorPos(inside.x + 300, inside.y + 300);
    ULONGLONG left = ::GetTickCount64();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return outs > 0; }, 1000));
    EXPECT_LE(::GetTickCount64() - left, 150u);  // one 50 ms tick, with room for a busy machine
    EXPECT_EQ(outs, 1);
    EXPECT_FALSE(link.Hovering());
    EXPECT_EQ(link.CurrentTextColour(), link.ForeColour());

    ::SetCursorPos(inside.x, inside.y);
    MoveOver(3, 3);
    EXPECT_EQ(overs, 2);  // a new entry
}

TEST_F(LinkFixture, HoverUnderlinesOnlyWhatIsShownNeverTheFontThatIsSaved) {
    link.SetMOUnderline(true);
    for (bool underlined : {false, true}) {
        core::FontDescription own = link.Font();
        own.underline = underlined;
        link.SetFont(own);
        Enter();
        EXPECT_TRUE(link.ShownFont().underline);
        EXPECT_EQ(link.Font(), own);
        core::PropertyBag savedWhileHovered;
        link.Save(savedWhileHovered);
        ASSERT_TRUE(Leave());
        EXPECT_EQ(link.ShownFont(), own) << "underlined " << underlined;
        EXPECT_EQ(link.Font(), own);

        HyperLink reloaded;
        reloaded.Create(host.hwnd(), 2, RECT{20, 60, 120, 80});
        reloaded.Load(savedWhileHovered, core::ContainerAmbient{});
        EXPECT_EQ(reloaded.Font(), own) << "underlined " << underlined;
    }
}

TEST_F(LinkFixture, HoverFollowsThePointerWhileAPressHoldsTheCapture) {
    Enter();
    ::SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ASSERT_EQ(::GetCapture(), link.hwnd());
    ASSERT_TRUE(Leave());
    // Captured moves from outside, over several leave checks.
    for (int x = -40; x > -50; x -= 2) {
        MoveOver(x, 4, MK_LBUTTON);
        testing_support::PumpFor(30);
    }
    EXPECT_EQ(overs, 1);
    EXPECT_EQ(outs, 1);
    EXPECT_FALSE(link.Hovering());

    Enter(MK_LBUTTON);
    EXPECT_EQ(overs, 2);
    ::SendMessageW(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(clicks, 1);
}

TEST_F(LinkFixture, ToolTipShowsTheTargetOrTheContainersText) {
    link.SetContainerToolTip(L"Домашняя страница");
    Enter();
    EXPECT_EQ(link.ShownToolTip(), L"https://www.marrowind.ru/glyphoscope/");
    ASSERT_TRUE(Leave());

    link.SetAutoToolTip(false);
    Enter();
    EXPECT_EQ(link.ShownToolTip(), L"Домашняя страница");
}

TEST_F(LinkFixture, ClickOpensTheTrimmedTargetAndAnEmptyTargetOpensNothing) {
    link.SetTarget(L"   mailto:glyphoscope@marrowind.ru  ");
    EXPECT_EQ(link.Target(), L"mailto:glyphoscope@marrowind.ru");
    ClickAt(4, 4);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], L"mailto:glyphoscope@marrowind.ru");
    EXPECT_EQ(clicks, 1);

    link.SetTarget(L"   ");
    EXPECT_EQ(link.Target(), L"");
    ClickAt(4, 4);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(clicks, 2);

    // Released outside the link: no click.
    link.SetTarget(L"https://www.marrowind.ru/");
    ::SendMessageW(link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::SendMessageW(link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(-50, 4));
    EXPECT_EQ(clicks, 2);
}

TEST_F(LinkFixture, HandPointerOnlyWhileHoveringWithMOPointer) {
    auto pointerSet = [&] {
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        LRESULT handled = ::SendMessageW(link.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(link.hwnd()),
                                         MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return handled && ::GetCursor() == ::LoadCursorW(nullptr, IDC_HAND);
    };
    Enter();
    EXPECT_FALSE(pointerSet());  // MOPointer is off
    link.SetMOPointer(true);
    EXPECT_TRUE(pointerSet());
    ASSERT_TRUE(Leave());
    EXPECT_FALSE(pointerSet());
}

TEST_F(LinkFixture, MouseDownAndUpCarryButtonShiftAndPosition) {
    std::vector<MouseArgs> downs, ups;
    link.onMouseDown = [&](const MouseArgs& args) { downs.push_back(args); };
    link.onMouseUp = [&](const MouseArgs& args) { ups.push_back(args); };
    ::SendMessageW(link.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 5));
    ::SendMessageW(link.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(9, 6));
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(downs[0].button, MouseButton::Right);
    EXPECT_EQ(downs[0].x, 7.0f);
    EXPECT_EQ(downs[0].y, 5.0f);
    EXPECT_EQ(ups[0].button, MouseButton::Right);
    EXPECT_EQ(ups[0].x, 9.0f);
    EXPECT_EQ(clicks, 0);  // only the left button clicks
}

TEST_F(LinkFixture, AFailingOpenerStillRaisesClick) {
    link.SetOpener([](const std::wstring&) { throw std::runtime_error("no shell"); });
    link.SetSoundOn(true);
    link.SetSoundID(4242);  // no such resource: plays nothing
    ClickAt(4, 4);
    EXPECT_EQ(clicks, 1);
}

TEST_F(LinkFixture, AutoSizeFitsTheCaptionAndCaptionChangesRaiseChange) {
    RECT before{};
    ::GetClientRect(link.hwnd(), &before);
    link.SetCaption(L"www.marrowind.ru/glyphoscope/downloads/latest");
    RECT after{};
    ::GetClientRect(link.hwnd(), &after);
    EXPECT_GT(after.right, before.right);
    EXPECT_EQ(changes, 1);

    link.SetAutoSize(false);
    link.SetBounds(RECT{20, 20, 60, 40});
    ::GetClientRect(link.hwnd(), &after);
    EXPECT_EQ(after.right, 40);
}

TEST_F(LinkFixture, SavedPropertiesReloadAndTheSoundSettingsDoNot) {
    link.SetSoundOn(true);
    link.SetSoundID(7);
    link.SetMOPointer(true);
    link.SetHoverColour(core::SystemColourRef(COLOR_HIGHLIGHT));
    link.SetForeColour(0x000088);
    link.SetAutoToolTip(false);
    std::vector<std::wstring> changed;
    link.onPropertyChanged = [&](const wchar_t* name) { changed.push_back(name); };
    link.SetTarget(L" https://www.marrowind.ru/ ");
    EXPECT_EQ(changed, std::vector<std::wstring>{L"HyperLink"});

    core::PropertyBag bag;
    link.Save(bag);
    HyperLink reloaded;
    reloaded.Create(host.hwnd(), 2, RECT{20, 60, 120, 80});
    reloaded.Load(bag, core::ContainerAmbient{});
    EXPECT_FALSE(reloaded.SoundOn());
    EXPECT_EQ(reloaded.SoundID(), 0);
    EXPECT_TRUE(reloaded.MOPointer());
    EXPECT_FALSE(reloaded.AutoToolTip());
    EXPECT_EQ(reloaded.HoverColour(), core::SystemColourRef(COLOR_HIGHLIGHT));
    EXPECT_EQ(reloaded.ForeColour(), 0x000088);
    EXPECT_EQ(reloaded.Target(), L"https://www.marrowind.ru/");
    EXPECT_EQ(reloaded.Caption(), link.Caption());
    EXPECT_EQ(reloaded.Font(), link.Font());
}

}  // namespace
}  // namespace controls
