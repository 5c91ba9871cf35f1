#include "core/commandbar/button_paint_plan.h"

#include <initializer_list>

#include "core/commandbar/button_record.h"
#include "core/commandbar/button_platform.h"
#include "core/commandbar/command_bar_error.h"

namespace core::commandbar {

namespace {

namespace el = colour_element;
using namespace paint_op;

// Every coordinate is a sum of a few of these, so bounding them keeps every sum in 32 bits.
constexpr std::int32_t kGeometryLimit = 1 << 27;

void CheckGeometry(const BarPaintState& bar, const ButtonPaintState& button) {
    for (std::int32_t value : {bar.left, bar.top, bar.size, bar.height, bar.toolbarSize, bar.iconWidth, bar.iconHeight,
                               button.spacing, button.splitWidth, button.menuRightMargin}) {
        if (value > kGeometryLimit || value < -kGeometryLimit) RaiseCommandBarOverflow();
    }
}

bool HasImage(const ButtonPaintState& button) { return button.iconIndex >= 0 || button.colourBox != kNoColour; }

class MenuItemPlanner {
public:
    MenuItemPlanner(const BarPaintState& bar, const ButtonPaintState& button, std::vector<PaintOp>& ops)
        : bar_(bar), button_(button), ops_(ops), left_(bar.left), size_(bar.size) {}

    void Plan() {
        const bool customise = bar_.sizeStyle == SizeStyle::CustomiseList;
        const bool rtl = bar_.rightToLeft;
        const std::int32_t top = bar_.top;
        const std::int32_t height = bar_.height;
        enabled_ = customise ? button_.customiseState != CustomiseState::NoCheckBox : bar_.enabled && button_.enabled;
        std::int32_t textStart = rtl ? left_ + 4 : left_ + bar_.iconWidth + 16;
        // The customise box sits at the start of the line, so only there does it push the text.
        if (customise && !rtl) textStart += bar_.iconWidth + 6;

        if (button_.style == ButtonStyle::Separator) {
            ops_.push_back(Line{textStart, top + 1, left_ + size_ - textStart, false, el::kSeparatorDark});
            return;
        }

        const bool hot = bar_.mouseOverButton || bar_.showingMenu;
        if (hot && (enabled_ || bar_.keyboardDriven)) {
            if (enabled_) {
                checkStart_ = el::kMenuCheckHotStart;
                checkEnd_ = el::kMenuCheckHotEnd;
            }
            const PaintRect highlight{left_ + 2, top + 1, size_ - 4, height - 1};
            ops_.push_back(Gradient{highlight, enabled_ ? el::kMenuHotStart : el::kMenuBackStart,
                                    enabled_ ? el::kMenuHotEnd : el::kMenuBackEnd});
            ops_.push_back(Outline{highlight, el::kHotBorder});
        }

        if (customise) {
            if (button_.customiseState != CustomiseState::NoCheckBox) {
                CheckBox();
                if (button_.customiseState == CustomiseState::Checked) ops_.push_back(CheckMark{IconCell()});
            }
            // The rest of the item is painted beside the box.
            if (!rtl) left_ += bar_.iconWidth + 4;
            size_ -= bar_.iconWidth + 4;
        }
        if (button_.checked) CheckBox();
        const PaintRect cell = IconCell();
        if (HasImage(button_)) {
            ops_.push_back(Icon{cell.left, cell.top, button_.iconIndex, button_.colourBox,
                                enabled_ ? IconState::Normal : IconState::Disabled});
        } else if (button_.checked) {
            ops_.push_back(CheckMark{cell});
        }

        const PaintColour text{button_.enabled ? (hot ? el::kMenuTextHot : el::kMenuText) : el::kMenuTextDisabled};
        const std::int32_t right = left_ + size_;
        if (!button_.caption.empty()) {
            ops_.push_back(Caption{{textStart, top, right - textStart, height}, button_.caption, text, Orientation::Top, false});
        }
        if (rtl) return;
        const std::int32_t margin = button_.menuRightMargin;
        if (!button_.shortcutText.empty()) ops_.push_back(Shortcut{button_.shortcutText, right, margin, top, height, text});
        if (button_.hasSubBar) ops_.push_back(SubmenuArrow{{right - margin, top, margin, height}});
    }

private:
    void CheckBox() {
        const std::int32_t x = bar_.rightToLeft ? left_ + size_ - bar_.iconWidth - 8 : left_ + 3;
        const PaintRect box{x, bar_.top + 2, bar_.iconWidth + 5, bar_.iconHeight + 5};
        ops_.push_back(Gradient{box, checkStart_, checkEnd_});
        ops_.push_back(Outline{box, el::kHotBorder});
    }

    PaintRect IconCell() const {
        const std::int32_t x = bar_.rightToLeft ? left_ + size_ - bar_.iconWidth - 6 : left_ + 5;
        return {x, bar_.top + (bar_.height - bar_.iconHeight) / 2, bar_.iconWidth, bar_.iconHeight};
    }

    const BarPaintState& bar_;
    const ButtonPaintState& button_;
    std::vector<PaintOp>& ops_;
    std::int32_t left_;
    std::int32_t size_;
    bool enabled_ = false;
    int checkStart_ = el::kMenuCheckStart;
    int checkEnd_ = el::kMenuCheckEnd;
};

// Background, caption and border of a tool bar button by its state.
struct ToolbarLook {
    int start = 0;  // 0: no background of its own
    int end = 0;
    bool textHot = false;
    bool border = false;
    bool outlineDropDown = false;
    bool fillDropDownHot = false;
    IconState iconState = IconState::Normal;
};

constexpr ToolbarLook kBack{el::kButtonBackStart, el::kButtonBackEnd};
constexpr ToolbarLook kBarBack{el::kBarBackStart, el::kBarBackEnd, false, true};
constexpr ToolbarLook kPressed{el::kButtonPressedStart, el::kButtonPressedEnd, true, true};
constexpr ToolbarLook kHot{el::kButtonHotStart, el::kButtonHotEnd, true, true};
constexpr ToolbarLook kChecked{el::kButtonCheckedStart, el::kButtonCheckedEnd, false, true};

ToolbarLook SplitLook(const BarPaintState& bar) {
    if ((bar.mouseDownSplit && bar.mouseOverSplit) || bar.showingMenu) {
        ToolbarLook look = kBarBack;
        look.textHot = true;
        return look;
    }
    const bool over = bar.mouseOverButton || bar.mouseOverSplit;
    const bool pressed = bar.mouseDownButton || bar.mouseDownSplit;
    if (!over && !pressed) return kBack;
    ToolbarLook look = over && bar.mouseDownButton ? kPressed : kHot;
    look.outlineDropDown = true;
    look.fillDropDownHot = over && bar.mouseDownButton;
    return look;
}

ToolbarLook ActiveLook(const BarPaintState& bar, const ButtonPaintState& button) {
    if (button.style == ButtonStyle::Split) return SplitLook(bar);
    if (bar.showingMenu) {
        if (!button.hasSubBar) return kPressed;
        return bar.style == ColourStyle::Dark ? kPressed : kBarBack;
    }
    if (bar.mouseOverButton && bar.mouseDownButton) return button.hasSubBar ? kBarBack : kPressed;
    if (bar.mouseOverButton || bar.mouseDownButton) return button.checked ? kPressed : kHot;
    return button.checked ? kChecked : kBack;
}

class ToolbarPlanner {
public:
    ToolbarPlanner(const BarPaintState& bar, const ButtonPaintState& button, std::vector<PaintOp>& ops)
        : bar_(bar), button_(button), ops_(ops), vertical_(IsVerticalOrientation(bar.orientation)),
          split_(button.style == ButtonStyle::Split) {}

    void Plan() {
        if (button_.style == ButtonStyle::Separator) return PlanSeparator();
        const ToolbarLook look = Look();
        const bool arrow = split_ || (button_.hasSubBar && button_.showDropDownInToolbar);
        const PaintRect cell = ArrowCell();
        if (bar_.style == ColourStyle::System) {
            PlanThemedParts();
        } else {
            PlanBackground(look, cell);
        }
        if (button_.style == ButtonStyle::Panel && !vertical_) {
            if (button_.panelControl != 0) {
                ops_.push_back(Panel{button_.panelControl, !bar_.hidden && button_.visible, true, bar_.left + 1,
                                     bar_.size - 2, bar_.top, bar_.buttonPosition == ButtonTextPosition::Below ? bar_.toolbarSize : bar_.height});
            }
            return;
        }
        const Position icon = IconPosition();
        if (HasImage(button_)) {
            ops_.push_back(Icon{icon.x, icon.y, button_.iconIndex, button_.colourBox, look.iconState});
        }
        if (button_.showCaptionInToolbar && !button_.caption.empty()) PlanCaption(look, icon);
        if (arrow) {
            ops_.push_back(DropDownArrow{cell, LooksEnabled() ? el::kToolbarText : el::kToolbarTextDisabled,
                                         split_ ? Orientation::Top : bar_.orientation});
        }
    }

private:
    struct Position {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    // A locked button cannot be used but is drawn like an enabled one.
    bool LooksEnabled() const { return button_.active || button_.locked; }
    bool PressedAndHovered() const { return bar_.mouseDownButton && bar_.mouseOverButton; }
    bool HasImageAndCaption() const {
        return button_.showCaptionInToolbar && !button_.caption.empty() && button_.iconIndex >= 0;
    }

    ToolbarLook Look() const {
        if (!button_.active) {
            ToolbarLook look;
            look.iconState = LooksEnabled() ? IconState::Normal : IconState::Disabled;
            look.border = bar_.keyboardDriven && bar_.mouseOverButton;
            return look;
        }
        ToolbarLook look = ActiveLook(bar_, button_);
        const bool captionedBar = bar_.sizeStyle == SizeStyle::Toolbar;
        if (bar_.style == ColourStyle::Dark && captionedBar && HasImageAndCaption()) {
            look = ToolbarLook{0, 0, look.textHot};
            look.iconState = look.textHot ? IconState::Highlighted : IconState::Dimmed;
        }
        return look;
    }

    PaintRect ArrowCell() const {
        const std::int32_t sw = button_.splitWidth;
        std::int32_t x0 = bar_.left + bar_.size - 1 - sw;
        std::int32_t x1 = x0 + sw;
        std::int32_t y0 = bar_.top + 1;
        std::int32_t y1 = bar_.top + bar_.height - 1;
        if (vertical_ && !split_) {
            x0 = bar_.left + 1;
            x1 = bar_.left + bar_.size - 1;
            y0 = y1 - sw;
        } else if (bar_.rightToLeft && !vertical_) {
            x0 = bar_.left + 1;
            x1 = x0 + sw;
        }
        return {x0, y0, x1 - x0, y1 - y0};
    }

    void PlanThemedParts() {
        const WindowHandle window = bar_.barWindow;
        const std::int32_t left = bar_.left;
        const std::int32_t top = bar_.top;
        if (split_) {
            const bool hot = bar_.mouseOverButton || bar_.mouseOverSplit || bar_.showingMenu;
            const std::int32_t sw = button_.splitWidth;
            const bool dropDownPressed =
                PressedAndHovered() || (bar_.mouseDownSplit && bar_.mouseOverSplit) || bar_.showingMenu;
            ops_.push_back(ThemedPart{{left, top, bar_.size - sw, bar_.height}, window, button_.active, hot,
                                      button_.style, false, bar_.orientation, button_.checked, PressedAndHovered()});
            ops_.push_back(ThemedPart{{left + bar_.size - sw, top, sw, bar_.height}, window, button_.active, hot,
                                      button_.style, true, bar_.orientation, button_.checked, dropDownPressed});
            return;
        }
        const bool hot = bar_.mouseOverButton || bar_.showingMenu;
        ops_.push_back(ThemedPart{{left, top, bar_.size, bar_.height}, window, button_.active, hot, button_.style, false,
                                  bar_.orientation, button_.checked, PressedAndHovered() || bar_.showingMenu});
    }

    void PlanBackground(const ToolbarLook& look, const PaintRect& cell) {
        const PaintRect inner{bar_.left + 1, bar_.top + 1, bar_.size - 2, bar_.height - 2};
        if (look.start != 0) ops_.push_back(Gradient{inner, look.start, look.end});
        if (!look.border) return;
        ops_.push_back(Outline{inner, bar_.showingMenu ? el::kMenuBorder : el::kHotBorder});
        if (look.outlineDropDown) ops_.push_back(Outline{cell, el::kHotBorder});
        if (look.fillDropDownHot) {
            ops_.push_back(Gradient{{cell.left + 1, cell.top + 1, cell.width - 2, cell.height - 2}, el::kButtonHotStart,
                                    el::kButtonHotEnd});
        }
    }

    void PlanSeparator() {
        const std::int32_t spacing = button_.spacing;
        Line dark{};
        if (vertical_) {
            dark = Line{bar_.left + spacing, bar_.top + (bar_.height - 2) / 2, bar_.size - 2 * spacing, false};
        } else {
            dark = Line{bar_.left + (bar_.size - 2) / 2, bar_.top + spacing, bar_.height - 2 * spacing, true};
        }
        if (bar_.style == ColourStyle::System) {
            // The themed separator is two pixels thick and drawn for the button's own window.
            const PaintRect rect = dark.vertical ? PaintRect{dark.x, dark.y, 2, dark.length}
                                                 : PaintRect{dark.x, dark.y, dark.length, 2};
            const WindowHandle window = button_.ownerWindow != 0 ? button_.ownerWindow : bar_.barWindow;
            ops_.push_back(ThemedPart{rect, window, true, false, ButtonStyle::Separator, false, bar_.orientation});
            return;
        }
        dark.element = el::kSeparatorDark;
        Line light = dark;
        light.x += 1;
        light.y += 1;
        light.element = el::kSeparatorLight;
        ops_.push_back(dark);
        ops_.push_back(light);
    }

    Position IconPosition() const {
        const bool image = HasImage(button_);
        const std::int32_t iconWidth = image ? bar_.iconWidth : 0;
        const std::int32_t iconHeight = image ? bar_.iconHeight : 0;
        const std::int32_t left = bar_.left;
        const std::int32_t spacing = button_.spacing;
        Position at;
        if (vertical_) {
            at = {split_ ? left + spacing : left + (bar_.size - iconWidth) / 2, bar_.top + spacing};
        } else if (bar_.buttonPosition == ButtonTextPosition::Below && !button_.locked) {
            at = {left + (bar_.size - iconWidth) / 2, bar_.top + spacing};
        } else {
            at = {bar_.rightToLeft ? left + bar_.size - spacing - iconWidth : left + spacing,
                  bar_.top + (bar_.height - iconHeight) / 2};
        }
        if (!image) at.x = bar_.rightToLeft ? left + bar_.size - spacing : left + spacing;
        const bool pushed = button_.checked || PressedAndHovered();
        if (bar_.style == ColourStyle::System && button_.active && pushed && !bar_.showingMenu) {
            ++at.x;
            ++at.y;
        }
        return at;
    }

    void PlanCaption(const ToolbarLook& look, const Position& icon) {
        const bool image = HasImage(button_);
        // Without an image the caption takes the icon's room, as measuring gave it.
        const std::int32_t iconWidth = image ? bar_.iconWidth : 0;
        const std::int32_t iconHeight = image ? bar_.iconHeight : 0;
        const std::int32_t spacing = button_.spacing;
        const std::int32_t left = bar_.left;
        const std::int32_t top = bar_.top;
        PaintRect rect;
        if (vertical_) {
            rect = {left + spacing, top + iconHeight + 2 + spacing, bar_.size - 2 * spacing, bar_.height};
        } else if (bar_.buttonPosition == ButtonTextPosition::Below) {
            if (button_.style == ButtonStyle::Panel && !image) {
                rect = {left + 6, top + spacing, bar_.size - 12, bar_.toolbarSize - 2 * spacing - top};
            } else {
                const std::int32_t offset = iconHeight + spacing + 2;
                rect = {left + 6, top + offset, bar_.size - 12, bar_.height - offset};
            }
        } else {
            const std::int32_t gap = image ? 2 : 0;
            std::int32_t x = icon.x + iconWidth + 2 + gap;
            if (bar_.rightToLeft) x = left + spacing + 2 + (split_ ? button_.splitWidth + 2 : 0);
            rect = {x, top + spacing, bar_.size - iconWidth - 2 * spacing - 2 - gap, bar_.height - 2 * spacing};
        }
        PaintColour colour{el::kToolbarText};
        if (look.textHot && !button_.locked) colour.element = el::kToolbarTextHot;
        if (!LooksEnabled()) {
            colour.element = el::kToolbarTextDisabled;
        } else if (bar_.style == ColourStyle::System && bar_.visualStyles && PressedAndHovered()) {
            colour = PaintColour{0, kPressedThemedCaption};
        }
        const bool centred = bar_.buttonPosition == ButtonTextPosition::Below && !button_.locked;
        ops_.push_back(Caption{rect, button_.caption, colour, bar_.orientation, centred});
    }

    const BarPaintState& bar_;
    const ButtonPaintState& button_;
    std::vector<PaintOp>& ops_;
    const bool vertical_;
    const bool split_;
};

}  // namespace

BarPaintState BarPaintStateOf(const DrawButtonParams& params, ColourStyle style, bool keyboardDriven) {
    BarPaintState bar;
    bar.left = params.left;
    bar.top = params.top;
    bar.size = params.size;
    bar.height = params.height;
    bar.enabled = params.enabled;
    bar.orientation = params.orientation;
    bar.sizeStyle = params.sizeStyle;
    bar.rightToLeft = params.rightToLeft;
    bar.mouseOverButton = params.mouseOverButton;
    bar.mouseDownButton = params.mouseDownButton;
    bar.mouseOverSplit = params.mouseOverSplit;
    bar.mouseDownSplit = params.mouseDownSplit;
    bar.showingMenu = params.showingMenu;
    bar.hidden = params.hidden;
    bar.buttonPosition = params.buttonPosition;
    bar.toolbarSize = params.toolbarSize;
    bar.iconWidth = params.iconWidth;
    bar.iconHeight = params.iconHeight;
    bar.style = style;
    bar.keyboardDriven = keyboardDriven;
    bar.barWindow = params.hwnd;
    return bar;
}

ButtonPaintState ButtonPaintStateOf(const ButtonRecord& button, const BarPaintState& bar,
                                    const KeyboardLayout& keyboard) {
    ButtonPaintState state;
    state.style = button.Style();
    state.caption = button.Caption();
    // Only menu items show the shortcut, and naming it asks the keyboard layout.
    if (IsMenuSizeStyle(bar.sizeStyle)) state.shortcutText = button.GetShortcutText(keyboard);
    state.iconIndex = button.IconIndex();
    state.colourBox = button.ColourBox();
    state.visible = button.Visible();
    state.enabled = button.Enabled();
    state.active = button.IsActive(bar.orientation, bar.sizeStyle == SizeStyle::CustomiseList);
    state.locked = button.Locked();
    state.checked = button.Checked();
    state.hasSubBar = button.SubBar() != nullptr;
    state.showCaptionInToolbar = button.ShowCaptionInToolbar();
    state.showDropDownInToolbar = button.ShowDropDownInToolbar();
    state.customiseState = button.CustomiseState();
    state.spacing = button.Spacing();
    state.splitWidth = button.SplitWidth();
    state.menuRightMargin = button.MenuRightMargin();
    state.panelControl = button.PanelControl();
    state.ownerWindow = button.OwnerWindow();
    return state;
}

std::vector<PaintOp> PlanButtonPaint(const BarPaintState& bar, const ButtonPaintState& button) {
    CheckGeometry(bar, button);
    std::vector<PaintOp> ops;
    if ((!button.visible || bar.hidden) && bar.sizeStyle != SizeStyle::CustomiseList) {
        if (button.style == ButtonStyle::Panel && button.panelControl != 0) {
            ops.push_back(Panel{button.panelControl, false});
        }
        return ops;
    }
    if (IsMenuSizeStyle(bar.sizeStyle)) {
        MenuItemPlanner(bar, button, ops).Plan();
    } else {
        ToolbarPlanner(bar, button, ops).Plan();
    }
    return ops;
}

}  // namespace core::commandbar
