#include "core/commandbar/command_bar_handles.h"

#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

// A new bar or button key: unused in its key space, and not a number in the user's notation.
void CheckNewKey(const CommandBarRegistry& registry, bool used, std::wstring_view key) {
    if (used) RaiseCommandBarError(command_bar_error::kDuplicateKey);
    if (KeyReadsAsNumber(key, registry.Environment().DecimalSeparator())) {
        RaiseCommandBarError(command_bar_error::kTypeMismatch);
    }
}

}  // namespace

// --- CommandBars ---------------------------------------------------------------------------

std::int32_t CommandBars::Count() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->BarCount();
}

CommandBar CommandBars::Item(std::int32_t position) const {
    registry_->ControlFromHwnd(hwnd_);
    return CommandBar(*registry_, hwnd_, registry_->GetBar(position).Key());
}

CommandBar CommandBars::Item(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    return CommandBar(*registry_, hwnd_, registry_->GetBar(key).Key());
}

void CommandBars::Remove(std::wstring_view sKey) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindBar(sKey)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveBar(sKey);
}

CommandBar CommandBars::Add(const std::wstring& sKey, const std::wstring& sTitle) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindBar(sKey) != nullptr, sKey);
    CommandBarInt& bar = registry_->AddBar(sKey);
    if (!sTitle.empty()) bar.SetTitle(sTitle);
    return CommandBar(*registry_, hwnd_, sKey);
}

// --- Buttons -------------------------------------------------------------------------------

std::int32_t Buttons::Count() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->ButtonCount();
}

Button Buttons::Item(std::int32_t position) const {
    registry_->ControlFromHwnd(hwnd_);
    return Button(*registry_, hwnd_, registry_->GetButton(position).Key());
}

Button Buttons::Item(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    return Button(*registry_, hwnd_, registry_->GetButton(key).Key());
}

void Buttons::Remove(std::wstring_view sKey) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindButton(sKey)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveButton(sKey);
}

Button Buttons::Add(const std::wstring& sKey, std::int32_t iIcon, const std::wstring& sCaption, ButtonStyle eStyle,
                      const std::wstring& sToolTip, std::uint16_t vShortcutKey, std::int32_t eShortcutModifier) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindButton(sKey) != nullptr, sKey);
    ButtonInt& button = registry_->AddButton(sKey);
    if (iIcon != -1) button.SetIconIndex(iIcon);
    if (!sCaption.empty()) button.SetCaption(sCaption);
    if (eStyle != ButtonStyle::eNormal) button.SetStyle(eStyle);
    button.SetShortcutKey(vShortcutKey);
    button.SetShortcutModifiers(eShortcutModifier);
    button.SetToolTip(sToolTip);
    return Button(*registry_, hwnd_, sKey);
}

// --- CommandBar ----------------------------------------------------------------------------

CommandBarInt& CommandBar::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetBar(key_);
}

std::wstring CommandBar::Key() const { return Record().Key(); }
std::wstring CommandBar::Title() const { return Record().Title(); }
void CommandBar::SetTitle(const std::wstring& title) const { Record().SetTitle(title); }

CommandBarButtons CommandBar::Buttons() const { return CommandBarButtons(*registry_, hwnd_, Record().Key()); }

// --- CommandBarButtons ---------------------------------------------------------------------

namespace {

const Button& Required(const std::optional<Button>& button) {
    if (!button) RaiseCommandBarError(command_bar_error::kObjectNotSet);
    return *button;
}

}  // namespace

CommandBarInt& CommandBarButtons::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetBar(barKey_);
}

std::int32_t CommandBarButtons::Count() const { return Record().Count(); }

Button CommandBarButtons::Item(std::int32_t position) const {
    return Button(*registry_, hwnd_, Record().Buttons().Item(position)->Key());
}

Button CommandBarButtons::Item(std::wstring_view key) const {
    return Button(*registry_, hwnd_, Record().Buttons().Item(key)->Key());
}

void CommandBarButtons::Clear() const { Record().Clear(); }

void CommandBarButtons::Remove(std::wstring_view sKey) const {
    CommandBarInt& bar = Record();
    bar.Remove(registry_->GetButton(sKey));
}

void CommandBarButtons::Add(const std::optional<Button>& btn) const {
    CommandBarInt& bar = Record();
    bar.Add(Required(btn).Record());
}

// The reference button is looked for in the bar by its key only, after the duplicate check.
void CommandBarButtons::InsertBefore(const std::optional<Button>& btn,
                                      const std::optional<Button>& btnBefore) const {
    CommandBarInt& bar = Record();
    const Button& before = Required(btnBefore);
    bar.InsertBefore(Required(btn).Record(), before.key_);
}

void CommandBarButtons::InsertAfter(const std::optional<Button>& btn, const std::optional<Button>& btnAfter) const {
    CommandBarInt& bar = Record();
    const Button& after = Required(btnAfter);
    bar.InsertAfter(Required(btn).Record(), after.key_);
}

// --- Button --------------------------------------------------------------------------------

ButtonInt& Button::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetButton(key_);
}

std::wstring Button::Key() const { return Record().Key(); }
std::wstring Button::Tag() const { return Record().Tag(); }
void Button::SetTag(const std::wstring& tag) const { Record().SetTag(tag); }
std::int32_t Button::itemData() const { return Record().ItemData(); }
void Button::SetItemData(std::int32_t data) const { Record().SetItemData(data); }
std::wstring Button::Caption() const { return Record().Caption(); }
void Button::SetCaption(const std::wstring& caption) const { Record().SetCaption(caption); }
std::int32_t Button::IconIndex() const { return Record().IconIndex(); }
void Button::SetIconIndex(std::int32_t index) const { Record().SetIconIndex(index); }
std::int32_t Button::ColorBox() const { return Record().ColorBox(); }
void Button::SetColorBox(std::int32_t colour) const { Record().SetColorBox(colour); }
std::wstring Button::ToolTip() const { return Record().ToolTip(); }
void Button::SetToolTip(const std::wstring& text) const { Record().SetToolTip(text); }
std::uint16_t Button::ShortcutKey() const { return Record().ShortcutKey(); }
void Button::SetShortcutKey(std::uint16_t key) const { Record().SetShortcutKey(key); }
std::int32_t Button::ShortcutModifiers() const { return Record().ShortcutModifiers(); }
void Button::SetShortcutModifiers(std::int32_t modifiers) const { Record().SetShortcutModifiers(modifiers); }
bool Button::Checked() const { return Record().Checked(); }
void Button::SetChecked(bool checked) const { Record().SetChecked(checked); }
bool Button::Enabled() const { return Record().Enabled(); }
void Button::SetEnabled(bool enabled) const { Record().SetEnabled(enabled); }
bool Button::Locked() const { return Record().Locked(); }
void Button::SetLocked(bool locked) const { Record().SetLocked(locked); }
bool Button::ShowCaptionInToolbar() const { return Record().ShowCaptionInToolbar(); }
void Button::SetShowCaptionInToolbar(bool show) const { Record().SetShowCaptionInToolbar(show); }
bool Button::ShowDropDownInToolbar() const { return Record().ShowDropDownInToolbar(); }
void Button::SetShowDropDownInToolbar(bool show) const { Record().SetShowDropDownInToolbar(show); }
bool Button::Visible() const { return Record().Visible(); }
void Button::SetVisible(bool visible) const { Record().SetVisible(visible); }
std::int32_t Button::PanelWidth() const { return Record().PanelWidth(); }
void Button::SetPanelWidth(std::int32_t width) const { Record().SetPanelWidth(width); }
WindowHandle Button::PanelControl() const { return Record().PanelControl(); }

std::optional<CommandBar> Button::Bar() const {
    CommandBarInt* bar = Record().SubBar();
    if (!bar) return std::nullopt;
    return CommandBar(*registry_, hwnd_, bar->Key());
}

void Button::SetBar(const std::optional<CommandBar>& bar) const {
    ButtonInt& button = Record();
    if (!bar) RaiseCommandBarError(command_bar_error::kObjectNotSet);
    CommandBarInt& record = bar->Record();
    if (button.SubBar() != &record) button.SetSubBar(&record);
}

void Button::SetPanelControl(WindowHandle control) const {
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
