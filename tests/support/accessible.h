#pragma once
// What a screen reader reads of a window: its client object through AccessibleObjectFromWindow.

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct AccessibleReleaser {
    void operator()(IAccessible* object) const { object->Release(); }
};
using AccessiblePtr = std::unique_ptr<IAccessible, AccessibleReleaser>;

// The VARIANT that names child id (CHILDID_SELF: the object itself) in IAccessible calls.
VARIANT ChildId(LONG id);

// Null when the window answers no object.
AccessiblePtr ClientObject(HWND window);

// The object's own name and role; role 0 when it has none.
std::pair<std::wstring, LONG> NameAndRole(IAccessible& object);
// The same for a window's client object; "<no object>" when there is none.
std::pair<std::wstring, LONG> NameAndRole(HWND window);

// A child of a window's client object as a screen reader lists it.
struct AccessibleChild {
    LONG id = 0;
    std::wstring name;
    RECT bounds{};  // on the screen
    LONG state = 0;
};
// Empty when the window answers no object.
std::vector<AccessibleChild> Children(HWND window);

}  // namespace testing_support
