#pragma once
// The settings dialog "Параметры программы": three pages on a tab strip that edit every
// preference. Values are read when the dialog opens and written back all at once by Apply or OK;
// besides the store, Apply only asks the main window to refresh its text colour.

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "win/modal_window.h"
#include "core/app/settings_form.h"
#include "subclass/subclass.h"
#include "tabcontrol/tab_control.h"
#include "win/controls.h"
#include "win/handles.h"

namespace app {

class MainWindow;

class SettingsDialog : public win::ModalWindow, private subclass::SubclassClient {
public:
    static constexpr wchar_t kCaption[] = L"Параметры программы";

    enum class Page { General, Text, Colours };
    enum class Button { Ok, Cancel, Apply, BackColour, FontColour };

    // Answers the colour the user picked, or nothing when the colour dialog was cancelled.
    using ColourChooser = std::function<std::optional<COLORREF>(HWND owner)>;

    SettingsDialog();
    ~SettingsDialog() override;

    // Creates the dialog over its owner, loads the stored values and shows it; returns at once.
    void Open(HWND owner);
    // Opens the dialog and runs it modally until it is closed.
    void ShowModal(HWND owner);
    // Closes without writing anything.
    using ModalWindow::Close;

    // Called after every Apply; the main window hooks its colour refresh here.
    void SetColourRefresh(std::function<void()> refresh) { colourRefresh_ = std::move(refresh); }
    void SetColourChooser(ColourChooser chooser) { colourChooser_ = std::move(chooser); }

    // Ctrl+Tab and Ctrl+Shift+Tab (and Ctrl+Page Down/Up) switch pages, as in any tabbed dialog.
    bool PreTranslate(const MSG& msg);

    // What tests and screenshots look at.
    bool ApplyEnabled() const;
    bool PageVisible(Page page) const;
    HWND CheckBoxWindow(core::SettingsCheck check) const { return checks_[static_cast<size_t>(check)].hwnd(); }
    HWND ButtonWindow(Button button) const;
    HWND PreviewWindow() const noexcept { return preview_.hwnd(); }
    HWND TextFrameWindow() const noexcept { return textFrame_.hwnd(); }
    HWND PageWindow(Page page) const;
    std::wstring PreviewText() const { return preview_.Text(); }
    std::int32_t SwatchColour(core::SettingsColour colour) const { return form_.Colour(colour); }
    tabcontrol::TabControl& Tabs() noexcept { return tabs_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    core::MessageResponse MsgResponse() override { return core::MessageResponse::CallPreviousBefore; }
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    void CreateWindowAndControls(HWND owner);
    void CreatePages();
    void LayOutPages();
    void Load();
    void ShowPage(Page page);
    void OnTabClick(int tab);
    void OnCheckClicked(size_t index);
    void ChooseColour(core::SettingsColour colour);
    void Apply();
    void SetApplyEnabled(bool enabled);
    void UpdateSwatchBrushes();
    void SetPreview(std::wstring_view text);
    void DetachAll() noexcept;
    std::optional<COLORREF> DefaultColourChooser(HWND owner);

    core::SettingsForm form_;
    tabcontrol::TabControl tabs_;
    std::array<win::Panel, 3> pages_;
    win::GroupBox generalFrame_, extraFrame_, textFrame_, previewFrame_, colourFrame_;
    std::array<win::CheckBox, core::kSettingsCheckCount> checks_;
    win::SingleLineEdit preview_;
    win::Label backLabel_, fontLabel_, backSwatch_, fontSwatch_;
    win::PushButton backButton_, fontButton_;
    win::PushButton okButton_, cancelButton_, applyButton_;
    win::UniqueBrush backBrush_, fontBrush_;
    std::array<COLORREF, 16> customColours_{};
    std::function<void()> colourRefresh_;
    ColourChooser colourChooser_;
    bool attached_ = false;
};

// The settings command of the main window: the dialog, modal and owned by the main window, with
// Apply refreshing the main window's text colour; once it closes, the main window takes up the
// always-on-top choice.
void ShowSettingsDialog(MainWindow& mainWindow);

}  // namespace app
