// Prints how long filling the font list takes with many fonts, against appending to a painting
// list box one name at a time (the baseline); how long a key press in the search box takes until
// the narrowed list has painted, against refilling the suspended list with the same names and
// painting it (the floor); and what the script filter adds to a load. Every baseline is measured
// in this run. font_list_benchmark [FAMILIES]: 10,000 unless given; the test command gives a few.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/linguistic_comparer.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/screen_fonts.h"
#include "core/app/font_family_list.h"
#include "win/controls.h"
#include "win/handles.h"

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

// Appends with painting suspended and `passes` message passes spread over the names: the floor for
// filling the list while other windows stay painted.
double BatchedPerName(int count, int passes) {
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL,
                                  0, 0, 200, 300, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    auto names = MakeNames(count);
    auto start = Clock::now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_INITSTORAGE, count, count * 64);
    for (const auto& name : names) {
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        if (passes > 0 && (&name - names.data()) % std::max(1, count / passes) == 0) win::ProcessPendingMessages();
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    double perName = MillisecondsSince(start) / count;
    ::DestroyWindow(list);
    return perName;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Names as installed families have them: makers, kinds and weights, one in ten Russian; a third
// without Cyrillic, the "Mono" kind fixed-pitch.
std::vector<core::FontFamily> MakeFamilies(int count) {
    static constexpr std::array<const wchar_t*, 20> kMakers = {
        L"Noto",  L"Source", L"PT",   L"Roboto",       L"Open",       L"DejaVu", L"Liberation",
        L"Fira",  L"IBM Plex", L"Ubuntu", L"Droid",    L"Lato",       L"Merriweather", L"Montserrat",
        L"Oswald", L"Raleway", L"Playfair", L"Inter",  L"Cascadia",   L"JetBrains"};
    static constexpr std::array<const wchar_t*, 10> kKinds = {L"Sans",      L"Serif",   L"Mono", L"Display",
                                                              L"Text",      L"Condensed", L"Rounded", L"Slab",
                                                              L"Script",    L"Caption"};
    static constexpr std::array<const wchar_t*, 8> kWeights = {L"",      L" Light", L" Medium", L" SemiBold",
                                                               L" Bold", L" Black", L" Thin",   L" ExtraLight"};
    static constexpr std::array<const wchar_t*, 5> kRussian = {L"Гарнитура", L"Школьная", L"Литера", L"Журнальная",
                                                               L"Рубленая"};
    std::vector<core::FontFamily> families;
    families.reserve(count);
    for (int i = 0; i < count; ++i) {
        core::FontFamily family;
        const int kind = i / 20 % 10;
        if (i % 10 == 9) {
            family.name = std::wstring(kRussian[i / 10 % 5]) + L" " + std::to_wstring(i);
        } else {
            family.name = std::wstring(kMakers[i % 20]) + L" " + kKinds[kind] + kWeights[i / 200 % 8];
            if (i >= 1600) family.name += L" " + std::to_wstring(i / 1600 + 1);
        }
        family.traits = {i % 3 != 0, i % 10 != 9 && kind == 2};
        families.push_back(std::move(family));
    }
    return families;
}

// A key pressed in the box, until the list has painted. '\b' is Backspace, '\x1b' Escape.
double PressUntilListPainted(HWND box, HWND list, wchar_t key) {
    const auto start = Clock::now();
    const SHORT scan = ::VkKeyScanW(key);
    const WPARAM vk = key == L'\b' ? VK_BACK : key == L'\x1b' ? VK_ESCAPE : scan == -1 ? VK_PACKET : LOBYTE(scan);
    ::PostMessageW(box, WM_KEYDOWN, vk, 1);
    ::PostMessageW(box, WM_CHAR, key, 1);
    ::PostMessageW(box, WM_KEYUP, vk, 0xC0000001);
    MSG msg;
    while (::PeekMessageW(&msg, box, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) ::DispatchMessageW(&msg);
    ::UpdateWindow(list);
    return MillisecondsSince(start);
}

// The rest of a key's work: the box, the caption and the preview following the selection.
double UntilPreviewFollowed(app::MainWindow& window) {
    const auto start = Clock::now();
    do {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        win::ProcessPendingMessages();
    } while (window.Filter().PreviewPending() && MillisecondsSince(start) < 5000);
    return MillisecondsSince(start);
}

// The floor: the same names into the suspended list, as the program fills it, and a paint.
double RefillUntilPainted(HWND list, const std::vector<std::wstring>& names) {
    const auto start = Clock::now();
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_INITSTORAGE, names.size(), names.size() * 64);
    for (const auto& name : names) ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::RedrawWindow(list, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    ::UpdateWindow(list);
    return MillisecondsSince(start);
}

// The keys as UTF-8 for the console, Backspace and Escape by name.
std::string Described(wchar_t key) {
    if (key == L'\b') return "<BS>";
    if (key == L'\x1b') return "<Esc>";
    char text[8] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, &key, 1, text, sizeof(text), nullptr, nullptr);
    return text;
}

void TypingFigures(int count, int rounds) {
    app::MainWindow window;
    window.SetUnloadHandler([] {});
    window.SetFontSource([families = MakeFamilies(count)] { return families; });
    window.Show();
    window.LoadFonts(window.hwnd());
    HWND box = window.Filter().Box();
    HWND list = window.FontList().hwnd();
    win::ProcessPendingMessages();
    auto start = Clock::now();
    window.Filter().FocusBox();
    win::ProcessPendingMessages();
    std::printf("the search box's first focus, learning the platform's simple letters: %.2f ms\n",
                MillisecondsSince(start));

    const std::wstring keys = L"sans b\b\b\x1bгар\x1b";
    std::vector<std::vector<double>> pressed(keys.size()), floors(keys.size()), followed(keys.size());
    std::vector<std::size_t> shown(keys.size());
    for (int round = 0; round < rounds; ++round) {
        std::vector<std::wstring> before = window.Filter().Filter().ShownNames();
        for (std::size_t i = 0; i < keys.size(); ++i) {
            pressed[i].push_back(PressUntilListPainted(box, list, keys[i]));
            followed[i].push_back(UntilPreviewFollowed(window));
            const std::vector<std::wstring> after = window.Filter().Filter().ShownNames();
            shown[i] = after.size();
            RefillUntilPainted(list, before);
            floors[i].push_back(RefillUntilPainted(list, after));
            before = after;
        }
    }
    std::printf("key press in the search box until the list has painted, %d families (median of %d):\n", count,
                rounds);
    double worst = 0, pressedSum = 0, floorSum = 0;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const double press = Median(pressed[i]), floor = Median(floors[i]);
        worst = std::max(worst, press / floor);
        pressedSum += press;
        floorSum += floor;
        std::printf("  key %2zu %-6s %6zu shown: %8.2f ms, refill floor %8.2f ms, ratio %.2f; all painted %.1f ms "
                    "later\n",
                    i + 1, Described(keys[i]).c_str(), shown[i], press, floor, press / floor, Median(followed[i]));
    }
    std::printf("  all keys: %.1f ms against a floor of %.1f ms, ratio %.2f; worst key %.2f (target 1.2)\n",
                pressedSum, floorSum, pressedSum / floorSum, worst);
}

// The script filter needs no enumeration of its own: the Cyrillic and fixed-pitch reports come with
// the one that lists the families. What it adds to a load is its own bookkeeping, measured here.
void ScriptFigures(int count, int rounds) {
    app::MainWindow window;
    window.SetUnloadHandler([] {});
    const std::vector<core::FontFamily> families = MakeFamilies(count);
    window.SetFontSource([&] { return families; });
    window.Show();
    std::printf("LoadFonts, %d families (median of %d):\n", count, rounds);
    double all = 0;
    for (core::FontScript script : {core::FontScript::All, core::FontScript::Cyrillic, core::FontScript::Monospaced}) {
        window.Filter().SetScript(script);
        std::vector<double> times;
        for (int i = 0; i < rounds; ++i) {
            const auto start = Clock::now();
            window.LoadFonts(window.hwnd());
            times.push_back(MillisecondsSince(start));
        }
        const double load = Median(times);
        if (script == core::FontScript::All) all = load;
        std::printf("  %-10ls %6d listed: %8.1f ms\n", std::wstring(core::FontScriptText(script)).c_str(),
                    window.FontList().Count(), load);
    }
    app::LinguisticComparer comparer;
    std::vector<double> filtering, reporting;
    std::size_t listed = 0;
    for (int i = 0; i < rounds; ++i) {
        // As a load hands them over: moved in, the shown names read in place.
        std::vector<core::FontFamily> found = families;
        auto start = Clock::now();
        core::FontFilter filter(comparer);
        filter.SetFamilies(std::move(found));
        listed = filter.Shown().size();
        filtering.push_back(MillisecondsSince(start));
        // Each family reported in three character sets, with and without what the reports say.
        std::array<double, 2> taken{};
        for (bool traits : {false, true}) {
            start = Clock::now();
            core::FontFamilyList list;
            for (int report = 0; report < 3; ++report) {
                for (const core::FontFamily& family : families) list.Add(family.name, traits ? family.traits : core::FontTraits{});
            }
            taken[traits] = MillisecondsSince(start);
        }
        reporting.push_back(taken[1] - taken[0]);
    }
    const double extra = Median(filtering) + std::max(0.0, Median(reporting));
    std::printf("  the script filter's part of a load: %.2f ms filtering %zu families, %.2f ms keeping the reports: "
                "%.1f %% of LoadFonts (target 10 %%)\n",
                Median(filtering), listed, Median(reporting), 100.0 * extra / (all - extra));
}

int CALLBACK CountReport(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
    reinterpret_cast<core::FontFamilyList*>(list)->Add(font->lfFaceName);
    return 1;
}

// The screen's enumeration as the program makes it, against a names-only one and against the
// second enumeration a separate Cyrillic list would take.
void EnumerationFigures(int rounds) {
    std::array<std::vector<double>, 3> times;
    std::size_t families = app::ScreenFontFamilies().size();  // the platform's caches warm
    for (int i = 0; i < rounds; ++i) {
        auto start = Clock::now();
        families = app::ScreenFontFamilies().size();
        times[0].push_back(MillisecondsSince(start));
        for (BYTE charset : {BYTE{DEFAULT_CHARSET}, BYTE{RUSSIAN_CHARSET}}) {
            start = Clock::now();
            win::WindowDc screen(nullptr);
            core::FontFamilyList list;
            LOGFONTW query{};
            query.lfCharSet = charset;
            ::EnumFontFamiliesExW(screen.get(), &query, &CountReport, reinterpret_cast<LPARAM>(&list), 0);
            times[charset == DEFAULT_CHARSET ? 1 : 2].push_back(MillisecondsSince(start));
        }
    }
    const double withTraits = Median(times[0]), namesOnly = Median(times[1]), cyrillic = Median(times[2]);
    std::printf("enumerating the screen's %zu font families: %.2f ms with the script reports, %.2f ms names only "
                "(%+.1f %%); a second enumeration for Cyrillic would add %.2f ms (%+.1f %%)\n",
                families, withTraits, namesOnly, 100.0 * (withTraits - namesOnly) / namesOnly, cyrillic,
                100.0 * cyrillic / namesOnly);
}

// The process's committed private memory in megabytes, summed over its address space: Wine's
// process counters do not follow the heap.
double PrivateMegabytes() {
    double bytes = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; ::VirtualQuery(at, &region, sizeof(region)) == sizeof(region);
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) bytes += static_cast<double>(region.RegionSize);
    }
    return bytes / (1024.0 * 1024.0);
}

void MemoryFigures(int count) {
    const double before = PrivateMegabytes();
    app::MainWindow window;
    window.SetUnloadHandler([] {});
    window.SetFontSource([count] { return MakeFamilies(count); });
    window.Show();
    window.LoadFonts(window.hwnd());
    win::ProcessPendingMessages();
    const double listed = PrivateMegabytes();
    std::printf("private memory with %d families listed: %.1f MB, %.1f MB before the main window (target < 20 MB)\n",
                count, listed, before);
}

}  // namespace

int main(int argc, char** argv) {
    const int families = argc > 1 ? std::max(20, std::atoi(argv[1])) : 10000;
    const int rounds = families >= 1000 ? 9 : 1;
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind");

    MemoryFigures(families);
    const int baselineCount = std::min(1000, families);
    double baseline = BaselinePerName(baselineCount);
    std::printf("baseline: painting list box, %d names: %.4f ms per name\n", baselineCount, baseline);

    for (int count : {families / 10, families}) {
        std::printf("suspended list box alone, %d names: %.4f ms per name; with a message pass each: %.4f\n", count,
                    BatchedPerName(count, 0), BatchedPerName(count, count));
    }
    for (int count : {families / 10, families}) {
        app::MainWindow window;
        window.SetUnloadHandler([] {});
        window.SetFontSource([names = MakeNames(count)] { return names; });
        window.Show();
        // Alternating with the floor, so that a busy moment of the machine hits both alike.
        std::vector<double> loads, floors;
        for (int round = 0; round < rounds; ++round) {
            floors.push_back(BatchedPerName(count, 100) * count);
            auto start = Clock::now();
            window.LoadFonts(window.hwnd());
            loads.push_back(MillisecondsSince(start));
        }
        const double load = Median(loads), floor = Median(floors);
        std::printf("LoadFonts, %d names (median of %d): %.1f ms, %.1fx faster than the baseline; a suspended list box "
                    "with 100 message passes %.1f ms, ratio %.2f (target 1.10)\n",
                    count, rounds, load, baseline * count / load, floor, load / floor);
        std::fflush(stdout);
    }

    TypingFigures(families, rounds);
    ScriptFigures(families, rounds);
    EnumerationFigures(rounds);
    return 0;
}
