// Every control a user can tab to has a name a screen reader can say, and Tab reaches it.

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "app/tests/registry_fixture.h"
#include "support/accessible.h"
#include "win/module.h"

namespace app {
namespace {

using testing_support::NameAndRole;

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64]{};
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring Describe(HWND hwnd) {
    wchar_t text[64]{};
    ::GetWindowTextW(hwnd, text, 64);
    return ClassOf(hwnd) + L" \"" + text + L"\"";
}

BOOL CALLBACK AddTabStop(HWND child, LPARAM found) {
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP) && ::IsWindowVisible(child) && ::IsWindowEnabled(child)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    }
    return TRUE;
}

std::vector<HWND> TabStops(HWND window) {
    std::vector<HWND> stops;
    ::EnumChildWindows(window, &AddTabStop, reinterpret_cast<LPARAM>(&stops));
    return stops;
}

// The controls Tab visits, as the dialog manager and the main window step through them.
std::set<HWND> TabCycle(HWND window, HWND first) {
    std::set<HWND> visited;
    for (HWND at = first; at && visited.insert(at).second;) at = ::GetNextDlgTabItem(window, at, FALSE);
    return visited;
}

void ExpectNamedAndReachable(HWND window) {
    const std::vector<HWND> stops = TabStops(window);
    ASSERT_FALSE(stops.empty());
    const std::set<HWND> cycle = TabCycle(window, stops.front());
    for (HWND stop : stops) {
        EXPECT_TRUE(cycle.count(stop)) << Describe(stop);
        // A container passing the focus on to a child of its own is announced through that child.
        ::SetFocus(stop);
        if (::IsChild(stop, ::GetFocus())) continue;
        if (ClassOf(stop) == WC_TABCONTROLW) {
            // A page tab list is announced by its tabs.
            for (int i = 0; i < TabCtrl_GetItemCount(stop); ++i) {
                wchar_t text[64]{};
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = text;
                item.cchTextMax = 64;
                TabCtrl_GetItem(stop, i, &item);
                EXPECT_NE(text[0], L'\0') << i;
            }
            continue;
        }
        const std::wstring name = NameAndRole(stop).first;
        EXPECT_FALSE(name.empty() || name == L"...") << Describe(stop);
    }
}

struct NoProgress : FontLoadProgress {
    void Begin(HWND) override {}
    void SetPercent(float) override {}
    void End() override {}
};

class AccessibilityTest : public testing_support::CleanPreferences {};

TEST_F(AccessibilityTest, MainWindowSettingsAndAboutNameEveryTabStop) {
    MainWindow main;
    main.SetFontSource([] { return std::vector<std::wstring>{L"Arial"}; });
    main.SetProgress(std::make_unique<NoProgress>());
    main.Show();
    main.LoadFonts(nullptr);
    ExpectNamedAndReachable(main.hwnd());
    EXPECT_EQ(NameAndRole(main.FontList().hwnd()).first, L"Установленные шрифты:");

    SettingsDialog settings;
    settings.Open(main.hwnd());
    for (int tab = 1; tab <= 3; ++tab) {
        settings.Tabs().SelectTab(tab);
        ExpectNamedAndReachable(settings.hwnd());
    }
    settings.Close();

    AboutWindow about(win::ExecutableDirectory() + L"\\Glyphoscope.exe");
    about.Open(main.hwnd());
    ExpectNamedAndReachable(about.hwnd());
    controls::HyperLink& link = about.HomePageLink();
    EXPECT_EQ(NameAndRole(link.hwnd()).second, ROLE_SYSTEM_LINK);
    // Enter on the focused link follows it; the dialog's default button stays where it is.
    std::vector<std::wstring> opened;
    link.SetOpener([&](const std::wstring& target) { opened.push_back(target); });
    ::SetFocus(link.hwnd());
    MSG enter{link.hwnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(::IsDialogMessageW(about.hwnd(), &enter));
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(about.IsOpen());
}

}  // namespace
}  // namespace app
