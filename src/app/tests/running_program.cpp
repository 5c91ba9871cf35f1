#include "app/tests/running_program.h"

#include <gtest/gtest.h>

#include "support/pump.h"
#include "win/module.h"

namespace app::tests {

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[128] = {}, text[256] = {};
    ::GetClassNameW(hwnd, cls, 128);
    ::GetWindowTextW(hwnd, text, 256);
    if (pid == query->pid && ::IsWindowVisible(hwnd) && (!query->className || wcscmp(cls, query->className) == 0) &&
        (!query->caption || wcscmp(text, query->caption) == 0)) {
        query->found.push_back(hwnd);
    }
    return TRUE;
}

BOOL CALLBACK ReadMessageText(HWND child, LPARAM param) {
    // The message text is the static control with id 0xFFFF, on Windows and Wine alike.
    if (::GetDlgCtrlID(child) != 0xFFFF) return TRUE;
    wchar_t buffer[1024] = {};
    ::GetWindowTextW(child, buffer, 1024);
    *reinterpret_cast<std::wstring*>(param) = buffer;
    return FALSE;
}

}  // namespace

std::wstring BesideTests(const wchar_t* name) { return win::ExecutableDirectory() + L"\\" + name; }

RunningProgram::RunningProgram(const std::wstring& path, const std::wstring& arguments) {
    std::wstring command = L"\"" + path + L"\"";
    if (!arguments.empty()) command += L" " + arguments;
    STARTUPINFOW startup{sizeof(startup)};
    started_ = ::GetTickCount64();
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process_)) {
        ADD_FAILURE() << "cannot start " << ::testing::PrintToString(path) << ": error " << ::GetLastError();
        return;
    }
    ::WaitForInputIdle(process_.hProcess, 10000);
}

RunningProgram::~RunningProgram() {
    if (!process_.hProcess) return;
    if (!Exited()) ::TerminateProcess(process_.hProcess, 1);
    ::WaitForSingleObject(process_.hProcess, 5000);
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
}

bool RunningProgram::WaitForExit(DWORD ms) const {
    return ::WaitForSingleObject(process_.hProcess, ms) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::vector<HWND> RunningProgram::Windows(const wchar_t* className, const wchar_t* caption) const {
    WindowQuery query{process_.dwProcessId, className, caption, {}};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND RunningProgram::Find(const wchar_t* className, const wchar_t* caption) const {
    const std::vector<HWND> found = Windows(className, caption);
    return found.empty() ? nullptr : found.front();
}

HWND RunningProgram::WaitFor(const wchar_t* className, const wchar_t* caption, DWORD ms) const {
    HWND found = nullptr;
    testing_support::PumpUntil([&] { return (found = Find(className, caption)) != nullptr || Exited(); }, ms);
    return found;
}

std::wstring MessageBoxText(HWND box) {
    std::wstring text;
    ::EnumChildWindows(box, &ReadMessageText, reinterpret_cast<LPARAM>(&text));
    return text;
}

}  // namespace app::tests
