#include "core/subclass/subclass_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using core::MessageResponse;
using core::SubclassTable;

const int kFirst = 1, kSecond = 2, kThird = 3;
const void* const first = &kFirst;
const void* const second = &kSecond;
const void* const third = &kThird;

TEST(SubclassTable, KeepsClientsPerMessageInAttachOrderAndClosesGaps) {
    SubclassTable table;
    table.Append(10, 15, first);
    table.Append(10, 15, second);
    table.Append(10, 15, third);
    table.Append(10, 20, first);
    table.Append(11, 15, second);
    EXPECT_EQ(table.ClientCount(10, 15), 3u);
    EXPECT_EQ(table.AttachmentCount(10), 4u);
    EXPECT_EQ(table.AttachmentCount(11), 1u);
    EXPECT_EQ(table.ClientAt(10, 15, 2), second);
    EXPECT_EQ(table.ClientAt(10, 15, 0), nullptr);
    EXPECT_EQ(table.ClientAt(10, 15, 4), nullptr);

    EXPECT_TRUE(table.Remove(10, 15, second));
    EXPECT_EQ(table.ClientAt(10, 15, 1), first);
    EXPECT_EQ(table.ClientAt(10, 15, 2), third);
    EXPECT_EQ(table.ClientCount(10, 15), 2u);
    EXPECT_FALSE(table.Remove(10, 15, second));
    EXPECT_FALSE(table.Remove(12, 15, first));
    EXPECT_EQ(table.Messages(10), (std::vector<unsigned>{15, 20}));
}

TEST(SubclassTable, ForgettingAWindowDropsItsProcedureAndClients) {
    SubclassTable table;
    table.SetPreviousProcedure(10, 0x1234);
    table.Append(10, 15, first);
    EXPECT_TRUE(table.Knows(10));
    EXPECT_EQ(table.PreviousProcedure(10), 0x1234u);
    table.Forget(10);
    EXPECT_FALSE(table.Knows(10));
    EXPECT_EQ(table.PreviousProcedure(10), 0u);
    EXPECT_EQ(table.AttachmentCount(10), 0u);
}

// Runs a dispatch over clients with fixed responses and results, recording the call order.
struct Recorder {
    std::vector<const void*> clients;  // position 1 first
    std::vector<MessageResponse> responses;
    std::vector<std::string> calls;

    std::intptr_t Run() {
        core::DispatchCalls calls_;
        calls_.clientAt = [this](std::size_t p) { return p <= clients.size() ? clients[p - 1] : nullptr; };
        calls_.responseOf = [this](const void* c) { return responses[IndexOf(c)]; };
        calls_.callClient = [this](const void* c) {
            calls.push_back("client" + std::to_string(IndexOf(c) + 1));
            return static_cast<std::intptr_t>(100 + IndexOf(c) + 1);
        };
        calls_.callPrevious = [this] {
            calls.push_back("previous");
            return std::intptr_t{7};
        };
        return core::DispatchToClients(clients.size(), calls_);
    }
    std::size_t IndexOf(const void* c) const {
        for (std::size_t i = 0; i < clients.size(); ++i)
            if (clients[i] == c) return i;
        return 0;
    }
};

TEST(DispatchToClients, LastAttachedRunsFirstAndTheFirstAttachedDecides) {
    Recorder consume{{first, second}, {MessageResponse::Consume, MessageResponse::CallPreviousAfter}};
    EXPECT_EQ(consume.Run(), 101);
    EXPECT_EQ(consume.calls, (std::vector<std::string>{"client2", "client1"}));

    Recorder after{{first, second}, {MessageResponse::CallPreviousAfter, MessageResponse::Consume}};
    EXPECT_EQ(after.Run(), 7);
    EXPECT_EQ(after.calls, (std::vector<std::string>{"client2", "client1", "previous"}));

    Recorder before{{first, second}, {MessageResponse::CallPreviousBefore, MessageResponse::Consume}};
    EXPECT_EQ(before.Run(), 101);
    EXPECT_EQ(before.calls, (std::vector<std::string>{"client2", "previous", "client1"}));
}

TEST(DispatchToClients, ALaterClientsResponseNeverCallsThePreviousProcedure) {
    Recorder r{{first, second}, {MessageResponse::Consume, MessageResponse::CallPreviousBefore}};
    EXPECT_EQ(r.Run(), 101);
    EXPECT_EQ(r.calls, (std::vector<std::string>{"client2", "client1"}));
}

TEST(DispatchToClients, SkipsEmptiedPositionsAndFallsBackToThePreviousProcedure) {
    Recorder gap{{nullptr, second}, {MessageResponse::Consume, MessageResponse::CallPreviousAfter}};
    // Position 1 is gone: the last client visited is at position 2 and its response counts.
    EXPECT_EQ(gap.Run(), 7);
    EXPECT_EQ(gap.calls, (std::vector<std::string>{"client2", "previous"}));

    Recorder none{{nullptr, nullptr}, {MessageResponse::Consume, MessageResponse::Consume}};
    EXPECT_EQ(none.Run(), 7);
    EXPECT_EQ(none.calls, (std::vector<std::string>{"previous"}));
}

TEST(DispatchToClients, EachClientRunsAtMostOnceWhoeverDetachesWhom) {
    const void* const abc[] = {first, second, third};
    const std::string names[] = {"A", "B", "C"};
    struct Case {
        std::size_t caller;                // 0-based among A, B, C
        std::vector<std::size_t> detaches;  // detached by the caller while it runs
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {2, {0}, {"C", "B"}},
        {2, {0, 1}, {"C"}},
        {1, {0}, {"C", "B"}},
        {2, {2}, {"C", "B", "A"}},
        {1, {2}, {"C", "B", "A"}},
    };
    for (const Case& c : cases) {
        std::vector<const void*> attached(std::begin(abc), std::end(abc));
        std::vector<std::string> ran;
        core::DispatchCalls calls;
        calls.clientAt = [&](std::size_t p) { return p <= attached.size() ? attached[p - 1] : nullptr; };
        calls.responseOf = [](const void*) { return MessageResponse::Consume; };
        calls.callClient = [&](const void* client) {
            const auto index = static_cast<std::size_t>(std::find(abc, abc + 3, client) - abc);
            ran.push_back(names[index]);
            if (index == c.caller) {
                for (std::size_t gone : c.detaches) std::erase(attached, abc[gone]);
            }
            return std::intptr_t{0};
        };
        calls.callPrevious = [] { return std::intptr_t{7}; };
        core::DispatchToClients(3, calls);
        EXPECT_EQ(ran, c.expected) << names[c.caller] << " detaching " << c.detaches.size();
    }
}

}  // namespace
