#include "core/commandbar/command_bar_handles.h"

#include "core/command_bar_error.h"
#include "core/commandbar/command_bar_registry.h"
#include "core/number_text.h"

namespace core::commandbar {

bool KeyReadsAsNumber(std::wstring_view key, wchar_t decimalSeparator) {
    return ParseNumber(key, decimalSeparator).has_value();
}

namespace {

// A new bar or button key: unused in its key space, and not a number in the user's notation.
void CheckNewKey(const cCommandBarRegistry& registry, bool used, std::wstring_view key) {
    if (used) RaiseCommandBarError(command_bar_error::kDuplicateKey);
    if (KeyReadsAsNumber(key, registry.Environment().DecimalSeparator())) {
        RaiseCommandBarError(command_bar_error::kTypeMismatch);
    }
}

}  // namespace

// --- cCommandBars ---------------------------------------------------------------------------

std::int32_t cCommandBars::Count() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->BarCount();
}

cCommandBar cCommandBars::Item(std::int32_t position) const {
    registry_->ControlFromHwnd(hwnd_);
    return cCommandBar(*registry_, hwnd_, registry_->GetBar(position).Key());
}

cCommandBar cCommandBars::Item(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    return cCommandBar(*registry_, hwnd_, registry_->GetBar(key).Key());
}

void cCommandBars::Remove(std::wstring_view sKey) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindBar(sKey)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveBar(sKey);
}

cCommandBar cCommandBars::Add(const std::wstring& sKey, const std::wstring& sTitle) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindBar(sKey) != nullptr, sKey);
    cCommandBarInt& bar = registry_->AddBar(sKey);
    if (!sTitle.empty()) bar.SetTitle(sTitle);
    return cCommandBar(*registry_, hwnd_, sKey);
}

// --- cButtons -------------------------------------------------------------------------------

std::int32_t cButtons::Count() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->ButtonCount();
}

cButton cButtons::Item(std::int32_t position) const {
    registry_->ControlFromHwnd(hwnd_);
    return cButton(*registry_, hwnd_, registry_->GetButton(position).Key());
}

cButton cButtons::Item(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    return cButton(*registry_, hwnd_, registry_->GetButton(key).Key());
}

void cButtons::Remove(std::wstring_view sKey) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindButton(sKey)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveButton(sKey);
}

cButton cButtons::Add(const std::wstring& sKey, std::int32_t iIcon, const std::wstring& sCaption, ButtonStyle eStyle,
                      const std::wstring& sToolTip, std::uint16_t vShortcutKey, std::int32_t eShortcutModifier) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindButton(sKey) != nullptr, sKey);
    cButtonInt& button = registry_->AddButton(sKey);
    if (iIcon != -1) button.SetIconIndex(iIcon);
    if (!sCaption.empty()) button.SetCaption(sCaption);
    if (eStyle != ButtonStyle::eNormal) button.SetStyle(eStyle);
    button.SetShortcutKey(vShortcutKey);
    button.SetShortcutModifiers(eShortcutModifier);
    button.SetToolTip(sToolTip);
    return cButton(*registry_, hwnd_, sKey);
}

// --- cCommandBar ----------------------------------------------------------------------------

cCommandBarInt& cCommandBar::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetBar(key_);
}

std::wstring cCommandBar::Key() const { return Record().Key(); }
std::wstring cCommandBar::Title() const { return Record().Title(); }
void cCommandBar::SetTitle(const std::wstring& title) const { Record().SetTitle(title); }

cCommandBarButtons cCommandBar::Buttons() const { return cCommandBarButtons(*registry_, hwnd_, Record().Key()); }

// --- cCommandBarButtons ---------------------------------------------------------------------

namespace {

const cButton& Required(const std::optional<cButton>& button) {
    if (!button) RaiseCommandBarError(command_bar_error::kObjectNotSet);
    return *button;
}

}  // namespace

cCommandBarInt& cCommandBarButtons::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetBar(barKey_);
}

std::int32_t cCommandBarButtons::Count() const { return Record().Count(); }

cButton cCommandBarButtons::Item(std::int32_t position) const {
    return cButton(*registry_, hwnd_, Record().Buttons().Item(position)->Key());
}

cButton cCommandBarButtons::Item(std::wstring_view key) const {
    return cButton(*registry_, hwnd_, Record().Buttons().Item(key)->Key());
}

void cCommandBarButtons::Clear() const { Record().Clear(); }

void cCommandBarButtons::Remove(std::wstring_view sKey) const {
    cCommandBarInt& bar = Record();
    bar.Remove(registry_->GetButton(sKey));
}

void cCommandBarButtons::Add(const std::optional<cButton>& btn) const {
    cCommandBarInt& bar = Record();
    bar.Add(Required(btn).Record());
}

// The reference button is looked for in the bar by its key only, after the duplicate check.
void cCommandBarButtons::InsertBefore(const std::optional<cButton>& btn,
                                      const std::optional<cButton>& btnBefore) const {
    cCommandBarInt& bar = Record();
    const cButton& before = Required(btnBefore);
    bar.InsertBefore(Required(btn).Record(), before.key_);
}

void cCommandBarButtons::InsertAfter(const std::optional<cButton>& btn, const std::optional<cButton>& btnAfter) const {
    cCommandBarInt& bar = Record();
    const cButton& after = Required(btnAfter);
    bar.InsertAfter(Required(btn).Record(), after.key_);
}

// --- cButton --------------------------------------------------------------------------------

cButtonInt& cButton::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetButton(key_);
}

std::wstring cButton::Key() const { return Record().Key(); }
std::wstring cButton::Tag() const { return Record().Tag(); }
void cButton::SetTag(const std::wstring& tag) const { Record().SetTag(tag); }
std::int32_t cButton::itemData() const { return Record().ItemData(); }
void cButton::SetItemData(std::int32_t data) const { Record().SetItemData(data); }
std::wstring cButton::Caption() const { return Record().Caption(); }
void cButton::SetCaption(const std::wstring& caption) const { Record().SetCaption(caption); }
std::int32_t cButton::IconIndex() const { return Record().IconIndex(); }
void cButton::SetIconIndex(std::int32_t index) const { Record().SetIconIndex(index); }
std::int32_t cButton::ColorBox() const { return Record().ColorBox(); }
void cButton::SetColorBox(std::int32_t colour) const { Record().SetColorBox(colour); }
std::wstring cButton::ToolTip() const { return Record().ToolTip(); }
void cButton::SetToolTip(const std::wstring& text) const { Record().SetToolTip(text); }
std::uint16_t cButton::ShortcutKey() const { return Record().ShortcutKey(); }
void cButton::SetShortcutKey(std::uint16_t key) const { Record().SetShortcutKey(key); }
std::int32_t cButton::ShortcutModifiers() const { return Record().ShortcutModifiers(); }
void cButton::SetShortcutModifiers(std::int32_t modifiers) const { Record().SetShortcutModifiers(modifiers); }
bool cButton::Checked() const { return Record().Checked(); }
void cButton::SetChecked(bool checked) const { Record().SetChecked(checked); }
bool cButton::Enabled() const { return Record().Enabled(); }
void cButton::SetEnabled(bool enabled) const { Record().SetEnabled(enabled); }
bool cButton::Locked() const { return Record().Locked(); }
void cButton::SetLocked(bool locked) const { Record().SetLocked(locked); }
bool cButton::ShowCaptionInToolbar() const { return Record().ShowCaptionInToolbar(); }
void cButton::SetShowCaptionInToolbar(bool show) const { Record().SetShowCaptionInToolbar(show); }
bool cButton::ShowDropDownInToolbar() const { return Record().ShowDropDownInToolbar(); }
void cButton::SetShowDropDownInToolbar(bool show) const { Record().SetShowDropDownInToolbar(show); }
bool cButton::Visible() const { return Record().Visible(); }
void cButton::SetVisible(bool visible) const { Record().SetVisible(visible); }
std::int32_t cButton::PanelWidth() const { return Record().PanelWidth(); }
void cButton::SetPanelWidth(std::int32_t width) const { Record().SetPanelWidth(width); }
WindowHandle cButton::PanelControl() const { return Record().PanelControl(); }

std::optional<cCommandBar> cButton::Bar() const {
    cCommandBarInt* bar = Record().SubBar();
    if (!bar) return std::nullopt;
    return cCommandBar(*registry_, hwnd_, bar->Key());
}

void cButton::SetBar(const std::optional<cCommandBar>& bar) const {
    cButtonInt& button = Record();
    if (!bar) RaiseCommandBarError(command_bar_error::kObjectNotSet);
    cCommandBarInt& record = bar->Record();
    if (button.SubBar() != &record) button.SetSubBar(&record);
}

void cButton::SetPanelControl(WindowHandle control) const {
    CommandBarControl& owner = registry_->ControlFromHwnd(hwnd_);
    WindowHandle previous = registry_->GetButton(key_).PanelControl();
    if (owner.IsPopupHost()) return;
    // A hosted control that went away, or refuses its new parent, is no reason to fail.
    try {
        if (previous != 0) owner.HidePanelControl(previous);
    } catch (...) {
    }
    try {
        if (control != 0) owner.AdoptPanelControl(control);
    } catch (...) {
    }
    registry_->GetButton(key_).SetPanelControl(control);
}

}  // namespace core::commandbar
