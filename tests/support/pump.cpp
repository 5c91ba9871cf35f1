#include "support/pump.h"

#include <windows.h>

namespace testing_support {

namespace {

void DispatchWaiting() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // A test has no main loop to stop; a quit request is simply dropped here.
        if (msg.message == WM_QUIT) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace

void PumpFor(unsigned milliseconds) {
    ULONGLONG end = ::GetTickCount64() + milliseconds;
    do {
        DispatchWaiting();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    } while (::GetTickCount64() < end);
    DispatchWaiting();
}

bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMilliseconds) {
    ULONGLONG end = ::GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        DispatchWaiting();
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

}  // namespace testing_support
