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

void CommandBars::Remove(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindBar(key)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveBar(key);
}

CommandBar CommandBars::Add(const std::wstring& key, const std::wstring& title) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindBar(key) != nullptr, key);
    BarRecord& bar = registry_->AddBar(key);
    if (!title.empty()) bar.SetTitle(title);
    return CommandBar(*registry_, hwnd_, key);
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

void Buttons::Remove(std::wstring_view key) const {
    registry_->ControlFromHwnd(hwnd_);
    if (!registry_->FindButton(key)) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    registry_->RemoveButton(key);
}

Button Buttons::Add(const std::wstring& key, std::int32_t icon, const std::wstring& caption, ButtonStyle style,
                    const std::wstring& toolTip, std::uint16_t shortcutKey, std::int32_t shortcutModifiers) const {
    registry_->ControlFromHwnd(hwnd_);
    CheckNewKey(*registry_, registry_->FindButton(key) != nullptr, key);
    ButtonRecord& button = registry_->AddButton(key);
    if (icon != -1) button.SetIconIndex(icon);
    if (!caption.empty()) button.SetCaption(caption);
    if (style != ButtonStyle::Normal) button.SetStyle(style);
    button.SetShortcutKey(shortcutKey);
    button.SetShortcutModifiers(shortcutModifiers);
    button.SetToolTip(toolTip);
    return Button(*registry_, hwnd_, key);
}

// --- CommandBar ----------------------------------------------------------------------------

BarRecord& CommandBar::Record() const {
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

BarRecord& CommandBarButtons::Record() const {
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

void CommandBarButtons::Remove(std::wstring_view key) const {
    BarRecord& bar = Record();
    bar.Remove(registry_->GetButton(key));
}

void CommandBarButtons::Add(const std::optional<Button>& button) const {
    BarRecord& bar = Record();
    bar.Add(Required(button).Record());
}

// The reference button is looked for in the bar by its key only, after the duplicate check.
void CommandBarButtons::InsertBefore(const std::optional<Button>& button, const std::optional<Button>& before) const {
    BarRecord& bar = Record();
    const std::wstring& beforeKey = Required(before).key_;
    bar.InsertBefore(Required(button).Record(), beforeKey);
}

void CommandBarButtons::InsertAfter(const std::optional<Button>& button, const std::optional<Button>& after) const {
    BarRecord& bar = Record();
    const std::wstring& afterKey = Required(after).key_;
    bar.InsertAfter(Required(button).Record(), afterKey);
}

// --- Button --------------------------------------------------------------------------------

ButtonRecord& Button::Record() const {
    registry_->ControlFromHwnd(hwnd_);
    return registry_->GetButton(key_);
}

std::wstring Button::Key() const { return Record().Key(); }
std::wstring Button::Tag() const { return Record().Tag(); }
void Button::SetTag(const std::wstring& tag) const { Record().SetTag(tag); }
std::int32_t Button::ItemData() const { return Record().ItemData(); }
void Button::SetItemData(std::int32_t data) const { Record().SetItemData(data); }
std::wstring Button::Caption() const { return Record().Caption(); }
void Button::SetCaption(const std::wstring& caption) const { Record().SetCaption(caption); }
std::int32_t Button::IconIndex() const { return Record().IconIndex(); }
void Button::SetIconIndex(std::int32_t index) const { Record().SetIconIndex(index); }
std::int32_t Button::ColourBox() const { return Record().ColourBox(); }
void Button::SetColourBox(std::int32_t colour) const { Record().SetColourBox(colour); }
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
    BarRecord* bar = Record().SubBar();
    if (!bar) return std::nullopt;
    return CommandBar(*registry_, hwnd_, bar->Key());
}

void Button::SetBar(const std::optional<CommandBar>& bar) const {
    ButtonRecord& button = Record();
    if (!bar) RaiseCommandBarError(command_bar_error::kObjectNotSet);
    BarRecord& record = bar->Record();
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
