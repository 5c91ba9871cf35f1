#include "support/screenshot.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include "win/handles.h"

namespace testing_support {

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
