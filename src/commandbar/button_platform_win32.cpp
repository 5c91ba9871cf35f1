#include "commandbar/button_platform_win32.h"

#include <iterator>

#include "commandbar/drawing_utilities.h"
#include "win/handles.h"

namespace commandbar {

using core::commandbar::TextExtent;

std::wstring Win32KeyboardLayout::KeyName(std::uint16_t virtualKey) const {
    UINT scanCode = ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    wchar_t name[256] = {};
    int length = ::GetKeyNameTextW(static_cast<LONG>(scanCode << 16), name, static_cast<int>(std::size(name)));
    return length > 0 ? std::wstring(name, static_cast<std::size_t>(length)) : std::wstring();
}

std::int32_t Win32KeyboardLayout::VirtualKeyFromChar(wchar_t character) const {
    SHORT result = ::VkKeyScanW(character);
    return result == -1 ? -1 : static_cast<std::int32_t>(static_cast<std::uint16_t>(result));
}

TextExtent Win32TextMeasurer::MeasureText(const core::commandbar::MeasureButtonParams& params, std::wstring_view text,
                                          std::uint32_t format) const {
    HDC dc = reinterpret_cast<HDC>(params.hdc);
    win::UniqueMemoryDc ownDc;
    if (!dc) {
        ownDc.reset(::CreateCompatibleDC(nullptr));
        dc = ownDc.get();
    }
    win::SelectGuard font(dc, reinterpret_cast<HFONT>(params.font));
    RECT area{0, 0, 256, 256};
    DrawTextAnyPlatform(dc, text, area, format | DT_CALCRECT);
    return TextExtent{area.right - area.left, area.bottom - area.top};
}

}  // namespace commandbar
