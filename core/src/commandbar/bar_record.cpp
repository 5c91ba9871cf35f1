#include "core/commandbar/bar_record.h"

#include <algorithm>
#include <vector>

#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

std::vector<std::wstring> KeysOf(const KeyedCollection<ButtonRecord*>& buttons) {
    std::vector<std::wstring> keys;
    keys.reserve(static_cast<std::size_t>(buttons.Count()));
    for (const auto& entry : buttons) keys.push_back(*entry.key);
    return keys;
}

class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

bool IsRadioStyle(ButtonStyle style) { return style == ButtonStyle::Radio || style == ButtonStyle::RadioNullable; }

}  // namespace

BarRecord::BarRecord(CommandBarRegistry& registry, std::wstring key) : registry_(registry), key_(std::move(key)) {}

void BarRecord::SetTitle(std::wstring title) {
    title_ = std::move(title);
    NotifyBarChanged(BarChangeKind::Title, nullptr);
}

ButtonRecord* BarRecord::Item(std::int32_t position) const noexcept {
    if (position < 1 || position > buttons_.Count()) return nullptr;
    return buttons_.Item(position);
}

ButtonRecord* BarRecord::Item(std::wstring_view buttonKey) const noexcept {
    ButtonRecord* const* found = buttons_.Find(buttonKey);
    return found ? *found : nullptr;
}

void BarRecord::Add(ButtonRecord& button) { Place(button, 0, true); }

// The reference goes by key: a reference button that has left the registry is simply not here.
void BarRecord::InsertBefore(ButtonRecord& button, std::wstring_view beforeKey) {
    Place(button, ReferencePosition(button, beforeKey), false);
}

void BarRecord::InsertAfter(ButtonRecord& button, std::wstring_view afterKey) {
    Place(button, ReferencePosition(button, afterKey), true);
}

std::int32_t BarRecord::ReferencePosition(const ButtonRecord& button, std::wstring_view referenceKey) const {
    if (buttons_.Contains(button.Key())) RaiseCommandBarError(command_bar_error::kDuplicateKey);
    std::int32_t position = buttons_.IndexOf(referenceKey);
    if (position == 0) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    return position;
}

void BarRecord::Place(ButtonRecord& button, std::int32_t position, bool after) {
    // Notifications below may remove this bar or the button from the registry: the bar lives
    // until the end, the button is asked for by key only.
    std::shared_ptr<BarRecord> keepAlive = weak_from_this().lock();
    if (buttons_.Contains(button.Key())) RaiseCommandBarError(command_bar_error::kDuplicateKey);
    const std::wstring key = button.Key();
    if (position == 0) {
        buttons_.Add(&button, key);
    } else if (after) {
        buttons_.AddAfter(position, &button, key);
    } else {
        buttons_.AddBefore(position, &button, key);
    }
    button.AddToBar(*this);
    for (const auto& entry : controls_.Values()) button.AddToControl(entry.control, entry.topLevel);
    NormaliseRadioGroups(key);
    NotifyBarChanged(BarChangeKind::ButtonList, nullptr);
}

// Runs once the button has left this bar: its entry for a top-level window stays only while
// another of its bars is shown there, so a button shared by two bars of one form stays reachable.
void BarRecord::UnregisterFromControls(ButtonRecord& button) {
    for (const auto& entry : controls_) button.RefreshControlEntry(entry.value.topLevel);
}

void BarRecord::Remove(ButtonRecord& button) {
    std::shared_ptr<BarRecord> keepAlive = weak_from_this().lock();
    if (!buttons_.Contains(button.Key())) RaiseCommandBarError(command_bar_error::kItemDoesNotExist);
    Unlink(button);
    // Taking out a separator joins two groups.
    if (button.Style() == ButtonStyle::Separator) NormaliseRadioGroups({});
    NotifyBarChanged(BarChangeKind::ButtonList, nullptr);
}

void BarRecord::Clear() {
    std::shared_ptr<BarRecord> keepAlive = weak_from_this().lock();
    UnlinkButtons();
    NotifyBarChanged(BarChangeKind::ButtonList, nullptr);
}

void BarRecord::UnlinkButtons() {
    for (ButtonRecord* button : buttons_.Values()) Unlink(*button);
}

void BarRecord::Unlink() {
    UnlinkButtons();
    controls_.Clear();
}

void BarRecord::Unlink(ButtonRecord& button) {
    if (!buttons_.Contains(button.Key())) return;
    buttons_.Remove(button.Key());
    button.RemoveFromBar(*this);
    UnregisterFromControls(button);
}

void BarRecord::NotifyBarChanged(BarChangeKind kind, ButtonRecord* button) {
    // A control's reaction may remove this bar from the registry; finish the walk regardless.
    std::shared_ptr<BarRecord> keepAlive = weak_from_this().lock();
    if (kind == BarChangeKind::ButtonChecked && button && !inRadioRule_ && IsRadioStyle(button->Style())) {
        ApplyRadioRule(*button);
    }
    for (const BarControlEntry& entry : controls_.Values()) {
        CommandBarControl* control = registry_.TryControlFromHwnd(entry.control);
        if (control && control->ShowsBar()) control->BarChanged(*this, kind, button);
    }
}

void BarRecord::ApplyRadioRule(ButtonRecord& button) {
    ApplyRadioRuleOnce(button);
    // Controls told of the clearing may have changed the bar meanwhile (a removed separator
    // joins groups); settle whatever that left with two checked.
    NormaliseRadioGroups(button.Checked() ? button.Key() : std::wstring());
}

void BarRecord::ApplyRadioRuleOnce(ButtonRecord& button) {
    FlagGuard guard(inRadioRule_);
    std::int32_t position = buttons_.IndexOf(button.Key());
    if (position == 0) return;
    // The group runs between the separators around the button; nothing else bounds it.
    std::int32_t first = 1;
    std::int32_t last = buttons_.Count();
    for (std::int32_t i = 1; i < position; ++i) {
        if (buttons_.Item(i)->Style() == ButtonStyle::Separator) first = i + 1;
    }
    for (std::int32_t i = position + 1; i <= buttons_.Count(); ++i) {
        if (buttons_.Item(i)->Style() == ButtonStyle::Separator) {
            last = i - 1;
            break;
        }
    }
    std::vector<std::wstring> group;
    for (std::int32_t i = first; i <= last; ++i) group.push_back(*buttons_.KeyAt(i));

    if (button.Checked()) {
        for (const std::wstring& key : group) {
            ButtonRecord* other = Item(key);
            if (other && other != &button) other->SetChecked(false);
        }
    } else if (button.Style() == ButtonStyle::Radio) {
        bool anyChecked = false;
        for (const std::wstring& key : group) {
            ButtonRecord* member = Item(key);
            if (member && member->Checked()) anyChecked = true;
        }
        if (!anyChecked) button.SetChecked(true);
    }
}

// A group may hold at most one checked radio button, also after a checked one is placed into it
// or a separator between two groups goes: the preferred button wins, otherwise the first one.
void BarRecord::NormaliseRadioGroups(std::wstring_view preferredKey) {
    if (inRadioRule_) return;
    FlagGuard guard(inRadioRule_);
    // Each clearing notifies controls, which may change the bar (even remove the preferred
    // button): look at the bar afresh after each one.
    while (ButtonRecord* surplus = SurplusCheckedRadio(preferredKey)) surplus->SetChecked(false);
}

ButtonRecord* BarRecord::SurplusCheckedRadio(std::wstring_view preferredKey) const {
    std::vector<ButtonRecord*> checked;
    auto surplusOf = [&]() -> ButtonRecord* {
        if (checked.size() < 2) return nullptr;
        auto preferred = std::find_if(checked.begin(), checked.end(),
                                      [&](const ButtonRecord* button) { return button->Key() == preferredKey; });
        return preferred == checked.begin() || preferred == checked.end() ? checked[1] : checked.front();
    };
    for (const auto& entry : buttons_) {
        ButtonRecord* button = entry.value;
        if (button->Style() == ButtonStyle::Separator) {
            if (ButtonRecord* surplus = surplusOf()) return surplus;
            checked.clear();
        } else if (IsRadioStyle(button->Style()) && button->Checked()) {
            checked.push_back(button);
        }
    }
    return surplusOf();
}

void BarRecord::AttachControl(WindowHandle control, WindowHandle topLevel) {
    std::wstring key = HandleKey(control);
    if (controls_.Contains(key)) return;
    controls_.Add(BarControlEntry{control, topLevel}, key);
    for (const std::wstring& buttonKey : KeysOf(buttons_)) {
        if (ButtonRecord* button = Item(buttonKey)) button->AddToControl(control, topLevel);
    }
}

void BarRecord::DetachControl(WindowHandle control) {
    std::wstring key = HandleKey(control);
    const BarControlEntry* entry = controls_.Find(key);
    if (!entry) return;
    WindowHandle topLevel = entry->topLevel;
    controls_.Remove(key);
    for (auto& button : buttons_) button.value->RefreshControlEntry(topLevel);
}

ButtonRecord* BarRecord::FindAccelerator(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers,
                                         bool anyControl, std::unordered_set<const BarRecord*>& searched) {
    searched.insert(this);
    for (const auto& entry : buttons_) {
        if (ButtonRecord* found = entry.value->FindByShortcut(controlWindow, key, modifiers, anyControl, searched)) {
            return found;
        }
    }
    return nullptr;
}

void BarRecord::ToggleOnClick(std::int32_t position) {
    ButtonRecord* button = Item(position);
    if (!button) return;
    if (button->CustomiseState() == CustomiseState::NoCheckBox) {
        if (IsCheckableStyle(button->Style())) button->SetChecked(!button->Checked());
        return;
    }
    button->SetCustomiseState(button->CustomiseState() == CustomiseState::Checked ? CustomiseState::Unchecked
                                                                                  : CustomiseState::Checked);
    button->SetChecked(!button->Checked());
}

void BarRecord::ResetLinks() noexcept {
    buttons_.Clear();
    controls_.Clear();
}

}  // namespace core::commandbar
