#pragma once
// The objects through which a program describes its menus and tool bars. Each is a light handle:
// the window handle of the control it was obtained through and, for a bar or button, the key.
// Every member first finds that control again through its window (and raises "Owning
// zentCommandBar Control does not exist." when it is gone), then works on the registry's record
// for the key; a key no longer in the registry fails with the collection's own error.
//
// "Nothing" (a VB object reference that is not set) is an empty optional.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/commandbar/command_bar_types.h"

namespace core::commandbar {

class ButtonRecord;
class BarRecord;
class CommandBarRegistry;
class CommandBarControl;
class CommandBar;
class CommandBarButtons;
class Button;

class CommandBars {
public:
    CommandBars(CommandBarRegistry& registry, WindowHandle hwnd) : registry_(&registry), hwnd_(hwnd) {}

    std::int32_t Count() const;
    CommandBar Item(std::int32_t position) const;
    CommandBar Item(std::wstring_view key) const;
    void Remove(std::wstring_view key) const;
    CommandBar Add(const std::wstring& key, const std::wstring& title = {}) const;

private:
    CommandBarRegistry* registry_;
    WindowHandle hwnd_;
};

class Buttons {
public:
    Buttons(CommandBarRegistry& registry, WindowHandle hwnd) : registry_(&registry), hwnd_(hwnd) {}

    std::int32_t Count() const;
    Button Item(std::int32_t position) const;
    Button Item(std::wstring_view key) const;
    void Remove(std::wstring_view key) const;
    Button Add(const std::wstring& key, std::int32_t icon = -1, const std::wstring& caption = {},
               ButtonStyle style = ButtonStyle::Normal, const std::wstring& toolTip = {}, std::uint16_t shortcutKey = 0,
               std::int32_t shortcutModifiers = ModifierBits(ShortcutModifier::Ctrl)) const;

private:
    CommandBarRegistry* registry_;
    WindowHandle hwnd_;
};

class CommandBar {
public:
    CommandBar(CommandBarRegistry& registry, WindowHandle hwnd, std::wstring key)
        : registry_(&registry), hwnd_(hwnd), key_(std::move(key)) {}

    std::wstring Key() const;
    std::wstring Title() const;
    void SetTitle(const std::wstring& title) const;
    CommandBarButtons Buttons() const;

    WindowHandle OwnerWindow() const noexcept { return hwnd_; }

private:
    friend class Button;
    BarRecord& Record() const;

    CommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring key_;
};

class CommandBarButtons {
public:
    CommandBarButtons(CommandBarRegistry& registry, WindowHandle hwnd, std::wstring barKey)
        : registry_(&registry), hwnd_(hwnd), barKey_(std::move(barKey)) {}

    std::int32_t Count() const;
    Button Item(std::int32_t position) const;
    Button Item(std::wstring_view key) const;
    void Clear() const;
    void Remove(std::wstring_view key) const;
    void Add(const std::optional<Button>& button) const;
    void InsertBefore(const std::optional<Button>& button, const std::optional<Button>& before) const;
    void InsertAfter(const std::optional<Button>& button, const std::optional<Button>& after) const;

private:
    BarRecord& Record() const;

    CommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring barKey_;
};

class Button {
public:
    Button(CommandBarRegistry& registry, WindowHandle hwnd, std::wstring key)
        : registry_(&registry), hwnd_(hwnd), key_(std::move(key)) {}

    std::wstring Key() const;
    std::wstring Tag() const;
    void SetTag(const std::wstring& tag) const;
    std::int32_t ItemData() const;
    void SetItemData(std::int32_t data) const;
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption) const;
    std::int32_t IconIndex() const;
    void SetIconIndex(std::int32_t index) const;
    std::int32_t ColourBox() const;
    void SetColourBox(std::int32_t colour) const;
    std::wstring ToolTip() const;
    void SetToolTip(const std::wstring& text) const;
    std::uint16_t ShortcutKey() const;
    void SetShortcutKey(std::uint16_t key) const;
    std::int32_t ShortcutModifiers() const;
    void SetShortcutModifiers(std::int32_t modifiers) const;
    std::optional<CommandBar> Bar() const;
    void SetBar(const std::optional<CommandBar>& bar) const;
    bool Checked() const;
    void SetChecked(bool checked) const;
    bool Enabled() const;
    void SetEnabled(bool enabled) const;
    bool Locked() const;
    void SetLocked(bool locked) const;
    bool ShowCaptionInToolbar() const;
    void SetShowCaptionInToolbar(bool show) const;
    bool ShowDropDownInToolbar() const;
    void SetShowDropDownInToolbar(bool show) const;
    bool Visible() const;
    void SetVisible(bool visible) const;
    std::int32_t PanelWidth() const;
    void SetPanelWidth(std::int32_t width) const;
    // A child window hosted by a panel button; 0 is nothing.
    WindowHandle PanelControl() const;
    void SetPanelControl(WindowHandle control) const;

    WindowHandle OwnerWindow() const noexcept { return hwnd_; }

private:
    friend class CommandBarButtons;
    ButtonRecord& Record() const;

    CommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring key_;
};

}  // namespace core::commandbar
