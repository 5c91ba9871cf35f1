#include "core/subclass/subclass_table.h"

#include <algorithm>

namespace core {

std::size_t SubclassTable::ClientCount(WindowId window, unsigned message) const {
    auto w = windows_.find(window);
    if (w == windows_.end()) return 0;
    auto m = w->second.clients.find(message);
    return m == w->second.clients.end() ? 0 : m->second.size();
}

SubclassTable::ClientId SubclassTable::ClientAt(WindowId window, unsigned message, std::size_t position) const {
    auto w = windows_.find(window);
    if (w == windows_.end()) return nullptr;
    auto m = w->second.clients.find(message);
    if (m == w->second.clients.end() || position < 1 || position > m->second.size()) return nullptr;
    return m->second[position - 1];
}

bool SubclassTable::Contains(WindowId window, unsigned message, ClientId client) const {
    auto w = windows_.find(window);
    if (w == windows_.end()) return false;
    auto m = w->second.clients.find(message);
    if (m == w->second.clients.end()) return false;
    return std::find(m->second.begin(), m->second.end(), client) != m->second.end();
}

void SubclassTable::Append(WindowId window, unsigned message, ClientId client) {
    windows_[window].clients[message].push_back(client);
}

bool SubclassTable::Remove(WindowId window, unsigned message, ClientId client) {
    auto w = windows_.find(window);
    if (w == windows_.end()) return false;
    auto m = w->second.clients.find(message);
    if (m == w->second.clients.end()) return false;
    auto& list = m->second;
    auto found = std::find(list.begin(), list.end(), client);
    if (found == list.end()) return false;
    list.erase(found);
    if (list.empty()) w->second.clients.erase(m);
    return true;
}

std::size_t SubclassTable::AttachmentCount(WindowId window) const {
    auto w = windows_.find(window);
    if (w == windows_.end()) return 0;
    std::size_t count = 0;
    for (const auto& [message, list] : w->second.clients) count += list.size();
    return count;
}

std::vector<unsigned> SubclassTable::Messages(WindowId window) const {
    std::vector<unsigned> messages;
    auto w = windows_.find(window);
    if (w == windows_.end()) return messages;
    for (const auto& [message, list] : w->second.clients) messages.push_back(message);
    return messages;
}

SubclassTable::Procedure SubclassTable::PreviousProcedure(WindowId window) const {
    auto w = windows_.find(window);
    return w == windows_.end() ? 0 : w->second.previous;
}

void SubclassTable::SetPreviousProcedure(WindowId window, Procedure procedure) {
    windows_[window].previous = procedure;
}

std::intptr_t DispatchToClients(std::size_t clientCount, const DispatchCalls& calls) {
    std::intptr_t result = 0;
    bool previousCalled = false;
    SubclassTable::ClientId lastVisited = nullptr;
    // A client that detaches an earlier one moves itself and the later ones down a place, into
    // positions still to come: those that already ran are passed over.
    std::vector<SubclassTable::ClientId> visited;
    for (std::size_t position = clientCount; position >= 1; --position) {
        SubclassTable::ClientId client = calls.clientAt(position);
        if (!client || std::find(visited.begin(), visited.end(), client) != visited.end()) continue;
        visited.push_back(client);
        if (position == 1 && !previousCalled && calls.responseOf(client) == MessageResponse::CallPreviousBefore) {
            calls.callPrevious();
            previousCalled = true;
        }
        result = calls.callClient(client);
        lastVisited = client;
    }
    // Every client detached itself on the way: the window still gets its message.
    if (!lastVisited) return previousCalled ? result : calls.callPrevious();
    if (!previousCalled && calls.responseOf(lastVisited) == MessageResponse::CallPreviousAfter) {
        result = calls.callPrevious();
    }
    return result;
}

}  // namespace core
