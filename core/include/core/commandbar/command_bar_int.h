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

class cButtonInt;
class cCommandBarRegistry;

struct BarControlEntry {
    WindowHandle control = 0;
    WindowHandle topLevel = 0;
};

class cCommandBarInt : public std::enable_shared_from_this<cCommandBarInt> {
public:
    cCommandBarInt(cCommandBarRegistry& registry, std::wstring key);
    cCommandBarInt(const cCommandBarInt&) = delete;
    cCommandBarInt& operator=(const cCommandBarInt&) = delete;

    const std::wstring& Key() const noexcept { return key_; }
    void SetKey(std::wstring key) { key_ = std::move(key); }
    const std::wstring& Title() const noexcept { return title_; }
    void SetTitle(std::wstring title);

    std::int32_t Count() const noexcept { return buttons_.Count(); }
    std::int32_t IndexOf(std::wstring_view buttonKey) const noexcept { return buttons_.IndexOf(buttonKey); }
    // Null when the position or key is not in the bar.
    cButtonInt* Item(std::int32_t position) const noexcept;
    cButtonInt* Item(std::wstring_view buttonKey) const noexcept;
    const KeyedCollection<cButtonInt*>& Buttons() const noexcept { return buttons_; }

    // 457 when the bar already holds the button; "Item does not exist." when the reference
    // button (by key) is not in the bar (checked in that order).
    void Add(cButtonInt& button);
    void InsertBefore(cButtonInt& button, std::wstring_view beforeKey);
    void InsertAfter(cButtonInt& button, std::wstring_view afterKey);
    void Remove(cButtonInt& button);
    void Clear();
    // The same without telling anyone, for records that leave the registry: nothing calls out,
    // so what is unlinked stays unlinked. The first also forgets the controls.
    void Unlink();
    void Unlink(cButtonInt& button);

    void NotifyBarChanged(BarChangeKind kind, cButtonInt* button);

    // "H" + control handle -> the control and its top-level window.
    const KeyedCollection<BarControlEntry>& Controls() const noexcept { return controls_; }
    void AttachControl(WindowHandle control, WindowHandle topLevel);
    void DetachControl(WindowHandle control);

    // First enabled button of the bar (or below it) with this shortcut; see cButtonInt.
    cButtonInt* FindAccelerator(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers, bool anyControl,
                                std::unordered_set<const cCommandBarInt*>& searched);

    // A click on the item at a position: checkable buttons flip, customise-list entries flip
    // their check state.
    void ToggleOnClick(std::int32_t position);

    // Forgets buttons and controls without telling anyone (registry teardown).
    void ResetLinks() noexcept;

private:
    std::int32_t ReferencePosition(const cButtonInt& button, std::wstring_view referenceKey) const;
    void Place(cButtonInt& button, std::int32_t position, bool after);
    void UnlinkButtons();
    void UnregisterFromControls(cButtonInt& button);
    void ApplyRadioRule(cButtonInt& button);
    void ApplyRadioRuleOnce(cButtonInt& button);
    // preferredKey: the button that stays checked in its group; empty for the group's first.
    void NormaliseRadioGroups(std::wstring_view preferredKey);
    cButtonInt* SurplusCheckedRadio(std::wstring_view preferredKey) const;

    cCommandBarRegistry& registry_;
    std::wstring key_;
    std::wstring title_;
    KeyedCollection<cButtonInt*> buttons_;
    KeyedCollection<BarControlEntry> controls_;
    bool inRadioRule_ = false;
};

}  // namespace core::commandbar
