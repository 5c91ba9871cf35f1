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

class cButtonInt;
class cCommandBarInt;
class cCommandBarRegistry;
class CommandBarControl;
class cCommandBar;
class cCommandBarButtons;
class cButton;

class cCommandBars {
public:
    cCommandBars(cCommandBarRegistry& registry, WindowHandle hwnd) : registry_(&registry), hwnd_(hwnd) {}

    std::int32_t Count() const;
    cCommandBar Item(std::int32_t position) const;
    cCommandBar Item(std::wstring_view key) const;
    void Remove(std::wstring_view sKey) const;
    cCommandBar Add(const std::wstring& sKey, const std::wstring& sTitle = {}) const;

private:
    cCommandBarRegistry* registry_;
    WindowHandle hwnd_;
};

class cButtons {
public:
    cButtons(cCommandBarRegistry& registry, WindowHandle hwnd) : registry_(&registry), hwnd_(hwnd) {}

    std::int32_t Count() const;
    cButton Item(std::int32_t position) const;
    cButton Item(std::wstring_view key) const;
    void Remove(std::wstring_view sKey) const;
    cButton Add(const std::wstring& sKey, std::int32_t iIcon = -1, const std::wstring& sCaption = {},
                ButtonStyle eStyle = ButtonStyle::eNormal, const std::wstring& sToolTip = {},
                std::uint16_t vShortcutKey = 0, std::int32_t eShortcutModifier = eCtrl) const;

private:
    cCommandBarRegistry* registry_;
    WindowHandle hwnd_;
};

class cCommandBar {
public:
    cCommandBar(cCommandBarRegistry& registry, WindowHandle hwnd, std::wstring key)
        : registry_(&registry), hwnd_(hwnd), key_(std::move(key)) {}

    std::wstring Key() const;
    std::wstring Title() const;
    void SetTitle(const std::wstring& title) const;
    cCommandBarButtons Buttons() const;

    WindowHandle OwnerWindow() const noexcept { return hwnd_; }

private:
    friend class cButton;
    cCommandBarInt& Record() const;

    cCommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring key_;
};

class cCommandBarButtons {
public:
    cCommandBarButtons(cCommandBarRegistry& registry, WindowHandle hwnd, std::wstring barKey)
        : registry_(&registry), hwnd_(hwnd), barKey_(std::move(barKey)) {}

    std::int32_t Count() const;
    cButton Item(std::int32_t position) const;
    cButton Item(std::wstring_view key) const;
    void Clear() const;
    void Remove(std::wstring_view sKey) const;
    void Add(const std::optional<cButton>& btn) const;
    void InsertBefore(const std::optional<cButton>& btn, const std::optional<cButton>& btnBefore) const;
    void InsertAfter(const std::optional<cButton>& btn, const std::optional<cButton>& btnAfter) const;

private:
    cCommandBarInt& Record() const;

    cCommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring barKey_;
};

class cButton {
public:
    cButton(cCommandBarRegistry& registry, WindowHandle hwnd, std::wstring key)
        : registry_(&registry), hwnd_(hwnd), key_(std::move(key)) {}

    std::wstring Key() const;
    std::wstring Tag() const;
    void SetTag(const std::wstring& tag) const;
    std::int32_t itemData() const;
    void SetItemData(std::int32_t data) const;
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption) const;
    std::int32_t IconIndex() const;
    void SetIconIndex(std::int32_t index) const;
    std::int32_t ColorBox() const;
    void SetColorBox(std::int32_t colour) const;
    std::wstring ToolTip() const;
    void SetToolTip(const std::wstring& text) const;
    std::uint16_t ShortcutKey() const;
    void SetShortcutKey(std::uint16_t key) const;
    std::int32_t ShortcutModifiers() const;
    void SetShortcutModifiers(std::int32_t modifiers) const;
    std::optional<cCommandBar> Bar() const;
    void SetBar(const std::optional<cCommandBar>& bar) const;
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
    friend class cCommandBarButtons;
    cButtonInt& Record() const;

    cCommandBarRegistry* registry_;
    WindowHandle hwnd_;
    std::wstring key_;
};

}  // namespace core::commandbar
