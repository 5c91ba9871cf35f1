#include "subclass/subclass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/error_capture.h"

namespace {

using core::MessageResponse;

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kOther = WM_APP + 2;

// A plain window whose own procedure answers kProbe with 7 and records that it ran.
std::vector<std::string>* g_log = nullptr;
WNDPROC g_procedureAtNcDestroy = nullptr;

LRESULT CALLBACK OwnProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe || message == kOther) {
        if (g_log) g_log->push_back("own");
        return 7;
    }
    if (message == WM_NCDESTROY) {
        g_procedureAtNcDestroy = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreatePlainWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &OwnProcedure;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"GlyphSubclassTestWindow";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             wc.hInstance, nullptr);
}

WNDPROC ProcedureOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)); }

class Client : public subclass::SubclassClient {
public:
    Client(std::string name, MessageResponse response, LRESULT result, std::vector<std::string>& log)
        : name_(std::move(name)), response_(response), result_(result), log_(log) {}

    MessageResponse MsgResponse() override {
        responseMessages.push_back(subclass::CurrentMessage());
        return response_;
    }
    LRESULT WindowProc(HWND, UINT message, WPARAM, LPARAM) override {
        log_.push_back(name_);
        lastMessage = message;
        if (onCall) onCall();
        return result_;
    }

    std::vector<UINT> responseMessages;
    UINT lastMessage = 0;
    std::function<void()> onCall;

private:
    std::string name_;
    MessageResponse response_;
    LRESULT result_;
    std::vector<std::string>& log_;
};

class Subclassing : public testing::Test {
protected:
    void SetUp() override {
        g_log = &log;
        hwnd = CreatePlainWindow();
        ASSERT_NE(hwnd, nullptr);
    }
    void TearDown() override {
        if (::IsWindow(hwnd)) ::DestroyWindow(hwnd);
        g_log = nullptr;
        subclass::testing::SetProcedureReplacer(nullptr);
    }
    LRESULT Send(UINT message = kProbe) { return ::SendMessageW(hwnd, message, 0, 0); }

    std::vector<std::string> log;
    HWND hwnd = nullptr;
};

TEST_F(Subclassing, TwoClientsRunLastAttachedFirstAndTheFirstAttachedDecidesTheResult) {
    Client first("first", MessageResponse::Consume, 11, log);
    Client second("second", MessageResponse::CallPreviousAfter, 22, log);
    subclass::AttachMessage(first, hwnd, kProbe);
    subclass::AttachMessage(second, hwnd, kProbe);
    EXPECT_EQ(Send(), 11);
    EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(first.lastMessage, kProbe);
    ASSERT_FALSE(first.responseMessages.empty());
    EXPECT_EQ(first.responseMessages.back(), kProbe);
    subclass::DetachMessage(second, hwnd, kProbe);
    subclass::DetachMessage(first, hwnd, kProbe);
}

TEST_F(Subclassing, CallPreviousAfterTakesThePreviousResultAndBeforeKeepsTheClients) {
    Client after("after", MessageResponse::CallPreviousAfter, 11, log);
    subclass::AttachMessage(after, hwnd, kProbe);
    EXPECT_EQ(Send(), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"after", "own"}));
    subclass::DetachMessage(after, hwnd, kProbe);

    log.clear();
    Client before("before", MessageResponse::CallPreviousBefore, 11, log);
    Client later("later", MessageResponse::Consume, 22, log);
    subclass::AttachMessage(before, hwnd, kProbe);
    subclass::AttachMessage(later, hwnd, kProbe);
    EXPECT_EQ(Send(), 11);
    EXPECT_EQ(log, (std::vector<std::string>{"later", "own", "before"}));
    subclass::DetachMessage(before, hwnd, kProbe);
    subclass::DetachMessage(later, hwnd, kProbe);
}

TEST_F(Subclassing, MessagesWithoutClientsReachTheWindowUntouched) {
    Client client("client", MessageResponse::Consume, 11, log);
    subclass::AttachMessage(client, hwnd, kProbe);
    EXPECT_EQ(Send(kOther), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"own"}));
    subclass::DetachMessage(client, hwnd, kProbe);
}

TEST_F(Subclassing, TheProcedureIsReplacedOnceAndRestoredWithTheLastDetach) {
    WNDPROC own = ProcedureOf(hwnd);
    Client client("client", MessageResponse::Consume, 11, log);
    subclass::AttachMessage(client, hwnd, kProbe);
    WNDPROC dispatcher = ProcedureOf(hwnd);
    EXPECT_NE(dispatcher, own);
    subclass::AttachMessage(client, hwnd, kOther);
    EXPECT_EQ(ProcedureOf(hwnd), dispatcher);
    EXPECT_EQ(Send(kOther), 11);

    subclass::DetachMessage(client, hwnd, kProbe);
    EXPECT_TRUE(subclass::IsSubclassed(hwnd));
    subclass::DetachMessage(client, hwnd, kOther);
    EXPECT_EQ(ProcedureOf(hwnd), own);
    EXPECT_EQ(Send(), 7);
}

TEST_F(Subclassing, DetachingWhatIsNotAttachedChangesNothing) {
    WNDPROC own = ProcedureOf(hwnd);
    Client attached("attached", MessageResponse::Consume, 11, log);
    Client stranger("stranger", MessageResponse::Consume, 22, log);
    subclass::DetachMessage(stranger, hwnd, kProbe);
    EXPECT_EQ(ProcedureOf(hwnd), own);

    subclass::AttachMessage(attached, hwnd, kProbe);
    subclass::DetachMessage(stranger, hwnd, kProbe);
    subclass::DetachMessage(attached, hwnd, kOther);
    EXPECT_EQ(Send(), 11);
    ::DestroyWindow(hwnd);
    subclass::DetachMessage(attached, hwnd, kProbe);  // the window is gone: silent
}

TEST_F(Subclassing, ADestroyedWindowGetsItsOwnProcedureBackAtDestroy) {
    WNDPROC own = ProcedureOf(hwnd);
    Client client("client", MessageResponse::Consume, 11, log);
    Client late("late", MessageResponse::CallPreviousAfter, 0, log);
    subclass::AttachMessage(client, hwnd, kProbe);
    subclass::AttachMessage(late, hwnd, WM_NCDESTROY);
    g_procedureAtNcDestroy = nullptr;
    ::DestroyWindow(hwnd);
    // Restored at WM_DESTROY: the last message went to the window's own procedure, past the client.
    EXPECT_EQ(g_procedureAtNcDestroy, own);
    EXPECT_TRUE(log.empty());
    subclass::DetachMessage(client, hwnd, kProbe);

    // A new window, even one that gets the same handle back, starts clean.
    hwnd = CreatePlainWindow();
    EXPECT_FALSE(subclass::IsSubclassed(hwnd));
    EXPECT_EQ(Send(), 7);
}

TEST_F(Subclassing, AClientOnDestroyStillSeesItAndNothingOutlivesTheWindow) {
    Client onDestroy("destroy", MessageResponse::CallPreviousAfter, 0, log);
    subclass::AttachMessage(onDestroy, hwnd, WM_DESTROY);
    ::DestroyWindow(hwnd);
    EXPECT_EQ(log, (std::vector<std::string>{"destroy"}));
    EXPECT_EQ(onDestroy.lastMessage, static_cast<UINT>(WM_DESTROY));
    hwnd = CreatePlainWindow();
    // Attaching again works from scratch: the old attachment did not survive its window.
    subclass::AttachMessage(onDestroy, hwnd, WM_DESTROY);
    subclass::DetachMessage(onDestroy, hwnd, WM_DESTROY);
    EXPECT_FALSE(subclass::IsSubclassed(hwnd));
}

TEST_F(Subclassing, AClientMayDetachItselfWhileItRuns) {
    Client first("first", MessageResponse::CallPreviousAfter, 11, log);
    Client second("second", MessageResponse::Consume, 22, log);
    subclass::AttachMessage(first, hwnd, kProbe);
    subclass::AttachMessage(second, hwnd, kProbe);
    second.onCall = [&] {
        subclass::DetachMessage(second, hwnd, kProbe);
        subclass::DetachMessage(first, hwnd, kProbe);
    };
    // The first client went before its turn: the last one visited answers.
    EXPECT_EQ(Send(), 22);
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));
    EXPECT_FALSE(subclass::IsSubclassed(hwnd));
}

// Installed over the dispatcher by someone else: records kProbe and passes everything on.
WNDPROC g_below = nullptr;
LRESULT CALLBACK ForeignProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kProbe && g_log) g_log->push_back("foreign");
    return ::CallWindowProcW(g_below, hwnd, message, wParam, lParam);
}

TEST_F(Subclassing, ASubclassInstalledOverOursIsNotCutOffByTheLastDetach) {
    WNDPROC own = ProcedureOf(hwnd);
    Client client("client", MessageResponse::CallPreviousAfter, 11, log);
    subclass::AttachMessage(client, hwnd, kProbe);
    g_below = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProcedure)));
    subclass::DetachMessage(client, hwnd, kProbe);
    EXPECT_EQ(ProcedureOf(hwnd), &ForeignProcedure);
    EXPECT_EQ(Send(), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"foreign", "own"}));

    // Attached again meanwhile: the dispatcher is still in the chain and runs the client once.
    log.clear();
    subclass::AttachMessage(client, hwnd, kProbe);
    EXPECT_EQ(ProcedureOf(hwnd), &ForeignProcedure);
    EXPECT_EQ(Send(), 7);
    EXPECT_EQ(log, (std::vector<std::string>{"foreign", "client", "own"}));
    subclass::DetachMessage(client, hwnd, kProbe);

    // The other one goes the same way: ours is on top again and goes at the next message.
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_below));
    log.clear();
    EXPECT_EQ(Send(), 7);
    EXPECT_EQ(ProcedureOf(hwnd), own);
    EXPECT_EQ(log, (std::vector<std::string>{"own"}));
}

void ExpectError(const std::function<void()>& call, std::int32_t number, const std::wstring& description) {
    try {
        call();
        ADD_FAILURE() << "no error raised";
    } catch (const core::RuntimeError& error) {
        EXPECT_EQ(error.Number(), number);
        EXPECT_EQ(error.Description(), description);
        EXPECT_EQ(error.Source(), core::ExecutableName() + L".WindowProc");
    }
}

TEST_F(Subclassing, RaisesTheFourErrorsAndLeavesEverythingAsItWas) {
    Client client("client", MessageResponse::Consume, 11, log);
    const std::int32_t base = core::error_number::kObjectErrorBase;

    subclass::AttachMessage(client, hwnd, kProbe);
    ExpectError([&] { subclass::AttachMessage(client, hwnd, kProbe); }, base + 13082,
                L"Message already handled by another class");
    EXPECT_EQ(Send(), 11);
    subclass::DetachMessage(client, hwnd, kProbe);
    EXPECT_FALSE(subclass::IsSubclassed(hwnd));

    HWND gone = CreatePlainWindow();
    ::DestroyWindow(gone);
    ExpectError([&] { subclass::AttachMessage(client, gone, kProbe); }, base + 13083, L"Invalid window");
    ExpectError([&] { subclass::AttachMessage(client, nullptr, kProbe); }, base + 13083, L"Invalid window");

    HWND desktop = ::GetDesktopWindow();
    DWORD desktopProcess = 0;
    ::GetWindowThreadProcessId(desktop, &desktopProcess);
    if (desktopProcess != ::GetCurrentProcessId()) {
        ExpectError([&] { subclass::AttachMessage(client, desktop, kProbe); }, base + 13084,
                    L"Can't modify external window");
    }

    subclass::testing::SetProcedureReplacer([](HWND, LONG_PTR) -> LONG_PTR { return 0; });
    ExpectError([&] { subclass::AttachMessage(client, hwnd, kProbe); }, base + 13081, L"Can't subclass window");
    subclass::testing::SetProcedureReplacer(nullptr);
    EXPECT_EQ(Send(), 7);
    // The refused attachment left no trace: the same client attaches now.
    subclass::AttachMessage(client, hwnd, kProbe);
    EXPECT_EQ(Send(), 11);
    subclass::DetachMessage(client, hwnd, kProbe);
}

TEST_F(Subclassing, AnExceptionInAClientIsReportedAndStopsAtTheDispatcher) {
    struct Thrower : subclass::SubclassClient {
        MessageResponse MsgResponse() override { return MessageResponse::CallPreviousAfter; }
        LRESULT WindowProc(HWND, UINT, WPARAM, LPARAM) override { throw core::RuntimeError(91, L"boom", L"test"); }
    } thrower;
    testing_support::ErrorCapture capture;
    subclass::AttachMessage(thrower, hwnd, kProbe);
    EXPECT_EQ(Send(), 7);
    ASSERT_EQ(capture.errors().size(), 1u);
    EXPECT_EQ(capture.errors()[0].Description(), L"boom");
    subclass::DetachMessage(thrower, hwnd, kProbe);
}

}  // namespace
