#include "support/gui_resources.h"

#include <windows.h>

namespace testing_support {

namespace {

constexpr unsigned kLowestHandle = 0x20;
constexpr unsigned kHighestHandle = 0xFFFF;

unsigned ProbeGdiObjects(bool windowCaches) {
    unsigned count = 0;
    for (unsigned index = kLowestHandle; index <= kHighestHandle; ++index) {
        // A handle with a zero high word matches any generation of that table slot.
        const DWORD type = ::GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<ULONG_PTR>(index)));
        if (type != 0 && (windowCaches || (type != OBJ_DC && type != OBJ_REGION))) ++count;
    }
    return count;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM counter) {
    ++*reinterpret_cast<unsigned*>(counter);
    return TRUE;
}

BOOL CALLBACK CountWindowTree(HWND hwnd, LPARAM counter) {
    CountWindow(hwnd, counter);
    ::EnumChildWindows(hwnd, &CountWindow, counter);
    return TRUE;
}

// The windows of this thread, top-level and child; the program is single-threaded.
unsigned ProbeUserObjects() {
    unsigned count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowTree, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace

unsigned GdiObjectCount() {
    DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return count != 0 ? count : ProbeGdiObjects(true);
}

unsigned DrawingObjectCount() {
    DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return count != 0 ? count : ProbeGdiObjects(false);
}

unsigned UserObjectCount() {
    DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    return count != 0 ? count : ProbeUserObjects();
}

}  // namespace testing_support
