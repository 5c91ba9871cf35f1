#pragma once
// Bookkeeping and dispatch order of window subclassing, apart from any window.
//
// Windows and clients are plain identities here; the Windows layer maps them to handles and
// interface pointers. Per window the table holds the procedure that was in place before the
// dispatcher, and per message the clients in attachment order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace core {

// How a client wants the previous window procedure treated for the message being dispatched.
enum class MessageResponse : std::int32_t {
    Consume = 0,             // the previous procedure is not called; the client's result stands
    CallPreviousAfter = 1,   // called after the clients; its result is the message's result
    CallPreviousBefore = 2,  // called before the first-attached client runs; the client's result stands
};

class SubclassTable {
public:
    using WindowId = std::uintptr_t;
    using ClientId = const void*;
    using Procedure = std::uintptr_t;

    // Clients of one message of one window; positions are 1-based, the first attached is 1.
    std::size_t ClientCount(WindowId window, unsigned message) const;
    // Null when the position is outside 1..ClientCount.
    ClientId ClientAt(WindowId window, unsigned message, std::size_t position) const;
    bool Contains(WindowId window, unsigned message, ClientId client) const;

    // Appends the client after the ones already attached to the message.
    void Append(WindowId window, unsigned message, ClientId client);
    // Removes the client and closes the gap; false when it was not attached.
    bool Remove(WindowId window, unsigned message, ClientId client);

    // Number of (message, client) attachments on the window.
    std::size_t AttachmentCount(WindowId window) const;
    // Messages of the window that have at least one client.
    std::vector<unsigned> Messages(WindowId window) const;

    // 0 when the window has no stored previous procedure.
    Procedure PreviousProcedure(WindowId window) const;
    void SetPreviousProcedure(WindowId window, Procedure procedure);

    bool Knows(WindowId window) const { return windows_.count(window) != 0; }
    // Drops everything known about the window.
    void Forget(WindowId window) { windows_.erase(window); }

private:
    struct WindowRecord {
        Procedure previous = 0;
        std::map<unsigned, std::vector<ClientId>> clients;
    };
    std::map<WindowId, WindowRecord> windows_;
};

// What the dispatcher needs from its surroundings for one message.
struct DispatchCalls {
    // The client at a 1-based position, read afresh at every step (a client may detach others).
    std::function<SubclassTable::ClientId(std::size_t position)> clientAt;
    std::function<MessageResponse(SubclassTable::ClientId)> responseOf;
    std::function<std::intptr_t(SubclassTable::ClientId)> callClient;
    std::function<std::intptr_t()> callPrevious;
};

// Runs the clients of one message, the last attached first, each at most once whoever detaches
// whom on the way. Only the first-attached client's response decides whether and when the
// previous procedure runs.
std::intptr_t DispatchToClients(std::size_t clientCount, const DispatchCalls& calls);

}  // namespace core
