#include "controls/hyperlink_settings_dialog.h"

namespace controls {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeHyperLinkSettings";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// Layout in twips.
constexpr double kClientWidth = 5400;
constexpr double kClientHeight = 3840;
constexpr double kLeft = 180;
constexpr double kWide = 5040;

}  // namespace

void HyperLinkSettingsDialog::LineEdit::Create(HWND parent, UINT_PTR id) {
    CreateChild(L"EDIT", parent, id, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

HyperLinkSettingsDialog::HyperLinkSettingsDialog() {
    commands_.Add(IDOK, BN_CLICKED, [this] {
        Apply();
        Close();
    });
    commands_.Add(IDCANCEL, BN_CLICKED, [this] { Close(); });
    commands_.Add(kApply, BN_CLICKED, [this] { Apply(); });
    for (ControlId id : {kEnabled, kMOPointer, kAutoSize, kAutoToolTip, kMOUnderline}) {
        commands_.Add(static_cast<UINT>(id), BN_CLICKED, [this] { OnEdited(); });
    }
    for (ControlId id : {kHyperLinkText, kCaptionText}) {
        commands_.Add(static_cast<UINT>(id), EN_CHANGE, [this] { OnEdited(); });
    }
}

void HyperLinkSettingsDialog::Open(HWND owner, HyperLink& link) {
    if (IsOpen()) {
        SelectionChanged(link);
        return;
    }
    CreateOver(owner, {kClassName, kCaption, kStyle, kExStyle, kClientWidth, kClientHeight});
    CreateControls();
    SelectionChanged(link);
    ShowOver(enabled_.hwnd());
}

void HyperLinkSettingsDialog::CreateControls() {
    // The controls in the page's order, which is also the tab order.
    double top = 180;
    auto nextRow = [&top](double height) {
        win::TwipsRect row{kLeft, top, kWide, height};
        top += height + 60;
        return row;
    };
    enabled_.Create(hwnd(), kEnabled, L"Активировать");
    enabled_.SetBoundsTwips(nextRow(300));
    moPointer_.Create(hwnd(), kMOPointer, L"Показывать указатель \"Рука\" при MouseOver");
    moPointer_.SetBoundsTwips(nextRow(300));
    hyperLinkLabel_.Create(hwnd(), kHyperLinkLabel, L"Адрес:");
    hyperLinkLabel_.SetBoundsTwips(nextRow(210));
    hyperLink_.Create(hwnd(), kHyperLinkText);
    hyperLink_.SetBoundsTwips(nextRow(315));
    captionLabel_.Create(hwnd(), kCaptionLabel, L"Заголовок:");
    captionLabel_.SetBoundsTwips(nextRow(210));
    caption_.Create(hwnd(), kCaptionText);
    caption_.SetBoundsTwips(nextRow(315));
    autoSize_.Create(hwnd(), kAutoSize, L"АвтоРазмер заголовка");
    autoSize_.SetBoundsTwips(nextRow(300));
    autoToolTip_.Create(hwnd(), kAutoToolTip, L"АвтоПодсказка");
    autoToolTip_.SetBoundsTwips(nextRow(300));
    moUnderline_.Create(hwnd(), kMOUnderline, L"Подчеркивать при MouseOver");
    moUnderline_.SetBoundsTwips(nextRow(300));

    const double buttonTop = kClientHeight - 180 - 345;
    ok_.Create(hwnd(), IDOK, L"OK", true);
    ok_.SetBoundsTwips(win::TwipsRect{kLeft + kWide - 3 * 1215 - 2 * 90, buttonTop, 1215, 345});
    cancel_.Create(hwnd(), IDCANCEL, L"Отмена");
    cancel_.SetBoundsTwips(win::TwipsRect{kLeft + kWide - 2 * 1215 - 90, buttonTop, 1215, 345});
    apply_.Create(hwnd(), kApply, L"Применить");
    apply_.SetBoundsTwips(win::TwipsRect{kLeft + kWide - 1215, buttonTop, 1215, 345});
}

void HyperLinkSettingsDialog::SelectionChanged(HyperLink& link) {
    link_ = &link;
    loading_ = true;
    enabled_.SetChecked(link.Enabled());
    moPointer_.SetChecked(link.MOPointer());
    autoSize_.SetChecked(link.AutoSize());
    autoToolTip_.SetChecked(link.AutoToolTip());
    moUnderline_.SetChecked(link.MOUnderline());
    caption_.SetText(link.Caption());
    hyperLink_.SetText(link.Target());
    loading_ = false;
    MarkChanged(false);
}

void HyperLinkSettingsDialog::Apply() {
    if (!link_) return;
    link_->SetMOUnderline(moUnderline_.Checked());
    link_->SetMOPointer(moPointer_.Checked());
    link_->SetAutoToolTip(autoToolTip_.Checked());
    link_->SetAutoSize(autoSize_.Checked());
    link_->SetCaption(caption_.Text());
    link_->SetTarget(hyperLink_.Text());
    link_->SetEnabled(enabled_.Checked());
    MarkChanged(false);
}

void HyperLinkSettingsDialog::MarkChanged(bool changed) {
    changed_ = changed;
    if (apply_.hwnd()) apply_.SetEnabled(changed);
}

void HyperLinkSettingsDialog::OnEdited() {
    if (!loading_) MarkChanged(true);
}

void HyperLinkSettingsDialog::ShowModal(HWND owner, HyperLink& link) {
    Open(owner, link);
    RunModal();
}

void HyperLinkSettingsDialog::OnDestroyed() {
    ModalWindow::OnDestroyed();
    link_ = nullptr;
}

}  // namespace controls
