#pragma once
// WM_COMMAND routed by control id and notification code, so that a window lists what its controls
// do instead of decoding id ranges.

#include <windows.h>

#include <functional>
#include <vector>

namespace win {

class CommandTable {
public:
    void Add(UINT id, UINT notification, std::function<void()> handler) {
        entries_.push_back({id, notification, std::move(handler)});
    }
    // Runs the handler of the command in wParam; false when no entry takes it.
    bool Dispatch(WPARAM wParam) const {
        for (const Entry& entry : entries_) {
            if (entry.id == LOWORD(wParam) && entry.notification == HIWORD(wParam)) {
                entry.handler();
                return true;
            }
        }
        return false;
    }

private:
    struct Entry {
        UINT id;
        UINT notification;
        std::function<void()> handler;
    };
    std::vector<Entry> entries_;
};

}  // namespace win
