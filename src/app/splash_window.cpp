#include "app/splash_window.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/window_placement.h"
#include "win/dib_surface.h"
#include "win/error_report.h"
#include "win/module.h"

namespace app {

namespace {

constexpr wchar_t kSplashClass[] = L"GlyphoscopeSplashScreen";
constexpr wchar_t kHiddenClass[] = L"GlyphoscopeSplashWindow";

std::vector<std::uint8_t> ReadWholeFile(const std::wstring& path) {
    win::UniqueKernelHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        throw core::RuntimeError(core::kFileNotFoundErrorNumber, L"Файл не найден: " + path,
                                 core::ErrorSource(L".Splash"));
    }
    LARGE_INTEGER size{};
    // Far larger than any 4096 × 4096 picture: not a splash file, and not worth reading.
    constexpr LONGLONG kLimit = 24 + 4096LL * 4096 * 4;
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kLimit) {
        throw core::RuntimeError(core::kInvalidFileFormatErrorNumber, L"Неверный формат файла заставки " + path,
                                 core::ErrorSource(L".Splash"));
    }
    std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        throw core::RuntimeError(core::kFileNotFoundErrorNumber, L"Не удаётся прочитать файл: " + path,
                                 core::ErrorSource(L".Splash"));
    }
    return bytes;
}

LRESULT CALLBACK SplashProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    // A click does not dismiss the splash: the main window follows on the timer alone.
    if (message == WM_NCHITTEST) return HTCLIENT;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

void SplashScreen::LoadFile(const std::wstring& path) {
    std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    size_t slash = path.find_last_of(L"\\/");
    image_ = core::DecodeSplashImage(bytes, slash == std::wstring::npos ? path : path.substr(slash + 1));
    loaded_ = true;
}

void SplashScreen::Show(bool topMost) {
    if (!loaded_) {
        throw core::RuntimeError(core::error_number::kIllegalCall, L"Заставка не загружена",
                                 core::ErrorSource(L".Splash"));
    }
    Close();
    // A layered window paints nothing itself: no class style, no background.
    win::RegisterWindowClassOnce({kSplashClass, 0, nullptr, ::LoadCursorW(nullptr, IDC_APPSTARTING)}, &SplashProc);
    const int width = static_cast<int>(image_.width);
    const int height = static_cast<int>(image_.height);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    POINT at{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
    window_.reset(::CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW | (topMost ? WS_EX_TOPMOST : 0), kSplashClass,
                                    L"Marrowind Glyphoscope 2.3", WS_POPUP, at.x, at.y, width, height, nullptr, nullptr,
                                    win::ModuleInstance(), nullptr));
    if (!window_) {
        throw win::LastError(L"Не удаётся создать окно заставки", core::ErrorSource(L".Splash"));
    }

    win::DibSurface picture;
    if (!picture.Create(width, height)) return;
    std::ranges::copy(image_.bgra, picture.Bytes().begin());
    win::WindowDc screen(nullptr);
    SIZE size{width, height};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(window_.get(), screen.get(), &at, &size, picture.Dc(), &origin, 0, &blend, ULW_ALPHA);
    ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void SplashScreen::Close() noexcept { window_.reset(); }

SplashWindow::SplashWindow(MainWindow& mainWindow) : mainWindow_(mainWindow) {
    timer_.SetInterval(kDelayMilliseconds);
    timer_.OnTick([this] { OnTimer(); });
}

void SplashWindow::Start(const std::wstring& splashPath) {
    win::WindowClassArgs windowClass;
    windowClass.name = kHiddenClass;
    win::CreateArgs args;
    args.style = WS_POPUP;
    args.exStyle = WS_EX_TOOLWINDOW | TopMostExStyle();
    args.x = 0;
    args.y = 0;
    args.width = 0;
    args.height = 0;
    Create(windowClass, args);
    ApplyTopMostPreference(hwnd());
    timer_.SetOwner(hwnd());
    timer_.SetEnabled(true);
    screen_.LoadFile(splashPath);
    screen_.Show(prefs::IsOn(pref::kTopMost));
}

void SplashWindow::OnTimer() {
    timer_.SetEnabled(false);
    screen_.Close();
    Destroy();
    try {
        mainWindow_.Show();
    } catch (...) {
        // Reported first: nothing may end the program while the user has not seen why.
        win::ReportCurrentException();
        mainWindow_.EndUnlessShown();
    }
}

SplashLauncher MakeSplashLauncher() {
    // The launcher is kept by start-up while the message loop runs, and the splash with it; the
    // timer closes the window, not the object.
    auto holder = std::make_shared<std::unique_ptr<SplashWindow>>();
    return [holder](MainWindow& mainWindow) {
        auto& splash = *holder;
        try {
            splash = std::make_unique<SplashWindow>(mainWindow);
            splash->Start(win::ExecutableDirectory() + L"\\" + SplashWindow::kFileName);
        } catch (...) {
            // Whatever failed (an unreadable file, memory for a huge one), the main window follows:
            // on the timer when it runs, otherwise start-up opens it. The report is modal; the
            // timer keeps running behind it.
            const bool timerRunning = splash && splash->Waiting();
            win::ReportCurrentException();
            return timerRunning;
        }
        return true;
    };
}

}  // namespace app
