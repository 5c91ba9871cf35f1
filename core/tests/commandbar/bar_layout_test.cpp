#include "core/commandbar/bar_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/commandbar/command_bar_registry.h"
#include "fakes.h"

namespace core::commandbar {

namespace {

using testing::FakeControl;
using testing::FakeEnvironment;

struct Size {
    std::int32_t length = 0;
    // -1: the button leaves params.height as it finds it, as separators and panels do.
    std::int32_t height = -1;
};

class FakeHost : public LayoutHost {
public:
    std::map<std::wstring, Size> sizes;
    std::vector<WindowHandle> hiddenPanels;

    std::int32_t MeasureButton(ButtonRecord& button, MeasureButtonParams& params) override {
        const Size size = sizes.at(button.Key());
        if (size.height >= 0) params.height = size.height;
        return size.length;
    }
    void HidePanelControl(WindowHandle panel) override { hiddenPanels.push_back(panel); }
};

class FakePainter : public ButtonPainter {
public:
    std::vector<std::wstring> painted;
    void Paint(const ButtonRecord& button, DrawButtonParams& params) override {
        std::wostringstream text;
        text << button.Key() << L" " << params.left << L"," << params.top << L"," << params.size << L","
             << params.height << (params.mouseOverButton ? L" over" : L"") << (params.mouseDownSplit ? L" split" : L"");
        painted.push_back(text.str());
    }
};

// "[left,top,right,bottom]" per button, "-" for one behind the chevron.
std::string Describe(const std::vector<DisplayButtonInfo>& info) {
    std::ostringstream text;
    for (const DisplayButtonInfo& item : info) {
        if (text.tellp() > 0) text << ' ';
        if (item.hidden) {
            text << '-';
        } else {
            text << '[' << item.left << ',' << item.top << ',' << item.right << ',' << item.bottom << ']';
        }
    }
    return text.str();
}

class Layout : public ::testing::Test {
protected:
    Layout() { control.Register(); }

    // Buttons from a short recipe: "A30" (caption A, 30 long, 22 thick), "A30x25" (25 thick), "|" (a tool bar
    // separator, 8 long), "|10x3", "#25x19" (caption-less, a colour box). Prefixes: "~" invisible,
    // "?" infrequently used, "@" hosts a panel control.
    BarRecord& Build(const std::wstring& recipe) {
        BarRecord& bar = registry.AddBar(L"BAR" + std::to_wstring(++bars_));
        std::wistringstream tokens(recipe);
        std::wstring token;
        while (tokens >> token) {
            std::size_t at = 0;
            bool invisible = false, infrequent = false, panel = false;
            for (; at < token.size() && std::wstring(L"~?@").find(token[at]) != std::wstring::npos; ++at) {
                invisible |= token[at] == L'~';
                infrequent |= token[at] == L'?';
                panel |= token[at] == L'@';
            }
            std::size_t digits = token.find_first_of(L"0123456789", at);
            std::wstring name = token.substr(at, digits == std::wstring::npos ? std::wstring::npos : digits - at);
            Size size{name == L"|" ? 8 : 0, name == L"|" ? -1 : 22};
            if (digits != std::wstring::npos) {
                std::size_t x = token.find(L'x', digits);
                size.length = std::stoi(token.substr(digits, x - digits));
                if (x != std::wstring::npos) size.height = std::stoi(token.substr(x + 1));
            }
            const std::wstring key = L"K" + std::to_wstring(++buttons_);
            ButtonRecord& button = registry.AddButton(key);
            if (name == L"|") {
                button.SetStyle(ButtonStyle::Separator);
            } else if (name != L"#") {
                button.SetCaption(name);
            }
            button.SetVisible(!invisible);
            button.SetInfrequentlyUsed(infrequent);
            if (panel) button.SetPanelControl(900 + buttons_);
            host.sizes[key] = size;
            bar.Add(button);
        }
        return bar;
    }

    static MeasureButtonParams Params(SizeStyle style, Orientation orientation = Orientation::Top, bool rtl = false) {
        MeasureButtonParams params;
        params.sizeStyle = style;
        params.orientation = orientation;
        params.rightToLeft = rtl;
        params.height = 26;  // the control's client height
        return params;
    }

    FakeEnvironment environment;
    CommandBarRegistry registry{environment};
    FakeControl control{registry, environment, 100, 1000};
    FakeHost host;
    std::vector<DisplayButtonInfo> info;

private:
    int bars_ = 0;
    int buttons_ = 0;
};

struct BarCase {
    const char* name;
    std::wstring bar;
    std::int32_t available;
    SizeStyle style;
    Orientation orientation;
    bool rightToLeft;
    std::string expected;
    std::int32_t length;
    std::int32_t thickness;
};

}  // namespace

TEST_F(Layout, ToolbarsAndMenuBars) {
    const SizeStyle tool = SizeStyle::Toolbar;
    const Orientation top = Orientation::Top;
    const BarCase cases[] = {
        {"a second separator in a row takes no room", L"A20 | | B20", 100, tool, top, false,
         "[0,0,20,22] [20,0,28,22] [28,0,28,0] [28,0,48,22]", 48, 22},
        {"a first separator keeps the control's height", L"| A20", 100, tool, top, false, "[0,0,8,26] [8,0,28,22]",
         28, 26},
        {"invisible buttons take no room", L"A20 ~B20 C20", 100, tool, top, false, "[0,0,20,22] [20,0,20,0] [20,0,40,22]",
         40, 22},
        {"10 short without separators: only the last goes", L"A30 B30 C23", 73, tool, top, false,
         "[0,0,30,22] [30,0,60,22] -", 60, 22},
        {"10 short with a separator: its group goes", L"A30 B30 | C23", 81, tool, top, false,
         "[0,0,30,22] [30,0,60,22] - -", 60, 22},
        {"a menu bar wraps and adds the rows", L"A40x20 B40x20 C40x20", 100, SizeStyle::MenuBar, top, false,
         "[0,0,40,20] [40,0,80,20] [0,20,40,40]", 40, 40},
        {"a menu bar never hides; a row holds at least one button", L"A40 B40", 10, SizeStyle::MenuBar, top, false,
         "[0,0,40,22] [0,22,40,44]", 40, 44},
        {"a button that wraps has raised the row it leaves", L"A40x20 B40x30 C40x20", 60, SizeStyle::MenuBar, top,
         false, "[0,0,40,20] [0,30,40,60] [0,60,40,80]", 40, 80},
        {"right to left counts down", L"A20 B30", 100, tool, top, true, "[80,0,100,22] [50,0,80,22]", 50, 22},
        {"right to left hides what falls off the left", L"A20 B30", 40, tool, top, true, "[20,0,40,22] -", 20, 22},
        {"a right-to-left menu bar wraps", L"A40x20 B40x20 C40x20", 100, SizeStyle::MenuBar, top, true,
         "[60,0,100,20] [20,0,60,20] [60,20,100,40]", 60, 40},
        {"vertical: separators span, narrower buttons centre (halves to even)", L"A20x25 | B20x30 C20x27", 200, tool,
         Orientation::Left, false, "[2,0,27,20] [0,20,30,28] [0,28,30,48] [2,48,29,68]", 68, 30},
        {"vertical bars hide by their height", L"A20 B20 C20", 50, tool, Orientation::Right, false,
         "[0,0,22,20] [0,20,22,40] -", 40, 22},
        {"vertical bars free the hidden buttons' lengths", L"A30x10 B30x10 C30x10", 70, tool, Orientation::Left, false,
         "[0,0,10,30] [0,30,10,60] -", 60, 10},
        {"an empty bar", L"", 100, tool, top, false, "", 0, 0},
    };
    for (const BarCase& c : cases) {
        SCOPED_TRACE(c.name);
        BarRecord& bar = Build(c.bar);
        MeasureButtonParams params = Params(c.style, c.orientation, c.rightToLeft);
        info.clear();
        BarExtent extent = LayoutToolbar(bar, params, c.available, info, host);
        EXPECT_EQ(Describe(info), c.expected);
        EXPECT_EQ(extent.length, c.length);
        EXPECT_EQ(extent.thickness, c.thickness);
    }
}

TEST_F(Layout, WideningBringsGroupsBackWholeFromTheLeft) {
    BarRecord& bar = Build(L"A30 | B30 C30 | D30 @E30");
    MeasureButtonParams params = Params(SizeStyle::Toolbar);
    // 166 long in 70: E, D, the separator and C free the 96, then B and its separator follow.
    LayoutToolbar(bar, params, 70, info, host);
    EXPECT_EQ(Describe(info), "[0,0,30,22] - - - - - -");
    EXPECT_EQ(host.hiddenPanels, (std::vector<WindowHandle>{907}));

    EXPECT_EQ(LayoutToolbar(bar, params, 110, info, host).length, 98);
    EXPECT_EQ(Describe(info), "[0,0,30,22] [30,0,38,22] [38,0,68,22] [68,0,98,22] - - -");
    // 68 of the last group do not fit in 52: all of it stays behind the chevron.
    LayoutToolbar(bar, params, 150, info, host);
    EXPECT_EQ(Describe(info), "[0,0,30,22] [30,0,38,22] [38,0,68,22] [68,0,98,22] - - -");
    EXPECT_EQ(LayoutToolbar(bar, params, 170, info, host).length, 166);
    EXPECT_EQ(Describe(info).find('-'), std::string::npos);
}

struct PopupCase {
    const char* name;
    std::wstring bar;
    bool showAll;
    bool hideInfrequent;
    std::string expected;
    std::int32_t width;
    std::int32_t height;
};

TEST_F(Layout, PopupMenus) {
    const PopupCase cases[] = {
        {"nine colour boxes make a grid of 8 and 1, the caption item below at full width",
         L"#25x19 #25x19 #25x19 #25x19 #25x19 #25x19 #25x19 #25x19 #25x19 Item100x22", false, false,
         "[26,1,51,20] [51,1,76,20] [76,1,101,20] [101,1,126,20] [126,1,151,20] [151,1,176,20] [176,1,201,20] "
         "[201,1,226,20] [26,20,51,39] [0,39,228,61]",
         228, 61},
        {"two caption-less items stack", L"#25x19 #25x19 Item100x22", false, false,
         "[0,1,100,20] [0,20,100,39] [0,39,100,61]", 100, 61},
        {"a run at the end makes a grid too", L"Pick100x22 #25x19 #25x19 #25x19", false, false,
         "[0,1,228,23] [26,23,51,42] [51,23,76,42] [76,23,101,42]", 228, 42},
        {"the add-or-remove list never makes a grid", L"#25x19 #25x19 #25x19", true, false,
         "[0,1,25,20] [0,20,25,39] [0,39,25,58]", 25, 58},
        {"invisible items get no room", L"Open80x22 |10x3 ~Hidden90x22 Exit60x22", false, false,
         "[0,1,80,23] [0,23,80,26] [0,26,80,26] [0,26,80,48]", 80, 48},
        {"the add-or-remove list shows them", L"Open80x22 |10x3 ~Hidden90x22 Exit60x22", true, false,
         "[0,1,90,23] [0,23,90,26] [0,26,90,48] [0,48,90,70]", 90, 70},
        {"infrequent items wait", L"Open80x22 ?Rare90x22", false, true, "[0,1,80,23] [0,23,80,23]", 80, 23},
        {"an empty bar", L"", false, false, "", 0, 0},
    };
    for (const PopupCase& c : cases) {
        SCOPED_TRACE(c.name);
        registry.SetHideInfrequentlyUsed(c.hideInfrequent);
        BarRecord& bar = Build(c.bar);
        MeasureButtonParams params = Params(c.showAll ? SizeStyle::CustomiseList : SizeStyle::PopupMenu);
        info.clear();
        BarExtent extent = LayoutPopupMenu(bar, params, info, c.showAll, host);
        EXPECT_EQ(Describe(info), c.expected);
        EXPECT_EQ(extent.length, c.width);
        EXPECT_EQ(extent.thickness, c.height);
    }
}

TEST_F(Layout, ANewShortcutOrSubBarIsMeasuredAtTheNextLayout) {
    testing::FakeMeasurer text;
    testing::FakeKeyboard keyboard;
    RecordMeasuringHost records(control, text, keyboard);
    BarRecord& menu = Build(L"Open");
    MeasureButtonParams params = Params(SizeStyle::PopupMenu);
    EXPECT_EQ(LayoutPopupMenu(menu, params, info, false, records).length, 6 * 6 + 52);  // "Open  "
    menu.Item(1)->SetShortcutKey('O');
    EXPECT_EQ(LayoutPopupMenu(menu, params, info, false, records).length, 7 * 6 + 52);  // "Open  O"

    BarRecord& toolbar = Build(L"Tools");
    ButtonRecord& tools = *toolbar.Item(1);
    tools.SetShowDropDownInToolbar(true);
    MeasureButtonParams toolParams = Params(SizeStyle::Toolbar);
    const std::int32_t plain = LayoutToolbar(toolbar, toolParams, 200, info, records).length;
    tools.SetSubBar(&menu);
    EXPECT_EQ(LayoutToolbar(toolbar, toolParams, 200, info, records).length, plain + 7);
}

TEST_F(Layout, PaintingHandsShownButtonsTheirRectangleAndMouseState) {
    BarRecord& bar = Build(L"A20 | | B20 | C50 ~D20");
    MeasureButtonParams params = Params(SizeStyle::Toolbar);
    LayoutToolbar(bar, params, 60, info, host);  // C and its separator go behind the chevron
    info[0].mouseOver = true;
    info[3].mouseDownSplit = true;
    DrawButtonParams draw;
    draw.sizeStyle = SizeStyle::Toolbar;
    FakePainter painter;
    PaintAll(bar, draw, info, painter);
    EXPECT_EQ(painter.painted, (std::vector<std::wstring>{L"K1 0,0,20,22 over", L"K2 20,0,8,22", L"K4 28,0,20,22 split"}));

    // The add-or-remove list also paints entries that have a check box, visible or not.
    bar.Item(7)->SetCustomiseState(CustomiseState::Unchecked);
    draw.sizeStyle = SizeStyle::CustomiseList;
    MeasureButtonParams list = Params(SizeStyle::CustomiseList);
    info.clear();  // a popup host keeps display info of its own
    LayoutPopupMenu(bar, list, info, true, host);
    painter.painted.clear();
    PaintAll(bar, draw, info, painter);
    // Separators get no height from the fake here, so they are skipped.
    EXPECT_EQ(painter.painted.size(), 4u);
    EXPECT_EQ(painter.painted.back(), L"K7 0,67,50,22");

    painter.painted.clear();
    draw.left = 3;
    PaintOne(bar, draw, 2, painter);
    PaintOne(bar, draw, 8, painter);
    draw.height = 0;  // laid out without room, as PaintAll skips it
    PaintOne(bar, draw, 2, painter);
    EXPECT_EQ(painter.painted, (std::vector<std::wstring>{L"K2 3,67,50,22"}));
}

}  // namespace core::commandbar
