// window_gallery.exe <splash|progress|about|settings|all> [seconds]: opens one of the small
// windows (or each in turn) the way the program does and keeps it up, for screenshots. Errors go
// to the standard error and make the exit code 1.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/progress_window.h"
#include "app/splash_window.h"
#include "controls/hyperlink_settings_dialog.h"
#include "win/controls.h"
#include "win/error_report.h"
#include "win/module.h"

namespace {

void PumpFor(DWORD milliseconds) {
    ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        win::ProcessPendingMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// Stops half way through the list for a while, as a slow machine would seem to.
class PausingProgress : public app::FontLoadProgress {
public:
    explicit PausingProgress(DWORD pause) : pause_(pause) {}
    void Begin(HWND owner) override { window_.Begin(owner); }
    void SetPercent(float percent) override {
        window_.SetPercent(percent);
        if (!paused_ && percent >= 50) {
            paused_ = true;
            PumpFor(pause_);
        }
    }
    void End() override { window_.End(); }

private:
    app::ProgressWindow window_;
    DWORD pause_;
    bool paused_ = false;
};

bool failed = false;

std::vector<std::wstring> ManyFamilies() {
    std::vector<std::wstring> names;
    for (int i = 1; i <= 2000; ++i) names.push_back(L"Шрифт " + std::to_wstring(i));
    return names;
}

void Show(const std::wstring& mode, DWORD hold) {
    const std::wstring program = win::ExecutableDirectory() + L"\\Glyphoscope.exe";
    if (mode == L"splash") {
        app::SplashScreen splash;
        splash.LoadFile(win::ExecutableDirectory() + L"\\Splash.spl");
        splash.Show(false);
        PumpFor(hold);
    } else if (mode == L"progress") {
        app::MainWindow main;
        main.SetUnloadHandler([] {});
        main.SetFontSource(&ManyFamilies);
        main.SetProgress(std::make_unique<PausingProgress>(hold));
        main.Show();
        main.LoadFonts(main.hwnd());
    } else if (mode == L"about") {
        app::MainWindow main;
        main.SetUnloadHandler([] {});
        main.Show();
        app::AboutWindow about(program);
        about.Open(main.hwnd());
        // Hover the mail link to show its hover colour.
        RECT link{};
        ::GetWindowRect(about.MailLink().hwnd(), &link);
        ::SetCursorPos(link.left + 8, link.top + 6);
        PumpFor(300);
        ::SendMessageW(about.MailLink().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(8, 6));
        PumpFor(hold);
    } else if (mode == L"settings") {
        app::MainWindow main;
        main.SetUnloadHandler([] {});
        main.Show();
        controls::HyperLink link;
        core::HyperLinkProperties p;
        p.caption = L"glyphoscope@marrowind.ru";
        p.hyperLink = L"mailto:glyphoscope@marrowind.ru";
        link.Create(main.hwnd(), 900, RECT{10, 10, 200, 30}, p);
        controls::HyperLinkSettingsDialog dialog;
        dialog.Open(main.hwnd(), link);
        ::CheckDlgButton(dialog.hwnd(), controls::HyperLinkSettingsDialog::kMOUnderline, BST_CHECKED);
        PumpFor(hold);
    } else {
        std::fwprintf(stderr, L"unknown window %ls\n", mode.c_str());
        failed = true;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::wstring mode = argc > 1 ? argv[1] : L"about";
    DWORD hold = argc > 2 ? static_cast<DWORD>(std::stoi(argv[2])) * 1000 : 8000;
    ::LocalFree(argv);
    ::SetProcessDPIAware();
    core::SetExecutableName(L"Glyphoscope");
    win::SetErrorReporter([](const core::RuntimeError& error) {
        std::fwprintf(stderr, L"error %d: %ls\n", static_cast<int>(error.Number()), error.Description().c_str());
        failed = true;
    });
    if (mode == L"all") {
        for (const wchar_t* each : {L"splash", L"progress", L"about", L"settings"}) Show(each, hold);
    } else {
        Show(mode, hold);
    }
    return failed ? 1 : 0;
}
