#include "win/accessible_object.h"

#include <algorithm>
#include <cstdlib>

namespace win {

HRESULT AccessibleObject::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessibleIid) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::Release() {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return Guarded([&] {
        const HRESULT check = CheckChild(self);
        if (FAILED(check)) return check;
        return AccessibleFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                    reinterpret_cast<void**>(parent));
    });
}

namespace {

// What a property nobody has gives for a valid child: S_FALSE.
HRESULT NothingFor(HRESULT check) { return FAILED(check) ? check : S_FALSE; }

}  // namespace

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return NothingFor(CheckChild(child));
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return NothingFor(CheckChild(child));
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    return NothingFor(CheckChild(child));
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return NothingFor(CheckChild(child));
}

HRESULT AccessibleObject::ReturnText(const std::wstring& text, BSTR* out) {
    if (text.empty()) return S_FALSE;
    *out = NewBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleObject::ReturnChild(LONG id, VARIANT* out) {
    out->vt = VT_I4;
    out->lVal = id;
    return S_OK;
}

HRESULT AccessibleObject::ReturnLocation(RECT rect, LONG* left, LONG* top, LONG* width, LONG* height) const {
    ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    // A mirrored window maps its left edge to the right.
    *left = std::min(rect.left, rect.right);
    *top = rect.top;
    *width = std::abs(rect.right - rect.left);
    *height = rect.bottom - rect.top;
    return S_OK;
}

std::optional<POINT> AccessibleObject::ClientPoint(LONG x, LONG y) const {
    POINT point{x, y};
    ::ScreenToClient(hwnd_, &point);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (!::PtInRect(&client, point)) return std::nullopt;
    return point;
}

}  // namespace win
