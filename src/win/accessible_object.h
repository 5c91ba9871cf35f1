#pragma once
// The COM side every accessible object of ours shares: reference counting, an IDispatch that
// offers no type information (clients call IAccessible directly), read-only names, no values, help
// or child objects (children are simple ids), the parent taken from the window, and the answer to
// WM_GETOBJECT. A derived object keeps only its
// window handle and finds its control again on every call, so it safely outlives the window.

#include <windows.h>

#include <oleacc.h>

#include <atomic>
#include <new>
#include <optional>
#include <string>

#include "win/accessible_name.h"
#include "win/error_report.h"

namespace win {

class AccessibleObject : public IAccessible {
public:
    explicit AccessibleObject(HWND hwnd) : hwnd_(hwnd) {}
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    virtual ~AccessibleObject() = default;

    HWND hwnd() const { return hwnd_; }
    // S_OK for CHILDID_SELF and the ids of the children shown now, E_INVALIDARG for any other,
    // CO_E_OBJNOTCONNECTED once the control behind the window is gone.
    virtual HRESULT CheckChild(const VARIANT& child) const = 0;

    // Empty text is no text: S_FALSE and a null string.
    static HRESULT ReturnText(const std::wstring& text, BSTR* out);
    static HRESULT ReturnChild(LONG id, VARIANT* out);
    // A rectangle in the window's client coordinates, on the screen (mirrored windows included).
    HRESULT ReturnLocation(RECT rect, LONG* left, LONG* top, LONG* width, LONG* height) const;
    // A hit test's screen point in client coordinates, or nothing outside the client area.
    std::optional<POINT> ClientPoint(LONG x, LONG y) const;

    // Runs body, turning an exception into E_FAIL, reported: none may cross into the caller.
    template <typename Body>
    static HRESULT Guarded(Body&& body) noexcept {
        HRESULT result = E_FAIL;
        GuardCallback([&] { result = body(); });
        return result;
    }

private:
    std::atomic<ULONG> references_{1};
    HWND hwnd_;
};

// The answer to WM_GETOBJECT for a window's client area, a fresh Object(hwnd); 0 for any other id.
template <typename Object>
LRESULT AnswerClientObject(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT) return 0;
    IAccessible* object = new (std::nothrow) Object(hwnd);
    if (!object) return 0;
    const LRESULT result = ResultFromObject(kAccessibleIid, wParam, object);
    object->Release();  // the answer holds its own reference now
    return result;
}

}  // namespace win
