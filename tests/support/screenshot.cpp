#include "support/screenshot.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "support/canvas.h"
#include "support/png_writer.h"
#include "win/handles.h"

namespace testing_support {

int InkRows(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    POINT origin{};
    ::ClientToScreen(window, &origin);
    Canvas canvas(r.right, r.bottom);
    {
        win::WindowDc screen(nullptr);
        ::BitBlt(canvas.dc(), 0, 0, r.right, r.bottom, screen.get(), origin.x, origin.y, SRCCOPY);
    }
    const COLORREF back = canvas.Pixel(r.right - 1, r.bottom - 1);
    int rows = 0;
    for (int y = 0; y < r.bottom; ++y) {
        for (int x = 0; x < r.right; ++x) {
            if (canvas.Pixel(x, y) != back) {
                ++rows;
                break;
            }
        }
    }
    return rows;
}

bool SaveWindowPng(HWND window, const std::string& path) {
    RECT r{};
    if (!::GetWindowRect(window, &r)) return false;
    Canvas canvas(r.right - r.left, r.bottom - r.top);
    win::WindowDc screen(nullptr);
    ::BitBlt(canvas.dc(), 0, 0, r.right - r.left, r.bottom - r.top, screen.get(), r.left, r.top, SRCCOPY);
    const std::wstring widePath(path.begin(), path.end());
    return WritePng(widePath, canvas.Bits(), r.right - r.left, r.bottom - r.top);
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT r{};
    if (!::GetWindowRect(window, &r)) return false;
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    win::WindowDc screen(nullptr);
    win::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
    win::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
    {
        win::SelectGuard select(memory.get(), bitmap.get());
        ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    }
    BITMAPINFOHEADER info{sizeof(info), width, height, 1, 24, BI_RGB};
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    if (!::GetDIBits(memory.get(), bitmap.get(), 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                     DIB_RGB_COLORS)) {
        return false;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return out.good();
}

std::string ScreenshotDirectory() {
    const char* directory = std::getenv("GLYPH_SCREENSHOT_DIR");
    return directory ? directory : "";
}

}  // namespace testing_support
