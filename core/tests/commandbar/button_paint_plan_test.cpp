#include "core/commandbar/button_paint_plan.h"

#include <gtest/gtest.h>

#include "core/commandbar/button_record.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"
#include "fakes.h"

namespace core::commandbar {

namespace {

namespace el = colour_element;
using namespace paint_op;

template <typename Op>
std::vector<Op> OpsOf(const std::vector<PaintOp>& ops) {
    std::vector<Op> found;
    for (const PaintOp& op : ops) {
        if (const Op* typed = std::get_if<Op>(&op)) found.push_back(*typed);
    }
    return found;
}

BarPaintState ToolbarAt(ColourStyle style = ColourStyle::Themed) {
    BarPaintState bar;
    bar.left = 10;
    bar.top = 2;
    bar.size = 40;
    bar.height = 30;
    bar.iconWidth = 16;
    bar.iconHeight = 16;
    bar.toolbarSize = 34;
    bar.style = style;
    bar.barWindow = 0x100;
    return bar;
}

BarPaintState MenuAt(SizeStyle sizeStyle = SizeStyle::PopupMenu) {
    BarPaintState bar = ToolbarAt();
    bar.sizeStyle = sizeStyle;
    bar.left = 0;
    bar.top = 20;
    bar.size = 200;
    bar.height = 24;
    return bar;
}

ButtonPaintState Captioned(ButtonStyle style = ButtonStyle::Normal) {
    ButtonPaintState button;
    button.style = style;
    button.caption = L"&Open";
    button.showCaptionInToolbar = true;
    return button;
}

int BackgroundOf(const std::vector<PaintOp>& ops) {
    const auto fills = OpsOf<Gradient>(ops);
    return fills.empty() ? 0 : fills.front().startElement;
}

int CaptionElementOf(const std::vector<PaintOp>& ops) {
    const auto captions = OpsOf<Caption>(ops);
    return captions.size() == 1 ? captions.front().colour.element : -1;
}

}  // namespace

TEST(ToolbarPaintPlan, BackgroundCaptionAndBorderFollowTheStateTable) {
    struct Row {
        const char* name;
        ButtonStyle style;
        bool subBar, checked, over, down, overSplit, downSplit, menu;
        ColourStyle colours;
        int background;
        bool textHot;
        int border;        // element of the button's outline, 0 for none
        bool dropDownCell; // the split cell outlined too
        bool dropDownFill; // and its inside refilled hot
    };
    const auto split = ButtonStyle::Split;
    const auto plain = ButtonStyle::Normal;
    const auto themed = ColourStyle::Themed;
    const auto dark = ColourStyle::Dark;
    const Row rows[] = {
        {"split part pressed and hovered", split, false, false, true, false, true, true, false, themed,
         el::kBarBackStart, true, el::kHotBorder, false, false},
        {"split menu open", split, false, false, false, false, false, false, true, themed, el::kBarBackStart, true,
         el::kMenuBorder, false, false},
        {"split button part pressed", split, false, false, true, true, false, false, false, themed,
         el::kButtonPressedStart, true, el::kHotBorder, true, true},
        {"split hovered on its arrow", split, false, false, false, false, true, false, false, themed,
         el::kButtonHotStart, true, el::kHotBorder, true, false},
        {"split pressed, mouse away", split, false, false, false, true, false, false, false, themed,
         el::kButtonHotStart, true, el::kHotBorder, true, false},
        {"split idle", split, false, false, false, false, false, false, false, themed, el::kButtonBackStart, false, 0,
         false, false},
        {"menu open with sub-bar", plain, true, false, true, false, false, false, true, themed, el::kBarBackStart,
         false, el::kMenuBorder, false, false},
        {"menu open with sub-bar, dark", plain, true, false, true, false, false, false, true, dark,
         el::kButtonPressedStart, true, el::kMenuBorder, false, false},
        {"menu open without sub-bar", plain, false, false, false, false, false, false, true, themed,
         el::kButtonPressedStart, true, el::kMenuBorder, false, false},
        {"pressed and hovered with sub-bar", plain, true, false, true, true, false, false, false, themed,
         el::kBarBackStart, false, el::kHotBorder, false, false},
        {"pressed and hovered", plain, false, false, true, true, false, false, false, themed, el::kButtonPressedStart,
         true, el::kHotBorder, false, false},
        {"hovered", plain, false, false, true, false, false, false, false, themed, el::kButtonHotStart, true,
         el::kHotBorder, false, false},
        {"checked and hovered", plain, false, true, true, false, false, false, false, themed, el::kButtonPressedStart,
         true, el::kHotBorder, false, false},
        {"pressed, mouse away", plain, false, false, false, true, false, false, false, themed, el::kButtonHotStart,
         true, el::kHotBorder, false, false},
        {"checked, pressed, mouse away", plain, false, true, false, true, false, false, false, themed,
         el::kButtonPressedStart, true, el::kHotBorder, false, false},
        {"checked", plain, false, true, false, false, false, false, false, themed, el::kButtonCheckedStart, false,
         el::kHotBorder, false, false},
        {"idle", plain, false, false, false, false, false, false, false, themed, el::kButtonBackStart, false, 0, false,
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPaintState bar = ToolbarAt(row.colours);
        bar.mouseOverButton = row.over;
        bar.mouseDownButton = row.down;
        bar.mouseOverSplit = row.overSplit;
        bar.mouseDownSplit = row.downSplit;
        bar.showingMenu = row.menu;
        ButtonPaintState button = Captioned(row.style);
        button.hasSubBar = row.subBar;
        button.checked = row.checked;
        const auto ops = PlanButtonPaint(bar, button);

        EXPECT_EQ(BackgroundOf(ops), row.background);
        EXPECT_EQ(CaptionElementOf(ops), row.textHot ? el::kToolbarTextHot : el::kToolbarText);
        const auto outlines = OpsOf<Outline>(ops);
        ASSERT_EQ(outlines.size(), (row.border ? 1u : 0u) + (row.dropDownCell ? 1u : 0u));
        if (row.border) {
            EXPECT_EQ(outlines[0].element, row.border);
            EXPECT_EQ(outlines[0].rect, (PaintRect{11, 3, 38, 28}));
        }
        const auto fills = OpsOf<Gradient>(ops);
        ASSERT_EQ(fills.size(), row.dropDownFill ? 2u : 1u);
        if (row.dropDownFill) {
            // The arrow cell is (38, 3)-(49, 31); its inside is refilled.
            EXPECT_EQ(outlines[1].rect, (PaintRect{38, 3, 11, 28}));
            EXPECT_EQ(fills[1].rect, (PaintRect{39, 4, 9, 26}));
            EXPECT_EQ(fills[1].startElement, el::kButtonHotStart);
        }
    }
}

TEST(ToolbarPaintPlan, InactiveLockedAndDarkCaptionedButtonsDrawNoBackground) {
    struct Row {
        const char* name;
        bool enabled, locked, keyboardDriven, over;
        ColourStyle colours;
        SizeStyle sizeStyle;
        bool showCaption;
        int background, outlines, iconState, caption;
    };
    const Row rows[] = {
        {"disabled", false, false, false, true, ColourStyle::Themed, SizeStyle::Toolbar, true, 0, 0, 1,
         el::kToolbarTextDisabled},
        {"disabled under keyboard", false, false, true, true, ColourStyle::Themed, SizeStyle::Toolbar, true, 0, 1, 1,
         el::kToolbarTextDisabled},
        {"locked looks enabled", true, true, false, false, ColourStyle::Themed, SizeStyle::Toolbar, true, 0, 0, 0,
         el::kToolbarText},
        {"dark captioned, idle", true, false, false, false, ColourStyle::Dark, SizeStyle::Toolbar, true, 0, 0, 2,
         el::kToolbarText},
        {"dark captioned, hot", true, false, false, true, ColourStyle::Dark, SizeStyle::Toolbar, true, 0, 0, 3,
         el::kToolbarTextHot},
        {"dark captioned on a menu bar", true, false, false, true, ColourStyle::Dark, SizeStyle::MenuBar, true,
         el::kButtonHotStart, 1, 0, el::kToolbarTextHot},
        {"dark without caption", true, false, false, true, ColourStyle::Dark, SizeStyle::Toolbar, false, el::kButtonHotStart,
         1, 0, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPaintState bar = ToolbarAt(row.colours);
        bar.sizeStyle = row.sizeStyle;
        bar.keyboardDriven = row.keyboardDriven;
        bar.mouseOverButton = row.over;
        ButtonPaintState button = Captioned();
        button.iconIndex = 2;
        button.showCaptionInToolbar = row.showCaption;
        button.active = row.enabled && !row.locked;
        button.locked = row.locked;
        const auto ops = PlanButtonPaint(bar, button);
        EXPECT_EQ(BackgroundOf(ops), row.background);
        EXPECT_EQ(OpsOf<Outline>(ops).size(), static_cast<std::size_t>(row.outlines));
        ASSERT_EQ(OpsOf<Icon>(ops).size(), 1u);
        EXPECT_EQ(static_cast<int>(OpsOf<Icon>(ops)[0].drawState), row.iconState);
        EXPECT_EQ(CaptionElementOf(ops), row.caption);
    }
}

TEST(ToolbarPaintPlan, SystemStyleDrawsThemedPartsInsteadOfFills) {
    BarPaintState bar = ToolbarAt(ColourStyle::System);
    bar.mouseOverButton = true;
    bar.mouseDownButton = true;
    ButtonPaintState button = Captioned(ButtonStyle::Split);
    button.iconIndex = 0;
    auto ops = PlanButtonPaint(bar, button);
    EXPECT_TRUE(OpsOf<Gradient>(ops).empty());
    EXPECT_TRUE(OpsOf<Outline>(ops).empty());
    auto parts = OpsOf<ThemedPart>(ops);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].rect, (PaintRect{10, 2, 29, 30}));
    EXPECT_FALSE(parts[0].dropDownPart);
    EXPECT_EQ(parts[1].rect, (PaintRect{39, 2, 11, 30}));
    EXPECT_TRUE(parts[1].dropDownPart);
    EXPECT_TRUE(parts[0].hot && parts[0].pressed && parts[1].pressed);
    EXPECT_EQ(parts[0].window, bar.barWindow);
    // Pressed: the icon moves one pixel right and down; the caption takes the button-highlight
    // colour where the theme draws the pressed part, the hot text colour where nothing is drawn.
    EXPECT_EQ(OpsOf<Icon>(ops)[0].x, 15);
    EXPECT_EQ(OpsOf<Icon>(ops)[0].y, 10);
    EXPECT_EQ(OpsOf<Caption>(ops)[0].colour, (PaintColour{el::kToolbarTextHot}));
    bar.visualStyles = true;
    EXPECT_EQ(OpsOf<Caption>(PlanButtonPaint(bar, button))[0].colour, (PaintColour{0, kPressedThemedCaption}));

    // Only the arrow pressed: the button part stays up; an open menu keeps the icon in place.
    bar.mouseDownButton = false;
    bar.mouseDownSplit = bar.mouseOverSplit = true;
    bar.showingMenu = true;
    ops = PlanButtonPaint(bar, button);
    parts = OpsOf<ThemedPart>(ops);
    EXPECT_FALSE(parts[0].pressed);
    EXPECT_TRUE(parts[1].pressed);
    EXPECT_EQ(OpsOf<Icon>(ops)[0].x, 14);

    // Any other button is one part, pressed while its menu is open.
    bar.mouseOverButton = bar.mouseOverSplit = bar.mouseDownSplit = false;
    button.style = ButtonStyle::Normal;
    button.checked = true;
    parts = OpsOf<ThemedPart>(PlanButtonPaint(bar, button));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].rect, (PaintRect{10, 2, 40, 30}));
    EXPECT_TRUE(parts[0].hot && parts[0].pressed && parts[0].checked);
}

TEST(ToolbarPaintPlan, SeparatorsAreTwoLinesOrOneThemedPart) {
    ButtonPaintState separator;
    separator.style = ButtonStyle::Separator;
    separator.active = false;
    separator.ownerWindow = 0x200;
    BarPaintState bar = ToolbarAt();
    bar.size = 8;
    auto lines = OpsOf<Line>(PlanButtonPaint(bar, separator));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(lines[0].vertical);
    EXPECT_EQ(lines[0].element, el::kSeparatorDark);
    EXPECT_EQ(lines[0].x, 13);
    EXPECT_EQ(lines[0].y, 6);
    EXPECT_EQ(lines[0].length, 22);
    EXPECT_EQ(lines[1].element, el::kSeparatorLight);
    EXPECT_EQ(lines[1].x, 14);
    EXPECT_EQ(lines[1].y, 7);

    bar.orientation = Orientation::Left;
    bar.size = 40;
    bar.height = 8;
    lines = OpsOf<Line>(PlanButtonPaint(bar, separator));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FALSE(lines[0].vertical);
    EXPECT_EQ(lines[0].x, 14);
    EXPECT_EQ(lines[0].y, 5);
    EXPECT_EQ(lines[0].length, 32);

    bar.style = ColourStyle::System;
    const auto ops = PlanButtonPaint(bar, separator);
    ASSERT_EQ(ops.size(), 1u);
    const auto part = std::get<ThemedPart>(ops[0]);
    EXPECT_EQ(part.rect, (PaintRect{14, 5, 32, 2}));
    EXPECT_EQ(part.window, separator.ownerWindow);
    EXPECT_EQ(part.buttonStyle, ButtonStyle::Separator);
}

TEST(ToolbarPaintPlan, DropDownArrowCellFollowsOrientationAndDirection) {
    struct Row {
        const char* name;
        ButtonStyle style;
        std::int32_t orientation;
        bool rightToLeft;
        PaintRect cell;
        std::int32_t arrowOrientation;
    };
    const Row rows[] = {
        {"horizontal", ButtonStyle::Normal, 0, false, {38, 3, 11, 28}, 0},
        {"right to left", ButtonStyle::Normal, 3, true, {11, 3, 11, 28}, 3},
        {"vertical, along the bottom", ButtonStyle::Normal, 1, false, {11, 20, 38, 11}, 1},
        {"split in a vertical bar", ButtonStyle::Split, 2, false, {38, 3, 11, 28}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPaintState bar = ToolbarAt();
        bar.orientation = static_cast<Orientation>(row.orientation);
        bar.rightToLeft = row.rightToLeft;
        ButtonPaintState button;
        button.style = row.style;
        button.hasSubBar = true;
        button.showDropDownInToolbar = true;
        const auto arrows = OpsOf<DropDownArrow>(PlanButtonPaint(bar, button));
        ASSERT_EQ(arrows.size(), 1u);
        EXPECT_EQ(arrows[0].cell, row.cell);
        EXPECT_EQ(static_cast<std::int32_t>(arrows[0].orientation), row.arrowOrientation);
        EXPECT_EQ(arrows[0].element, el::kToolbarText);
    }
    ButtonPaintState noArrow;
    noArrow.hasSubBar = true;
    EXPECT_TRUE(OpsOf<DropDownArrow>(PlanButtonPaint(ToolbarAt(), noArrow)).empty());
}

TEST(ToolbarPaintPlan, IconAndCaptionPositions) {
    struct Row {
        const char* name;
        std::int32_t orientation, buttonPosition;
        bool rightToLeft, icon;
        ButtonStyle style;
        std::int32_t iconX, iconY;
        PaintRect caption;
        bool centred;
    };
    // The button is (10, 2) 40 x 30, icons 16 x 16, spacing 4.
    const Row rows[] = {
        {"beside", 0, 0, false, true, ButtonStyle::Normal, 14, 9, {34, 6, 12, 22}, false},
        {"beside, no icon", 0, 0, false, false, ButtonStyle::Normal, 0, 0, {16, 6, 30, 22}, false},
        {"beside, right to left", 0, 0, true, true, ButtonStyle::Normal, 30, 9, {16, 6, 12, 22}, false},
        {"beside, right to left split", 0, 0, true, true, ButtonStyle::Split, 30, 9, {29, 6, 12, 22}, false},
        {"below", 0, 1, false, true, ButtonStyle::Normal, 22, 6, {16, 24, 28, 8}, true},
        {"vertical", 1, 0, false, true, ButtonStyle::Normal, 22, 6, {14, 24, 32, 30}, false},
        {"vertical split", 2, 0, false, true, ButtonStyle::Split, 14, 6, {14, 24, 32, 30}, false},
        {"vertical panel", 1, 0, false, true, ButtonStyle::Panel, 22, 6, {14, 24, 32, 30}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPaintState bar = ToolbarAt();
        bar.orientation = static_cast<Orientation>(row.orientation);
        bar.buttonPosition = static_cast<ButtonTextPosition>(row.buttonPosition);
        bar.rightToLeft = row.rightToLeft;
        ButtonPaintState button = Captioned(row.style);
        if (row.icon) button.iconIndex = 1;
        const auto ops = PlanButtonPaint(bar, button);
        const auto icons = OpsOf<Icon>(ops);
        ASSERT_EQ(icons.size(), row.icon ? 1u : 0u);
        if (row.icon) {
            EXPECT_EQ(icons[0].x, row.iconX);
            EXPECT_EQ(icons[0].y, row.iconY);
        }
        const auto captions = OpsOf<Caption>(ops);
        ASSERT_EQ(captions.size(), 1u);
        EXPECT_EQ(captions[0].rect, row.caption);
        EXPECT_EQ(captions[0].centred, row.centred);
        EXPECT_EQ(static_cast<std::int32_t>(captions[0].orientation), row.orientation);
    }
}

TEST(ToolbarPaintPlan, PanelsPlaceTheirControlAndHiddenButtonsPaintNothing) {
    BarPaintState bar = ToolbarAt();
    ButtonPaintState panel = Captioned(ButtonStyle::Panel);
    panel.panelControl = 0x300;
    panel.iconIndex = 0;
    panel.active = false;
    auto ops = PlanButtonPaint(bar, panel);
    ASSERT_EQ(ops.size(), 1u);
    auto placed = std::get<Panel>(ops[0]);
    EXPECT_TRUE(placed.visible && placed.move);
    EXPECT_EQ(placed.x, 11);
    EXPECT_EQ(placed.width, 38);
    EXPECT_EQ(placed.centreTop, 2);
    EXPECT_EQ(placed.centreHeight, 30);
    bar.buttonPosition = ButtonTextPosition::Below;
    EXPECT_EQ(std::get<Panel>(PlanButtonPaint(bar, panel)[0]).centreHeight, 34);

    bar.hidden = true;
    ops = PlanButtonPaint(bar, panel);
    ASSERT_EQ(ops.size(), 1u);
    placed = std::get<Panel>(ops[0]);
    EXPECT_FALSE(placed.visible || placed.move);

    // A hidden or invisible button paints nothing, except in the customise list.
    ButtonPaintState plain = Captioned();
    EXPECT_TRUE(PlanButtonPaint(bar, plain).empty());
    plain.visible = false;
    EXPECT_TRUE(PlanButtonPaint(ToolbarAt(), plain).empty());
    plain.customiseState = CustomiseState::Unchecked;
    EXPECT_FALSE(PlanButtonPaint(MenuAt(SizeStyle::CustomiseList), plain).empty());
}

TEST(MenuItemPaintPlan, HighlightFollowsMouseKeyboardAndEnabledState) {
    struct Row {
        const char* name;
        bool enabled, over, keyboardDriven;
        int highlight, caption;
    };
    const Row rows[] = {
        {"enabled under the mouse", true, true, false, el::kMenuHotStart, el::kMenuTextHot},
        {"enabled, mouse away", true, false, false, 0, el::kMenuText},
        {"disabled under the mouse", false, true, false, 0, el::kMenuTextDisabled},
        {"disabled under the mouse, keyboard", false, true, true, el::kMenuBackStart, el::kMenuTextDisabled},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BarPaintState bar = MenuAt();
        bar.mouseOverButton = row.over;
        bar.keyboardDriven = row.keyboardDriven;
        ButtonPaintState button = Captioned();
        button.enabled = row.enabled;
        button.iconIndex = 3;
        const auto ops = PlanButtonPaint(bar, button);
        EXPECT_EQ(BackgroundOf(ops), row.highlight);
        const auto outlines = OpsOf<Outline>(ops);
        ASSERT_EQ(outlines.size(), row.highlight ? 1u : 0u);
        if (row.highlight) {
            EXPECT_EQ(outlines[0].rect, (PaintRect{2, 21, 196, 23}));
            EXPECT_EQ(outlines[0].element, el::kHotBorder);
        }
        EXPECT_EQ(OpsOf<Icon>(ops)[0].drawState, row.enabled ? IconState::Normal : IconState::Disabled);
        EXPECT_EQ(CaptionElementOf(ops), row.caption);
    }
}

TEST(MenuItemPaintPlan, ItemDrawsBoxIconCaptionShortcutAndArrowInOrder) {
    BarPaintState bar = MenuAt();
    bar.showingMenu = true;
    ButtonPaintState button = Captioned();
    button.checked = true;
    button.colourBox = MakeRgb(0, 128, 0);
    button.shortcutText = L"Ctrl+O";
    button.hasSubBar = true;
    const auto ops = PlanButtonPaint(bar, button);
    ASSERT_EQ(ops.size(), 8u);
    EXPECT_EQ(std::get<Gradient>(ops[0]).startElement, el::kMenuHotStart);
    EXPECT_EQ(std::get<Gradient>(ops[2]).rect, (PaintRect{3, 22, 21, 21}));
    EXPECT_EQ(std::get<Gradient>(ops[2]).startElement, el::kMenuCheckHotStart);
    EXPECT_EQ(std::get<Outline>(ops[3]).element, el::kHotBorder);
    const auto icon = std::get<Icon>(ops[4]);
    EXPECT_EQ(icon.x, 5);
    EXPECT_EQ(icon.y, 24);
    EXPECT_EQ(icon.iconIndex, -1);
    EXPECT_EQ(icon.colourBox, button.colourBox);
    EXPECT_EQ(std::get<Caption>(ops[5]).rect, (PaintRect{32, 20, 168, 24}));
    const auto shortcut = std::get<Shortcut>(ops[6]);
    EXPECT_EQ(shortcut.right, 200);
    EXPECT_EQ(shortcut.margin, 20);
    EXPECT_EQ(shortcut.colour.element, el::kMenuTextHot);
    EXPECT_EQ(std::get<SubmenuArrow>(ops[7]).cell, (PaintRect{180, 20, 20, 24}));

    // Checked without icon or colour box: a tick in the icon cell, in the box's plain colours.
    button.colourBox = kNoColour;
    bar.showingMenu = false;
    const auto plain = PlanButtonPaint(bar, button);
    EXPECT_EQ(OpsOf<Gradient>(plain)[0].startElement, el::kMenuCheckStart);
    ASSERT_EQ(OpsOf<CheckMark>(plain).size(), 1u);
    EXPECT_EQ(OpsOf<CheckMark>(plain)[0].cell, (PaintRect{5, 24, 16, 16}));
    EXPECT_TRUE(OpsOf<Icon>(plain).empty());
}

TEST(MenuItemPaintPlan, RightToLeftSeparatorAndCustomiseLayouts) {
    BarPaintState bar = MenuAt();
    bar.rightToLeft = true;
    ButtonPaintState button = Captioned();
    button.checked = true;
    button.iconIndex = 0;
    button.shortcutText = L"F2";
    button.hasSubBar = true;
    auto ops = PlanButtonPaint(bar, button);
    EXPECT_EQ(OpsOf<Gradient>(ops)[0].rect.left, 176);
    EXPECT_EQ(OpsOf<Icon>(ops)[0].x, 178);
    EXPECT_EQ(OpsOf<Caption>(ops)[0].rect.left, 4);
    EXPECT_TRUE(OpsOf<Shortcut>(ops).empty());
    EXPECT_TRUE(OpsOf<SubmenuArrow>(ops).empty());

    ButtonPaintState separator;
    separator.style = ButtonStyle::Separator;
    ops = PlanButtonPaint(MenuAt(), separator);
    ASSERT_EQ(ops.size(), 1u);
    const auto line = std::get<Line>(ops[0]);
    EXPECT_EQ(line.x, 32);
    EXPECT_EQ(line.y, 21);
    EXPECT_EQ(line.length, 168);
    EXPECT_EQ(line.element, el::kSeparatorDark);

    // Customise list: the box and tick first, then the item beside it; state 2 has no box but
    // keeps the indent, and a hidden, disabled entry still paints as enabled.
    struct Row {
        std::int32_t state;
        std::size_t boxes, ticks;
    };
    for (const Row row : {Row{0, 1, 0}, Row{1, 1, 1}, Row{2, 0, 0}}) {
        SCOPED_TRACE(row.state);
        ButtonPaintState entry = Captioned();
        entry.customiseState = static_cast<CustomiseState>(row.state);
        entry.enabled = false;
        entry.visible = false;
        entry.iconIndex = 4;
        ops = PlanButtonPaint(MenuAt(SizeStyle::CustomiseList), entry);
        EXPECT_EQ(OpsOf<Gradient>(ops).size(), row.boxes);
        EXPECT_EQ(OpsOf<CheckMark>(ops).size(), row.ticks);
        EXPECT_EQ(OpsOf<Icon>(ops)[0].x, 25);
        EXPECT_EQ(OpsOf<Icon>(ops)[0].drawState, row.state == 2 ? IconState::Disabled : IconState::Normal);
        EXPECT_EQ(OpsOf<Caption>(ops)[0].rect.left, 54);
    }
}

TEST(ButtonPaintPlan, OutOfRangeGeometryIsTheOverflowError) {
    BarPaintState bar = ToolbarAt();
    bar.size = 0x7FFFFFF0;
    EXPECT_EQ(testing::ErrorNumberOf([&] { PlanButtonPaint(bar, Captioned()); }), error_number::kOverflow);
}

TEST(ButtonPaintPlan, StateOfAButtonRecord) {
    testing::FakeEnvironment environment;
    CommandBarRegistry registry(environment);
    testing::FakeKeyboard keyboard;
    ButtonRecord button(L"B");
    button.SetCaption(L"Go");
    button.SetShortcutKey(0x71);
    button.SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
    button.SetEnabled(false);
    button.SetCustomiseState(CustomiseState::Unchecked);
    BarRecord sub(registry, L"SUB");
    button.SetSubBar(&sub);

    const ButtonPaintState menu = ButtonPaintStateOf(button, MenuAt(SizeStyle::CustomiseList), keyboard);
    EXPECT_EQ(menu.shortcutText, L"Ctrl+F2");
    EXPECT_TRUE(menu.active);
    EXPECT_TRUE(menu.hasSubBar);
    EXPECT_FALSE(menu.enabled);
    const ButtonPaintState toolbar = ButtonPaintStateOf(button, ToolbarAt(), keyboard);
    EXPECT_TRUE(toolbar.shortcutText.empty());
    EXPECT_FALSE(toolbar.active);
    EXPECT_EQ(toolbar.caption, L"Go");
}

}  // namespace core::commandbar
