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

std::pair<std::wstring, LONG> NameAndRole(IAccessible& object) {
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
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

}  // namespace testing_support
