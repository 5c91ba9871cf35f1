#include "commandbar/button_painter.h"

#include <variant>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_environment.h"
#include "commandbar/command_bar_process.h"
#include "commandbar/drawing_utilities.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace commandbar {

namespace {

namespace op = core::commandbar::paint_op;
using core::commandbar::PaintColour;
using core::commandbar::PaintRect;

Colour ColourOf(const PaintColour& colour) {
    return colour.element != 0 ? GetElementColour(colour.element) : win::TranslateColour(colour.colour);
}

// Moves and shows a hosted control; a control that is gone or refuses is left alone.
void PlacePanelControl(const op::Panel& panel, HWND barWindow) {
    const HWND control = ToHwnd(panel.control);
    if (!::IsWindow(control)) return;
    if (panel.move) {
        RECT current{};
        ::GetWindowRect(control, &current);
        const int height = current.bottom - current.top;
        POINT at{panel.x, panel.centreTop + (panel.centreHeight - height) / 2};
        // The bar's client coordinates as the control's parent counts them.
        ::MapWindowPoints(barWindow, ::GetAncestor(control, GA_PARENT), &at, 1);
        POINT was{current.left, current.top};
        ::MapWindowPoints(HWND_DESKTOP, ::GetAncestor(control, GA_PARENT), &was, 1);
        // Only a real change moves it: every paint places the control again.
        if (at.x != was.x || at.y != was.y || panel.width != current.right - current.left) {
            ::SetWindowPos(control, nullptr, at.x, at.y, panel.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    const bool shown = (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != panel.visible) ::ShowWindow(control, panel.visible ? SW_SHOWNA : SW_HIDE);
}

class PlanRunner {
public:
    explicit PlanRunner(const ButtonPaintTools& tools) : tools_(tools), dc_(tools.hdc) {}

    void operator()(const op::Gradient& fill) const {
        const PaintRect& r = fill.rect;
        FillGradient(dc_, GetElementColour(fill.startElement), GetElementColour(fill.endElement), r.left, r.top,
                     r.width, r.height, false);
    }
    void operator()(const op::Outline& outline) const {
        const Colour colour = GetElementColour(outline.element);
        const PaintRect& r = outline.rect;
        if (colour != core::kNoColour) DrawRectOutline(dc_, colour, r.left, r.top, r.width, r.height);
    }
    void operator()(const op::Line& line) const {
        const Colour colour = GetElementColour(line.element);
        FillGradient(dc_, colour, colour, line.x, line.y, line.vertical ? 1 : line.length,
                     line.vertical ? line.length : 1, false);
    }
    void operator()(const op::Icon& icon) const {
        DrawIconOrColourBox(dc_, tools_.images, icon.iconIndex, icon.colourBox, icon.x, icon.y, icon.drawState);
    }
    void operator()(const op::CheckMark& mark) const {
        DrawCheckMark(dc_, mark.cell.left, mark.cell.top, mark.cell.width, mark.cell.height);
    }
    void operator()(const op::Caption& caption) {
        const Colour colour = ColourOf(caption.colour);
        if (colour == core::kNoColour) return;
        SelectFont();
        const PaintRect& r = caption.rect;
        DrawCaption(dc_, caption.text, r.left, r.top, r.width, r.height, colour, caption.orientation, caption.centred);
    }
    void operator()(const op::Shortcut& shortcut) {
        const Colour colour = ColourOf(shortcut.colour);
        if (colour == core::kNoColour) return;
        SelectFont();
        RECT measured{0, 0, 256, 256};
        DrawTextAnyPlatform(dc_, shortcut.text, measured, DT_CALCRECT | DT_SINGLELINE);
        const int x = shortcut.right - shortcut.margin - (measured.right - measured.left);
        DrawCaption(dc_, shortcut.text, x, shortcut.top, shortcut.right - x, shortcut.height, colour,
                    core::commandbar::Orientation::Top, false);
    }
    void operator()(const op::SubmenuArrow& arrow) const {
        DrawSubmenuArrow(dc_, arrow.cell.left, arrow.cell.top, arrow.cell.width, arrow.cell.height);
    }
    void operator()(const op::DropDownArrow& arrow) const {
        const PaintRect& r = arrow.cell;
        DrawDropDownArrow(dc_, r.left, r.top, r.width, r.height, GetElementColour(arrow.element), arrow.orientation);
    }
    void operator()(const op::ThemedPart& part) const {
        const PaintRect& r = part.rect;
        DrawThemedToolbarPart(ToHwnd(part.window), dc_, r.left, r.top, r.width, r.height, part.enabled, part.hot,
                              part.buttonStyle, part.dropDownPart, part.orientation, part.checked, part.pressed);
    }
    void operator()(const op::Panel& panel) const { PlacePanelControl(panel, tools_.barWindow); }

private:
    void SelectFont() {
        if (!font_.Selected() && tools_.font) font_ = win::SelectGuard(dc_, tools_.font);
    }

    const ButtonPaintTools& tools_;
    HDC dc_;
    win::SelectGuard font_;  // the previous font comes back when the plan is done
};

}  // namespace

void PaintButton(const ButtonPaintTools& tools, core::commandbar::BarPaintState bar,
                 const core::commandbar::ButtonPaintState& button) {
    bar.style = static_cast<core::ColourStyle>(GetStyle());
    bar.visualStyles = bar.style == core::ColourStyle::System && HasToolbarTheme(ToHwnd(bar.barWindow));
    RunButtonPaintPlan(tools, core::commandbar::PlanButtonPaint(bar, button));
}

void Win32ButtonPainter::Paint(const core::commandbar::ButtonRecord& button,
                               core::commandbar::DrawButtonParams& params) {
    const ButtonPaintTools tools{reinterpret_cast<HDC>(params.hdc), reinterpret_cast<HFONT>(params.font),
                                 reinterpret_cast<CommandBarImageList*>(params.imageList), ToHwnd(params.hwnd)};
    const auto style = static_cast<core::ColourStyle>(GetStyle());
    const core::commandbar::BarPaintState bar = core::commandbar::BarPaintStateOf(params, style, keyboardDriven_);
    PaintButton(tools, bar, core::commandbar::ButtonPaintStateOf(button, bar, Keyboard()));
}

void RunButtonPaintPlan(const ButtonPaintTools& tools, const std::vector<core::commandbar::PaintOp>& ops) {
    PlanRunner runner(tools);
    for (const core::commandbar::PaintOp& paintOp : ops) std::visit(runner, paintOp);
}

}  // namespace commandbar
