#pragma once
// The program's entry procedure: one copy or several, the splash or the main window, and the only
// top-level report of an error raised while starting.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "core/runtime_error.h"
#include "win/handles.h"

namespace app {

class MainWindow;

inline constexpr wchar_t kProgramTitle[] = L"Glyphoscope 2.3";
inline constexpr wchar_t kAlreadyRunningText[] =
    L"Программа уже запущена ! Чтобы запустить программу несколько раз, включите опцию <Разрешить запуск "
    L"нескольких копий программы> в диалоговом окне Параметры программы.";

// Every running copy holds this for its lifetime, so that a copy started later can see it.
class InstanceMarker {
public:
    InstanceMarker();
    // True when another copy of the program was already running for this user.
    bool AnotherCopyRunning() const noexcept { return anotherCopy_; }

private:
    win::UniqueKernelHandle mutex_;
    bool anotherCopy_ = false;
};

// "Произошла ошибка № <number>\r\n<description>" with the critical icon.
void ShowErrorMessage(const core::RuntimeError& error);

// Shows the splash; returns false when the program has no splash to show.
using SplashLauncher = std::function<bool(MainWindow& mainWindow)>;

// Runs the start-up steps and then the message loop until the main window unloads; the font files
// are opened once the main window is up, or handed to the copy already running.
// Returns the process exit code.
int RunProgram(SplashLauncher showSplash = {}, std::vector<std::wstring> fontFiles = {});

}  // namespace app
