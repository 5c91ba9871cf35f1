#include "core/controls/control_properties.h"

#include <cmath>
#include <limits>

namespace core {

namespace {

// Colours are stored as unsigned numbers (a system colour is 2147483648 and up), as they always
// were; a signed number reads back the same colour.
void WriteColour(PropertyBag& bag, const wchar_t* name, Colour colour) {
    bag.WriteInt(name, static_cast<std::uint32_t>(colour));
}

Colour ReadColour(const PropertyBag& bag, const wchar_t* name, Colour fallback) {
    std::int64_t value = bag.ReadInt(name, fallback);
    return static_cast<Colour>(static_cast<std::uint32_t>(value));
}

std::int16_t ReadInt16(const PropertyBag& bag, const wchar_t* name, std::int16_t fallback) {
    std::int64_t value = bag.ReadInt(name, fallback);
    return value < -32768 || value > 32767 ? fallback : static_cast<std::int16_t>(value);
}

// A number beyond a float's range would load as infinity, which saves as a text no load reads.
float ReadSingle(const PropertyBag& bag, const wchar_t* name, float fallback) {
    double value = bag.ReadDouble(name, fallback);
    return std::fabs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value) : fallback;
}

}  // namespace

std::wstring TrimBlanks(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

void SaveHyperLink(const HyperLinkProperties& p, PropertyBag& bag) {
    bag.WriteBool(L"Enabled", p.enabled);
    bag.WriteFont(L"Font", p.font);
    bag.WriteText(L"HyperLink", p.hyperLink);
    bag.WriteText(L"Caption", p.caption);
    bag.WriteInt(L"Alignment", static_cast<std::int16_t>(p.alignment));
    bag.WriteBool(L"AutoSize", p.autoSize);
    WriteColour(bag, L"HoverColor", p.hoverColour);
    bag.WriteInt(L"Appearance", p.appearance);
    bag.WriteInt(L"BorderStyle", static_cast<std::int16_t>(p.borderStyle));
    WriteColour(bag, L"ForeColor", p.foreColour);
    WriteColour(bag, L"BackColor", p.backColour);
    bag.WriteBool(L"AutoToolTip", p.autoToolTip);
    bag.WriteBool(L"MOUnderline", p.moUnderline);
    bag.WriteBool(L"MOPointer", p.moPointer);
}

HyperLinkProperties LoadHyperLink(const PropertyBag& bag, const ContainerAmbient& ambient) {
    const HyperLinkProperties fresh;
    HyperLinkProperties p;
    p.enabled = bag.ReadBool(L"Enabled", true);
    p.font = bag.ReadFont(L"Font", ambient.font);
    p.hyperLink = TrimBlanks(bag.ReadText(L"HyperLink", fresh.hyperLink));
    p.caption = bag.ReadText(L"Caption", fresh.caption);
    std::int16_t alignment = ReadInt16(bag, L"Alignment", 0);
    p.alignment = alignment >= 0 && alignment <= 2 ? static_cast<TextAlignment>(alignment) : TextAlignment::Left;
    p.autoSize = bag.ReadBool(L"AutoSize", true);
    p.hoverColour = ReadColour(bag, L"HoverColor", 0x0000FF);
    p.appearance = ReadInt16(bag, L"Appearance", 1);
    p.borderStyle = static_cast<BorderStyle>(ReadInt16(bag, L"BorderStyle", 0));
    p.foreColour = ReadColour(bag, L"ForeColor", ambient.foreColour);
    p.backColour = ReadColour(bag, L"BackColor", ambient.backColour);
    p.autoToolTip = bag.ReadBool(L"AutoToolTip", true);
    p.moUnderline = bag.ReadBool(L"MOUnderline", false);
    p.moPointer = bag.ReadBool(L"MOPointer", false);
    p.soundOn = false;
    p.soundId = 0;
    return p;
}

void SaveProgressBar(const ProgressBarState& state, const FontDescription& font, PropertyBag& bag) {
    bag.WriteDouble(L"Value", state.Value());
    bag.WriteBool(L"CalculatePercentage", state.CalculatePercentage());
    bag.WriteDouble(L"TotalValue", state.TotalValue());
    bag.WriteBool(L"ShowStatus", state.ShowStatus());
    bag.WriteText(L"Text", state.Text());
    bag.WriteFont(L"Font", font);
    WriteColour(bag, L"ProgressColor", state.ProgressColour());
}

void LoadProgressBar(const PropertyBag& bag, const ContainerAmbient& ambient, ProgressBarState& state, FontDescription& font) {
    state.AssignLoaded(ReadSingle(bag, L"Value", 0), bag.ReadBool(L"CalculatePercentage", false),
                       bag.ReadDouble(L"TotalValue", 0), bag.ReadBool(L"ShowStatus", true), bag.ReadText(L"Text", L""),
                       ReadColour(bag, L"ProgressColor", kProgressBarNavy));
    font = bag.ReadFont(L"Font", ambient.font);
}

}  // namespace core
