#include "win/clipboard.h"

#include <cstring>

namespace win {

namespace {

// Another program may hold the clipboard for a moment.
bool OpenWithRetries(HWND owner) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::OpenClipboard(owner)) return true;
        ::Sleep(20);
    }
    return false;
}

struct ClipboardCloser {
    ~ClipboardCloser() { ::CloseClipboard(); }
};

}  // namespace

bool SetClipboardText(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    void* target = ::GlobalLock(memory);
    if (target) {
        std::memcpy(target, text.c_str(), bytes);
        ::GlobalUnlock(memory);
    }
    if (!target || !OpenWithRetries(owner)) {
        ::GlobalFree(memory);
        return false;
    }
    ClipboardCloser closer;
    ::EmptyClipboard();
    // Once the clipboard has taken the memory, it is the clipboard's to free.
    if (::SetClipboardData(CF_UNICODETEXT, memory)) return true;
    ::GlobalFree(memory);
    return false;
}

}  // namespace win
