// Renders every icon in every state, all thirty colour elements in each style and each drawing
// primitive into one picture, contact_sheet.png at the top of the build tree, for a person to
// look at. The checks here only make sure that each part drew something.

#include <gtest/gtest.h>

#include <string>

#include "commandbar/command_bar_colours.h"
#include "commandbar/command_bar_image_list.h"
#include "commandbar/drawing_utilities.h"
#include "core/commandbar/style_colours.h"
#include "imaging/image_list.h"
#include "support/canvas.h"
#include "support/png_writer.h"
#include "win/gdi.h"
#include "win/handles.h"
#include "win/module.h"

namespace commandbar {
namespace {

namespace element = core::colour_element;
using core::commandbar::ButtonStyle;
using testing_support::Canvas;

constexpr int kSheetWidth = 800;
constexpr int kSheetHeight = 700;
const wchar_t* const kIconNames[] = {L"Load_fonts", L"Exit",      L"Settings", L"License",
                                     L"Home_page",  L"Send_mail", L"About"};

std::wstring DataFolder() { return win::ExecutableDirectory() + L"\\..\\app\\Data\\icons\\"; }

void Label(HDC dc, HFONT font, const std::wstring& text, int x, int y, int width = 200, int height = 16) {
    win::SelectGuard select(dc, font);
    DrawCaption(dc, text, x, y, width, height, core::kBlack, Orientation::Top, false);
}

bool LoadIcons(imaging::ImageList& list, const wchar_t* folder, int size) {
    list.IconSizeX = list.IconSizeY = size;
    list.ColourDepth = 32;
    if (!list.Create()) return false;
    bool all = true;
    for (const wchar_t* name : kIconNames) {
        all = list.AddFromFile(DataFolder() + folder + L"\\" + name + L".ico", imaging::ImageType::Icon, name) && all;
    }
    return all;
}

// One row per rendering; returns the y below the block.
int DrawIconBlock(HDC dc, HFONT font, imaging::ImageList& list, int size, Colour disabled, Colour highlight,
                  Colour background, int top) {
    CommandBarImageList images;
    images.InitialiseFromHandle(list.Handle());
    images.SetDisabledColour(disabled);
    images.SetHighlightColour(highlight);
    const wchar_t* rows[] = {L"normal",         L"disabled",  L"dimmed",        L"highlighted",
                             L"list: selected", L"list: cut", L"list: disabled"};
    const int step = size + 8;
    for (int row = 0; row < 7; ++row) {
        const int y = top + row * step;
        Label(dc, font, rows[row], 8, y + (size - 16) / 2, 110);
        FillGradient(dc, background, background, 118, y - 3, 7 * step + 2, step, true);
        for (int icon = 0; icon < 7; ++icon) {
            const int x = 122 + icon * step;
            if (row < 4) {
                images.Draw(dc, icon, static_cast<core::IconState>(row), x, y);
            } else {
                list.DrawImage(icon + 1, dc, x, y, row == 4, row == 5, row == 6);
            }
        }
    }
    return top + 7 * step;
}

int DrawSwatches(HDC dc, HFONT font, HFONT smallFont, int top) {
    struct Row {
        const wchar_t* name;
        int style;
        core::ColourScheme scheme;
    };
    const Row rows[] = {{L"0 Blended", 0, core::ColourScheme::None},
                        {L"1 Themed", 1, core::ColourScheme::None},
                        {L"1 NormalColor", 1, core::ColourScheme::NormalColour},
                        {L"1 Metallic", 1, core::ColourScheme::Metallic},
                        {L"1 Homestead", 1, core::ColourScheme::Homestead},
                        {L"2 Dark", 2, core::ColourScheme::None},
                        {L"3 System", 3, core::ColourScheme::None}};
    constexpr int kCell = 20;
    for (int id = element::kFirst; id <= element::kLast; ++id) {
        win::SelectGuard select(dc, smallFont);
        DrawCaption(dc, std::to_wstring(id), 118 + (id - 1) * kCell, top, kCell, 14, core::kBlack, Orientation::Top,
                    true);
    }
    top += 16;
    const DesktopColours desktop;
    for (const Row& row : rows) {
        core::StylePalette palette;
        palette.SetStyle(row.style);
        palette.SetScheme(row.scheme);
        Label(dc, font, row.name, 8, top + 2, 110);
        for (int id = element::kFirst; id <= element::kLast; ++id) {
            const int x = 118 + (id - 1) * kCell;
            const Colour colour = palette.ElementColour(id, desktop);
            if (colour == core::kNoColour) {
                DrawRectOutline(dc, core::MakeRgb(200, 200, 200), x + 1, top + 1, kCell - 2, kCell - 2);
                win::UniquePen pen(::CreatePen(PS_SOLID, 1, RGB(200, 200, 200)));
                win::SelectGuard select(dc, pen.get());
                ::MoveToEx(dc, x + 1, top + 1, nullptr);
                ::LineTo(dc, x + kCell - 1, top + kCell - 1);
            } else {
                FillGradient(dc, colour, colour, x + 1, top + 1, kCell - 2, kCell - 2, true);
                DrawRectOutline(dc, core::kBlack, x, top, kCell, kCell);
            }
        }
        top += kCell + 2;
    }
    return top;
}

int DrawPrimitives(HWND window, HDC dc, HFONT font, HFONT verticalFont, int top) {
    FillGradient(dc, core::MakeRgb(209, 227, 251), core::MakeRgb(129, 169, 226), 8, top, 160, 24, true);
    FillGradient(dc, core::MakeRgb(253, 254, 211), core::MakeRgb(245, 185, 74), 176, top, 40, 60, false);
    DrawRectOutline(dc, core::MakeRgb(0, 45, 150), 224, top, 40, 24);
    DrawIconOrColourBox(dc, nullptr, -1, core::MakeRgb(0, 128, 0), 272, top, core::IconState::Normal);
    DrawIconOrColourBox(dc, nullptr, -1, core::kBlack, 292, top, core::IconState::Normal);
    DrawDropDownArrow(dc, 316, top, 12, 12, core::kBlack, Orientation::Top);
    DrawDropDownArrow(dc, 332, top, 12, 12, core::kBlack, Orientation::Left);
    DrawSubmenuArrow(dc, 348, top, 16, 16);
    DrawCheckMark(dc, 368, top, 16, 16);
    {
        win::SelectGuard select(dc, font);
        DrawCaption(dc, L"&Файл и &&прочее", 392, top, 140, 20, core::kBlack, Orientation::Top, false);
        DrawCaption(dc, L"По &центру", 392, top + 24, 140, 20, core::MakeRgb(0, 0, 160), Orientation::Top, true);
    }
    {
        win::SelectGuard select(dc, verticalFont);
        DrawCaption(dc, L"Вертикально", 540, top, 20, 100, core::kBlack, Orientation::Left, false);
    }
    // A checker tile repeated over a rectangle.
    Canvas tile(8, 8, RGB(230, 230, 250));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            ::SetPixelV(tile.dc(), x, y, RGB(120, 120, 200));
            ::SetPixelV(tile.dc(), x + 4, y + 4, RGB(120, 120, 200));
        }
    }
    TileBitmap(dc, 8, top + 32, 157, 30, tile.dc(), 8, 8, 3);
    const int themed = top + 72;
    DrawThemedToolbarPart(window, dc, 8, themed, 28, 28, true, false, ButtonStyle::Normal, false, Orientation::Top,
                          false, false);
    DrawThemedToolbarPart(window, dc, 40, themed, 28, 28, true, true, ButtonStyle::Normal, false, Orientation::Top,
                          false, false);
    DrawThemedToolbarPart(window, dc, 72, themed, 28, 28, true, true, ButtonStyle::Normal, false, Orientation::Top,
                          false, true);
    DrawThemedToolbarPart(window, dc, 104, themed, 28, 28, true, false, ButtonStyle::Normal, false, Orientation::Top,
                          true, false);
    DrawThemedToolbarPart(window, dc, 136, themed, 8, 28, true, false, ButtonStyle::Separator, false, Orientation::Top,
                          false, false);
    DrawThemedToolbarPart(window, dc, 148, themed, 22, 28, true, true, ButtonStyle::Split, false, Orientation::Top,
                          false, false);
    DrawThemedToolbarPart(window, dc, 170, themed, 12, 28, true, true, ButtonStyle::Split, true, Orientation::Top,
                          false, false);
    return themed + 36;
}

TEST(ContactSheet, RendersIconsSwatchesAndPrimitives) {
    DetectPlatform();
    InitialiseColours();
    DetectDisplaySettings(::GetDesktopWindow());
    win::UniqueWindow window(
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr));
    Canvas sheet(kSheetWidth, kSheetHeight, RGB(255, 255, 255));
    const HDC dc = sheet.dc();
    win::UniqueFont font(
        ::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma"));
    win::UniqueFont smallFont(
        ::CreateFontW(-9, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, L"Tahoma"));
    win::UniqueFont verticalFont(::CreateFontW(-12, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                               ANTIALIASED_QUALITY, 0, L"Tahoma"));

    imaging::ImageList menuIcons, toolbarIcons;
    ASSERT_TRUE(LoadIcons(menuIcons, L"menu", 16));
    ASSERT_TRUE(LoadIcons(toolbarIcons, L"toolbar", 32));

    SetStyle(3);
    int y = 8;
    Label(dc, font.get(), L"Menu icons 16 x 16 (style 3 colours)", 8, y, 400);
    y = DrawIconBlock(dc, font.get(), menuIcons, 16, GetElementColour(element::kMenuIconDisabled),
                      GetElementColour(element::kToolbarTextHot), GetElementColour(element::kMenuBackStart), y + 24);
    const int toolbarTop = 8;
    Label(dc, font.get(), L"Tool bar icons 32 x 32", 390, toolbarTop, 300);
    {
        // The tool bar block sits to the right of the menu block.
        Canvas block(410, 300, RGB(255, 255, 255));
        DrawIconBlock(block.dc(), font.get(), toolbarIcons, 32, GetElementColour(element::kToolbarTextDisabled),
                      GetElementColour(element::kToolbarTextHot),
                      GetElementColour(element::kBarBackStart) == -1
                          ? win::TranslateColour(core::SystemColourRef(COLOR_BTNFACE))
                          : GetElementColour(element::kBarBackStart),
                      4);
        ::BitBlt(dc, 380, toolbarTop + 20, 410, 300, block.dc(), 0, 0, SRCCOPY);
    }
    y = std::max(y, toolbarTop + 20 + 300) + 8;
    Label(dc, font.get(), L"The thirty colour elements in each style", 8, y, 400);
    y = DrawSwatches(dc, font.get(), smallFont.get(), y + 20) + 8;
    Label(dc, font.get(), L"Drawing primitives", 8, y, 400);
    const int bottom = DrawPrimitives(window.get(), dc, font.get(), verticalFont.get(), y + 20);
    EXPECT_LE(bottom, kSheetHeight);
    InitialiseColours();

    // Every icon cell of the first rows drew something.
    for (int icon = 0; icon < 7; ++icon) {
        const int x = 122 + icon * 24;
        EXPECT_GT(sheet.CountOtherThan(sheet.Pixel(x - 2, 34), x, 32, x + 16, 48), 20) << "menu icon " << icon;
    }
    const std::wstring path = win::ExecutableDirectory() + L"\\..\\..\\contact_sheet.png";
    EXPECT_TRUE(testing_support::WritePng(path, sheet.Bits(), sheet.width(), sheet.height(), 2));
}

}  // namespace
}  // namespace commandbar
