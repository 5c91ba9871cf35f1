#include "core/commandbar/bar_layout.h"

#include <algorithm>

#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/command_bar_error.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

bool IsSeparator(const ButtonRecord& button) { return button.Style() == ButtonStyle::Separator; }

// One run over the buttons of a tool bar or menu bar, placing each where it falls.
class BarPass {
public:
    BarPass(const BarRecord& bar, MeasureButtonParams& params, std::int32_t available,
            std::vector<DisplayButtonInfo>& info, LayoutHost& host)
        : bar_(bar), params_(params), available_(available), info_(info), host_(host) {}

    void Run(std::int32_t startHeight) {
        const bool vertical = IsVerticalOrientation(params_.orientation);
        // Vertical bars always run downwards: counting up from the far end would leave the bar.
        const bool rightToLeft = params_.rightToLeft && !vertical;
        const bool wraps = params_.sizeStyle == SizeStyle::MenuBar && !vertical;
        // Each pass starts from the control's value: separators keep the Height they find.
        params_.height = startHeight;
        std::int64_t position = rightToLeft ? available_ : 0;
        rows_.assign(1, 0);
        std::int64_t rowTop = 0;
        separatorTookRoom_ = false;
        bool lastWasSeparator = false;
        for (std::int32_t i = 1; i <= bar_.Count(); ++i) {
            ButtonRecord& button = *bar_.Item(i);
            DisplayButtonInfo& item = info_[static_cast<std::size_t>(i - 1)];
            bool takesRoom = button.Visible() && !item.hidden && !(IsSeparator(button) && lastWasSeparator);
            std::int64_t length = 0;
            // A button that takes no room gets no thickness either, so nothing paints it.
            std::int64_t thickness = 0;
            if (takesRoom) {
                length = host_.MeasureButton(button, params_);
                thickness = params_.height;
                lastWasSeparator = IsSeparator(button);
                separatorTookRoom_ = separatorTookRoom_ || lastWasSeparator;
            }
            std::int64_t left = 0;
            std::int64_t right = 0;
            if (vertical) {
                rows_.back() = std::max(rows_.back(), thickness);
                item.top = CheckedInt32(position);
                item.bottom = CheckedInt32(position + length);
                item.left = 0;
                item.right = CheckedInt32(thickness);
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
            item.left = CheckedInt32(left);
            item.right = CheckedInt32(right);
            item.top = CheckedInt32(rowTop);
            item.bottom = CheckedInt32(rowTop + thickness);
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

    const BarRecord& bar_;
    MeasureButtonParams& params_;
    std::int64_t available_;
    std::vector<DisplayButtonInfo>& info_;
    LayoutHost& host_;
    std::vector<std::int64_t> rows_;
    std::int64_t covered_ = 0;
    std::int64_t used_ = 0;
    bool separatorTookRoom_ = false;
};

void Hide(ButtonRecord& button, DisplayButtonInfo& item, LayoutHost& host) {
    item.hidden = true;
    if (button.PanelControl() != 0) host.HidePanelControl(button.PanelControl());
}

// What a button takes along the bar: its width on a horizontal bar, its height on a vertical one.
std::int64_t LengthAlong(const DisplayButtonInfo& item, bool vertical) {
    return vertical ? static_cast<std::int64_t>(item.bottom) - item.top
                    : static_cast<std::int64_t>(item.right) - item.left;
}

// From the end: enough buttons to free `excess`, then (with separators) on to the start of the
// group, so that whole groups go behind the chevron.
void HideFromEnd(const BarRecord& bar, std::vector<DisplayButtonInfo>& info, std::int64_t excess, bool byGroups,
                 bool vertical, LayoutHost& host) {
    std::int64_t freed = 0;
    for (std::int32_t i = bar.Count(); i >= 1; --i) {
        ButtonRecord& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (!button.Visible() || item.hidden) continue;
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
void ReshowFromStart(const BarRecord& bar, MeasureButtonParams& params, std::vector<DisplayButtonInfo>& info,
                     std::int64_t room, bool byGroups, LayoutHost& host) {
    std::vector<std::int32_t> reshown;
    std::int64_t total = 0;
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        ButtonRecord& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (!button.Visible() || !item.hidden) continue;
        if (IsSeparator(button) && !reshown.empty()) return;
        item.hidden = false;
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

bool AnyHidden(const BarRecord& bar, const std::vector<DisplayButtonInfo>& info) {
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        if (bar.Item(i)->Visible() && info[static_cast<std::size_t>(i - 1)].hidden) return true;
    }
    return false;
}

// Separators span the thickness; narrower buttons are centred across it (halves to even).
void CentreAcross(const BarRecord& bar, std::vector<DisplayButtonInfo>& info, std::int32_t thickness) {
    for (std::int32_t i = 1; i <= bar.Count(); ++i) {
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        if (IsSeparator(*bar.Item(i))) {
            item.right = thickness;
            continue;
        }
        const std::int64_t spare =
            static_cast<std::int64_t>(thickness) - (static_cast<std::int64_t>(item.right) - item.left);
        if (spare <= 0) continue;
        std::int64_t offset = spare / 2;
        if (spare % 2 != 0 && offset % 2 != 0) ++offset;
        item.left = CheckedInt32(item.left + offset);
        item.right = CheckedInt32(item.right + offset);
    }
}

}  // namespace

std::int32_t RecordMeasuringHost::MeasureButton(ButtonRecord& button, MeasureButtonParams& params) {
    return button.Measure(params, false, text_, keyboard_);
}

void RecordMeasuringHost::HidePanelControl(WindowHandle panel) { control_.HidePanelControl(panel); }

BarExtent LayoutToolbar(const BarRecord& bar, MeasureButtonParams& params, std::int32_t available,
                        std::vector<DisplayButtonInfo>& info, LayoutHost& host) {
    info.resize(static_cast<std::size_t>(bar.Count()));
    const std::int32_t startHeight = params.height;
    BarPass pass(bar, params, available, info, host);
    pass.Run(startHeight);
    if (params.sizeStyle != SizeStyle::MenuBar) {
        bool again = false;
        if (pass.Covered() > available) {
            HideFromEnd(bar, info, pass.Covered() - available, pass.SeparatorTookRoom(),
                        IsVerticalOrientation(params.orientation), host);
            again = true;
        } else if (pass.Covered() < available && AnyHidden(bar, info)) {
            ReshowFromStart(bar, params, info, available - pass.Covered(), pass.SeparatorTookRoom(), host);
            again = true;
        }
        if (again) pass.Run(startHeight);
    }
    BarExtent extent{pass.Used(), pass.Thickness()};
    if (IsVerticalOrientation(params.orientation)) CentreAcross(bar, info, extent.thickness);
    return extent;
}

BarExtent LayoutPopupMenu(const BarRecord& bar, MeasureButtonParams& params, std::vector<DisplayButtonInfo>& info,
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
        ButtonRecord& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        std::int64_t length = 0;
        std::int64_t height = 0;
        if ((button.Visible() || showAll) && (!button.InfrequentlyUsed() || allFrequencies)) {
            measured[static_cast<std::size_t>(i - 1)] = true;
            params.height = 0;
            length = host.MeasureButton(button, params);
            height = params.height;
            widest = std::max(widest, length);
            if (button.Caption().empty() && !IsSeparator(button)) {
                cell = length;
                longestRun = std::max(longestRun, ++run);
            } else {
                run = 0;
            }
        }
        item.left = 0;
        item.right = CheckedInt32(length);
        item.top = CheckedInt32(y);
        item.bottom = CheckedInt32(y + height);
        y += height;
    }

    if (longestRun <= 2 || showAll) {
        const std::int32_t width = CheckedInt32(widest);
        for (DisplayButtonInfo& item : info) item.right = width;
        return {width, info.back().bottom};
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
        const ButtonRecord& button = *bar.Item(i);
        DisplayButtonInfo& item = info[static_cast<std::size_t>(i - 1)];
        const std::int64_t height = static_cast<std::int64_t>(item.bottom) - item.top;
        const bool inGrid = button.Caption().empty() && !IsSeparator(button);
        const bool newRow = !inGrid || column % 8 == 0;
        if (newRow && previous) y += static_cast<std::int64_t>(previous->bottom) - previous->top;
        if (inGrid) {
            cellLeft = newRow ? 26 : cellLeft + cell;
            item.left = CheckedInt32(cellLeft);
            item.right = CheckedInt32(cellLeft + cell);
            ++column;
        } else {
            item.left = 0;
            item.right = width;
            column = 0;
        }
        item.top = CheckedInt32(y);
        item.bottom = CheckedInt32(y + height);
        previous = &item;
    }
    return {width, previous->bottom};
}

void SetItemState(DrawButtonParams& params, const DisplayButtonInfo& item) {
    params.left = item.left;
    params.top = item.top;
    params.size = CheckedInt32(static_cast<std::int64_t>(item.right) - item.left);
    params.height = CheckedInt32(static_cast<std::int64_t>(item.bottom) - item.top);
    params.mouseDownButton = item.mouseDown;
    params.mouseOverButton = item.mouseOver;
    params.mouseDownSplit = item.mouseDownSplit;
    params.mouseOverSplit = item.mouseOverSplit;
    params.showingMenu = item.showingMenu;
    params.hidden = item.hidden;
}

namespace {

// Read from the parameters SetItemState filled in, so that one item is painted by the rule the
// whole bar is.
bool Painted(const ButtonRecord& button, const DrawButtonParams& params) {
    const bool shown = (button.Visible() && !params.hidden) ||
                       (params.sizeStyle == SizeStyle::CustomiseList &&
                        button.CustomiseState() != CustomiseState::NoCheckBox);
    return shown && params.height != 0;
}

}  // namespace

void PaintAll(const BarRecord& bar, DrawButtonParams& params, const std::vector<DisplayButtonInfo>& info,
              ButtonPainter& painter) {
    // Looked up afresh each time and bounded by both: a painter must not change the bar, but a
    // bar that changed underneath it is only painted short.
    for (std::int32_t i = 1; i <= bar.Count() && static_cast<std::size_t>(i) <= info.size(); ++i) {
        const ButtonRecord& button = *bar.Item(i);
        SetItemState(params, info[static_cast<std::size_t>(i - 1)]);
        if (Painted(button, params)) painter.Paint(button, params);
    }
}

void PaintOne(const BarRecord& bar, DrawButtonParams& params, std::int32_t position, ButtonPainter& painter) {
    const ButtonRecord* button = bar.Item(position);
    if (button && Painted(*button, params)) painter.Paint(*button, params);
}

}  // namespace core::commandbar
