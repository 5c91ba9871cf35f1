#include "support/win_events.h"

#include "win/error_report.h"

namespace testing_support {

namespace {

std::vector<HeardEvent>& HeardEvents() {
    static std::vector<HeardEvent> heard;
    return heard;
}

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    // Focus moving between whole windows is the system's own; only items count here.
    if (event == EVENT_OBJECT_FOCUS && (object != OBJID_CLIENT || child <= 0)) return;
    win::GuardCallback([&] { HeardEvents().push_back({event, hwnd, child}); });
}

HWINEVENTHOOK Hook(DWORD first, DWORD last, DWORD processId) {
    return ::SetWinEventHook(first, last, nullptr, Listen, processId, 0, WINEVENT_OUTOFCONTEXT);
}

}  // namespace

std::vector<std::string> Described(const std::vector<HeardEvent>& heard,
                                   const std::function<std::string(HWND)>& name) {
    std::vector<std::string> described;
    for (const HeardEvent& event : heard) {
        switch (event.event) {
        case EVENT_SYSTEM_MENUSTART:
            described.push_back("start " + name(event.hwnd));
            break;
        case EVENT_SYSTEM_MENUEND:
            described.push_back("end " + name(event.hwnd));
            break;
        case EVENT_SYSTEM_MENUPOPUPSTART:
            described.push_back("popup " + name(event.hwnd));
            break;
        case EVENT_SYSTEM_MENUPOPUPEND:
            described.push_back("popup end " + name(event.hwnd));
            break;
        default:
            described.push_back("focus " + name(event.hwnd) + ":" + std::to_string(event.child));
            break;
        }
    }
    return described;
}

WinEventRecorder::WinEventRecorder(DWORD processId)
    : menus_(Hook(EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUPOPUPEND, processId)),
      focus_(Hook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, processId)) {
    Clear();
}

WinEventRecorder::~WinEventRecorder() {
    for (HWINEVENTHOOK hook : {menus_, focus_}) {
        if (hook) ::UnhookWinEvent(hook);
    }
}

const std::vector<HeardEvent>& WinEventRecorder::Heard() const { return HeardEvents(); }

void WinEventRecorder::Clear() { HeardEvents().clear(); }

}  // namespace testing_support
