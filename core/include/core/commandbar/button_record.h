#pragma once
// The record behind every button key: its state, the texts it produces, its keyboard matching
// and its measuring as a menu item or a tool bar button. One record serves every bar and control
// that shows the button; the registry owns it.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/commandbar/button_platform.h"
#include "core/commandbar/command_bar_types.h"
#include "core/commandbar/measure_button_params.h"
#include "core/keyed_collection.h"

namespace core::commandbar {

class BarRecord;

class ButtonRecord : public std::enable_shared_from_this<ButtonRecord> {
public:
    explicit ButtonRecord(std::wstring key = {});
    ButtonRecord(const ButtonRecord&) = delete;
    ButtonRecord& operator=(const ButtonRecord&) = delete;

    std::int32_t Spacing() const noexcept { return spacing_; }
    std::int32_t SplitWidth() const noexcept { return splitWidth_; }
    std::int32_t MenuRightMargin() const noexcept { return menuRightMargin_; }

    const std::wstring& Key() const noexcept { return key_; }
    void SetKey(std::wstring key) { key_ = std::move(key); }
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption);
    std::int32_t IconIndex() const noexcept { return iconIndex_; }
    void SetIconIndex(std::int32_t index);
    std::int32_t ColourBox() const noexcept { return colourBox_; }
    void SetColourBox(std::int32_t colour);
    bool ShowCaptionInToolbar() const noexcept { return showCaptionInToolbar_; }
    void SetShowCaptionInToolbar(bool show);
    bool ShowDropDownInToolbar() const noexcept { return showDropDownInToolbar_; }
    void SetShowDropDownInToolbar(bool show);
    ButtonStyle Style() const noexcept { return style_; }
    void SetStyle(ButtonStyle style);
    std::int32_t PanelWidth() const noexcept { return panelWidth_; }
    void SetPanelWidth(std::int32_t width);
    WindowHandle PanelControl() const noexcept { return panelControl_; }
    void SetPanelControl(WindowHandle control);
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    bool Locked() const noexcept { return locked_; }
    void SetLocked(bool locked);
    bool Visible() const noexcept { return visible_; }
    void SetVisible(bool visible);
    bool InfrequentlyUsed() const noexcept { return infrequentlyUsed_; }
    void SetInfrequentlyUsed(bool infrequent);
    // Kept for the program's own use; a change re-measures, nothing reads it.
    std::int32_t MeasureTag() const noexcept { return measureTag_; }
    void SetMeasureTag(std::int32_t value);
    bool Checked() const noexcept { return checked_; }
    // Only the checkable styles take the value; the others ignore it silently.
    void SetChecked(bool checked);
    const std::wstring& ToolTip() const noexcept { return toolTip_; }
    void SetToolTip(std::wstring text) { toolTip_ = std::move(text); }
    // The shortcut and the sub-bar are stored without telling the bars, but sizes measured with
    // the old ones go: the shortcut text widens a menu item, a sub-bar brings a drop-down arrow.
    std::uint16_t ShortcutKey() const noexcept { return shortcutKey_; }
    void SetShortcutKey(std::uint16_t key) noexcept;
    std::int32_t ShortcutModifiers() const noexcept { return shortcutModifiers_; }
    void SetShortcutModifiers(std::int32_t modifiers) noexcept;
    BarRecord* SubBar() const noexcept { return subBar_; }
    void SetSubBar(BarRecord* bar) noexcept;
    WindowHandle OwnerWindow() const noexcept { return ownerWindow_; }
    void SetOwnerWindow(WindowHandle window) noexcept { ownerWindow_ = window; }
    commandbar::CustomiseState CustomiseState() const noexcept { return customiseState_; }
    void SetCustomiseState(commandbar::CustomiseState state) noexcept { customiseState_ = state; }
    const std::wstring& Tag() const noexcept { return tag_; }
    void SetTag(std::wstring tag) { tag_ = std::move(tag); }
    std::int32_t ItemData() const noexcept { return itemData_; }
    void SetItemData(std::int32_t data) noexcept { itemData_ = data; }

    // Bars holding the button, keyed by bar key.
    const KeyedCollection<BarRecord*>& Bars() const noexcept { return bars_; }
    void AddToBar(BarRecord& bar);
    void RemoveFromBar(const BarRecord& bar);
    // Controls showing the button, one per top-level window: "H" + top-level -> control.
    const KeyedCollection<WindowHandle>& Controls() const noexcept { return controls_; }
    void AddToControl(WindowHandle control, WindowHandle topLevel);
    void RemoveFromControl(WindowHandle topLevel);
    // After a bar stopped showing the button on a top-level window: keep the entry only while
    // another of the button's bars is still shown there, pointing at one of its controls.
    void RefreshControlEntry(WindowHandle topLevel);
    bool IsShownInControl(WindowHandle control) const noexcept;

    void NotifyBars(BarChangeKind kind);

    std::wstring GetShortcutText(const KeyboardLayout& keyboard) const;
    std::wstring GetToolTipText(bool withShortcut, const KeyboardLayout& keyboard) const;
    bool MatchesAccelerator(std::uint16_t virtualKey, const KeyboardLayout& keyboard) const;
    // This button or the first match below it; sub-bars already searched are not searched again.
    ButtonRecord* FindByShortcut(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers, bool anyControl,
                                 std::unordered_set<const BarRecord*>& searched);
    ButtonRecord* FindByShortcut(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers,
                                 bool anyControl);
    bool IsOverDropDownPart(std::int32_t x, std::int32_t width, bool rightToLeft) const noexcept;
    bool IsActive(Orientation orientation, bool inCustomiseMenu) const noexcept;

    // Length along the bar; params.height receives the thickness. Sizes are cached per set of
    // measuring parameters until a size-affecting property changes.
    std::int32_t Measure(MeasureButtonParams& params, bool hidden, const TextMeasurer& text,
                         const KeyboardLayout& keyboard);
    std::size_t MeasureCacheCount() const noexcept { return measureCache_.size(); }
    void ClearMeasureCache() noexcept { measureCache_.clear(); }

    // Forgets the hosted control, the sub-bar and the bars (registry teardown).
    void ResetLinks() noexcept;

private:
    struct CachedMeasure {
        MeasureButtonParams params;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };

    void SizeChanged();
    std::int32_t MeasureMenuItem(MeasureButtonParams& params, const TextMeasurer& text,
                                 const KeyboardLayout& keyboard) const;
    std::int32_t MeasureToolbarButton(MeasureButtonParams& params, const TextMeasurer& text) const;

    std::int32_t spacing_ = 4;
    std::int32_t splitWidth_ = 11;
    std::int32_t menuRightMargin_ = 20;
    std::wstring key_;
    std::wstring caption_;
    std::int32_t iconIndex_ = -1;
    std::int32_t colourBox_ = -1;
    bool showCaptionInToolbar_ = false;
    bool showDropDownInToolbar_ = false;
    ButtonStyle style_ = ButtonStyle::Normal;
    std::int32_t panelWidth_ = 16;
    WindowHandle panelControl_ = 0;
    bool enabled_ = true;
    bool locked_ = false;
    bool visible_ = true;
    bool infrequentlyUsed_ = false;
    std::int32_t measureTag_ = 0;
    bool checked_ = false;
    std::wstring toolTip_;
    std::uint16_t shortcutKey_ = 0;
    std::int32_t shortcutModifiers_ = 0;
    BarRecord* subBar_ = nullptr;
    WindowHandle ownerWindow_ = 0;
    commandbar::CustomiseState customiseState_ = CustomiseState::NoCheckBox;
    std::wstring tag_;
    std::int32_t itemData_ = 0;
    std::vector<CachedMeasure> measureCache_;
    KeyedCollection<BarRecord*> bars_;
    KeyedCollection<WindowHandle> controls_;
};

inline bool IsCheckableStyle(ButtonStyle style) {
    return style == ButtonStyle::Check || style == ButtonStyle::Radio || style == ButtonStyle::RadioNullable;
}

}  // namespace core::commandbar
