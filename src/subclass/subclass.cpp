#include "subclass/subclass.h"

#include <new>

#include "core/runtime_error.h"
#include "win/error_report.h"

namespace subclass {

namespace {

using core::SubclassTable;

// Process-wide by nature: windows of any component share one dispatcher and one table.
struct State {
    SubclassTable table;
    UINT currentMessage = 0;
    testing::ProcedureReplacer replacer = nullptr;
};

State& Shared() {
    static State state;
    return state;
}

SubclassTable::WindowId IdOf(HWND hwnd) { return reinterpret_cast<SubclassTable::WindowId>(hwnd); }
SubclassTable::ClientId IdOf(SubclassClient& client) { return &client; }
SubclassClient* ClientOf(SubclassTable::ClientId id) { return static_cast<SubclassClient*>(const_cast<void*>(id)); }

core::RuntimeError Error(std::int32_t code, const wchar_t* description) {
    return core::RuntimeError(core::error_number::kObjectErrorBase + code, description,
                              core::ErrorSource(L".WindowProc"));
}

core::RuntimeError CannotRecord() {
    return core::RuntimeError(core::error_number::kIllegalCall, L"Invalid procedure call or argument",
                              core::ErrorSource(L".WindowProc"));
}

bool BelongsToThisProcess(HWND hwnd) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    return process == ::GetCurrentProcessId();
}

LONG_PTR ReplaceProcedure(HWND hwnd, LONG_PTR procedure) {
    if (Shared().replacer) return Shared().replacer(hwnd, procedure);
    return ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, procedure);
}

LRESULT CALLBACK Dispatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

bool DispatcherOnTop(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) == &Dispatcher;
}

// Puts the window's own procedure back and forgets the window. A procedure installed over the
// dispatcher still calls it and would be cut off: then the window stays known without clients,
// and the dispatcher passes its messages down the chain until it is on top again. A window that
// is gone is forgotten in any case, since its handle may come back for another window.
void Restore(HWND hwnd, bool windowGone = false) {
    auto& table = Shared().table;
    const bool onTop = DispatcherOnTop(hwnd);
    if (onTop) {
        if (auto previous = table.PreviousProcedure(IdOf(hwnd))) {
            ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
        }
    }
    if (onTop || windowGone) table.Forget(IdOf(hwnd));
}

LRESULT CALLBACK Dispatcher(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& state = Shared();
    auto previous = reinterpret_cast<WNDPROC>(state.table.PreviousProcedure(IdOf(hwnd)));
    if (!previous) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    std::size_t clients = state.table.ClientCount(IdOf(hwnd), message);
    if (clients == 0) {
        // A dying window gets its own procedure back for its last messages; its clients are
        // expected to detach, and detaching from a window that is gone is silent. A window whose
        // last client went while another procedure sat on top is let go once that one has gone.
        if (message == WM_DESTROY || message == WM_NCDESTROY || state.table.AttachmentCount(IdOf(hwnd)) == 0) {
            Restore(hwnd, message == WM_NCDESTROY);
        }
        return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }

    core::DispatchCalls calls;
    calls.clientAt = [&](std::size_t position) { return state.table.ClientAt(IdOf(hwnd), message, position); };
    calls.responseOf = [&](SubclassTable::ClientId client) {
        state.currentMessage = message;
        core::MessageResponse response = core::MessageResponse::CallPreviousAfter;
        win::GuardCallback([&] { response = ClientOf(client)->MsgResponse(); });
        return response;
    };
    calls.callClient = [&](SubclassTable::ClientId client) {
        state.currentMessage = message;
        std::intptr_t result = 0;
        win::GuardCallback([&] { result = ClientOf(client)->WindowProc(hwnd, message, wParam, lParam); });
        return result;
    };
    calls.callPrevious = [&]() -> std::intptr_t { return ::CallWindowProcW(previous, hwnd, message, wParam, lParam); };

    std::intptr_t result = 0;
    if (!win::GuardCallback([&] { result = core::DispatchToClients(clients, calls); })) {
        result = ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
    }
    // Clients still attached when the window is gone would keep a dead handle in the table.
    if (message == WM_NCDESTROY && state.table.Knows(IdOf(hwnd))) Restore(hwnd, true);
    return result;
}

}  // namespace

void AttachMessage(SubclassClient& client, HWND hwnd, UINT message) {
    if (!::IsWindow(hwnd)) throw Error(error::kInvalidWindow, L"Invalid window");
    if (!BelongsToThisProcess(hwnd)) throw Error(error::kExternalWindow, L"Can't modify external window");

    auto& table = Shared().table;
    const auto window = IdOf(hwnd);
    if (table.Contains(window, message, IdOf(client))) {
        throw Error(error::kAlreadyHandled, L"Message already handled by another class");
    }
    // A window still waiting to be let go has the dispatcher in its chain already.
    const bool firstAttachment = table.PreviousProcedure(window) == 0;
    try {
        table.Append(window, message, IdOf(client));
    } catch (const std::bad_alloc&) {
        throw CannotRecord();
    }
    if (!firstAttachment) return;

    LONG_PTR previous = ReplaceProcedure(hwnd, reinterpret_cast<LONG_PTR>(&Dispatcher));
    if (previous == 0) {
        table.Forget(window);
        throw Error(error::kCannotSubclass, L"Can't subclass window");
    }
    try {
        table.SetPreviousProcedure(window, static_cast<SubclassTable::Procedure>(previous));
    } catch (const std::bad_alloc&) {
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, previous);
        table.Forget(window);
        throw CannotRecord();
    }
}

void DetachMessage(SubclassClient& client, HWND hwnd, UINT message) noexcept {
    if (!::IsWindow(hwnd) || !BelongsToThisProcess(hwnd)) return;
    auto& table = Shared().table;
    if (!table.Remove(IdOf(hwnd), message, IdOf(client))) return;
    if (table.AttachmentCount(IdOf(hwnd)) == 0) Restore(hwnd);
}

UINT CurrentMessage() noexcept { return Shared().currentMessage; }

LRESULT CallPreviousProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(Shared().table.PreviousProcedure(IdOf(hwnd)));
    if (!previous) previous = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    if (!previous || previous == &Dispatcher) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    return ::CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

bool IsSubclassed(HWND hwnd) noexcept { return ::IsWindow(hwnd) && DispatcherOnTop(hwnd); }

namespace testing {
void SetProcedureReplacer(ProcedureReplacer replacer) noexcept { Shared().replacer = replacer; }
}  // namespace testing

}  // namespace subclass
