#include "core/commandbar/bar_layout.h"

#include <algorithm>

#include "core/commandbar/button_int.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/command_bar_int.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

bool IsSeparator(const ButtonInt& button) { return button.Style() == ButtonStyle::Separator; }

// One run over the buttons of a tool bar or menu bar, placing each where it falls.
class BarPass {
public:
    BarPass(const CommandBarInt& bar, MeasureButtonParams& params, std::int32_t available,
            std::vector<DisplayButtonInfo>& info, LayoutHost& host)
        : bar_(bar), params_(params), available_(available), info_(info), host_(host) {}

    void Run(std::int32_t startHeight) {
        const bool vertical = IsVerticalOrientation(params_.Orientation);
        // Vertical bars always run downwards: counting up from the far end would leave the bar.
        const bool rightToLeft = params_.RightToLeft && !vertical;
        const bool wraps = params_.SizeStyle == SizeStyle::MenuBar && !vertical;
        // Each pass starts from the control's value: separators keep the Height they find.
        params_.Height = startHeight;
        std::int64_t position = rightToLeft ? available_ : 0;
        rows_.assign(1, 0);
        std::int64_t rowTop = 0;
        separatorTookRoom_ = false;
        bool lastWasSeparator = false;
        for (std::int32_t i = 1; i <= bar_.Count(); ++i) {
            ButtonInt& button = *bar_.Item(i);
            DisplayButtonInfo& item = info_[static_cast<std::size_t>(i - 1)];
            bool takesRoom = button.Visible() && !item.Hidden && !(IsSeparator(button) && lastWasSeparator);
            std::int64_t length = 0;
            // A button that takes no room gets no thickness either, so nothing paints it.
            std::int64_t thickness = 0;
            if (takesRoom) {
                length = host_.MeasureButton(button, params_);
                thickness = params_.Height;
                lastWasSeparator = IsSeparator(button);
                separatorTookRoom_ = separatorTookRoom_ || lastWasSeparator;
            }
            std::int64_t left = 0;
            std::int64_t right = 0;
            if (vertical) {
                rows_.back() = std::max(rows_.back(), thickness);
                item.Top = CheckedInt32(position);
                item.Bottom = CheckedInt32(position + length);
                item.Left = 0;
                item.Right = CheckedInt32(thickness);
                position += length;
                continue;
            }
            // A menu bar starts a new row for a button that does not fit, unless the row is still
            // empty: a button wider than the bar gets a row of its own, not a blank one above it.
            const bool rowHasButtons = rightToLeft ? position < available_ : position > 0;
            if (rightToLeft) {
                right = position;
                left = position - length;
                if (wraps && takesRoom && rowHasButtons && left < 0) {
                    WrapRow(thickness);
                    rowTop += rows_.back();
                    rows_.push_back(0);
                    right = available_;
                    left = available_ - length;
                }
                position = left;
            } else {
                left = position;
                right = position + length;
                if (wraps && takesRoom && rowHasButtons && right >= available_) {
                    WrapRow(thickness);
                    rowTop += rows_.back();
                    rows_.push_back(0);
                    left = 0;
                    right = length;
                }
                position = right;
            }
            rows_.back() = std::max(rows_.back(), thickness);
            item.Left = CheckedInt32(left);
            item.Right = CheckedInt32(right);
            item.Top = CheckedInt32(rowTop);
            item.Bottom = CheckedInt32(rowTop + thickness);
        }
        // How much of the bar the buttons cover, whichever end they start from.
        covered_ = rightToLeft ? available_ - position : position;
        used_ = std::max<std::int64_t>(position, 0);
    }

    std::int64_t Covered() const noexcept { return covered_; }
    std::int32_t Used() const { return CheckedInt32(used_); }
    bool SeparatorTookRoom() const noexcept { return separatorTookRoom_; }
    std::int32_t Thickness() const {
        std::int64_t sum = 0;
        for (std::int64_t row : rows_) sum += row;
        return CheckedInt32(sum);
    }

private:
    // A wrapping button counts into the row it leaves as well as the new one: a row is raised as
    // each button is placed, before the wrap is decided.
    void WrapRow(std::int64_t thickness) { rows_.back() = std::max(rows_.back(), thickness); }

    const CommandBarInt& bar_;
    MeasureButtonParams& params_;
    std::int64_t available_;
    std::vector<DisplayButtonInfo>& info_;
    LayoutHost& host_;
    std::vector<std::int64_t> rows_;
    std::int64_t covered_ = 0;
    std::int64_t used_ = 0;
    bool separatorTookRoom_ = false;
};

void Hide(ButtonInt& button, DisplayButtonInfo& item, LayoutHost& host) {
    item.Hidden = true;
    if (button.PanelControl() != 0) host.HidePanelControl(button.PanelControl());
}

// What a button takes along the bar: its width on a horizontal bar, its height on a vertical one.
std::int64_t LengthAlong(const DisplayButtonInfo& item, bool vertical) {
    return vertical ? static_cast<std::int64_t>(item.Bottom) - item.Top : static_cast<std::int64_t>(item.Right) - item.Left;
}

// From the end: enough buttons to free `excess`, then (with separators) on to the start of the
// group, so that whole groups go behind the chevron.
void HideFromEnd(const CommandBarInt& bar, std::vector<DisplayButtonInfo>& info, std::int64_t excess,
                 bool byGroups, bool vertical, LayoutHost& host) {
    std::int64_t freed = 0;
    for (std::int32_t i = bar.Count(); i >= 1; --i) {
        ButtonInt& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (!button.Visible() || item.Hidden) continue;
        const bool counting = freed < excess;
        Hide(button, item, host);
        if (counting) freed += LengthAlong(item, vertical);
        if (freed < excess) continue;
        // The separator that completes the excess already bounds the group.
        if (!byGroups || IsSeparator(button)) return;
    }
}

// From the first hidden button on, while they fit in `room`; with separators a group comes back
// whole or not at all.
void ReshowFromStart(const CommandBarInt& bar, MeasureButtonParams& params, std::vector<DisplayButtonInfo>& info,
                     std::int64_t room, bool byGroups, LayoutHost& host) {
    std::vector<std::int32_t> reshown;
    std::int64_t total = 0;
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        ButtonInt& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (!button.Visible() || !item.Hidden) continue;
        if (IsSeparator(button) && !reshown.empty()) return;
        item.Hidden = false;
        const std::int64_t length = host.MeasureButton(button, params);
        if (total + length > room) {
            Hide(button, item, host);
            if (byGroups) {
                for (std::int32_t back : reshown) Hide(*bar.Item(back), info[static_cast<std::size_t>(back - 1)], host);
            }
            return;
        }
        reshown.push_back(i);
        total += length;
    }
}

bool AnyHidden(const CommandBarInt& bar, const std::vector<DisplayButtonInfo>& info) {
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        if (bar.Item(i)->Visible() && info[static_cast<std::size_t>(i - 1)].Hidden) return true;
    }
    return false;
}

// Separators span the thickness; narrower buttons are centred across it (halves to even).
void CentreAcross(const CommandBarInt& bar, std::vector<DisplayButtonInfo>& info, std::int32_t thickness) {
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (IsSeparator(*bar.Item(i))) {
            item.Right = thickness;
            continue;
        }
        const std::int64_t spare = static_cast<std::int64_t>(thickness) - (static_cast<std::int64_t>(item.Right) - item.Left);
        if (spare <= 0) continue;
        std::int64_t offset = spare / 2;
        if (spare % 2 != 0 && offset % 2 != 0) ++offset;
        item.Left = CheckedInt32(item.Left + offset);
        item.Right = CheckedInt32(item.Right + offset);
    }
}

}  // namespace

std::int32_t RecordMeasuringHost::MeasureButton(ButtonInt& button, MeasureButtonParams& params) {
    return button.Measure(params, false, text_, keyboard_);
}

void RecordMeasuringHost::HidePanelControl(WindowHandle panel) { control_.HidePanelControl(panel); }

BarExtent LayoutToolbar(const CommandBarInt& bar, MeasureButtonParams& params, std::int32_t available,
                        std::vector<DisplayButtonInfo>& info, LayoutHost& host) {
    info.resize(static_cast<std::size_t>(bar.Count()));
    const std::int32_t startHeight = params.Height;
    BarPass pass(bar, params, available, info, host);
    pass.Run(startHeight);
    if (params.SizeStyle != SizeStyle::MenuBar) {
        bool again = false;
        if (pass.Covered() > available) {
            HideFromEnd(bar, info, pass.Covered() - available, pass.SeparatorTookRoom(),
                        IsVerticalOrientation(params.Orientation), host);
            again = true;
        } else if (pass.Covered() < available && AnyHidden(bar, info)) {
            ReshowFromStart(bar, params, info, available - pass.Covered(), pass.SeparatorTookRoom(), host);
            again = true;
        }
        if (again) pass.Run(startHeight);
    }
    BarExtent extent{pass.Used(), pass.Thickness()};
    if (IsVerticalOrientation(params.Orientation)) CentreAcross(bar, info, extent.thickness);
    return extent;
}

BarExtent LayoutPopupMenu(const CommandBarInt& bar, MeasureButtonParams& params, std::vector<DisplayButtonInfo>& info,
                          bool showAll, LayoutHost& host) {
    info.resize(static_cast<std::size_t>(bar.Count()));
    if (bar.Count() == 0) return {};
    const CommandBarRegistry& registry = bar.Registry();
    const bool allFrequencies = !registry.HideInfrequentlyUsed() || registry.ShowAll() || showAll;

    std::vector<bool> measured(static_cast<std::size_t>(bar.Count()), false);
    std::int64_t widest = 0;
    std::int32_t run = 0;
    std::int32_t longestRun = 0;
    std::int64_t cell = 0;
    std::int64_t y = 1;
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        ButtonInt& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        std::int64_t length = 0;
        std::int64_t height = 0;
        if ((button.Visible() || showAll) && (!button.InfrequentlyUsed() || allFrequencies)) {
            measured[static_cast<std::size_t>(i - 1)] = true;
            params.Height = 0;
            length = host.MeasureButton(button, params);
            height = params.Height;
            widest = std::max(widest, length);
            if (button.Caption().empty() && !IsSeparator(button)) {
                cell = length;
                longestRun = std::max(longestRun, ++run);
            } else {
                run = 0;
            }
        }
        item.Left = 0;
        item.Right = CheckedInt32(length);
        item.Top = CheckedInt32(y);
        item.Bottom = CheckedInt32(y + height);
        y += height;
    }

    if (longestRun <= 2 || showAll) {
        const std::int32_t width = CheckedInt32(widest);
        for (DisplayButtonInfo& item : info) item.Right = width;
        return {width, info.back().Bottom};
    }

    // Colour boxes eight to a row, 26 pixels in (past the icon column); captioned items and
    // separators take a row of their own, full width.
    const std::int32_t width = CheckedInt32(std::max(widest, 8 * cell + 28));
    y = 1;
    std::int64_t column = 0;
    std::int64_t cellLeft = 0;
    const DisplayButtonInfo* previous = nullptr;
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        if (!measured[static_cast<std::size_t>(i - 1)]) continue;
        const ButtonInt& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        const std::int64_t height = static_cast<std::int64_t>(item.Bottom) - item.Top;
        const bool inGrid = button.Caption().empty() && !IsSeparator(button);
        const bool newRow = !inGrid || column % 8 == 0;
        if (newRow && previous) y += static_cast<std::int64_t>(previous->Bottom) - previous->Top;
        if (inGrid) {
            cellLeft = newRow ? 26 : cellLeft + cell;
            item.Left = CheckedInt32(cellLeft);
            item.Right = CheckedInt32(cellLeft + cell);
            ++column;
        } else {
            item.Left = 0;
            item.Right = width;
            column = 0;
        }
        item.Top = CheckedInt32(y);
        item.Bottom = CheckedInt32(y + height);
        previous = &item;
    }
    return {width, previous->Bottom};
}

void SetItemState(DrawButtonParams& params, const DisplayButtonInfo& item) {
    params.Left = item.Left;
    params.Top = item.Top;
    params.Size = CheckedInt32(static_cast<std::int64_t>(item.Right) - item.Left);
    params.Height = CheckedInt32(static_cast<std::int64_t>(item.Bottom) - item.Top);
    params.MouseDownButton = item.MouseDown;
    params.MouseOverButton = item.MouseOver;
    params.MouseDownSplit = item.MouseDownSplit;
    params.MouseOverSplit = item.MouseOverSplit;
    params.ShowingMenu = item.ShowingMenu;
    params.Hidden = item.Hidden;
}

void PaintAll(const CommandBarInt& bar, DrawButtonParams& params, const std::vector<DisplayButtonInfo>& info,
              ButtonPainter& painter) {
    const bool customiseList = params.SizeStyle == SizeStyle::CustomiseList;
    // Looked up afresh each time and bounded by both: a painter must not change the bar, but a
    // bar that changed underneath it is only painted short.
    for (std::int32_t i = 1; i <= bar.Count() && static_cast<std::size_t>(i) <= info.size(); ++i) {
        const ButtonInt& button = *bar.Item(i);
        const DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        const bool shown = (button.Visible() && !item.Hidden) ||
                           (customiseList && button.CustomiseState() != CustomiseState::NoCheckBox);
        if (!shown || item.Bottom == item.Top) continue;
        SetItemState(params, item);
        painter.Paint(button, params);
    }
}

void PaintOne(const CommandBarInt& bar, DrawButtonParams& params, std::int32_t position, ButtonPainter& painter) {
    if (const ButtonInt* button = bar.Item(position)) painter.Paint(*button, params);
}

}  // namespace core::commandbar
