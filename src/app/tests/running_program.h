#pragma once
// The real program, started from its file as a user starts it, and the windows it shows.

#include <windows.h>

#include <string>
#include <vector>

namespace app::tests {

inline constexpr wchar_t kMainClass[] = L"GlyphoscopeMainWindow";
inline constexpr wchar_t kMainCaption[] = L"Marrowind Glyphoscope 2.3";

// A file beside the test program: the program and what it reads are laid out there.
std::wstring BesideTests(const wchar_t* name);

class RunningProgram {
public:
    explicit RunningProgram(const std::wstring& path = BesideTests(L"Glyphoscope.exe"),
                            const std::wstring& arguments = {});
    // A program still running is ended.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool Exited() const { return WaitForExit(0); }
    bool WaitForExit(DWORD ms) const;
    DWORD ExitCode() const;
    DWORD ProcessId() const { return process_.dwProcessId; }
    // Since just before the process was created.
    ULONGLONG Elapsed() const { return ::GetTickCount64() - started_; }

    // The program's visible top-level windows of that class (any, when null) and caption (any,
    // when null), in z-order.
    std::vector<HWND> Windows(const wchar_t* className, const wchar_t* caption = nullptr) const;
    HWND Find(const wchar_t* className, const wchar_t* caption = nullptr) const;
    // Null when none appears in time or the program ends first.
    HWND WaitFor(const wchar_t* className, const wchar_t* caption = nullptr, DWORD ms = 15000) const;

private:
    PROCESS_INFORMATION process_{};
    ULONGLONG started_ = 0;
};

// The text of a message box, from its static control.
std::wstring MessageBoxText(HWND box);

}  // namespace app::tests
