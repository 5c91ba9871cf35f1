#pragma once
// The main window: the font list on the left, the editable preview on the right, the menu bar and
// the optional tool bar above them.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/font_filter_view.h"
#include "app/font_file_locator.h"
#include "app/font_file_sources.h"
#include "app/opened_font_files.h"
#include "app/character_map_window.h"
#include "app/font_load_progress.h"
#include "app/main_commands.h"
#include "app/main_menu.h"
#include "app/main_view.h"
#include "subclass/subclass.h"
#include "win/controls.h"
#include "win/handles.h"
#include "win/window.h"

namespace app {

class MainWindow : public win::Window, private MainView, private subclass::SubclassClient {
public:
    static constexpr wchar_t kCaption[] = L"Marrowind Glyphoscope 2.3";
    static constexpr wchar_t kFontsNotLoadedText[] = L"Шрифты не загружены, просмотр не доступен!";
    // Outer heights in twips with and without the tool bar strip.
    static constexpr double kHeightWithToolBar = 5955;
    static constexpr double kHeightWithoutToolBar = 5245;
    static constexpr double kClientWidth = 9015;

    MainWindow();
    ~MainWindow() override;

    // Loads the window on first use (the whole load sequence) and makes it visible.
    void Show();
    bool Loaded() const noexcept { return hwnd() != nullptr; }
    // After a load that failed before the window appeared: the half-made window goes and the
    // program ends as it does on unload. Nothing happens once the window has been shown.
    void EndUnlessShown();

    // Fills the font list from scratch with progress shown; owner is null for an ownerless progress.
    // Does nothing while a load runs.
    void LoadFonts(HWND progressOwner);
    // Re-reads ViewerText and FontSize and shows the selected font again.
    void ApplyPreview() override;
    // Re-applies the text colour once, on the next timer tick.
    void RefreshColour();
    // Shows or hides the tool bar strip and sets the matching window height.
    void SetToolBarVisible(bool visible) override;
    void SetTopMost(bool topMost) override;
    // "Таблица символов" for the selected family, following the selection while it stays open.
    void ShowCharacterMap() override { characterMap_.Open(hwnd(), SelectedFamily()); }
    // The text replaces the preview's, as if typed there.
    void ShowInPreview(const std::wstring& text) { preview_.SetText(text); }
    // The band and the menu's check mark from TopMost as stored.
    void FollowTopMostPreference();
    // Tab and Shift+Tab between the font list and the preview; true when the message was used.
    bool PreTranslate(const MSG& msg);

    // Loads font files for this program alone; their families come first and the first of them is
    // selected. Files named before the window is up are opened once it is.
    void OpenFontFiles(const std::vector<std::wstring>& paths) override;
    void OpenFontFilesOnceShown(std::vector<std::wstring> paths) { receiver_.Queue(std::move(paths)); }
    OpenedFontFiles& OpenedFiles() noexcept { return openedFiles_; }

    void SetProgress(std::unique_ptr<FontLoadProgress> progress);
    // Where the font families come from; the screen's unless replaced.
    using FontSource = std::function<std::vector<core::FontFamily>()>;
    void SetFontSource(FontSource source) { fontSource_ = std::move(source); }
    // Names alone: none counts as Cyrillic or monospaced.
    void SetFontSource(std::function<std::vector<std::wstring>()> names);
    // Where the icons and the licence are read from; the program's folder unless replaced.
    void SetProgramFolder(std::wstring folder) { programFolder_ = std::move(folder); }
    const std::wstring& ProgramFolder() const noexcept override { return programFolder_; }
    void SetShellOpener(ShellOpener opener) { commands_.SetShellOpener(std::move(opener)); }
    // Runs after the window is gone; by default it ends the message loop, and with it the process.
    void SetUnloadHandler(std::function<void()> handler) { unloadHandler_ = std::move(handler); }

    // The parts tests and later windows look at.
    const win::ListBox& FontList() const noexcept { return fontList_; }
    const win::MultiLineEdit& Preview() const noexcept { return preview_; }
    HWND ToolBarStrip() const noexcept { return toolBarStrip_.hwnd(); }
    const MainMenu& Menu() const noexcept { return menu_; }
    FontFilterView& Filter() noexcept { return filter_; }
    // Where the details window finds font files; fonts the program adds from files go in here.
    FontFileLocator& FontFiles() noexcept override { return fontFiles_; }
    CharacterMapWindow& CharacterMap() noexcept { return characterMap_; }
    std::wstring PreviewFontName() const { return previewFontName_; }
    int PreviewFontPoints() const noexcept { return previewPoints_; }
    COLORREF PreviewTextColour() const noexcept { return textColour_; }
    COLORREF PreviewBackColour() const noexcept { return backColour_; }
    bool ColourRefreshPending() const noexcept { return colourTimer_.Enabled(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

private:
    core::MessageResponse MsgResponse() override { return core::MessageResponse::CallPreviousBefore; }
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    // The commands' view of the window (main_view.h); the rest of it is above.
    HWND Owner() const override { return hwnd(); }
    std::wstring SelectedFamily() const override;
    void ReloadFonts() override { LoadFonts(nullptr); }
    void FocusFontSearch() override { filter_.FocusBox(); }
    void ShowScript(core::FontScript script) override { filter_.SetScript(script); }
    void ShowPreviewSize(int points) override { SetPreviewFont(previewFontName_, points); }
    void ShowSettings() override;

    void CreateWindowAndControls();
    void RunLoadSequence();
    void LayOut();
    // Puts a bar at top with the given width and its own height; returns its bottom.
    static int PlaceBar(commandbar::CommandBarWindow& bar, int top, int width);
    void PlaceAtStartPosition();
    void SelectFont();
    void ShowSelectedFont();
    void SetPreviewFont(const std::wstring& name, int points);
    void ApplyTextColourRule();
    void OnColourTimer();
    void SavePosition();
    void Unload();
    void EndProgram();
    // True when the focus went to a control.
    bool OnActivate(WPARAM wParam);
    void RestoreFocus();
    void DetachPreview() noexcept;
    LRESULT OnControlColour(HDC dc, HWND control);

    win::Panel toolBarStrip_;
    win::Label toolBarLine_;
    win::Panel mainArea_;
    win::GroupBox fontFrame_;
    win::ListBox fontList_;
    FontFilterView filter_{fontFrame_, fontList_, [this] { SelectFont(); }};
    win::GroupBox previewFrame_;
    win::MultiLineEdit preview_;
    win::Timer colourTimer_;

    MainMenu menu_;
    MainCommands commands_{static_cast<MainView&>(*this), menu_};
    FontFileLocator fontFiles_;
    OpenedFontFiles openedFiles_{fontFiles_};
    FontFileReceiver receiver_{[this](const std::vector<std::wstring>& paths) { OpenFontFiles(paths); }};
    std::wstring programFolder_;
    std::unique_ptr<FontLoadProgress> progress_;
    std::function<void()> unloadHandler_;
    FontSource fontSource_;

    std::wstring previewFontName_;
    int previewPoints_ = 0;
    win::UniqueFont previewFont_;
    COLORREF textColour_ = 0;
    COLORREF backColour_ = 0;
    win::UniqueBrush backBrush_;
    bool toolBarVisible_ = false;
    bool loadingFonts_ = false;
    bool previewAttached_ = false;
    // False while the object itself is going: then the window closes without ending the program.
    bool endsProgram_ = true;
    // The control that gets the focus back when the window is activated again.
    HWND focusToRestore_ = nullptr;
    CharacterMapWindow characterMap_{[this](const std::wstring& text) { ShowInPreview(text); }};
};

}  // namespace app
