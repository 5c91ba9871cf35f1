#include "commandbar/command_bar_colours.h"

#include <uxtheme.h>

#include <string_view>
#include <utility>

#include "commandbar/platform_detection.h"
#include "win/gdi.h"
#include "win/handles.h"

namespace commandbar {

namespace {

// The one palette of the process: a command bar's colours are global by design.
struct ColourState {
    core::StylePalette palette;
    std::function<void()> listener;
};

ColourState& State() {
    static ColourState state;
    return state;
}

std::wstring_view UpToNul(const wchar_t* buffer) { return std::wstring_view(buffer); }

void DetectColourScheme(HWND hwnd) {
    HTHEME theme = ::OpenThemeData(hwnd, L"ExplorerBar");
    if (!theme) return;  // the scheme keeps its previous value
    wchar_t themeFile[260] = {};
    wchar_t schemeName[260] = {};
    if (SUCCEEDED(::GetCurrentThemeName(themeFile, 260, schemeName, 260, nullptr, 0))) {
        State().palette.SetScheme(core::ColourSchemeFromName(UpToNul(schemeName)));
    }
    ::CloseThemeData(theme);
}

}  // namespace

Colour DesktopColours::SystemColour(int index) const { return static_cast<Colour>(::GetSysColor(index)); }

Colour DesktopColours::Translate(Colour colour) const { return win::TranslateColour(colour); }

void InitialiseColours() { State().palette.Initialise(); }

void DetectDisplaySettings(HWND hwnd) {
    ColourState& state = State();
    if (state.palette.Style() == static_cast<std::int32_t>(core::ColourStyle::Themed) && Platform().isXpOrLater) {
        DetectColourScheme(hwnd);
    }
    {
        win::WindowDc desktop(::GetDesktopWindow());
        state.palette.SetHighColour(::GetDeviceCaps(desktop.get(), BITSPIXEL) > 8);
    }
    if (state.listener) state.listener();
}

std::function<void()> SetDisplaySettingsListener(std::function<void()> listener) {
    return std::exchange(State().listener, std::move(listener));
}

std::int32_t GetStyle() { return State().palette.Style(); }

void SetStyle(std::int32_t style) {
    if (style == State().palette.Style()) return;
    State().palette.SetStyle(style);
    DetectDisplaySettings(::GetDesktopWindow());
}

bool IsHighColour() { return State().palette.IsHighColour(); }

core::ColourScheme GetColourScheme() { return State().palette.Scheme(); }

Colour GetCustomColour(int id) { return State().palette.CustomColour(id); }

void SetCustomColour(int id, Colour colour) { State().palette.SetCustomColour(id, colour); }

bool IsUsingStyleColour(int id) { return State().palette.IsUsingStyleColour(id); }

Colour GetStyleColour(int id) { return State().palette.StyleColour(id, DesktopColours{}); }

Colour GetElementColour(int id) { return State().palette.ElementColour(id, DesktopColours{}); }

const core::StylePalette& Palette() { return State().palette; }

}  // namespace commandbar
