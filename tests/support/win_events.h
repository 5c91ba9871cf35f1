#pragma once
// Win events of one process, heard out of context as a screen reader hears them: menu start and
// end, popup start and end, and focus moving onto items.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct HeardEvent {
    DWORD event;
    HWND hwnd;
    LONG child;
};

// "start bar", "popup 0", "focus 0:2", "popup end 0", "end bar": the events with their windows as
// the caller names them, and the focused item's child id.
std::vector<std::string> Described(const std::vector<HeardEvent>& heard,
                                   const std::function<std::string(HWND)>& name);

// One at a time: the hook's callback has nowhere else to put what it hears. The events arrive
// through this thread's messages, so a test pumps them while it waits.
class WinEventRecorder {
public:
    explicit WinEventRecorder(DWORD processId);
    ~WinEventRecorder();
    WinEventRecorder(const WinEventRecorder&) = delete;
    WinEventRecorder& operator=(const WinEventRecorder&) = delete;

    bool Hooked() const { return menus_ && focus_; }
    const std::vector<HeardEvent>& Heard() const;
    void Clear();

private:
    HWINEVENTHOOK menus_;
    HWINEVENTHOOK focus_;
};

}  // namespace testing_support
