#include "app/main_window.h"

#include <algorithm>

#include "app/font_list_menu.h"
#include "app/preferences.h"
#include "app/screen_fonts.h"
#include "app/settings_dialog.h"
#include "core/app/font_filter.h"
#include "core/app/main_menu_table.h"
#include "core/number_text.h"
#include "core/app/preview.h"
#include "core/scope_exit.h"
#include "win/accessible_name.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/module.h"

namespace app {

namespace {

enum ControlId : UINT_PTR {
    kToolBarStripId = 100,
    kMainAreaId,
    kFontFrameId,
    kFontListId,
    kPreviewFrameId,
    kPreviewId,
    kToolBarLineId,
    kSearchBoxId,
};

// Layout in twips. The menu bar stays at the top at the height it chooses; the tool bar strip
// follows it when shown.
constexpr double kToolBarHeight = 690;
constexpr win::TwipsRect kFontFrame{105, 60, 2775, 4335};
constexpr win::TwipsRect kFontListBox{225, 315, 2535, 3960};
constexpr win::TwipsRect kPreviewFrame{3000, 60, 5895, 4335};
constexpr win::TwipsRect kPreviewBox{3120, 315, 5655, 3945};

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

std::wstring FaceOf(HWND control) {
    LOGFONTW font{};
    auto handle = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    if (!handle || !::GetObjectW(handle, sizeof(font), &font)) return {};
    return font.lfFaceName;
}

}  // namespace

MainWindow::MainWindow()
    : programFolder_(win::ExecutableDirectory()),
      progress_(std::make_unique<MessagePumpProgress>()),
      fontSource_(&ScreenFontFamilies) {}

MainWindow::~MainWindow() {
    // The window goes with its object, as window.h asks, but that alone does not end the program.
    endsProgram_ = false;
    Destroy();
}

void MainWindow::SetFontSource(std::function<std::vector<std::wstring>()> names) {
    fontSource_ = [names = std::move(names)] {
        std::vector<core::FontFamily> families;
        for (std::wstring& name : names()) families.push_back({std::move(name), {}});
        return families;
    };
}

void MainWindow::SetProgress(std::unique_ptr<FontLoadProgress> progress) {
    progress_ = progress ? std::move(progress) : std::make_unique<MessagePumpProgress>();
}

void MainWindow::Show() {
    if (!Loaded()) {
        CreateWindowAndControls();
        RunLoadSequence();
    } else {
        ::ShowWindow(hwnd(), SW_SHOW);
    }
}

void MainWindow::CreateWindowAndControls() {
    win::WindowClassArgs windowClass{L"GlyphoscopeMainWindow"};
    windowClass.icon = ::LoadIconW(win::ModuleInstance(), MAKEINTRESOURCEW(1));
    windowClass.smallIcon = static_cast<HICON>(::LoadImageW(win::ModuleInstance(), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                            ::GetSystemMetrics(SM_CXSMICON),
                                                            ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    win::CreateArgs args;
    args.title = kCaption;
    args.style = kWindowStyle;
    args.width = win::OuterSizeFor(win::TwipsToPixels(kClientWidth), 0, kWindowStyle, 0).cx;
    args.height = win::TwipsToPixels(kHeightWithoutToolBar);
    args.x = args.y = 0;
    Create(windowClass, args);

    toolBarStrip_.Create(hwnd(), kToolBarStripId);
    toolBarLine_.Create(toolBarStrip_.hwnd(), kToolBarLineId, L"", SS_ETCHEDHORZ);
    mainArea_.Create(hwnd(), kMainAreaId);
    fontFrame_.Create(mainArea_.hwnd(), kFontFrameId, core::kFontListCaption);
    filter_.Create(mainArea_.hwnd(), kSearchBoxId);
    fontList_.Create(mainArea_.hwnd(), kFontListId);
    previewFrame_.Create(mainArea_.hwnd(), kPreviewFrameId, L"Просмотр:");
    preview_.Create(mainArea_.hwnd(), kPreviewId);
    fontFrame_.SetBoundsTwips(kFontFrame);
    fontList_.SetBounds(filter_.PlaceAbove(win::ToPixels(kFontListBox)));
    previewFrame_.SetBoundsTwips(kPreviewFrame);
    preview_.SetBoundsTwips(kPreviewBox);
    // Until a font is selected the preview shows the window font: a size command changes its size.
    previewFontName_ = FaceOf(preview_.hwnd());
    // Screen readers name a control by the label just before it; a group box's caption is not one.
    win::SetAccessibleName(fontList_.hwnd(), fontFrame_.Text());
    win::SetAccessibleName(preview_.hwnd(), previewFrame_.Text());
    // Tab reaches the controls inside the container.
    ::SetWindowLongPtrW(mainArea_.hwnd(), GWL_EXSTYLE,
                        ::GetWindowLongPtrW(mainArea_.hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    focusToRestore_ = fontList_.hwnd();
    // A multi-line edit sends no change notification for WM_SETTEXT, whoever sends it.
    subclass::AttachMessage(*this, preview_.hwnd(), WM_SETTEXT);
    previewAttached_ = true;

    colourTimer_.SetOwner(hwnd());
    colourTimer_.SetInterval(1);
    colourTimer_.OnTick([this] { OnColourTimer(); });
    receiver_.Attach(hwnd());
}

void MainWindow::RunLoadSequence() {
    menu_.Build(
        hwnd(), toolBarStrip_.hwnd(), programFolder_, [this](const std::wstring& key) { commands_.Run(key); },
        [this] { LayOut(); });
    FontListMenu::Build(menu_);
    backColour_ = win::ToColorRef(prefs::ReadColour(pref::kBackColour, pref::kBackColourAbsent));
    backBrush_.reset(::CreateSolidBrush(backColour_));
    textColour_ = win::ToColorRef(prefs::ReadColour(pref::kFontColour));

    const bool toolBar = prefs::IsOn(pref::kShowToolBar);
    menu_.SetChecked(core::kToolbarEntry, toolBar);
    SetToolBarVisible(toolBar);
    commands_.CheckFromPreferences();
    PlaceAtStartPosition();
    menu_.StartDrawing();
    ::ShowWindow(hwnd(), SW_SHOW);

    const bool loadFonts = prefs::IsOn(pref::kLoadFontsAtProgramStartup);
    if (!loadFonts) {
        fontList_.Clear();
        preview_.SetText(kFontsNotLoadedText);
    }
    // Painted once, with the preview's text; with fonts to load, before the list fills.
    ::UpdateWindow(hwnd());
    menu_.LoadMenuIcons();
    if (loadFonts) LoadFonts(hwnd());
    FollowTopMostPreference();
}

void MainWindow::FollowTopMostPreference() {
    const bool topMost = prefs::IsOn(pref::kTopMost);
    menu_.SetChecked(core::kOnTopEntry, topMost);
    SetTopMost(topMost);
}

void MainWindow::SetToolBarVisible(bool visible) {
    toolBarVisible_ = visible;
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left,
                   win::TwipsToPixels(visible ? kHeightWithToolBar : kHeightWithoutToolBar),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    toolBarStrip_.SetVisible(visible);
}

void MainWindow::LayOut() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    int menuBottom = 0;
    if (menu_.ElementCount() > 0) {
        // Each bar keeps the height its layout chose; only the width follows the window.
        menuBottom = PlaceBar(menu_.MenuBar(), 0, client.right);
        PlaceBar(menu_.ToolBar(), 0, client.right);
    }
    int toolBarBottom = menuBottom + win::TwipsToPixels(kToolBarHeight);
    toolBarStrip_.SetBounds(RECT{0, menuBottom, client.right, toolBarBottom});
    const int line = ::GetSystemMetrics(SM_CYEDGE);
    toolBarLine_.SetBounds(RECT{0, toolBarBottom - menuBottom - line, client.right, toolBarBottom - menuBottom});
    int top = toolBarVisible_ ? toolBarBottom : menuBottom;
    mainArea_.SetBounds(RECT{0, top, client.right, std::max<LONG>(client.bottom, top)});
}

int MainWindow::PlaceBar(commandbar::CommandBarWindow& bar, int top, int width) {
    RECT bounds{};
    ::GetWindowRect(bar.hwnd(), &bounds);
    ::SetWindowPos(bar.hwnd(), nullptr, 0, top, width, bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // A new width can take the bar to fewer rows: its layout has chosen the height by now.
    ::GetWindowRect(bar.hwnd(), &bounds);
    return top + bounds.bottom - bounds.top;
}

void MainWindow::PlaceAtStartPosition() {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int left = 0;
    int top = 0;
    if (prefs::IsOn(pref::kSaveSize)) {
        // The saved edges as they are, even off screen: the user put the window there.
        left = prefs::ReadCoordinatePixels(pref::kMainLeft);
        top = prefs::ReadCoordinatePixels(pref::kMainTop);
    } else {
        left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    }
    ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetTopMost(bool topMost) {
    ::SetWindowPos(hwnd(), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void MainWindow::LoadFonts(HWND progressOwner) {
    // The progress lets messages through while the list fills, a second request among them (a
    // posted shortcut, a double click): that load would refill the list under this one.
    if (loadingFonts_) return;
    loadingFonts_ = true;
    core::ScopeExit endLoading([this] { loadingFonts_ = false; });
    // Whatever fails on the way, the progress window does not stay over the main window.
    progress_->Begin(progressOwner);
    core::ScopeExit endProgress([this] { progress_->End(); });
    // The names are listed from the filter, not copied out of it.
    const core::FontFilter& shown = filter_.Load(openedFiles_.PutFirst(fontSource_()));
    const size_t total = shown.Shown().size();
    size_t characters = 0;
    for (size_t i = 0; i < total; ++i) characters += shown.ShownName(i).size() + 1;

    fontList_.Clear();
    {
        // Appending to a painting list box repaints it each time; thousands of fonts would take
        // minutes. Paint once at the end instead, and never leave the list without painting.
        fontList_.BeginBatch(static_cast<int>(total), characters);
        core::ScopeExit endBatch([this] { fontList_.EndBatch(); });
        for (size_t i = 0; i < total; ++i) {
            fontList_.Append(shown.ShownName(i));
            float percent = static_cast<float>(i + 1) / static_cast<float>(total) * 100.0f;
            progress_->SetPercent(std::min(percent, 100.0f));
        }
        // Selected while the list does not paint: a painting list shows its selection at once,
        // while the preview shows the font only when it paints next, so the list would show a
        // selected font beside the preview's old text until then. With no fonts there is nothing
        // to select and the preview keeps its text.
        if (fontList_.Count() > 0) {
            fontList_.Select(0);
            SelectFont();
        }
    }
}

void MainWindow::OpenFontFiles(const std::vector<std::wstring>& paths) {
    // A drop while the list fills: that load would not show them, so they wait for its end.
    if (loadingFonts_) return receiver_.Queue(paths);
    const std::optional<std::wstring> family = openedFiles_.Open(hwnd(), paths);
    if (!family) return;
    LoadFonts(hwnd());
    filter_.Reveal(*family);
}

void MainWindow::SelectFont() {
    RefreshColour();
    ShowSelectedFont();
    characterMap_.ShowFamily(SelectedFamily());
}

std::wstring MainWindow::SelectedFamily() const {
    const int selected = fontList_.Selected();
    return selected < 0 ? std::wstring() : fontList_.ItemText(selected);
}

void MainWindow::ApplyPreview() { ShowSelectedFont(); }

void MainWindow::ShowSettings() { ShowSettingsDialog(*this); }

void MainWindow::ShowSelectedFont() {
    int selected = fontList_.Selected();
    if (selected < 0) return;
    std::wstring name = fontList_.ItemText(selected);
    SetPreviewFont(name, core::PreviewPointsFor(prefs::Get(pref::kFontSize)));
    preview_.SetText(core::PreviewText(name, prefs::Get(pref::kViewerText).value_or(L"")));
}

void MainWindow::SetPreviewFont(const std::wstring& name, int points) {
    // The edit lays its whole text out again for every font it is given, before the new text is
    // laid out once more: the font it already has (a reload, another sample text) is kept.
    if (previewFont_ && name == previewFontName_ && points == previewPoints_) return;
    core::FontDescription description;
    description.name = name;
    description.points = points;
    win::UniqueFont created =
        win::CreateFontFrom(description, win::ScreenDpi(), win::FontRounding::NearestPixel, CLEARTYPE_QUALITY);
    if (!created) return;
    preview_.SetFont(created.get());
    previewFont_ = std::move(created);
    previewFontName_ = name;
    previewPoints_ = points;
}

void MainWindow::RefreshColour() { colourTimer_.SetEnabled(true); }

void MainWindow::ApplyTextColourRule() {
    COLORREF colour = win::ToColorRef(prefs::ReadColour(pref::kFontColour));
    if (colour == textColour_) return;
    textColour_ = colour;
    ::InvalidateRect(preview_.hwnd(), nullptr, TRUE);
}

void MainWindow::OnColourTimer() {
    colourTimer_.SetEnabled(false);
    // The edit takes its colour from WM_CTLCOLOREDIT, so the whole text needs no selecting: the
    // user's caret and selection stay where they are.
    ApplyTextColourRule();
}

void MainWindow::SavePosition() {
    if (!prefs::IsOn(pref::kSaveSize)) return;
    RECT window{};
    if (!::GetWindowRect(hwnd(), &window)) return;
    if (::IsIconic(hwnd())) {
        // Minimised, the window sits off screen; its restored place is what the user means. That
        // place is in workspace coordinates, which leave out a task bar at the top or left.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        if (!::GetWindowPlacement(hwnd(), &placement)) return;
        window = placement.rcNormalPosition;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        if (::GetMonitorInfoW(::MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &monitor)) {
            ::OffsetRect(&window, monitor.rcWork.left - monitor.rcMonitor.left,
                         monitor.rcWork.top - monitor.rcMonitor.top);
        }
    }
    prefs::Set(pref::kMainLeft, core::FormatInt(std::lround(win::PixelsToTwips(window.left))));
    prefs::Set(pref::kMainTop, core::FormatInt(std::lround(win::PixelsToTwips(window.top))));
}

void MainWindow::Unload() {
    // Unloading never fails for the user: a position that cannot be saved is left as it was.
    try {
        SavePosition();
    } catch (...) {
    }
    ::DestroyWindow(hwnd());
}

void MainWindow::EndUnlessShown() {
    if (Loaded() && ::IsWindowVisible(hwnd())) return;
    if (Loaded()) {
        Destroy();  // its unload ends the program
    } else {
        EndProgram();
    }
}

void MainWindow::EndProgram() {
    if (unloadHandler_) {
        unloadHandler_();
    } else {
        ::PostQuitMessage(0);
    }
}

void MainWindow::RestoreFocus() {
    HWND target = focusToRestore_ && ::IsWindow(focusToRestore_) ? focusToRestore_ : fontList_.hwnd();
    ::SetFocus(target);
}

bool MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        // Remember where the user was, as a dialog does.
        HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd(), focus)) focusToRestore_ = focus;
        return false;
    }
    RefreshColour();
    // Not while minimised: the focus follows when the window is restored.
    if (HIWORD(wParam)) return false;
    RestoreFocus();
    return true;
}

bool MainWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || !Loaded()) return false;
    if (!::IsChild(hwnd(), msg.hwnd)) return false;
    // Ctrl+Tab and Alt combinations stay with the control; in the preview Ctrl+Tab types a tab.
    if ((::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000)) return false;
    const bool backwards = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND next = ::GetNextDlgTabItem(hwnd(), msg.hwnd, backwards);
    if (next && next != msg.hwnd) ::SetFocus(next);
    return true;
}

LRESULT MainWindow::WindowProc(HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_SETTEXT) ApplyTextColourRule();
    return 0;
}

void MainWindow::DetachPreview() noexcept {
    if (!previewAttached_) return;
    subclass::DetachMessage(*this, preview_.hwnd(), WM_SETTEXT);
    previewAttached_ = false;
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
    if (control != preview_.hwnd()) return DefaultProc(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control));
    ::SetTextColor(dc, textColour_);
    ::SetBkColor(dc, backColour_);
    return reinterpret_cast<LRESULT>(backBrush_.get());
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (filter_.OnCommand(wParam)) return 0;
            if (LOWORD(wParam) == kFontListId && HIWORD(wParam) == LBN_SELCHANGE) {
                SelectFont();
                return 0;
            }
            if (LOWORD(wParam) == kPreviewId && HIWORD(wParam) == EN_CHANGE) {
                ApplyTextColourRule();
                return 0;
            }
            break;
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) != fontList_.hwnd()) break;
            FontListMenu::Show(menu_, fontList_, lParam);
            return 0;
        case WM_DROPFILES:
        case WM_COPYDATA:
            if (receiver_.Receive(message, wParam, lParam)) return TRUE;
            break;
        case WM_CTLCOLOREDIT:
            return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_ACTIVATE:
            // Once the focus is on a control, the default must not move it to the window itself.
            if (OnActivate(wParam)) return 0;
            break;
        case WM_SETFOCUS:
            RestoreFocus();
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_ENDSESSION:
            // Logging off or shutting down ends the program as closing it does.
            if (wParam) Unload();
            return 0;
        case WM_DESTROY:
            // The timer's owner, the preview and the bars still exist here: stop them before they go.
            colourTimer_.SetEnabled(false);
            DetachPreview();
            menu_.RemoveFromRegistry();
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

void MainWindow::OnDestroyed() {
    if (!endsProgram_) return;
    // Whatever happens while the process winds down, no fault dialog is shown.
    ::SetErrorMode(SEM_NOGPFAULTERRORBOX);
    EndProgram();
}

void MessagePumpProgress::SetPercent(float percent) {
    if (pacer_.Due(percent, ::GetTickCount64())) win::ProcessPendingMessages();
}

}  // namespace app
