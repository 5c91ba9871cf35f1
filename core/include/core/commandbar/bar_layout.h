#pragma once
// The geometry of a shown bar: laid out as a tool bar, a menu bar or a popup menu, it fills one
// display-info entry per button (in bar order); painting then hands each shown button, with its
// rectangle and mouse state, to the control's painter. All lengths are pixels.

#include <cstdint>
#include <vector>

#include "core/commandbar/button_platform.h"
#include "core/commandbar/display_button_info.h"
#include "core/commandbar/draw_button_params.h"
#include "core/commandbar/measure_button_params.h"

namespace core::commandbar {

class ButtonRecord;
class CommandBarControl;
class BarRecord;

// What a layout asks of the control it works for.
class LayoutHost {
public:
    virtual ~LayoutHost() = default;
    // The button's length along the bar, its thickness left in params.Height (ButtonRecord::Measure).
    virtual std::int32_t MeasureButton(ButtonRecord& button, MeasureButtonParams& params) = 0;
    // A panel button went behind the chevron: its hosted control must not stay on show.
    virtual void HidePanelControl(WindowHandle panel) = 0;
};

// Paints one button of a bar. The bar background is already there; the painter may change
// Enabled, Left and Size while it works and puts Enabled back.
class ButtonPainter {
public:
    virtual ~ButtonPainter() = default;
    virtual void Paint(const ButtonRecord& button, DrawButtonParams& params) = 0;
};

// The usual LayoutHost of a control: each record measures itself (rules and cache) with the
// platform's text, and the control hides its panels.
class RecordMeasuringHost : public LayoutHost {
public:
    RecordMeasuringHost(CommandBarControl& control, const TextMeasurer& text, const KeyboardLayout& keyboard)
        : control_(control), text_(text), keyboard_(keyboard) {}
    std::int32_t MeasureButton(ButtonRecord& button, MeasureButtonParams& params) override;
    void HidePanelControl(WindowHandle panel) override;

private:
    CommandBarControl& control_;
    const TextMeasurer& text_;
    const KeyboardLayout& keyboard_;
};

struct BarExtent {
    // Along the bar: the used length (tool bar, menu bar) or the menu's width (popup).
    std::int32_t length = 0;
    // Across the bar: the sum of the row heights, or the menu's height.
    std::int32_t thickness = 0;
};

// A tool bar (params.sizeStyle Toolbar) hides from the end what does not fit in `available`,
// a separator group at a time when the bar has separators, and brings buttons back when there is
// room again; a menu bar wraps into more rows instead. `info` is resized to the bar.
BarExtent LayoutToolbar(const BarRecord& bar, MeasureButtonParams& params, std::int32_t available,
                        std::vector<DisplayButtonInfo>& info, LayoutHost& host);

// Items stacked from y = 1; runs of more than two caption-less items (colour boxes) form a grid
// of eight columns. showAll (the add-or-remove list) measures invisible and infrequent items too.
BarExtent LayoutPopupMenu(const BarRecord& bar, MeasureButtonParams& params, std::vector<DisplayButtonInfo>& info,
                          bool showAll, LayoutHost& host);

// The item's rectangle and its hot, pressed and menu state, as the painter reads them.
void SetItemState(DrawButtonParams& params, const DisplayButtonInfo& item);

// Every shown button with a rectangle, in bar order; in the add-or-remove list also the entries
// with a check box.
void PaintAll(const BarRecord& bar, DrawButtonParams& params, const std::vector<DisplayButtonInfo>& info,
              ButtonPainter& painter);
// The button at a 1-based position with the parameters as they are; nothing when there is none
// or when PaintAll would skip it.
void PaintOne(const BarRecord& bar, DrawButtonParams& params, std::int32_t position, ButtonPainter& painter);

}  // namespace core::commandbar
