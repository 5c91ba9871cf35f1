#include "win/clipboard.h"

#include <cstring>

namespace win {

namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) noexcept {
        // Another program may hold the clipboard for a moment.
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            if (attempt > 0) ::Sleep(20);
            open_ = ::OpenClipboard(owner) != FALSE;
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) ::CloseClipboard();
    }
    bool Open() const noexcept { return open_; }

private:
    bool open_ = false;
};

struct GlobalFreer {
    HGLOBAL memory;
    ~GlobalFreer() {
        if (memory) ::GlobalFree(memory);
    }
};

}  // namespace

bool SetClipboardText(HWND owner, const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalFreer held{::GlobalAlloc(GMEM_MOVEABLE, bytes)};
    if (!held.memory) return false;
    void* locked = ::GlobalLock(held.memory);
    if (!locked) return false;
    std::memcpy(locked, text.c_str(), bytes);
    ::GlobalUnlock(held.memory);
    OpenedClipboard clipboard(owner);
    if (!clipboard.Open() || !::EmptyClipboard()) return false;
    if (!::SetClipboardData(CF_UNICODETEXT, held.memory)) return false;
    held.memory = nullptr;  // the clipboard owns it now
    return true;
}

}  // namespace win
