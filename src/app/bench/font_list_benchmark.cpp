// Prints how long filling the font list takes with many fonts, against appending to a painting
// list box one name at a time (the baseline), both measured in this run.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/screen_fonts.h"
#include "win/controls.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::vector<std::wstring> MakeNames(int count) {
    std::vector<std::wstring> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) names.push_back(L"Benchmark Font Family " + std::to_wstring(i));
    return names;
}

// Appends to a visible list box that repaints after every name.
double BaselinePerName(int count) {
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                                  0, 0, 200, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    auto names = MakeNames(count);
    auto start = Clock::now();
    for (const auto& name : names) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        ::UpdateWindow(list);
        win::ProcessPendingMessages();
    }
    double perName = MillisecondsSince(start) / count;
    ::DestroyWindow(list);
    return perName;
}

// Appends with painting suspended and nothing else: the floor for filling the list.
double BatchedPerName(int count, bool pump) {
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                                  0, 0, 200, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    auto names = MakeNames(count);
    auto start = Clock::now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_INITSTORAGE, count, count * 64);
    for (const auto& name : names) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (pump) win::ProcessPendingMessages();
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    double perName = MillisecondsSince(start) / count;
    ::DestroyWindow(list);
    return perName;
}

}  // namespace

int main() {
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind");

    const int baselineCount = 1000;
    double baseline = BaselinePerName(baselineCount);
    std::printf("baseline: painting list box, %d names: %.4f ms per name\n", baselineCount, baseline);

    for (int count : {1000, 10000}) {
        std::printf("suspended list box alone, %d names: %.4f ms per name; with a message pass each: %.4f\n", count,
                    BatchedPerName(count, false), BatchedPerName(count, true));
    }
    for (int count : {1000, 10000}) {
        app::MainWindow window;
        window.SetUnloadHandler([] {});
        window.SetFontSource([names = MakeNames(count)] { return names; });
        window.Show();
        auto start = Clock::now();
        window.LoadFonts(window.hwnd());
        double total = MillisecondsSince(start);
        std::printf("LoadFonts, %d names: %.1f ms, %.4f ms per name, %.1fx faster than the baseline\n", count,
                    total, total / count, baseline / (total / count));
    }

    auto start = Clock::now();
    auto families = app::ScreenFontFamilies();
    std::printf("enumerating the screen's %zu font families: %.1f ms\n", families.size(), MillisecondsSince(start));
    return 0;
}
