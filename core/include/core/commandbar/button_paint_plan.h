#pragma once
// What painting one button draws, worked out without a device context: the painter of the Win32
// side runs the list in order. A button paints either as a drop-down menu item or as a tool bar
// (or menu bar) button; colours are named by colour element and looked up when the list runs, so a
// list stays right across a change of style colours but not across a change of `Style` itself.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/colour_math.h"
#include "core/commandbar/command_bar_types.h"
#include "core/commandbar/draw_button_params.h"
#include "core/commandbar/icon_states.h"
#include "core/commandbar/style_colours.h"

namespace core::commandbar {

class ButtonRecord;
class KeyboardLayout;

// The caption of a pressed, hovered button in the system style with visual styles: the
// button-highlight system colour.
inline constexpr Colour kPressedThemedCaption = SystemColourRef(20);

// What the bar knows when it paints one of its buttons.
struct BarPaintState {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t size = 0;    // length along the bar
    std::int32_t height = 0;  // thickness across it
    bool enabled = true;
    Orientation orientation = Orientation::Top;
    SizeStyle sizeStyle = SizeStyle::Toolbar;
    bool rightToLeft = false;
    bool mouseOverButton = false;
    bool mouseDownButton = false;
    bool mouseOverSplit = false;
    bool mouseDownSplit = false;
    bool showingMenu = false;  // this button's drop-down is open
    bool hidden = false;       // moved to the chevron
    ButtonTextPosition buttonPosition = ButtonTextPosition::Beside;
    std::int32_t toolbarSize = 0;
    std::int32_t iconWidth = 0;
    std::int32_t iconHeight = 0;
    ColourStyle style = ColourStyle::Themed;
    bool keyboardDriven = false; // the open menus are being driven from the keyboard
    bool visualStyles = false;   // the system style's themed parts are drawn
    WindowHandle barWindow = 0;
};

// The button's own state, as painting reads it.
struct ButtonPaintState {
    ButtonStyle style = ButtonStyle::Normal;
    std::wstring caption;
    std::wstring shortcutText;
    std::int32_t iconIndex = -1;
    Colour colourBox = kNoColour;
    bool visible = true;
    bool enabled = true;
    bool active = true;  // the effective enabled state for the bar's orientation
    bool locked = false;
    bool checked = false;
    bool hasSubBar = false;
    bool showCaptionInToolbar = false;
    bool showDropDownInToolbar = false;
    CustomiseState customiseState = CustomiseState::NoCheckBox;
    std::int32_t spacing = 4;
    std::int32_t splitWidth = 11;
    std::int32_t menuRightMargin = 20;
    WindowHandle panelControl = 0;
    WindowHandle ownerWindow = 0;
};

ButtonPaintState ButtonPaintStateOf(const ButtonRecord& button, const BarPaintState& bar,
                                    const KeyboardLayout& keyboard);

// What a bar's painting pass hands its painter, with what only the process knows beside it.
BarPaintState BarPaintStateOf(const DrawButtonParams& params, ColourStyle style, bool keyboardDriven);

struct PaintRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const PaintRect&, const PaintRect&) = default;
};

// A colour element, or (element 0) an OLE colour.
struct PaintColour {
    int element = 0;
    Colour colour = kNoColour;
    friend bool operator==(const PaintColour&, const PaintColour&) = default;
};

namespace paint_op {

// Top to bottom.
struct Gradient {
    PaintRect rect;
    int startElement = 0;
    int endElement = 0;
};
struct Outline {
    PaintRect rect;
    int element = 0;
};
// One pixel wide.
struct Line {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t length = 0;
    bool vertical = false;
    int element = 0;
};
// The icon when iconIndex >= 0, otherwise the colour box.
struct Icon {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t iconIndex = -1;
    Colour colourBox = kNoColour;
    IconState drawState = IconState::Normal;
};
struct CheckMark {
    PaintRect cell;
};
// In the bar's font; vertical bars have it rotated.
struct Caption {
    PaintRect rect;
    std::wstring text;
    PaintColour colour;
    Orientation orientation = Orientation::Top;
    bool centred = false;
};
// Ends `margin` short of `right`; its width is known only to the device context.
struct Shortcut {
    std::wstring text;
    std::int32_t right = 0;
    std::int32_t margin = 0;
    std::int32_t top = 0;
    std::int32_t height = 0;
    PaintColour colour;
};
struct SubmenuArrow {
    PaintRect cell;
};
struct DropDownArrow {
    PaintRect cell;
    int element = 0;
    Orientation orientation = Orientation::Top;
};
struct ThemedPart {
    PaintRect rect;
    WindowHandle window = 0;
    bool enabled = false;
    bool hot = false;
    ButtonStyle buttonStyle = ButtonStyle::Normal;
    bool dropDownPart = false;
    Orientation orientation = Orientation::Top;
    bool checked = false;
    bool pressed = false;
};
// A panel's hosted control: shown or hidden, and when `move` placed at x with the width, centred
// vertically in (centreTop, centreHeight) by its own height.
struct Panel {
    WindowHandle control = 0;
    bool visible = false;
    bool move = false;
    std::int32_t x = 0;
    std::int32_t width = 0;
    std::int32_t centreTop = 0;
    std::int32_t centreHeight = 0;
};

}  // namespace paint_op

using PaintOp = std::variant<paint_op::Gradient, paint_op::Outline, paint_op::Line, paint_op::Icon, paint_op::CheckMark,
                             paint_op::Caption, paint_op::Shortcut, paint_op::SubmenuArrow, paint_op::DropDownArrow,
                             paint_op::ThemedPart, paint_op::Panel>;

// The drawing of one button, in order. Coordinates that would leave 32 bits raise the overflow
// error before anything is planned.
std::vector<PaintOp> PlanButtonPaint(const BarPaintState& bar, const ButtonPaintState& button);

}  // namespace core::commandbar
