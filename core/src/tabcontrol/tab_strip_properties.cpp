#include "core/tabcontrol/tab_strip_properties.h"

#include <cmath>
#include <vector>

#include "core/number_text.h"

namespace core {

namespace {

constexpr std::uint32_t kChildVisibleClipSiblings = 0x54000000u;
constexpr std::uint32_t kHotTrack = 0x40;
constexpr std::uint32_t kButtons = 0x100;
constexpr std::uint32_t kFlatButtons = 0x8;
constexpr std::uint32_t kMultiLine = 0x200;
constexpr std::uint32_t kOwnerDrawFixed = 0x2000;
constexpr std::uint32_t kVertical = 0x80;
constexpr std::uint32_t kBottom = 0x2;

// Through the bag's number reader; anything unreadable is 0. A switch is on for any number but 0,
// since a set switch may have been stored as -1.
std::int64_t ReadInt(const PropertyBag& bag, const wchar_t* name) { return bag.ReadInt(name, 0); }

bool ReadBool(const PropertyBag& bag, const wchar_t* name) { return ReadInt(bag, name) != 0; }

std::vector<std::wstring> SplitFields(const std::wstring& text) {
    std::vector<std::wstring> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = text.find(L';', start);
        fields.push_back(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos) return fields;
        start = end + 1;
    }
}

// "name;points;bold;italic;underline;strikethrough"; a face name holds no ';'.
FontDescription ReadFont(const PropertyBag& bag) {
    FontDescription font = kDefaultTabFont;
    auto fields = SplitFields(bag.ReadText(L"Font", {}));
    if (fields.size() != 6 || fields[0].empty()) return font;
    auto points = ParseNumber(fields[1]);
    if (!points) return font;
    // Sizes are kept to hundredths of a point, so that a saved size reads back exactly; one that
    // rounds to nothing or overflows is no size.
    double hundredths = std::round(*points * 100.0) / 100.0;
    if (!(hundredths > 0) || !std::isfinite(hundredths)) return font;
    font.name = fields[0];
    font.points = hundredths;
    font.bold = fields[2] == L"1";
    font.italic = fields[3] == L"1";
    font.underline = fields[4] == L"1";
    font.strikethrough = fields[5] == L"1";
    return font;
}

std::wstring FontText(const FontDescription& font) {
    auto flag = [](bool on) { return on ? L";1" : L";0"; };
    std::wstring points = std::to_wstring(font.points);
    while (points.find(L'.') != std::wstring::npos && (points.back() == L'0' || points.back() == L'.')) {
        bool dot = points.back() == L'.';
        points.pop_back();
        if (dot) break;
    }
    return font.name + L";" + points + flag(font.bold) + flag(font.italic) + flag(font.underline) +
           flag(font.strikethrough);
}

}  // namespace

std::uint32_t TabWindowStyle(const TabStripProperties& p) {
    std::uint32_t style = kChildVisibleClipSiblings;
    if (p.hotTrack) style |= kHotTrack;
    if (p.buttons) {
        style |= kButtons;
        if (p.flatButtons) style |= kFlatButtons;
    }
    if (p.multiLine) style |= kMultiLine;
    if (p.ownerDraw) style |= kOwnerDrawFixed;
    switch (p.tabAlign) {
        case TabAlignment::Left:
            style |= kVertical;
            break;
        case TabAlignment::Bottom:
            style |= kBottom;
            break;
        case TabAlignment::Right:
            style |= kVertical | kBottom;
            break;
        case TabAlignment::Top:
            break;
    }
    return style;
}

TabStripProperties ReadTabStripProperties(const PropertyBag& bag) {
    TabStripProperties p;
    p.hotTrack = ReadBool(bag, L"HotTrack");
    p.buttons = ReadBool(bag, L"Buttons");
    p.multiLine = ReadBool(bag, L"MultiLine");
    p.rightJustify = ReadBool(bag, L"RightJustify");
    const std::int64_t align = ReadInt(bag, L"TabAlign");
    p.tabAlign = align >= 0 && align <= 3 ? static_cast<TabAlignment>(align) : TabAlignment::Top;
    p.flatSeparators = ReadBool(bag, L"FlatSeparators");
    p.flatButtons = ReadBool(bag, L"FlatButtons");
    p.ownerDraw = ReadBool(bag, L"OwnerDraw");
    const std::int64_t cool = ReadInt(bag, L"CoolTabs");
    p.coolTabs = cool >= 0 && cool <= 2 ? static_cast<CoolTabsMode>(cool) : CoolTabsMode::Off;
    p.font = ReadFont(bag);
    return p;
}

void WriteTabStripProperties(const TabStripProperties& p, PropertyBag& bag) {
    bag.WriteBool(L"HotTrack", p.hotTrack);
    bag.WriteBool(L"Buttons", p.buttons);
    bag.WriteBool(L"MultiLine", p.multiLine);
    bag.WriteBool(L"RightJustify", p.rightJustify);
    bag.WriteInt(L"TabAlign", static_cast<std::int32_t>(p.tabAlign));
    bag.WriteBool(L"FlatSeparators", p.flatSeparators);
    bag.WriteBool(L"FlatButtons", p.flatButtons);
    bag.WriteBool(L"OwnerDraw", p.ownerDraw);
    bag.WriteInt(L"CoolTabs", static_cast<std::int32_t>(p.coolTabs));
    bag.WriteText(L"Font", FontText(p.font));
}

}  // namespace core
