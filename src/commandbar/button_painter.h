#pragma once
// Paints one command bar button, as a menu item or as a tool bar button, on a device context: the
// core works out what to draw, this runs it with the drawing primitives, the palette's colours,
// the bar's font and image list. The bar's background is already painted.

#include <windows.h>

#include <vector>

#include "core/commandbar/bar_layout.h"
#include "core/commandbar/button_paint_plan.h"

namespace commandbar {

class CommandBarImageList;

struct ButtonPaintTools {
    HDC hdc = nullptr;
    HFONT font = nullptr;                  // selected for the texts and restored afterwards
    CommandBarImageList* images = nullptr; // may be null: icons then draw nothing
    HWND barWindow = nullptr;              // hosted controls are placed in its client coordinates
};

// Plans with the process's current colour style (whatever `bar` says of it) and paints.
void PaintButton(const ButtonPaintTools& tools, core::commandbar::BarPaintState bar,
                 const core::commandbar::ButtonPaintState& button);

// The painter a bar's painting pass calls: the parameters carry the DC, the font and the image
// list (a CommandBarImageList) as the platform keeps them.
class Win32ButtonPainter : public core::commandbar::ButtonPainter {
public:
    void SetKeyboardDriven(bool driven) noexcept { keyboardDriven_ = driven; }
    void Paint(const core::commandbar::ButtonRecord& button, core::commandbar::DrawButtonParams& params) override;

private:
    bool keyboardDriven_ = false;
};

void RunButtonPaintPlan(const ButtonPaintTools& tools, const std::vector<core::commandbar::PaintOp>& ops);

}  // namespace commandbar
