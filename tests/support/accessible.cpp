#include "support/accessible.h"

#include "win/accessible_name.h"

namespace testing_support {

AccessiblePtr ClientObject(HWND window) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), win::kAccessibleIid,
                                            reinterpret_cast<void**>(&object)))) {
        return nullptr;
    }
    return AccessiblePtr(object);
}

VARIANT ChildId(LONG id) {
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::pair<std::wstring, LONG> NameAndRole(IAccessible& object) {
    const VARIANT self = ChildId(CHILDID_SELF);
    BSTR name = nullptr;
    object.get_accName(self, &name);
    VARIANT role;
    ::VariantInit(&role);
    object.get_accRole(self, &role);
    std::pair<std::wstring, LONG> result{name ? name : L"", role.vt == VT_I4 ? role.lVal : 0};
    ::SysFreeString(name);
    return result;
}

std::pair<std::wstring, LONG> NameAndRole(HWND window) {
    AccessiblePtr object = ClientObject(window);
    return object ? NameAndRole(*object) : std::pair<std::wstring, LONG>{L"<no object>", 0};
}

std::vector<AccessibleChild> Children(HWND window) {
    std::vector<AccessibleChild> children;
    AccessiblePtr object = ClientObject(window);
    LONG count = 0;
    if (!object || FAILED(object->get_accChildCount(&count))) return children;
    for (LONG id = 1; id <= count; ++id) {
        AccessibleChild child;
        child.id = id;
        BSTR name = nullptr;
        if (SUCCEEDED(object->get_accName(ChildId(id), &name)) && name) child.name = name;
        ::SysFreeString(name);
        LONG left = 0, top = 0, width = 0, height = 0;
        if (SUCCEEDED(object->accLocation(&left, &top, &width, &height, ChildId(id)))) {
            child.bounds = {left, top, left + width, top + height};
        }
        VARIANT state;
        ::VariantInit(&state);
        if (SUCCEEDED(object->get_accState(ChildId(id), &state)) && state.vt == VT_I4) child.state = state.lVal;
        children.push_back(std::move(child));
    }
    return children;
}

}  // namespace testing_support
