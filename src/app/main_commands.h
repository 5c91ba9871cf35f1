#pragma once
// What the main window's menu entries and tool bar buttons do when clicked.

#include <windows.h>

#include <functional>
#include <string>

namespace app {

class MainMenu;
class MainView;

// Hands a fixed target to the shell to "open", with a working folder, in a normal window.
using ShellOpener = std::function<void(HWND parent, const std::wstring& target, const std::wstring& folder)>;
void OpenWithShell(HWND parent, const std::wstring& target, const std::wstring& folder);

class MainCommands {
public:
    MainCommands(MainView& view, const MainMenu& menu) : view_(view), menu_(menu) {}

    void SetShellOpener(ShellOpener opener) { shell_ = std::move(opener); }

    // Runs the command of a clicked key; keys without one do nothing.
    void Run(const std::wstring& key);
    // The size, preset and script entries take their check marks from the preferences, and the
    // font list its script.
    void CheckFromPreferences() const;
    // ViewerText from the checked presets, then the preview again.
    void RebuildSampleText() const;

private:
    void Open(const std::wstring& target) const;

    MainView& view_;
    const MainMenu& menu_;
    ShellOpener shell_ = &OpenWithShell;
};

}  // namespace app
