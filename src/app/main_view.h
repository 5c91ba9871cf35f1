#pragma once
// What the menu and tool bar commands may ask of the main window, and nothing more: the commands
// see this, not the window, its controls or the dialogs it opens.

#include <windows.h>

#include <string>
#include <vector>

#include "core/app/font_filter.h"

namespace app {

class FontFileLocator;

class MainView {
public:
    // Owner of what the commands open, and the target of the clipboard and of the shell.
    virtual HWND Owner() const = 0;
    // Where the licence is read from.
    virtual const std::wstring& ProgramFolder() const = 0;
    // Empty while no font is selected (none loaded).
    virtual std::wstring SelectedFamily() const = 0;
    // Where the details window finds the selected family's files.
    virtual FontFileLocator& FontFiles() = 0;

    // Loads font files for this process and lists their families first.
    virtual void OpenFontFiles(const std::vector<std::wstring>& paths) = 0;
    // Fills the font list again, with the progress window.
    virtual void ReloadFonts() = 0;
    virtual void FocusFontSearch() = 0;
    virtual void ShowScript(core::FontScript script) = 0;
    virtual void SetTopMost(bool topMost) = 0;
    virtual void SetToolBarVisible(bool visible) = 0;
    // The preview in this size, the text and font unchanged.
    virtual void ShowPreviewSize(int points) = 0;
    // The selected font with ViewerText and FontSize as stored.
    virtual void ApplyPreview() = 0;
    virtual void ShowSettings() = 0;
    virtual void ShowCharacterMap() = 0;

protected:
    ~MainView() = default;
};

}  // namespace app
