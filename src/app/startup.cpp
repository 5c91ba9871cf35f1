#include "app/startup.h"

#include <commctrl.h>

#include <string>

#include "app/font_file_sources.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "app/progress_window.h"
#include "win/error_report.h"

namespace app {

namespace {

std::wstring InstanceMutexName() {
    wchar_t user[256] = {};
    DWORD length = static_cast<DWORD>(std::size(user));
    if (!::GetUserNameW(user, &length)) user[0] = L'\0';
    // Local\ is per session; the user name keeps copies of different users apart.
    return std::wstring(L"Local\\Marrowind.Glyphoscope.2.3.") + user;
}

int RunMessageLoop(MainWindow& mainWindow) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        bool handled = false;
        win::GuardCallback([&] { handled = mainWindow.PreTranslate(msg); });
        if (handled) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : 0;
}

}  // namespace

InstanceMarker::InstanceMarker() {
    mutex_.reset(::CreateMutexW(nullptr, FALSE, InstanceMutexName().c_str()));
    anotherCopy_ = mutex_ && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void ShowErrorMessage(const core::RuntimeError& error) {
    std::wstring text = L"Произошла ошибка № " + std::to_wstring(error.Number()) + L"\r\n" + error.Description();
    ::MessageBoxW(nullptr, text.c_str(), kProgramTitle, MB_OK | MB_ICONERROR);
}

int RunProgram(SplashLauncher showSplash, std::vector<std::wstring> fontFiles) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_USEREX_CLASSES;
    ::InitCommonControlsEx(&controls);

    // Errors at callback boundaries are reported the same way as errors while starting.
    win::SetErrorReporter(&ShowErrorMessage);

    InstanceMarker instance;
    MainWindow mainWindow;
    mainWindow.SetProgress(std::make_unique<ProgressWindow>());
    bool splashShown = false;
    try {
        if (prefs::Get(pref::kManyCopies) == L"0" && instance.AnotherCopyRunning()) {
            // Files go to the running copy; only a copy that cannot take them refuses with a message.
            if (!fontFiles.empty() && HandFilesToRunningCopy(fontFiles)) return 0;
            ::MessageBoxW(nullptr, kAlreadyRunningText, kProgramTitle, MB_OK | MB_ICONINFORMATION);
            return 0;
        }
        mainWindow.OpenFontFilesOnceShown(std::move(fontFiles));
        if (prefs::Get(pref::kShowSplash) == L"1" && showSplash) splashShown = showSplash(mainWindow);
        if (!splashShown) mainWindow.Show();
    } catch (...) {
        win::ReportCurrentException();
    }
    // A window that did open stays open after an error. One that never appeared ends the program
    // after the report, rather than leaving a ghost that ManyCopies "0" would keep refusing to.
    if (!splashShown) mainWindow.EndUnlessShown();
    return RunMessageLoop(mainWindow);
}

}  // namespace app
