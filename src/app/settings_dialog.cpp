#include "app/settings_dialog.h"

#include <commdlg.h>

#include "app/main_window.h"
#include "app/preferences.h"
#include "app/window_placement.h"
#include "core/app/sample_text.h"
#include "win/accessible_name.h"
#include "win/dpi.h"
#include "win/gdi.h"
#include "win/library.h"

namespace app {

namespace {

using core::SettingsCheck;
using core::SettingsColour;

enum ControlId : UINT_PTR {
    kTabsId = 100,
    kGeneralPageId,
    kTextPageId,
    kColourPageId,
    kGeneralFrameId,
    kExtraFrameId,
    kTextFrameId,
    kPreviewFrameId,
    kColourFrameId,
    kPreviewId,
    kBackLabelId,
    kFontLabelId,
    kBackSwatchId,
    kFontSwatchId,
    kBackButtonId,
    kFontButtonId,
    kApplyId,
    kFirstCheckId = 200,
};

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

// Layout in twips; page contents are relative to their page.
constexpr double kClientWidth = 5895;
constexpr double kClientHeight = 4815;
constexpr win::TwipsRect kTabs{120, 120, 5655, 4080};
constexpr double kButtonTop = 4320;
constexpr double kButtonWidth = 1215;
constexpr double kButtonHeight = 375;
constexpr double kButtonGap = 120;
constexpr double kFrameLeft = 60;
constexpr double kFrameWidth = 5400;
constexpr double kBoxLeft = 240;
constexpr double kBoxWidth = 5040;
constexpr double kBoxHeight = 285;
constexpr double kBoxPitch = 330;

constexpr win::TwipsRect kGeneralFrame{kFrameLeft, 45, kFrameWidth, 1650};
constexpr win::TwipsRect kExtraFrame{kFrameLeft, 1815, kFrameWidth, 735};
constexpr double kGeneralFirstBox = 330;
constexpr double kExtraBox = 2130;
constexpr win::TwipsRect kTextFrame{kFrameLeft, 45, kFrameWidth, 2325};
constexpr double kTextFirstBox = 330;
constexpr win::TwipsRect kPreviewFrame{kFrameLeft, 2490, kFrameWidth, 840};
constexpr win::TwipsRect kPreviewBox{kBoxLeft, 2790, kBoxWidth, 345};
constexpr win::TwipsRect kColourFrame{kFrameLeft, 45, kFrameWidth, 1305};

// A row of the colour page: its caption, the swatch showing the colour and "..." choosing it.
struct ColourRow {
    const wchar_t* caption;
    UINT_PTR labelId;
    UINT_PTR swatchId;
    UINT_PTR buttonId;
    double top;
    const wchar_t* buttonName;  // what a screen reader calls the "..." button
};
constexpr ColourRow kBackRow{L"Цвет фона по умолчанию:", kBackLabelId, kBackSwatchId, kBackButtonId, 375,
                             L"Выбрать цвет фона"};
constexpr ColourRow kFontRow{L"Цвет шрифта по умолчанию:", kFontLabelId, kFontSwatchId, kFontButtonId, 840,
                             L"Выбрать цвет шрифта"};

constexpr std::array<const wchar_t*, core::kSettingsCheckCount> kCheckCaptions = {
    L"Поверх всех окон",
    L"Запоминать положение на экране",
    L"Разрешить запуск нескольких копий программы",
    L"Загружать шрифты при запуске программы",
    L"Показывать заставку при запуске программы",
    L"Цифры",
    L"Символы",
    L"Русский алфавит [прописные]",
    L"Русский алфавит [заглавные]",
    L"Английский алфавит [прописные]",
    L"Английский алфавит [заглавные]",
};

using Page = SettingsDialog::Page;

// The pages in tab order, each with the key its tab carries.
struct PageTab {
    Page page;
    const wchar_t* key;
    const wchar_t* caption;
};
constexpr std::array<PageTab, 3> kPageTabs = {{
    {Page::General, L"GENERAL", L"Общие"},
    {Page::Text, L"DECODE", L"Текст просмотра"},
    {Page::Colours, L"VIEW", L"Цвета"},
}};

// Runs of check boxes, one under the other from `top` on their page.
struct BoxRun {
    Page page;
    std::size_t first;
    std::size_t count;
    double top;
};
constexpr std::size_t kFirstPresetBox = static_cast<std::size_t>(SettingsCheck::TextFigures);
constexpr std::size_t kExtraBoxIndex = static_cast<std::size_t>(SettingsCheck::ShowSplash);
constexpr BoxRun kPresetBoxes{Page::Text, kFirstPresetBox, core::kSettingsCheckCount - kFirstPresetBox, kTextFirstBox};
constexpr std::array<BoxRun, 3> kBoxRuns = {{
    {Page::General, 0, kExtraBoxIndex, kGeneralFirstBox},
    {Page::General, kExtraBoxIndex, 1, kExtraBox},
    kPresetBoxes,
}};


void CreateColourRow(HWND page, const ColourRow& row, win::Label& label, win::Label& swatch, win::PushButton& button) {
    label.Create(page, row.labelId, row.caption);
    // The caption sits lower, level with the middle of the taller swatch and button.
    label.SetBoundsTwips({kBoxLeft, row.top + 60, 3120, 255});
    swatch.Create(page, row.swatchId, L"", SS_SUNKEN);
    swatch.SetBoundsTwips({3480, row.top, 1095, 345});
    button.Create(page, row.buttonId, L"...");
    win::SetAccessibleName(button.hwnd(), row.buttonName);
    button.SetBoundsTwips({4695, row.top, 525, 345});
}

SettingsCheck CheckAt(size_t index) { return static_cast<SettingsCheck>(index); }

// The tab strip speaks the dialog's own font.
core::FontDescription DialogTabFont() {
    LOGFONTW font{};
    core::FontDescription tabFont = core::kDefaultTabFont;
    if (::GetObjectW(win::UiFont(), sizeof(font), &font) == sizeof(font)) {
        const core::FontDescription uiFont = win::DescribeLogFont(font, win::ScreenDpi());
        tabFont.name = uiFont.name;
        tabFont.points = uiFont.points;
    }
    return tabFont;
}

}  // namespace

SettingsDialog::SettingsDialog() {
    for (size_t i = 0; i < checks_.size(); ++i) {
        commands_.Add(static_cast<UINT>(kFirstCheckId + i), BN_CLICKED, [this, i] { OnCheckClicked(i); });
    }
    commands_.Add(IDOK, BN_CLICKED, [this] {
        Apply();
        Close();
    });
    commands_.Add(IDCANCEL, BN_CLICKED, [this] { Close(); });
    commands_.Add(kApplyId, BN_CLICKED, [this] { Apply(); });
    commands_.Add(kBackButtonId, BN_CLICKED, [this] { ChooseColour(SettingsColour::Back); });
    commands_.Add(kFontButtonId, BN_CLICKED, [this] { ChooseColour(SettingsColour::Font); });
}

// WM_DESTROY detaches the subclassed children: see window.h.
SettingsDialog::~SettingsDialog() { Destroy(); }

void SettingsDialog::Open(HWND owner) {
    if (IsOpen()) return;
    CreateWindowAndControls(owner);
    Load();
    ShowOver(tabs_.hwnd());
}

void SettingsDialog::ShowModal(HWND owner) {
    Open(owner);
    RunModal([this](MSG& msg) { return PreTranslate(msg); });
}

void SettingsDialog::CreateWindowAndControls(HWND owner) {
    CreateOver(owner,
               {L"GlyphoscopeSettings", kCaption, kStyle, kExStyle, kClientWidth, kClientHeight, TopMostPreferred()});

    core::TabStripProperties tabProperties;
    tabProperties.font = DialogTabFont();
    tabs_.Create(hwnd(), kTabsId, win::ToPixels(kTabs), tabProperties);
    tabs_.events.tabClick = [this](int tab) { OnTabClick(tab); };
    CreatePages();

    okButton_.Create(hwnd(), IDOK, L"Ok", true);
    cancelButton_.Create(hwnd(), IDCANCEL, L"Отмена");
    applyButton_.Create(hwnd(), kApplyId, L"Применить");
    double right = kClientWidth - kButtonGap;
    for (win::PushButton* button : {&applyButton_, &cancelButton_, &okButton_}) {
        button->SetBoundsTwips({right - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight});
        right -= kButtonWidth + kButtonGap;
    }
    // Pages and buttons lie above the tab strip, which fills the space behind them.
    ::SetWindowPos(tabs_.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SettingsDialog::CreatePages() {
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i].Create(hwnd(), kGeneralPageId + i);
        // Dialog navigation walks into the page's controls.
        HWND page = pages_[i].hwnd();
        ::SetWindowLongPtrW(page, GWL_EXSTYLE, ::GetWindowLongPtrW(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    }
    HWND general = PageWindow(Page::General);
    HWND text = PageWindow(Page::Text);
    HWND colours = PageWindow(Page::Colours);

    generalFrame_.Create(general, kGeneralFrameId, L"Общие:");
    generalFrame_.SetBoundsTwips(kGeneralFrame);
    extraFrame_.Create(general, kExtraFrameId, L"Дополнительно:");
    extraFrame_.SetBoundsTwips(kExtraFrame);
    textFrame_.Create(text, kTextFrameId, L"Настройка текста:");
    textFrame_.SetBoundsTwips(kTextFrame);
    for (const BoxRun& run : kBoxRuns) {
        for (size_t i = run.first; i < run.first + run.count; ++i) {
            checks_[i].Create(PageWindow(run.page), kFirstCheckId + i, kCheckCaptions[i]);
            checks_[i].SetBoundsTwips({kBoxLeft, run.top + kBoxPitch * (i - run.first), kBoxWidth, kBoxHeight});
        }
    }
    previewFrame_.Create(text, kPreviewFrameId, L"Просмотр:");
    previewFrame_.SetBoundsTwips(kPreviewFrame);
    preview_.Create(text, kPreviewId, true);
    preview_.SetBoundsTwips(kPreviewBox);
    win::SetAccessibleName(preview_.hwnd(), previewFrame_.Text());

    colourFrame_.Create(colours, kColourFrameId, L"Цвета:");
    colourFrame_.SetBoundsTwips(kColourFrame);
    CreateColourRow(colours, kBackRow, backLabel_, backSwatch_, backButton_);
    CreateColourRow(colours, kFontRow, fontLabel_, fontSwatch_, fontButton_);

    for (size_t i = kPresetBoxes.first; i < kPresetBoxes.first + kPresetBoxes.count; ++i)
        subclass::AttachMessage(*this, checks_[i].hwnd(), WM_MOUSEMOVE);
    subclass::AttachMessage(*this, text, WM_MOUSEMOVE);
    attached_ = true;
}

void SettingsDialog::LayOutPages() {
    RECT area = tabs_.ClientAreaPixels();
    for (auto& page : pages_) page.SetBounds(area);
}

void SettingsDialog::Load() {
    for (size_t i = 0; i < kPageTabs.size(); ++i) {
        tabs_.AddTab(kPageTabs[i].caption, -1, static_cast<int>(i) + 1, kPageTabs[i].key,
                     static_cast<LPARAM>(1000 * (i + 1)));
    }
    tabs_.SelectTab(1);
    LayOutPages();
    ShowPage(Page::General);

    std::array<std::optional<std::wstring>, core::kSettingsCheckCount> stored;
    for (size_t i = 0; i < stored.size(); ++i) {
        stored[i] = prefs::Get(std::wstring(core::SettingsCheckValueName(CheckAt(i))).c_str());
    }
    form_.Load(stored, prefs::ReadColour(pref::kFontColour),
               prefs::ReadColour(pref::kBackColour, pref::kBackColourAbsent));
    for (size_t i = 0; i < checks_.size(); ++i) checks_[i].SetChecked(form_.Checked(CheckAt(i)));
    UpdateSwatchBrushes();
    SetApplyEnabled(false);
}

void SettingsDialog::ShowPage(Page page) {
    HWND focus = ::GetFocus();
    for (size_t i = 0; i < pages_.size(); ++i) {
        bool show = static_cast<size_t>(page) == i;
        // Focus inside a page that goes away would leave the keyboard nowhere.
        if (!show && focus && ::IsChild(pages_[i].hwnd(), focus)) ::SetFocus(tabs_.hwnd());
        pages_[i].SetVisible(show);
    }
}

void SettingsDialog::OnTabClick(int tab) {
    const std::wstring key = tabs_.TabKey(tab);
    for (const PageTab& pageTab : kPageTabs) {
        if (key == pageTab.key) ShowPage(pageTab.page);
    }
}

bool SettingsDialog::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !IsOpen()) return false;
    if (msg.hwnd != hwnd() && !::IsChild(hwnd(), msg.hwnd)) return false;
    if (!(::GetKeyState(VK_CONTROL) & 0x8000)) return false;
    int step = 0;
    if (msg.wParam == VK_TAB) step = (::GetKeyState(VK_SHIFT) & 0x8000) ? -1 : 1;
    if (msg.wParam == VK_NEXT) step = 1;
    if (msg.wParam == VK_PRIOR) step = -1;
    if (step == 0) return false;
    const int count = tabs_.TabCount();
    if (count == 0) return false;
    int current = tabs_.SelectedTab();
    int next = ((current - 1 + step) % count + count) % count + 1;
    tabs_.SelectTab(next);
    return true;
}

bool SettingsDialog::ApplyEnabled() const { return ::IsWindowEnabled(applyButton_.hwnd()) != FALSE; }

bool SettingsDialog::PageVisible(Page page) const { return pages_[static_cast<size_t>(page)].Visible(); }

HWND SettingsDialog::PageWindow(Page page) const { return pages_[static_cast<size_t>(page)].hwnd(); }

HWND SettingsDialog::ButtonWindow(Button button) const {
    switch (button) {
        case Button::Ok:
            return okButton_.hwnd();
        case Button::Cancel:
            return cancelButton_.hwnd();
        case Button::Apply:
            return applyButton_.hwnd();
        case Button::BackColour:
            return backButton_.hwnd();
        case Button::FontColour:
            return fontButton_.hwnd();
    }
    return nullptr;
}

void SettingsDialog::SetApplyEnabled(bool enabled) {
    if (!enabled && ::GetFocus() == applyButton_.hwnd()) ::SetFocus(okButton_.hwnd());
    applyButton_.SetEnabled(enabled);
}

void SettingsDialog::UpdateSwatchBrushes() {
    backBrush_.reset(::CreateSolidBrush(win::ToColorRef(form_.Colour(SettingsColour::Back))));
    fontBrush_.reset(::CreateSolidBrush(win::ToColorRef(form_.Colour(SettingsColour::Font))));
    ::InvalidateRect(backSwatch_.hwnd(), nullptr, TRUE);
    ::InvalidateRect(fontSwatch_.hwnd(), nullptr, TRUE);
}

void SettingsDialog::OnCheckClicked(size_t index) {
    form_.CheckClicked(CheckAt(index), checks_[index].Checked());
    SetApplyEnabled(form_.ApplyEnabled());
}

void SettingsDialog::ChooseColour(SettingsColour colour) {
    std::optional<COLORREF> chosen = colourChooser_ ? colourChooser_(hwnd()) : DefaultColourChooser(hwnd());
    // A cancelled colour dialog changes nothing: the swatch keeps its colour.
    if (!chosen) return;
    form_.ColourChosen(colour, static_cast<std::int32_t>(*chosen & 0x00FFFFFFu));
    UpdateSwatchBrushes();
    SetApplyEnabled(true);
}

std::optional<COLORREF> SettingsDialog::DefaultColourChooser(HWND owner) {
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = owner;
    choose.lpCustColors = customColours_.data();
    choose.Flags = CC_ANYCOLOR;
    static const auto chooseColour = win::LibraryFunction<decltype(::ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
    if (!chooseColour || !chooseColour(&choose)) return std::nullopt;
    return choose.rgbResult;
}

void SettingsDialog::Apply() {
    for (const auto& write : form_.Apply()) prefs::Set(write.name.c_str(), write.text);
    if (colourRefresh_) colourRefresh_();
    SetApplyEnabled(false);
}

void SettingsDialog::SetPreview(std::wstring_view text) {
    if (preview_.Text() != text) preview_.SetText(std::wstring(text));
}

LRESULT SettingsDialog::WindowProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_MOUSEMOVE) return 0;
    for (size_t i = kPresetBoxes.first; i < kPresetBoxes.first + kPresetBoxes.count; ++i) {
        if (window == checks_[i].hwnd()) {
            SetPreview(core::SamplePresetPreview(core::PresetOfCheck(CheckAt(i))));
            return 0;
        }
    }
    if (window == PageWindow(Page::Text)) {
        // The frame lets the mouse through to its page: moving over its empty part clears the preview.
        POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT frame{};
        ::GetWindowRect(textFrame_.hwnd(), &frame);
        ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&frame), 2);
        if (::PtInRect(&frame, point)) SetPreview(L"");
    }
    return 0;
}

void SettingsDialog::DetachAll() noexcept {
    if (!attached_) return;
    for (size_t i = kPresetBoxes.first; i < kPresetBoxes.first + kPresetBoxes.count; ++i) {
        subclass::DetachMessage(*this, checks_[i].hwnd(), WM_MOUSEMOVE);
    }
    subclass::DetachMessage(*this, PageWindow(Page::Text), WM_MOUSEMOVE);
    attached_ = false;
}

LRESULT SettingsDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CTLCOLORSTATIC: {
            auto control = reinterpret_cast<HWND>(lParam);
            if (control == backSwatch_.hwnd() || control == fontSwatch_.hwnd()) {
                bool back = control == backSwatch_.hwnd();
                ::SetBkColor(reinterpret_cast<HDC>(wParam),
                             win::ToColorRef(form_.Colour(back ? SettingsColour::Back : SettingsColour::Font)));
                return reinterpret_cast<LRESULT>(back ? backBrush_.get() : fontBrush_.get());
            }
            break;
        }
        case DM_GETDEFID:
            return MAKELRESULT(IDOK, DC_HASDEFID);
        case WM_DESTROY:
            // The children still exist here: stop intercepting their messages before they go.
            DetachAll();
            break;
        default:
            break;
    }
    return ModalWindow::HandleMessage(message, wParam, lParam);
}

void ShowSettingsDialog(MainWindow& mainWindow) {
    SettingsDialog dialog;
    dialog.SetColourRefresh([&mainWindow] { mainWindow.RefreshColour(); });
    dialog.ShowModal(mainWindow.hwnd());
    // The menu's check mark shows what the window does, so a new always-on-top choice counts at
    // once; only after the dialog has gone, though: Wine keeps an owner under its owned window.
    mainWindow.FollowTopMostPreference();
}

}  // namespace app
