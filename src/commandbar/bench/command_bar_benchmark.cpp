// Prints how long a full repaint of our bars takes against the platform's own bars with the same
// content, both measured in this run: a 12-button tool bar with 32-pixel icons against
// ToolbarWindow32, and a 6-title menu bar against a native menu bar (DrawMenuBar).
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "commandbar/bench/platform_bars.h"
#include "commandbar/command_bar_window.h"
#include "imaging/image_list.h"
#include "win/module.h"
#include "win/window.h"

namespace {

namespace cb = core::commandbar;
using Clock = std::chrono::steady_clock;

const wchar_t* const kIconNames[] = {L"Load_fonts", L"Exit",      L"Settings", L"License",
                                     L"Home_page",  L"Send_mail", L"About"};
const std::vector<std::wstring> kTitles = {L"&Файл", L"&Вид", L"&Размер", L"&Цвет", L"&Сервис", L"&Справка"};

bool LoadToolbarIcons(imaging::ImageList& list) {
    list.IconSizeX = list.IconSizeY = 32;
    list.ColourDepth = 32;
    if (!list.Create()) return false;
    const std::wstring folder = win::ExecutableDirectory() + L"\\..\\app\\Data\\icons\\toolbar\\";
    bool all = true;
    for (const wchar_t* name : kIconNames) {
        all = list.AddFromFile(folder + name + L".ico", imaging::ImageType::Icon, name) && all;
    }
    return all;
}

// Milliseconds per call of `repaint`, after a few unmeasured calls.
template <typename Repaint>
double PerRepaint(int count, Repaint repaint) {
    for (int i = 0; i < 10; ++i) repaint();
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) repaint();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / count;
}

class Form : public win::Window {
public:
    Form() {
        win::CreateArgs args;
        args.title = L"Command bar benchmark";
        args.x = 20;
        args.y = 200;
        args.width = 640;
        args.height = 200;
        Create(win::WindowClassArgs{L"GlyphCommandBarBenchmark"}, args);
        ::ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    }
};

cb::CommandBar AddBar(commandbar::CommandBarWindow& control, const std::wstring& key,
                      const std::vector<std::wstring>& captions, bool icons) {
    cb::CommandBar bar = control.CommandBars().Add(key);
    for (std::size_t i = 0; i < captions.size(); ++i) {
        int icon = icons ? static_cast<int>(i % std::size(kIconNames)) : -1;
        cb::Button button = control.Buttons().Add(key + L":" + std::to_wstring(i), icon, captions[i]);
        button.SetShowCaptionInToolbar(!captions[i].empty());
        bar.Buttons().Add(button);
    }
    return bar;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;

    imaging::ImageList icons;
    if (!LoadToolbarIcons(icons)) {
        std::printf("the tool bar icons could not be read\n");
        return 1;
    }

    Form form;
    commandbar::CommandBarWindow toolbar, menuBar;
    menuBar.Create({form.hwnd(), RECT{0, 0, 600, 24}});
    toolbar.Create({form.hwnd(), RECT{0, 40, 600, 80}});
    menuBar.SetMainMenu(true);
    toolbar.SetToolbarImageList(icons.Handle());
    toolbar.SetToolbar(AddBar(toolbar, L"BENCH:TOOLBAR", std::vector<std::wstring>(12), true));
    std::vector<std::wstring> titles(kTitles.begin(), kTitles.end());
    menuBar.SetToolbar(AddBar(menuBar, L"BENCH:MENU", titles, false));

    commandbar::bench::PlatformToolbar platformToolbar(icons.Handle(), 12);
    commandbar::bench::PlatformMenuBar platformMenu(kTitles);

    const double nativeToolbar = PerRepaint(count, [&] { platformToolbar.Repaint(); });
    const double ourToolbar = PerRepaint(count, [&] { toolbar.DrawBar(); });
    const double nativeMenu = PerRepaint(count, [&] { platformMenu.Repaint(); });
    const double ourMenu = PerRepaint(count, [&] { menuBar.DrawBar(); });

    for (const auto* control : {&toolbar, &menuBar}) {
        std::printf("%ls: %d x %d pixels, %zu buttons\n", control->BarKey().c_str(), control->Canvas().Surface().Width(),
                    control->Canvas().Surface().Height(), control->DisplayInfo().size());
    }
    std::printf("full repaint, %d times each (ms per repaint; ratio = ours / platform, target <= 1.0)\n", count);
    std::printf("tool bar, 12 buttons, 32 px icons: ToolbarWindow32 %.4f, ours %.4f, ratio %.2f\n", nativeToolbar,
                ourToolbar, ourToolbar / nativeToolbar);
    std::printf("menu bar, 6 titles: DrawMenuBar %.4f, ours %.4f, ratio %.2f\n", nativeMenu, ourMenu,
                ourMenu / nativeMenu);
    return 0;
}
