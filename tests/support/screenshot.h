#pragma once
// Pictures of windows as they show on the screen, for people to look at.

#include <windows.h>

#include <string>

namespace testing_support {

// Writes a 24-bit BMP of the window's screen area; false when nothing could be written.
bool SaveWindowBitmap(HWND window, const std::string& path);
// The same as a PNG.
bool SaveWindowPng(HWND window, const std::string& path);

// The rows of the window's client area, as the screen shows it, that hold any colour other than
// the one in its bottom-right corner.
int InkRows(HWND window);

// The folder named by GLYPH_SCREENSHOT_DIR, or empty when screenshots are not wanted.
std::string ScreenshotDirectory();

}  // namespace testing_support
