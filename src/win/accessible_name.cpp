#include "win/accessible_name.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <new>
#include <optional>
#include <unordered_map>
#include <utility>

#include "win/error_report.h"
#include "win/library.h"

namespace win {

namespace {

struct Naming {
    std::wstring name;
    LONG role = 0;
};

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object with the name and role of the control itself replaced.
class NamedAccessible final : public IAccessible {
public:
    NamedAccessible(IAccessible* inner, Naming naming) noexcept : inner_(inner), naming_(std::move(naming)) {}
    ~NamedAccessible() { inner_->Release(); }
    NamedAccessible(const NamedAccessible&) = delete;
    NamedAccessible& operator=(const NamedAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessibleIid) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // Child enumeration and the window behind the object stay the standard object's.
        return inner_->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return inner_->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return inner_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return inner_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argument) override {
        return inner_->Invoke(id, iid, locale, flags, params, result, exception, argument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return inner_->get_accName(child, name);
        if (!name) return E_POINTER;
        *name = NewBstr(naming_.name);
        return *name ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child) || naming_.role == 0) return inner_->get_accRole(child, role);
        if (!role) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = naming_.role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return inner_->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return inner_->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return inner_->get_accChild(child, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return inner_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return inner_->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return inner_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return inner_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return inner_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return inner_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override { return inner_->get_accFocus(focus); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        return inner_->get_accSelection(selection);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return inner_->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override { return inner_->accSelect(flags, child); }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
        return inner_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        return inner_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return inner_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override { return inner_->accDoDefaultAction(child); }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return inner_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return inner_->put_accValue(child, value);
    }

private:
    std::atomic<ULONG> references_{1};
    IAccessible* inner_;
    Naming naming_;  // a copy: the object may outlive the control
};

// The named controls and the procedures they had. Kept here rather than through the common
// controls' subclassing, which looks its chain up in a window property: under Wine every property
// read is a round trip to the server, twice for each message the control gets, and a list box
// filled with thousands of names gets thousands of messages.
struct NamedWindow {
    WNDPROC previous = nullptr;
    Naming naming;
};

struct NamedWindows {
    std::mutex lock;
    std::unordered_map<HWND, NamedWindow> windows;
};

NamedWindows& Named() {
    static NamedWindows named;
    return named;
}

LRESULT AnswerWithName(HWND hwnd, WPARAM wParam, Naming naming) {
    LRESULT answer = 0;
    const bool handled = GuardCallback([&] {
        IAccessible* inner = nullptr;
        if (FAILED(CreateStandardAccessible(hwnd, OBJID_CLIENT, kAccessibleIid, reinterpret_cast<void**>(&inner)))) {
            return;
        }
        IAccessible* named = new (std::nothrow) NamedAccessible(inner, std::move(naming));
        if (!named) {
            inner->Release();
            return;
        }
        answer = ResultFromObject(kAccessibleIid, wParam, named);
        named->Release();  // the answer holds its own reference
    });
    return handled ? answer : 0;
}

LRESULT CALLBACK NamingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = nullptr;
    std::optional<Naming> naming;
    std::exception_ptr failure;
    {
        auto& named = Named();
        std::lock_guard guard(named.lock);
        auto found = named.windows.find(hwnd);
        if (found == named.windows.end()) return ::DefWindowProcW(hwnd, message, wParam, lParam);
        previous = found->second.previous;
        if (message == WM_NCDESTROY) {
            // The handle may come back for another window. A procedure installed over this one
            // still calls it for the window's last messages, which then go straight on.
            named.windows.erase(found);
            if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &NamingProc) {
                ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
            }
        } else if (message == WM_GETOBJECT && static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT) {
            // A copy, since the object may outlive the control. Reported once the lock is free: the
            // report may run messages of this very control.
            try {
                naming = found->second.naming;
            } catch (...) {
                failure = std::current_exception();
            }
        }
    }
    if (failure) GuardCallback([&] { std::rethrow_exception(failure); });
    if (naming) {
        if (LRESULT answer = AnswerWithName(hwnd, wParam, std::move(*naming)); answer > 0) return answer;
    }
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace

void SetAccessibleName(HWND control, std::wstring name, LONG role) {
    auto& named = Named();
    std::lock_guard guard(named.lock);
    if (auto found = named.windows.find(control); found != named.windows.end()) {
        found->second.naming = Naming{std::move(name), role};
        return;
    }
    if (!::IsWindow(control)) return;
    // Recorded before the procedure changes, so that no message finds the window half named.
    const auto own = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(control, GWLP_WNDPROC));
    auto entry = named.windows.try_emplace(control, NamedWindow{own, Naming{std::move(name), role}}).first;
    const LONG_PTR previous = ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamingProc));
    if (previous == 0) {
        named.windows.erase(entry);
        return;
    }
    entry->second.previous = reinterpret_cast<WNDPROC>(previous);
}

constexpr wchar_t kAccessibilityLibrary[] = L"oleacc.dll";
constexpr wchar_t kComLibrary[] = L"ole32.dll";
constexpr wchar_t kAutomationLibrary[] = L"oleaut32.dll";

namespace {

// COM starts on a thread at its first accessibility call, and ends with the thread: most runs
// never make one, and starting it at every start loaded ole32 and its libraries for nothing.
void StartCom() {
    struct Apartment {
        Apartment() {
            if (const auto initialise = LibraryFunction<decltype(::OleInitialize)>(kComLibrary, "OleInitialize")) {
                started = SUCCEEDED(initialise(nullptr));
            }
        }
        ~Apartment() {
            if (!started) return;
            if (const auto end = LibraryFunction<decltype(::OleUninitialize)>(kComLibrary, "OleUninitialize")) end();
        }
        bool started = false;
    };
    thread_local Apartment apartment;
}

}  // namespace

LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
    StartCom();
    static const auto call = LibraryFunction<decltype(::LresultFromObject)>(kAccessibilityLibrary, "LresultFromObject");
    return call ? call(iid, wParam, object) : 0;
}

HRESULT CreateStandardAccessible(HWND hwnd, LONG objectId, REFIID iid, void** object) {
    StartCom();
    static const auto call =
        LibraryFunction<decltype(::CreateStdAccessibleObject)>(kAccessibilityLibrary, "CreateStdAccessibleObject");
    return call ? call(hwnd, objectId, iid, object) : E_NOTIMPL;
}

HRESULT AccessibleFromWindow(HWND hwnd, DWORD objectId, REFIID iid, void** object) {
    StartCom();
    static const auto call =
        LibraryFunction<decltype(::AccessibleObjectFromWindow)>(kAccessibilityLibrary, "AccessibleObjectFromWindow");
    return call ? call(hwnd, objectId, iid, object) : E_NOTIMPL;
}

BSTR NewBstr(std::wstring_view text) {
    static const auto call = LibraryFunction<decltype(::SysAllocStringLen)>(kAutomationLibrary, "SysAllocStringLen");
    return call ? call(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

}  // namespace win
