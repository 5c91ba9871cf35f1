#pragma once
// The record behind every bar key: its title, its ordered buttons and the controls that show it.
// Buttons are identities owned by the registry; the bar and its buttons keep each other's
// links in step, and removal from the registry unlinks both sides.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/commandbar/command_bar_types.h"
#include "core/keyed_collection.h"

namespace core::commandbar {

class ButtonRecord;
class CommandBarRegistry;

struct BarControlEntry {
    WindowHandle control = 0;
    WindowHandle topLevel = 0;
};

class BarRecord : public std::enable_shared_from_this<BarRecord> {
public:
    BarRecord(CommandBarRegistry& registry, std::wstring key);
    BarRecord(const BarRecord&) = delete;
    BarRecord& operator=(const BarRecord&) = delete;

    const CommandBarRegistry& Registry() const noexcept { return registry_; }
    const std::wstring& Key() const noexcept { return key_; }
    void SetKey(std::wstring key) { key_ = std::move(key); }
    const std::wstring& Title() const noexcept { return title_; }
    void SetTitle(std::wstring title);

    std::int32_t Count() const noexcept { return buttons_.Count(); }
    std::int32_t IndexOf(std::wstring_view buttonKey) const noexcept { return buttons_.IndexOf(buttonKey); }
    // Null when the position or key is not in the bar.
    ButtonRecord* Item(std::int32_t position) const noexcept;
    ButtonRecord* Item(std::wstring_view buttonKey) const noexcept;
    const KeyedCollection<ButtonRecord*>& Buttons() const noexcept { return buttons_; }

    // 457 when the bar already holds the button; "Item does not exist." when the reference
    // button (by key) is not in the bar (checked in that order).
    void Add(ButtonRecord& button);
    void InsertBefore(ButtonRecord& button, std::wstring_view beforeKey);
    void InsertAfter(ButtonRecord& button, std::wstring_view afterKey);
    void Remove(ButtonRecord& button);
    void Clear();
    // The same without telling anyone, for records that leave the registry: nothing calls out,
    // so what is unlinked stays unlinked. The first also forgets the controls.
    void Unlink();
    void Unlink(ButtonRecord& button);

    void NotifyBarChanged(BarChangeKind kind, ButtonRecord* button);

    // "H" + control handle -> the control and its top-level window.
    const KeyedCollection<BarControlEntry>& Controls() const noexcept { return controls_; }
    void AttachControl(WindowHandle control, WindowHandle topLevel);
    void DetachControl(WindowHandle control);

    // First enabled button of the bar (or below it) with this shortcut; see ButtonRecord.
    ButtonRecord* FindAccelerator(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers,
                                  bool anyControl, std::unordered_set<const BarRecord*>& searched);

    // A click on the item at a position: checkable buttons flip, customise-list entries flip
    // their check state.
    void ToggleOnClick(std::int32_t position);

    // Forgets buttons and controls without telling anyone (registry teardown).
    void ResetLinks() noexcept;

private:
    std::int32_t ReferencePosition(const ButtonRecord& button, std::wstring_view referenceKey) const;
    void Place(ButtonRecord& button, std::int32_t position, bool after);
    void UnlinkButtons();
    void UnregisterFromControls(ButtonRecord& button);
    void ApplyRadioRule(ButtonRecord& button);
    void ApplyRadioRuleOnce(ButtonRecord& button);
    // preferredKey: the button that stays checked in its group; empty for the group's first.
    void NormaliseRadioGroups(std::wstring_view preferredKey);
    ButtonRecord* SurplusCheckedRadio(std::wstring_view preferredKey) const;

    CommandBarRegistry& registry_;
    std::wstring key_;
    std::wstring title_;
    KeyedCollection<ButtonRecord*> buttons_;
    KeyedCollection<BarControlEntry> controls_;
    bool inRadioRule_ = false;
};

}  // namespace core::commandbar
