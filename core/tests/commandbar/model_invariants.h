#pragma once
// The command bar model's invariants, checked after every step by the randomised model test and
// the model's fuzz target.

#include <set>
#include <string>

#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar::testing {

inline bool IsRadio(const ButtonRecord& button) {
    return button.Style() == ButtonStyle::Radio || button.Style() == ButtonStyle::RadioNullable;
}

inline std::string BrokenRadioGroup(const BarRecord& bar) {
    int checked = 0;
    for (const auto& entry : bar.Buttons()) {
        if (entry.value->Style() == ButtonStyle::Separator) {
            checked = 0;
        } else if (IsRadio(*entry.value) && entry.value->Checked() && ++checked > 1) {
            return "radio group with two checked";
        }
    }
    return {};
}

// An empty string when every invariant holds, else the first broken one. A radio button shared by
// bars whose groups disagree cannot satisfy both: callers keep each radio button to one bar.
inline std::string BrokenModelInvariant(const CommandBarRegistry& registry) {
    if (!registry.IsRunning()) {
        if (registry.BarCount() != 0 || registry.ButtonCount() != 0) return "records survive teardown";
        return {};
    }
    std::size_t fromBars = 0;
    std::size_t fromButtons = 0;
    for (std::int32_t i = 1; i <= registry.BarCount(); ++i) {
        const BarRecord& bar = registry.GetBar(i);
        if (registry.FindBar(bar.Key()) != &bar) return "bar not registered under its key";
        for (const auto& entry : bar.Buttons()) {
            ++fromBars;
            ButtonRecord* button = entry.value;
            if (registry.FindButton(*entry.key) != button) return "bar holds an unregistered button";
            if (button->Key() != *entry.key) return "bar keys a button wrongly";
            BarRecord* const* back = button->Bars().Find(bar.Key());
            if (!back || *back != &bar) return "button does not know a bar holding it";
        }
        for (const auto& shown : bar.Controls()) {
            if (*shown.key != HandleKey(shown.value.control)) return "bar keys a control wrongly";
        }
        std::string radio = BrokenRadioGroup(bar);
        if (!radio.empty()) return radio;
    }
    for (std::int32_t i = 1; i <= registry.ButtonCount(); ++i) {
        const ButtonRecord& button = registry.GetButton(i);
        if (registry.FindButton(button.Key()) != &button) return "button not registered under its key";
        std::set<std::wstring> expectedWindows;
        for (const auto& entry : button.Bars()) {
            ++fromButtons;
            if (registry.FindBar(*entry.key) != entry.value) return "button knows an unregistered bar";
            if (entry.value->IndexOf(button.Key()) == 0) return "button knows a bar that lacks it";
            for (const auto& shown : entry.value->Controls()) expectedWindows.insert(HandleKey(shown.value.topLevel));
        }
        std::set<std::wstring> windows;
        for (const auto& entry : button.Controls()) windows.insert(*entry.key);
        if (windows != expectedWindows) return "button's windows disagree with its bars' controls";
        if (button.SubBar() && registry.FindBar(button.SubBar()->Key()) != button.SubBar()) {
            return "sub-bar is not a registered bar";
        }
    }
    if (fromBars != fromButtons) return "membership counts differ";
    return {};
}

}  // namespace core::commandbar::testing
