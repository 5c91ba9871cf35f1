#pragma once
// The ways font files reach the program: the open dialog, files dropped on the main window, the
// command line, and another copy that hands its command line over when only one copy may run.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "win/controls.h"

namespace app {

inline constexpr wchar_t kOpenDialogTitle[] = L"Открыть файл шрифта";

// The platform's open dialog, several files at once, starting in the folder chosen last time;
// empty when the user cancels.
std::vector<std::wstring> ChooseFontFiles(HWND owner);

// The files named after the program, as full paths.
std::vector<std::wstring> FilesFromCommandLine(const wchar_t* commandLine);

// Sends the files to the main window of the copy already running, which comes to the front and
// opens them; false when no such window answered.
bool HandFilesToRunningCopy(const std::vector<std::wstring>& files);

// Takes dropped files and files another copy sent; opens them from the message loop, after the
// sender has its answer and the window has painted.
class FontFileReceiver {
public:
    using Opener = std::function<void(const std::vector<std::wstring>& files)>;
    explicit FontFileReceiver(Opener open) : open_(std::move(open)) {}

    // The window accepts drops from now on; files queued before it existed are opened.
    void Attach(HWND window);
    // Opens the files once the window is up.
    void Queue(std::vector<std::wstring> files);
    // WM_DROPFILES and WM_COPYDATA; true when the message brought files.
    bool Receive(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_ = nullptr;
    std::vector<std::wstring> pending_;
    win::Timer timer_;
    Opener open_;
};

}  // namespace app
