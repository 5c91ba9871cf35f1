// Prints how long filling the font list takes with many fonts, against appending to a painting
// list box one name at a time (the baseline), both measured in this run.
//
//   font_list_benchmark [COUNT]   (default 1000: the baseline and loads of COUNT and 10 x COUNT names)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
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

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind");

    double baseline = BaselinePerName(count);
    std::printf("baseline: painting list box, %d names: %.4f ms per name\n", count, baseline);

    for (int names : {count, 10 * count}) {
        std::printf("suspended list box alone, %d names: %.4f ms per name; with a message pass each: %.4f\n", names,
                    BatchedPerName(names, false), BatchedPerName(names, true));
    }
    for (int names : {count, 10 * count}) {
        app::MainWindow window;
        window.SetUnloadHandler([] {});
        window.SetFontSource([list = MakeNames(names)] { return list; });
        window.Show();
        auto start = Clock::now();
        window.LoadFonts(window.hwnd());
        double total = MillisecondsSince(start);
        std::printf("LoadFonts, %d names: %.1f ms, %.4f ms per name, %.1fx faster than the baseline\n", names,
                    total, total / names, baseline / (total / names));
    }

    auto start = Clock::now();
    auto families = app::ScreenFontFamilies();
    std::printf("enumerating the screen's %zu font families: %.1f ms\n", families.size(), MillisecondsSince(start));
    return 0;
}
