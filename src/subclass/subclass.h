#pragma once
// Window subclassing shared by every component that needs another window's messages.
//
// Any number of clients attach to any message of any window of this process. The window's
// procedure is replaced once, on the first attachment, by one dispatcher, and put back when the
// last attachment goes or when the window is destroyed; while another procedure installed later
// sits over the dispatcher, putting back waits until that one has gone. The bookkeeping is per
// window and lives in one process-wide table, not in window properties: property names built
// from handles would leave a global atom behind for every window that ever was subclassed.

#include <windows.h>

#include "core/subclass/subclass_table.h"

namespace subclass {

// Implemented by every client. Clients detach before they are destroyed: the table does not own
// them.
class SubclassClient {
public:
    // Read for the message being dispatched; CurrentMessage() tells which one.
    virtual core::MessageResponse MsgResponse() = 0;
    virtual LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~SubclassClient() = default;
};

// Error numbers of this layer, added to the object-error base; the source is
// "<executable>.WindowProc".
namespace error {
inline constexpr std::int32_t kCannotSubclass = 13081;
inline constexpr std::int32_t kAlreadyHandled = 13082;
inline constexpr std::int32_t kInvalidWindow = 13083;
inline constexpr std::int32_t kExternalWindow = 13084;
}  // namespace error

// Throws core::RuntimeError: 13083 for a non-window, 13084 for another process's window, 13082
// when the client is already attached to this message, 13081 when the procedure cannot be
// replaced, 5 when the attachment cannot be recorded. After an error nothing has changed.
void AttachMessage(SubclassClient& client, HWND hwnd, UINT message);
// Silent when the window is gone, belongs to another process, or the client is not attached.
void DetachMessage(SubclassClient& client, HWND hwnd, UINT message) noexcept;

// The message being dispatched to a client right now. Nested dispatches overwrite it.
UINT CurrentMessage() noexcept;

// Calls the procedure the window had before it was subclassed (the window's own procedure when
// it is not subclassed), for a client that answers Consume but wants the default some of the time.
LRESULT CallPreviousProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the dispatcher is the window's procedure.
bool IsSubclassed(HWND hwnd) noexcept;

namespace testing {
// Replaces SetWindowLongPtrW(GWLP_WNDPROC) so that a refused replacement can be provoked;
// null restores the platform call.
using ProcedureReplacer = LONG_PTR (*)(HWND, LONG_PTR);
void SetProcedureReplacer(ProcedureReplacer replacer) noexcept;
}  // namespace testing

}  // namespace subclass
