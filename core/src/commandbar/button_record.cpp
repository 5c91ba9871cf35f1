#include "core/commandbar/button_record.h"

#include <algorithm>
#include <limits>

#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/proper_case.h"

namespace core::commandbar {

namespace {

constexpr std::uint16_t kDeleteKey = 46;

// Measuring adds platform text extents to user-set sizes; a result outside 32 bits is the
// overflow error rather than a wrapped size.
std::int32_t Checked32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        RaiseCommandBarOverflow();
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

ButtonRecord::ButtonRecord(std::wstring key) : key_(std::move(key)) {}

void ButtonRecord::SizeChanged() {
    measureCache_.clear();
    NotifyBars(BarChangeKind::ButtonSize);
}

void ButtonRecord::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    SizeChanged();
}
void ButtonRecord::SetIconIndex(std::int32_t index) {
    iconIndex_ = index;
    SizeChanged();
}
void ButtonRecord::SetColourBox(std::int32_t colour) {
    colourBox_ = colour;
    SizeChanged();
}
void ButtonRecord::SetShowCaptionInToolbar(bool show) {
    showCaptionInToolbar_ = show;
    SizeChanged();
}
void ButtonRecord::SetShowDropDownInToolbar(bool show) {
    showDropDownInToolbar_ = show;
    SizeChanged();
}
void ButtonRecord::SetStyle(ButtonStyle style) {
    style_ = style;
    SizeChanged();
}
void ButtonRecord::SetPanelWidth(std::int32_t width) {
    panelWidth_ = width;
    SizeChanged();
}
void ButtonRecord::SetPanelControl(WindowHandle control) {
    panelControl_ = control;
    SizeChanged();
}
void ButtonRecord::SetVisible(bool visible) {
    visible_ = visible;
    SizeChanged();
}
void ButtonRecord::SetInfrequentlyUsed(bool infrequent) {
    infrequentlyUsed_ = infrequent;
    SizeChanged();
}
void ButtonRecord::SetMeasureTag(std::int32_t value) {
    measureTag_ = value;
    SizeChanged();
}
void ButtonRecord::SetShortcutKey(std::uint16_t key) noexcept {
    shortcutKey_ = key;
    measureCache_.clear();
}
void ButtonRecord::SetShortcutModifiers(std::int32_t modifiers) noexcept {
    shortcutModifiers_ = modifiers;
    measureCache_.clear();
}
void ButtonRecord::SetSubBar(BarRecord* bar) noexcept {
    subBar_ = bar;
    measureCache_.clear();
}
void ButtonRecord::SetEnabled(bool enabled) {
    enabled_ = enabled;
    NotifyBars(BarChangeKind::ButtonLook);
}
void ButtonRecord::SetLocked(bool locked) {
    locked_ = locked;
    NotifyBars(BarChangeKind::ButtonLook);
}
void ButtonRecord::SetChecked(bool checked) {
    if (!IsCheckableStyle(style_)) return;
    checked_ = checked;
    NotifyBars(BarChangeKind::ButtonChecked);
}

void ButtonRecord::AddToBar(BarRecord& bar) {
    if (!bars_.Contains(bar.Key())) bars_.Add(&bar, bar.Key());
}

void ButtonRecord::RemoveFromBar(const BarRecord& bar) {
    if (bars_.Contains(bar.Key())) bars_.Remove(bar.Key());
}

void ButtonRecord::AddToControl(WindowHandle control, WindowHandle topLevel) {
    std::wstring key = HandleKey(topLevel);
    if (controls_.Contains(key)) return;
    controls_.Add(control, key);
    // The whole menu tree below a shown button learns the control, for accelerators.
    if (subBar_) subBar_->AttachControl(control, topLevel);
}

void ButtonRecord::RemoveFromControl(WindowHandle topLevel) {
    std::wstring key = HandleKey(topLevel);
    if (controls_.Contains(key)) controls_.Remove(key);
}

void ButtonRecord::RefreshControlEntry(WindowHandle topLevel) {
    std::wstring key = HandleKey(topLevel);
    WindowHandle* current = controls_.Find(key);
    if (!current) return;
    WindowHandle replacement = 0;
    for (const auto& bar : bars_) {
        for (const auto& shown : bar.value->Controls()) {
            if (shown.value.topLevel != topLevel) continue;
            if (shown.value.control == *current) return;
            if (replacement == 0) replacement = shown.value.control;
        }
    }
    if (replacement == 0) {
        controls_.Remove(key);
    } else {
        *current = replacement;
    }
}

bool ButtonRecord::IsShownInControl(WindowHandle control) const noexcept {
    return std::any_of(controls_.begin(), controls_.end(),
                       [control](const auto& entry) { return entry.value == control; });
}

void ButtonRecord::NotifyBars(BarChangeKind kind) {
    // A control reacting to the change may remove bars or this very button: stay alive, walk by
    // key and skip the bars that are gone.
    std::shared_ptr<ButtonRecord> keepAlive = weak_from_this().lock();
    std::vector<std::wstring> keys;
    for (const auto& entry : bars_) keys.push_back(*entry.key);
    for (const std::wstring& key : keys) {
        BarRecord** bar = bars_.Find(key);
        if (bar) (*bar)->NotifyBarChanged(kind, this);
    }
}

std::wstring ButtonRecord::GetShortcutText(const KeyboardLayout& keyboard) const {
    if (shortcutKey_ == 0) return {};
    std::wstring text;
    if (HasModifier(shortcutModifiers_, ShortcutModifier::Ctrl)) text += L"Ctrl+";
    if (HasModifier(shortcutModifiers_, ShortcutModifier::Shift)) text += L"Shift+";
    if (HasModifier(shortcutModifiers_, ShortcutModifier::Alt)) text += L"Alt+";
    text += shortcutKey_ == kDeleteKey ? std::wstring(L"Del") : ProperCase(keyboard.KeyName(shortcutKey_));
    return text;
}

std::wstring ButtonRecord::GetToolTipText(bool withShortcut, const KeyboardLayout& keyboard) const {
    if (!withShortcut) return toolTip_;
    std::wstring shortcut = GetShortcutText(keyboard);
    if (shortcut.empty()) return toolTip_;
    return toolTip_ + L" (" + shortcut + L")";
}

bool ButtonRecord::MatchesAccelerator(std::uint16_t virtualKey, const KeyboardLayout& keyboard) const {
    std::size_t amp = caption_.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= caption_.size()) return false;
    std::int32_t mapped = keyboard.VirtualKeyFromChar(caption_[amp + 1]);
    if (mapped == -1) return false;
    return (mapped & 0xFF) == virtualKey;
}

ButtonRecord* ButtonRecord::FindByShortcut(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers,
                                           bool anyControl, std::unordered_set<const BarRecord*>& searched) {
    if (!enabled_) return nullptr;
    if (!anyControl && !IsShownInControl(controlWindow)) return nullptr;
    if (shortcutKey_ == key && shortcutModifiers_ == modifiers) return this;
    // Menus may contain themselves further down; each bar is searched once.
    if (subBar_ && searched.insert(subBar_).second) {
        return subBar_->FindAccelerator(controlWindow, key, modifiers, anyControl, searched);
    }
    return nullptr;
}

ButtonRecord* ButtonRecord::FindByShortcut(WindowHandle controlWindow, std::uint16_t key, std::int32_t modifiers,
                                           bool anyControl) {
    std::unordered_set<const BarRecord*> searched;
    return FindByShortcut(controlWindow, key, modifiers, anyControl, searched);
}

bool ButtonRecord::IsOverDropDownPart(std::int32_t x, std::int32_t width, bool rightToLeft) const noexcept {
    if (style_ != ButtonStyle::Split) return false;
    if (rightToLeft) return x < splitWidth_;
    return static_cast<std::int64_t>(x) > static_cast<std::int64_t>(width) - splitWidth_;
}

bool ButtonRecord::IsActive(Orientation orientation, bool inCustomiseMenu) const noexcept {
    if (style_ == ButtonStyle::Separator) return false;
    bool active = visible_ && enabled_ && !locked_;
    if (active && style_ == ButtonStyle::Panel) {
        active = IsVerticalOrientation(orientation) && iconIndex_ >= 0;
    }
    if (!active && inCustomiseMenu && customiseState_ != CustomiseState::NoCheckBox) return true;
    return active;
}

std::int32_t ButtonRecord::Measure(MeasureButtonParams& params, bool hidden, const TextMeasurer& text,
                                   const KeyboardLayout& keyboard) {
    if (!(params.sizeStyle == SizeStyle::CustomiseList || (visible_ && !hidden))) return 0;
    bool menu = IsMenuSizeStyle(params.sizeStyle);
    bool toolbar = IsToolbarSizeStyle(params.sizeStyle);
    if (!menu && !toolbar) return 0;

    for (const CachedMeasure& cached : measureCache_) {
        if (cached.params.CompareTo(params) == 0) {
            params.height = cached.height;
            return cached.width;
        }
    }
    MeasureButtonParams asked = params;
    std::int32_t width = menu ? MeasureMenuItem(params, text, keyboard) : MeasureToolbarButton(params, text);
    measureCache_.push_back(CachedMeasure{std::move(asked), width, params.height});
    return width;
}

std::int32_t ButtonRecord::MeasureMenuItem(MeasureButtonParams& params, const TextMeasurer& text,
                                           const KeyboardLayout& keyboard) const {
    std::int64_t iconSize = 0;
    if (style_ == ButtonStyle::Separator) {
        params.height = 3;
    } else {
        if (iconIndex_ >= 0 || colourBox_ != -1) {
            iconSize = IsVerticalOrientation(params.orientation) ? params.iconWidth : params.iconHeight;
        }
        if (params.height == 0) {
            std::int32_t lineHeight = text.MeasureText(params, L"Xy", kMeasureSingleLine).height;
            params.height = Checked32(std::max<std::int64_t>(lineHeight, params.iconHeight) + 2LL * spacing_);
        }
    }
    if (caption_.empty()) return Checked32(iconSize + 10);

    std::wstring label = caption_ + L"  " + GetShortcutText(keyboard);
    iconSize += text.MeasureText(params, label, kMeasureSingleLine).width;
    std::int64_t width = iconSize + menuRightMargin_ + 32;
    if (params.sizeStyle == SizeStyle::CustomiseList) width += static_cast<std::int64_t>(params.iconWidth) + 2;
    return Checked32(width);
}

std::int32_t ButtonRecord::MeasureToolbarButton(MeasureButtonParams& params, const TextMeasurer& text) const {
    bool vertical = IsVerticalOrientation(params.orientation);
    std::int64_t base = 2LL * spacing_;
    if (style_ == ButtonStyle::Separator) return Checked32(base);
    if (style_ == ButtonStyle::Panel && panelControl_ != 0) {
        return vertical ? 0 : Checked32(base + panelWidth_);
    }

    if (iconIndex_ >= 0 || colourBox_ != -1) base += vertical ? params.iconWidth : params.iconHeight;
    std::int64_t lineHeight = text.MeasureText(params, L"Xy", kMeasureSingleLine).height;
    bool captionBelow = params.buttonPosition == ButtonTextPosition::Below && showCaptionInToolbar_ &&
                        !caption_.empty() && style_ != ButtonStyle::Panel;
    std::int64_t height = captionBelow ? lineHeight + base + 4 : lineHeight < base ? base : lineHeight + 2LL * spacing_;
    if (style_ == ButtonStyle::Split && vertical) height += splitWidth_;
    params.height = Checked32(height);

    std::int64_t width = base;
    if (showCaptionInToolbar_) {
        std::int64_t captionWidth = text.MeasureText(params, caption_, kMeasureWrapping).width;
        width = captionBelow ? std::max(base, captionWidth + 12) : base + captionWidth + 4;
    }
    if (style_ == ButtonStyle::Split) {
        if (!vertical) width += splitWidth_;
    } else if (subBar_ && showDropDownInToolbar_) {
        width += splitWidth_ - 4;
    }
    return Checked32(width);
}

void ButtonRecord::ResetLinks() noexcept {
    panelControl_ = 0;
    subBar_ = nullptr;
    bars_.Clear();
    controls_.Clear();
}

}  // namespace core::commandbar
