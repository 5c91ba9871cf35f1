// Paints every kind of button in its states, in the four colour styles, into one picture,
// button_contact_sheet.png at the top of the build tree, for a person to look at: per style a
// horizontal tool bar, one with captions below the icons, a vertical bar, a menu and a customise
// list. The check here only makes sure that each panel drew buttons.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "commandbar/button_painter.h"
#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_image_list.h"
#include "commandbar/drawing_utilities.h"
#include "imaging/image_list.h"
#include "support/png_writer.h"
#include "win/dib_surface.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/module.h"

namespace commandbar {
namespace {

namespace el = core::colour_element;
using core::commandbar::BarPaintState;
using core::commandbar::ButtonPaintState;
using core::commandbar::ButtonStyle;
using core::commandbar::ButtonTextPosition;
using core::commandbar::Orientation;
using core::commandbar::SizeStyle;

constexpr int kPanelHeight = 310;
constexpr int kSheetWidth = 900;
constexpr int kSheetHeight = 4 * kPanelHeight + 8;
const wchar_t* const kIconNames[] = {L"Load_fonts", L"Exit", L"Settings", L"License", L"Home_page", L"Send_mail"};

// One button to paint, with the state the bar hands it.
struct Sample {
    ButtonPaintState button;
    int size = 24;
    bool over = false, down = false, overSplit = false, downSplit = false, menu = false, keyboard = false;
};

using Style = ButtonStyle;
constexpr Style kSplit = ButtonStyle::Split;
const ButtonPaintState kSeparator{.style = ButtonStyle::Separator, .active = false};

std::vector<Sample> ToolbarSamples() {
    return {
        {.button = {.iconIndex = 0}},
        {.button = {.iconIndex = 0}, .over = true},
        {.button = {.iconIndex = 0}, .over = true, .down = true},
        {.button = {.style = Style::Check, .iconIndex = 1, .checked = true}},
        {.button = {.style = Style::Check, .iconIndex = 1, .checked = true}, .over = true},
        {.button = {.iconIndex = 2, .enabled = false, .active = false}},
        {.button = {.iconIndex = 2, .enabled = false, .active = false}, .over = true, .keyboard = true},
        {.button = {.iconIndex = 3, .hasSubBar = true, .showDropDownInToolbar = true}, .size = 31},
        {.button = {.iconIndex = 3, .hasSubBar = true, .showDropDownInToolbar = true}, .size = 31, .menu = true},
        {.button = kSeparator, .size = 8},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35, .over = true},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35, .over = true, .down = true},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35, .overSplit = true, .downSplit = true},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35, .menu = true},
        {.button = kSeparator, .size = 8},
        {.button = {.colourBox = core::MakeRgb(220, 40, 40)}},
        {.button = {.caption = L"Шрифты", .iconIndex = 5, .showCaptionInToolbar = true}, .size = 72},
        {.button = {.caption = L"Шрифты", .iconIndex = 5, .showCaptionInToolbar = true}, .size = 72, .over = true},
        {.button =
             {.caption = L"Шрифты", .iconIndex = 5, .enabled = false, .active = false, .showCaptionInToolbar = true},
         .size = 72},
    };
}

std::vector<Sample> BelowSamples() {
    std::vector<Sample> samples;
    const wchar_t* names[] = {L"Обычная", L"Наведена", L"Нажата", L"Отмечена", L"Выключена"};
    for (int state = 0; state < 5; ++state) {
        ButtonPaintState button{.caption = names[state], .iconIndex = state, .enabled = state != 4,
                                .active = state != 4, .checked = state == 3, .showCaptionInToolbar = true};
        samples.push_back({.button = button, .size = 76, .over = state == 1 || state == 2, .down = state == 2});
    }
    return samples;
}

std::vector<Sample> VerticalSamples() {
    return {
        {.button = {.iconIndex = 0}},
        {.button = {.iconIndex = 1}, .over = true},
        {.button = kSeparator, .size = 8},
        {.button = {.iconIndex = 3, .hasSubBar = true, .showDropDownInToolbar = true}, .size = 36},
        {.button = {.style = kSplit, .iconIndex = 4}, .size = 35, .over = true},
    };
}

std::vector<Sample> MenuSamples() {
    return {
        {.button = {.caption = L"&Загрузить шрифты", .shortcutText = L"Ctrl+L", .iconIndex = 0}},
        {.button = {.caption = L"&Настройки...", .shortcutText = L"F2", .iconIndex = 2}, .over = true},
        {.button = {.caption = L"Выключена", .iconIndex = 1, .enabled = false}},
        {.button = {.caption = L"Выключена, с клавиатуры", .iconIndex = 1, .enabled = false},
         .over = true,
         .keyboard = true},
        {.button = {.caption = L"Отмечена", .checked = true}},
        {.button = {.caption = L"Отмечена со значком", .iconIndex = 3, .checked = true}, .over = true},
        {.button = {.style = ButtonStyle::Separator}},
        {.button = {.caption = L"Цвет", .colourBox = core::MakeRgb(40, 120, 220)}},
        {.button = {.caption = L"Размер &шрифта", .iconIndex = 4, .hasSubBar = true}},
        {.button = {.caption = L"Подменю открыто", .iconIndex = 4, .hasSubBar = true}, .menu = true},
    };
}

std::vector<Sample> CustomiseSamples() {
    std::vector<Sample> samples;
    for (int state = 0; state < 3; ++state) {
        ButtonPaintState button{.caption = state == 2 ? L"Сбросить" : L"Пункт", .iconIndex = state,
                                .enabled = state != 0, .customiseState = static_cast<core::commandbar::CustomiseState>(state)};
        samples.push_back({.button = button, .over = state == 1});
    }
    return samples;
}

class SheetPainter {
public:
    SheetPainter(HDC dc, HFONT font, HFONT vertical, CommandBarImageList& menuIcons)
        : dc_(dc), font_(font), vertical_(vertical), icons_(menuIcons) {}

    void Label(const std::wstring& text, int x, int y, int width = 200) {
        win::SelectGuard select(dc_, font_);
        DrawCaption(dc_, text, x, y, width, 16, core::kBlack, Orientation::Top, false);
    }

    // A bar's background as the control paints it; style 3 leaves it to the button face.
    void BarBackground(int left, int top, int width, int height, bool vertical) {
        Colour start = GetElementColour(el::kBarBackStart);
        Colour end = GetElementColour(el::kBarBackEnd);
        if (start == core::kNoColour) start = end = win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE));
        FillGradient(dc_, start, end, left, top, width, height, vertical);
    }

    void Bar(const std::vector<Sample>& samples, int left, int top, int thickness, Orientation orientation,
             ButtonTextPosition position) {
        const bool vertical = IsVerticalOrientation(orientation);
        int length = 0;
        for (const Sample& sample : samples) length += sample.size;
        BarBackground(left, top, vertical ? thickness : length + 4, vertical ? length + 4 : thickness, vertical);
        int at = 2;
        for (const Sample& sample : samples) {
            BarPaintState bar = State(sample, core::commandbar::SizeStyle::Toolbar, orientation);
            bar.left = vertical ? left : left + at;
            bar.top = vertical ? top + at : top;
            bar.size = vertical ? thickness : sample.size;
            bar.height = vertical ? sample.size : thickness;
            bar.toolbarSize = thickness;
            bar.buttonPosition = position;
            Paint(bar, sample, vertical ? vertical_ : font_);
            at += sample.size;
        }
    }

    void Menu(const std::vector<Sample>& samples, int left, int top, int width, SizeStyle sizeStyle) {
        int height = 2;
        for (const Sample& sample : samples) height += sample.button.style == ButtonStyle::Separator ? 3 : 24;
        const Colour back = GetElementColour(el::kMenuBackStart);
        FillGradient(dc_, back, GetElementColour(el::kMenuBackEnd), left, top, width, height, false);
        BarBackground(left + 1, top + 1, 24, height - 2, true);
        DrawRectOutline(dc_, GetElementColour(el::kMenuBorder), left, top, width, height);
        int y = top + 1;
        for (const Sample& sample : samples) {
            BarPaintState bar = State(sample, sizeStyle, Orientation::Top);
            bar.left = left;
            bar.top = y;
            bar.size = width;
            bar.height = sample.button.style == ButtonStyle::Separator ? 3 : 24;
            Paint(bar, sample, font_);
            y += bar.height;
        }
    }

private:
    BarPaintState State(const Sample& sample, SizeStyle sizeStyle, Orientation orientation) const {
        BarPaintState bar;
        bar.sizeStyle = sizeStyle;
        bar.orientation = orientation;
        bar.iconWidth = icons_.IconWidth();
        bar.iconHeight = icons_.IconHeight();
        bar.mouseOverButton = sample.over;
        bar.mouseDownButton = sample.down;
        bar.mouseOverSplit = sample.overSplit;
        bar.mouseDownSplit = sample.downSplit;
        bar.showingMenu = sample.menu;
        bar.keyboardDriven = sample.keyboard;
        return bar;
    }

    void Paint(const BarPaintState& bar, const Sample& sample, HFONT font) {
        ButtonPaintTools tools{dc_, font, &icons_, nullptr};
        PaintButton(tools, bar, sample.button);
    }

    HDC dc_;
    HFONT font_;
    HFONT vertical_;
    CommandBarImageList& icons_;
};

std::wstring DataFolder() { return win::ExecutableDirectory() + L"\\..\\app\\Data\\icons\\menu\\"; }

TEST(ButtonContactSheet, PaintsEveryKindAndStateInEachStyle) {
    DetectPlatform();
    InitialiseColours();
    DetectDisplaySettings(::GetDesktopWindow());
    win::DibSurface sheet;
    ASSERT_TRUE(sheet.Create(kSheetWidth, kSheetHeight));
    const HDC dc = sheet.Dc();
    FillGradient(dc, core::kWhite, core::kWhite, 0, 0, kSheetWidth, kSheetHeight, false);
    win::UniqueFont font(
        ::CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma"));
    win::UniqueFont vertical(::CreateFontW(-11, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                           ANTIALIASED_QUALITY, 0, L"Tahoma"));

    imaging::ImageList list;
    list.IconSizeX = list.IconSizeY = 16;
    list.ColourDepth = 32;
    ASSERT_TRUE(list.Create());
    for (const wchar_t* name : kIconNames) {
        ASSERT_TRUE(list.AddFromFile(DataFolder() + name + L".ico", imaging::ImageType::Icon, name));
    }
    CommandBarImageList icons;
    icons.InitialiseFromHandle(list.Handle());

    const wchar_t* styleNames[] = {L"0 Blended", L"1 Themed", L"2 Dark", L"3 System"};
    for (int style = 0; style < 4; ++style) {
        SetStyle(style);
        icons.SetDisabledColour(GetElementColour(el::kToolbarTextDisabled));
        icons.SetHighlightColour(GetElementColour(el::kToolbarTextHot));
        const int top = 4 + style * kPanelHeight;
        SheetPainter painter(dc, font.get(), vertical.get(), icons);
        painter.Label(std::wstring(L"Style ") + styleNames[style], 8, top);
        painter.Bar(ToolbarSamples(), 8, top + 20, 26, Orientation::Top, ButtonTextPosition::Beside);
        painter.Bar(BelowSamples(), 8, top + 52, 44, Orientation::Top, ButtonTextPosition::Below);
        painter.Bar(VerticalSamples(), 400, top + 52, 26, Orientation::Left, ButtonTextPosition::Beside);
        painter.Menu(MenuSamples(), 440, top + 52, 240, core::commandbar::SizeStyle::PopupMenu);

        painter.Menu(CustomiseSamples(), 700, top + 52, 160, core::commandbar::SizeStyle::CustomiseList);

        // Each panel's first tool bar button and menu item drew over their backgrounds.
        const std::uint32_t* pixels = sheet.Pixels().data();
        EXPECT_NE(pixels[(top + 20 + 12) * kSheetWidth + 10 + 12], pixels[(top + 20 + 12) * kSheetWidth + 9])
            << "style " << style;
    }
    InitialiseColours();
    const std::wstring path = win::ExecutableDirectory() + L"\\..\\..\\button_contact_sheet.png";
    EXPECT_TRUE(testing_support::WritePng(path, sheet.Pixels().data(), kSheetWidth, kSheetHeight, 2));
}

}  // namespace
}  // namespace commandbar
