#pragma once
// The splash: our own small splash module (load a Splash.spl file, show it, close it) and the
// hidden splash window whose 6000 ms timer closes the splash and opens the main window.

#include <windows.h>

#include <functional>
#include <string>

#include "app/startup.h"
#include "core/app/splash_image.h"
#include "win/controls.h"
#include "win/handles.h"
#include "win/window.h"

namespace app {

class MainWindow;

// Shows a Splash.spl picture as a layered window centred on the screen. The three operations
// are called in the order LoadFile, Show, Close.
class SplashScreen {
public:
    SplashScreen() = default;
    SplashScreen(const SplashScreen&) = delete;
    SplashScreen& operator=(const SplashScreen&) = delete;
    ~SplashScreen() { Close(); }

    // Throws RuntimeError 53 when the file cannot be read and 321 when it is not a splash image.
    void LoadFile(const std::wstring& path);
    // Throws RuntimeError 5 before a successful LoadFile.
    void Show(bool topMost);
    void Close() noexcept;

    HWND Window() const noexcept { return window_.get(); }
    const core::SplashImage& Image() const noexcept { return image_; }

private:
    core::SplashImage image_;
    bool loaded_ = false;
    win::UniqueWindow window_;
};

class SplashWindow : public win::Window {
public:
    static constexpr UINT kDelayMilliseconds = 6000;
    static constexpr wchar_t kFileName[] = L"Splash.spl";

    explicit SplashWindow(MainWindow& mainWindow);

    // Loads the hidden window (its timer starts now), then loads and shows the splash file.
    // Errors of the splash module propagate; the timer still opens the main window.
    void Start(const std::wstring& splashPath);

    const SplashScreen& Screen() const noexcept { return screen_; }
    bool Waiting() const noexcept { return timer_.Enabled(); }

private:
    void OnTimer();

    MainWindow& mainWindow_;
    SplashScreen screen_;
    win::Timer timer_;
};

// What start-up calls when ShowSplash is "1": the splash from Splash.spl beside the program.
// A splash module error is reported with start-up's error message and the main window still
// follows after the delay.
SplashLauncher MakeSplashLauncher();

}  // namespace app
