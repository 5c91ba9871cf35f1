// Measures the real program from outside, as a user meets it, against the platform's own windows
// measured the same way in the same run:
//   - start-up: from creating the process until its main window, with menu bar, tool bar and
//     icons (fonts not loaded), is visible and painted, against a bare window of a process that
//     does nothing else; for scale, also a bare window with the main window's standard controls;
//   - opening a drop-down from the keyboard: Alt, Right k times, Down sent with SendInput, until
//     the new drop-down is visible and painted, against a window whose native menu bar holds the
//     same titles and items.
// The two sides alternate round by round; each figure is the median of the rounds' medians.
//
//   program_benchmark [ROUNDS [OPENS]]   (defaults 6 and 30)
//   program_benchmark --bare | --standard-controls | --menu-bar   (the baselines' own processes)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/preferences.h"
#include "core/app/main_menu_table.h"
#include "win/controls.h"
#include "win/module.h"

namespace {

constexpr wchar_t kMainClass[] = L"GlyphoscopeMainWindow";
constexpr wchar_t kCommandBarClass[] = L"GlyphoscopeCommandBar";
constexpr wchar_t kBareClass[] = L"GlyphoscopeBenchBareWindow";
constexpr wchar_t kNativeMenuClass[] = L"#32768";
constexpr DWORD kPatience = 15000;

double Now() {
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// ---- the baselines' processes ----

LRESULT CALLBACK BaselineProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// The entries directly under `parent`, nested as the program nests them.
HMENU NativeMenu(std::wstring_view parent, bool bar) {
    HMENU menu = bar ? ::CreateMenu() : ::CreatePopupMenu();
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
        if (!core::IsDirectChild(parent, entry.key)) continue;
        if (entry.style == core::commandbar::ButtonStyle::Separator) {
            ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const std::wstring caption(entry.caption);
        HMENU children = NativeMenu(entry.key, false);
        if (::GetMenuItemCount(children) > 0) {
            ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(children), caption.c_str());
        } else {
            ::DestroyMenu(children);
            ::AppendMenuW(menu, MF_STRING, 100, caption.c_str());
        }
    }
    return menu;
}

enum class Baseline { Bare, MenuBar, StandardControls };

// The main window's standard controls where it puts them, made by the same wrappers: what any
// window showing them pays, before the program's own parts (bars, icons, preferences, layout).
struct StandardControls {
    win::Panel area;
    win::GroupBox fontFrame, previewFrame;
    win::SingleLineEdit search;
    win::ListBox list;
    win::MultiLineEdit preview;

    explicit StandardControls(HWND window) {
        area.Create(window, 1);
        area.SetBounds(win::ClientRect(window));
        fontFrame.Create(area.hwnd(), 2, L"Установленные шрифты:");
        search.Create(area.hwnd(), 3);
        list.Create(area.hwnd(), 4);
        previewFrame.Create(area.hwnd(), 5, L"Просмотр:");
        preview.Create(area.hwnd(), 6);
        preview.SetText(L"Шрифты не загружены, просмотр не доступен!");
        fontFrame.SetBoundsTwips({105, 60, 2775, 4335});
        search.SetBoundsTwips({225, 315, 2535, 300});
        list.SetBoundsTwips({225, 675, 2535, 3600});
        previewFrame.SetBoundsTwips({3000, 60, 5895, 4335});
        preview.SetBoundsTwips({3120, 315, 5655, 3945});
    }
};

int RunBaseline(Baseline kind) {
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = &BaselineProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kBareClass;
    ::RegisterClassExW(&windowClass);
    HMENU menu = kind == Baseline::MenuBar ? NativeMenu(core::kMenuBarKey, true) : nullptr;
    HWND window = ::CreateWindowExW(0, kBareClass, L"Glyphoscope", WS_OVERLAPPEDWINDOW, 40, 40, 640, 480, nullptr, menu,
                                    windowClass.hInstance, nullptr);
    std::optional<StandardControls> controls;
    if (kind == Baseline::StandardControls) controls.emplace(window);
    ::ShowWindow(window, SW_SHOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// ---- the driver ----

struct Search {
    DWORD pid;
    const wchar_t* className;
    HWND found = nullptr;
};

bool HasClass(HWND hwnd, const wchar_t* className) {
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    return wcscmp(name, className) == 0;
}

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !::IsWindowVisible(hwnd) || !HasClass(hwnd, search->className)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

HWND VisibleWindow(DWORD pid, const wchar_t* className) {
    Search search{pid, className};
    ::EnumWindows(&FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct Painting {
    bool pending = false;
    int commandBars = 0;
};

BOOL CALLBACK CheckChild(HWND child, LPARAM param) {
    auto* painting = reinterpret_cast<Painting*>(param);
    if (!::IsWindowVisible(child)) return TRUE;
    if (::GetUpdateRect(child, nullptr, FALSE)) painting->pending = true;
    if (HasClass(child, kCommandBarClass)) ++painting->commandBars;
    return TRUE;
}

// Visible with nothing left to paint, itself or any visible child; `commandBars` of them shown.
bool Painted(HWND hwnd, int commandBars = 0) {
    if (!hwnd || !::IsWindowVisible(hwnd) || ::GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    Painting painting;
    ::EnumChildWindows(hwnd, &CheckChild, reinterpret_cast<LPARAM>(&painting));
    return !painting.pending && painting.commandBars >= commandBars;
}

template <typename Condition>
bool WaitUntil(Condition condition, DWORD ms = kPatience) {
    const double end = Now() + ms;
    while (!condition()) {
        if (Now() > end) return false;
        ::Sleep(1);
    }
    return true;
}

class Program {
public:
    explicit Program(std::wstring command) {
        STARTUPINFOW startup{sizeof(startup)};
        started_ = Now();
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_)) {
            std::fprintf(stderr, "cannot start %ls: error %lu\n", command.c_str(), ::GetLastError());
        }
    }
    ~Program() {
        if (!process_.hProcess) return;
        if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
        if (::WaitForSingleObject(process_.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(process_.hProcess, 1);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Milliseconds from creating the process until its window was visible and painted; negative
    // when it never was.
    double WaitForWindow(const wchar_t* className, int commandBars) {
        if (!process_.hProcess) return -1;
        const bool shown = WaitUntil([&] {
            window_ = VisibleWindow(process_.dwProcessId, className);
            return Painted(window_, commandBars);
        });
        return shown ? Now() - started_ : -1;
    }
    HWND Window() const noexcept { return window_; }
    DWORD Id() const noexcept { return process_.dwProcessId; }

private:
    PROCESS_INFORMATION process_{};
    double started_ = 0;
    HWND window_ = nullptr;
};

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }
std::wstring ProgramPath() { return Quoted(win::ExecutableDirectory() + L"\\Glyphoscope.exe"); }
std::wstring BaselineCommand(const wchar_t* mode) {
    wchar_t self[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    return Quoted(self) + L" " + mode;
}

// Both return how many measurements failed.
int StartupFigures(int rounds) {
    std::vector<double> own, bare, standard;
    for (int round = 0; round < rounds; ++round) {
        {
            Program program(ProgramPath());
            own.push_back(program.WaitForWindow(kMainClass, 2));
        }
        {
            Program baseline(BaselineCommand(L"--bare"));
            bare.push_back(baseline.WaitForWindow(kBareClass, 0));
        }
        Program controls(BaselineCommand(L"--standard-controls"));
        standard.push_back(controls.WaitForWindow(kBareClass, 0));
    }
    const double ownTime = Median(own), bareTime = Median(bare), standardTime = Median(standard);
    std::printf(
        "start-up until the main window is painted (median of %d): %.1f ms, a bare window %.1f ms, ratio %.2f "
        "(target 1.15)\n"
        "  a bare window with the main window's standard controls: %.1f ms, %.2f of the bare window; the "
        "program %.2f of it\n",
        rounds, ownTime, bareTime, ownTime / bareTime, standardTime, standardTime / bareTime, ownTime / standardTime);
    std::fflush(stdout);
    int failures = 0;
    for (const auto* times : {&own, &bare, &standard}) {
        failures += static_cast<int>(std::count_if(times->begin(), times->end(), [](double t) { return t < 0; }));
    }
    return failures;
}

void Tap(std::vector<INPUT>& inputs, WORD key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
}

void Send(std::vector<INPUT> inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

// One side of the menu figures: its process, its main window and the class of its drop-downs.
struct MenuSide {
    Program& program;
    const wchar_t* popupClass;

    bool Foreground() const {
        ::SetForegroundWindow(program.Window());
        return WaitUntil([&] { return ::GetForegroundWindow() == program.Window(); }, 3000);
    }
    HWND DropDown() const { return VisibleWindow(program.Id(), popupClass); }
    // Alt, Right k times, Down; milliseconds until the drop-down has painted, negative when it
    // never did.
    double Open(int k) const {
        std::vector<INPUT> keys;
        Tap(keys, VK_MENU);
        for (int i = 0; i < k; ++i) Tap(keys, VK_RIGHT);
        Tap(keys, VK_DOWN);
        const double start = Now();
        Send(keys);
        HWND dropDown = nullptr;
        if (!WaitUntil([&] { return Painted(dropDown = DropDown()); }, 5000)) return -1;
        const double taken = Now() - start;
        std::vector<INPUT> close;
        Tap(close, VK_ESCAPE);
        Tap(close, VK_ESCAPE);
        Send(close);
        WaitUntil([&] { return DropDown() == nullptr; }, 5000);
        // Menu mode ends after the drop-down has gone.
        ::Sleep(30);
        return taken;
    }
};

int MenuFigures(int rounds, int opens) {
    Program own(ProgramPath());
    Program native(BaselineCommand(L"--menu-bar"));
    if (own.WaitForWindow(kMainClass, 2) < 0 || native.WaitForWindow(kBareClass, 0) < 0) {
        std::printf("menu figures: a window did not appear\n");
        return 1;
    }
    int titles = 0;
    for (const core::MenuButtonEntry& entry : core::MainMenuButtons()) {
        if (core::IsDirectChild(core::kMenuBarKey, entry.key)) ++titles;
    }
    const MenuSide sides[] = {{own, kCommandBarClass}, {native, kNativeMenuClass}};
    std::vector<double> medians[2];
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int side = 0; side < 2; ++side) {
            if (!sides[side].Foreground()) ++failures;
            std::vector<double> times;
            for (int i = 0; i < opens; ++i) {
                const double taken = sides[side].Open(i % titles);
                if (taken < 0) {
                    ++failures;
                } else {
                    times.push_back(taken);
                }
            }
            medians[side].push_back(Median(times));
        }
    }
    const double ownTime = Median(medians[0]), nativeTime = Median(medians[1]);
    std::printf(
        "Alt, Right k times, Down until the drop-down has painted (median of %d rounds of %d): %.2f ms, the "
        "native menu bar %.2f ms, ratio %.2f (target 1.0)",
        rounds, opens, ownTime, nativeTime, nativeTime > 0 ? ownTime / nativeTime : 0.0);
    std::printf(failures ? "; %d opens failed\n" : "\n", failures);
    std::printf("  rounds:");
    for (int round = 0; round < rounds; ++round) {
        std::printf(" %.2f", medians[1][round] > 0 ? medians[0][round] / medians[1][round] : 0.0);
    }
    std::printf("\n");
    std::fflush(stdout);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--bare") return RunBaseline(Baseline::Bare);
    if (argc > 1 && std::string(argv[1]) == "--menu-bar") return RunBaseline(Baseline::MenuBar);
    if (argc > 1 && std::string(argv[1]) == "--standard-controls") return RunBaseline(Baseline::StandardControls);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 6;
    const int opens = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;
    // The program as a first start finds it (fonts not loaded, no splash), with its tool bar shown.
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind");
    ::RegSetKeyValueW(HKEY_CURRENT_USER, app::kPreferencesKeyPath, app::pref::kShowToolBar, REG_SZ, L"1",
                      2 * sizeof(wchar_t));
    int failures = StartupFigures(rounds);
    failures += MenuFigures(rounds, opens);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Marrowind");
    return failures == 0 ? 0 : 1;
}
