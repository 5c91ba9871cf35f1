#include <windows.h>

#include <gtest/gtest.h>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_hooks.h"
#include "commandbar/drawing_utilities.h"
#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/command_bar_handles.h"
#include "support/error_number.h"
#include "support/gui_resources.h"
#include "support/pump.h"
#include "test_bar_window.h"
#include "win/handles.h"

namespace commandbar {

namespace {

using core::commandbar::Buttons;
using core::commandbar::CommandBars;
constexpr std::int32_t kOwnerMissing = core::command_bar_error::kNoOwningControlNumber;
using testing::TestBarWindow;
using testing::TestForm;

using testing_support::ErrorNumberOf;

}  // namespace

TEST(CommandBarBinding, RegistrationSetsTheWindowPropertyAndBuildsTheChevronBars) {
    TestForm form;
    {
        TestBarWindow bar(form.hwnd());
        EXPECT_EQ(::GetPropW(bar.hwnd(), L"zentCommandBar:Control"),
                  static_cast<HANDLE>(static_cast<core::commandbar::CommandBarControl*>(&bar)));
        EXPECT_EQ(&Registry().ControlFromHwnd(ToHandle(bar.hwnd())), &bar);
        EXPECT_TRUE(KeyboardHookInstalled());
        CommandBars bars(Registry(), ToHandle(bar.hwnd()));
        Buttons buttons(Registry(), ToHandle(bar.hwnd()));
        EXPECT_EQ(bars.Count(), 3);
        EXPECT_EQ(buttons.Count(), 6);
        bars.Add(L"MENU");
        EXPECT_EQ(bars.Count(), 4);
        // The window handle keeps its full width in the registry's keys.
        EXPECT_TRUE(
            Registry().Instances().Contains(L"H" + std::to_wstring(reinterpret_cast<std::uintptr_t>(bar.hwnd()))));
    }
    EXPECT_FALSE(Registry().IsRunning());
    EXPECT_FALSE(KeyboardHookInstalled());
    EXPECT_EQ(Registry().BarCount(), 0);

    TestBarWindow again(form.hwnd());
    EXPECT_EQ(Registry().BarCount(), 3);
    EXPECT_EQ(Registry().FindBar(L"MENU"), nullptr);
}

namespace {

// Flags no real system has, so that a detection shows.
core::PlatformCapabilities Undetected() { return core::PlatformCapabilities{false, true, false, false}; }

core::PlatformCapabilities Detected() {
    core::PlatformCapabilities saved = Platform();
    DetectPlatform();
    return SetPlatform(saved);
}

}  // namespace

TEST(CommandBarBinding, FirstRegistrationSetsUpColoursAndDrawingOnce) {
    const core::PlatformCapabilities saved = SetPlatform(Undetected());
    const core::PlatformCapabilities detected = Detected();
    ASSERT_NE(detected, Undetected());
    ASSERT_FALSE(Registry().IsRunning());
    SetStyle(2);
    SetCustomColour(9, 0x123456);

    TestForm form;
    {
        TestBarWindow first(form.hwnd());
        // Detected before the control joins, so nothing is refreshed yet.
        EXPECT_EQ(first.styleChanges, 0);
        EXPECT_EQ(Platform(), detected);
        EXPECT_EQ(GetStyle(), 1);
        EXPECT_EQ(GetCustomColour(9), -1);
        {
            win::WindowDc desktop(::GetDesktopWindow());
            EXPECT_EQ(IsHighColour(), ::GetDeviceCaps(desktop.get(), BITSPIXEL) > 8);
        }

        // Later registrations leave capabilities and colours as they are.
        SetPlatform(Undetected());
        SetStyle(2);
        SetCustomColour(9, 0x123456);
        first.styleChanges = 0;
        TestBarWindow second(form.hwnd());
        EXPECT_EQ(Platform(), Undetected());
        EXPECT_EQ(GetStyle(), 2);
        EXPECT_EQ(GetCustomColour(9), 0x123456);
        EXPECT_EQ(first.styleChanges, 0);

        // A new detection, by itself or through a change of style, refreshes every control.
        SetStyle(3);
        EXPECT_EQ(first.styleChanges, 1);
        EXPECT_EQ(second.styleChanges, 1);
        SetStyle(3);
        EXPECT_EQ(first.styleChanges, 1);
        DetectDisplaySettings(form.hwnd());
        EXPECT_EQ(first.styleChanges, 2);
        EXPECT_EQ(second.styleChanges, 2);
    }
    ASSERT_FALSE(Registry().IsRunning());

    // After the last control has gone the next one starts everything afresh.
    SetPlatform(Undetected());
    TestBarWindow again(form.hwnd());
    EXPECT_EQ(Platform(), detected);
    EXPECT_EQ(GetStyle(), 1);
    EXPECT_EQ(GetCustomColour(9), -1);
    EXPECT_EQ(again.styleChanges, 0);
    SetPlatform(saved);
}

TEST(CommandBarBinding, HandleThroughADestroyedControlWindowRaises) {
    TestForm form;
    TestBarWindow survivor(form.hwnd());
    auto doomed = std::make_unique<TestBarWindow>(form.hwnd());
    HWND doomedWindow = doomed->hwnd();
    CommandBars bars(Registry(), ToHandle(doomedWindow));
    auto bar = bars.Add(L"BAR");
    auto button = Buttons(Registry(), ToHandle(doomedWindow)).Add(L"BTN");
    ::DestroyWindow(doomedWindow);

    EXPECT_EQ(ErrorNumberOf([&] { bars.Count(); }), kOwnerMissing);
    EXPECT_EQ(ErrorNumberOf([&] { bar.Title(); }), kOwnerMissing);
    EXPECT_EQ(ErrorNumberOf([&] { button.Caption(); }), kOwnerMissing);
    EXPECT_EQ(ErrorNumberOf([&] { Buttons(Registry(), 0).Count(); }), kOwnerMissing);
    // A live window without the property is no control either.
    EXPECT_EQ(ErrorNumberOf([&] { Buttons(Registry(), ToHandle(form.hwnd())).Count(); }), kOwnerMissing);

    EXPECT_EQ(Buttons(Registry(), ToHandle(survivor.hwnd())).Item(L"BTN").Key(), L"BTN");
    doomed.reset();
    EXPECT_TRUE(Registry().IsRunning());
}

TEST(CommandBarBinding, AcceleratorsFollowTheForegroundForm) {
    TestForm form;
    ::ShowWindow(form.hwnd(), SW_SHOW);
    TestBarWindow control(form.hwnd());
    Buttons buttons(Registry(), ToHandle(control.hwnd()));
    CommandBars bars(Registry(), ToHandle(control.hwnd()));
    auto load = buttons.Add(L"TOOLBAR:LOAD", -1, L"&Загрузить", core::commandbar::ButtonStyle::Normal, L"", VK_F5, 0);
    bars.Add(L"TOOLBAR").Buttons().Add(load);
    control.Show(L"TOOLBAR");

    ::SetForegroundWindow(form.hwnd());
    ASSERT_TRUE(testing_support::PumpUntil([&] { return ::GetForegroundWindow() == form.hwnd(); }, 2000));
    EXPECT_EQ(Registry().GetActiveForegroundWindow(), ToHandle(form.hwnd()));
    EXPECT_EQ(Registry().GetMainMenuControl(), ToHandle(control.hwnd()));
    EXPECT_TRUE(Registry().ProcessAccelerator(VK_F5, 0));
    EXPECT_EQ(control.clicked, std::vector<std::int32_t>{1});

    ::EnableWindow(form.hwnd(), FALSE);
    EXPECT_EQ(Registry().GetActiveForegroundWindow(), 0u);
    EXPECT_FALSE(Registry().ProcessAccelerator(VK_F5, 0));
    ::EnableWindow(form.hwnd(), TRUE);
    ::ShowWindow(form.hwnd(), SW_MINIMIZE);
    testing_support::PumpFor(50);
    EXPECT_FALSE(Registry().ProcessAccelerator(VK_F5, 0));
    EXPECT_EQ(control.clicked.size(), 1u);
}

TEST(CommandBarBinding, MenuModeDisablesOtherControlWindowsAndHooksTheMouse) {
    TestForm form;
    TestBarWindow menuBar(form.hwnd());
    TestBarWindow toolbar(form.hwnd());
    Registry().SetMenuMode(true, ToHandle(menuBar.hwnd()));
    EXPECT_TRUE(MouseHookInstalled());
    EXPECT_TRUE(::IsWindowEnabled(menuBar.hwnd()));
    EXPECT_FALSE(::IsWindowEnabled(toolbar.hwnd()));
    Registry().SetMenuMode(false, 0);
    EXPECT_FALSE(MouseHookInstalled());
    EXPECT_TRUE(::IsWindowEnabled(toolbar.hwnd()));
}

TEST(CommandBarBinding, KeyboardHookHandsKeysToItsHandler) {
    TestForm form;
    TestBarWindow control(form.hwnd());
    std::vector<WPARAM> keys;
    HookHandler previous = SetKeyboardHookHandler([&](int, WPARAM wParam, LPARAM) {
        keys.push_back(wParam);
        return false;
    });
    ::ShowWindow(form.hwnd(), SW_SHOW);
    ::SetForegroundWindow(form.hwnd());
    testing_support::PumpUntil([&] { return ::GetForegroundWindow() == form.hwnd(); }, 2000);
    ::SetFocus(control.hwnd());
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = 'Q';
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, press, sizeof(INPUT));
    testing_support::PumpUntil([&] { return !keys.empty(); }, 1000);
    SetKeyboardHookHandler(previous);
    ASSERT_FALSE(keys.empty());
    EXPECT_EQ(keys.front(), static_cast<WPARAM>('Q'));
}

TEST(CommandBarBinding, AnOwnerWhoseHookFailedDoesNotHoldTheHook) {
    ASSERT_FALSE(KeyboardHookInstalled());
    HookSetter working = SetHookSetter([](int, HOOKPROC) -> HHOOK { return nullptr; });
    InstallKeyboardHook(1);
    EXPECT_FALSE(KeyboardHookInstalled());
    SetHookSetter(working);
    InstallKeyboardHook(2);
    EXPECT_TRUE(KeyboardHookInstalled());
    RemoveKeyboardHook(2);  // owner 1 never held the hook
    EXPECT_FALSE(KeyboardHookInstalled());
    RemoveKeyboardHook(1);
}

TEST(CommandBarBinding, KeysReadAsNumbersInTheUsersNotation) {
    wchar_t saved[4] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, saved, static_cast<int>(std::size(saved)));
    struct Restore {
        const wchar_t* separator;
        ~Restore() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator); }
    } restore{saved};
    TestForm form;
    TestBarWindow control(form.hwnd());
    Buttons buttons(Registry(), ToHandle(control.hwnd()));

    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L",");
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(L"3,5"); }), 13);
    EXPECT_EQ(ErrorNumberOf([&] { CommandBars(Registry(), ToHandle(control.hwnd())).Add(L"3,5"); }), 13);
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, L".");
    EXPECT_EQ(ErrorNumberOf([&] { buttons.Add(L"3,5"); }), 0);
}

TEST(CommandBarBinding, PanelControlBecomesAHiddenChildOfTheControl) {
    TestForm form;
    TestBarWindow control(form.hwnd());
    HWND panel = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, form.hwnd(), nullptr,
                                   nullptr, nullptr);
    auto button =
        Buttons(Registry(), ToHandle(control.hwnd())).Add(L"PANEL", -1, L"", core::commandbar::ButtonStyle::Panel);
    button.SetPanelControl(ToHandle(panel));
    EXPECT_EQ(::GetParent(panel), control.hwnd());
    EXPECT_FALSE(::IsWindowVisible(panel));
    EXPECT_EQ(button.PanelControl(), ToHandle(panel));
    ::DestroyWindow(panel);
    // A hosted control that is gone does not stop the next assignment.
    button.SetPanelControl(0);
    EXPECT_EQ(button.PanelControl(), 0u);
}

}  // namespace commandbar
