#pragma once
// The process-wide colour palette of every command bar: one style, the desktop colour scheme, the
// colour depth and the custom colours, shared by all controls of the program.
//
// Element colours are computed from the current system colours at every call; the scheme and the
// colour depth change only through DetectDisplaySettings.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "core/commandbar/style_colours.h"

namespace commandbar {

using core::Colour;

// The real desktop: GetSysColor and OleTranslateColor.
class DesktopColours final : public core::ColourTranslator {
public:
    Colour SystemColour(int index) const override;
    Colour Translate(Colour colour) const override;
};

// Style 1, high colour, no custom colours.
void InitialiseColours();

// Reads the visual-style colour scheme (themed style only, where visual styles exist) and the
// screen's colour depth, then tells the listener so that the controls refresh.
void DetectDisplaySettings(HWND hwnd);
// The command bar registry listens here to refresh its controls; returns the previous listener.
std::function<void()> SetDisplaySettingsListener(std::function<void()> listener);

std::int32_t GetStyle();
// A different value is stored and the display settings are detected again (desktop window).
void SetStyle(std::int32_t style);

bool IsHighColour();
core::ColourScheme GetColourScheme();

// Ids 0..31; others raise error 9 with source "<executable>.zentPicker".
Colour GetCustomColour(int id);
void SetCustomColour(int id, Colour colour);
bool IsUsingStyleColour(int id);
Colour GetStyleColour(int id);
Colour GetElementColour(int id);

// The palette itself, for painters that read many elements at once and for tests.
const core::StylePalette& Palette();

}  // namespace commandbar
