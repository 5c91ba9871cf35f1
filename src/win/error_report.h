#pragma once
// Exceptions never cross a window procedure, hook, timer or other callback: each boundary catches
// them and hands them to the one process-wide reporter, which the program points at its own error
// message. Tests can replace it to see what was reported.

#include "core/runtime_error.h"

#include <functional>
#include <string>

namespace win {

using ErrorReporter = std::function<void(const core::RuntimeError&)>;

// Returns the previous reporter.
ErrorReporter SetErrorReporter(ErrorReporter reporter);
void ReportError(const core::RuntimeError& error);

// Runs body; any exception becomes a report. Returns false when something was reported.
template <typename Body>
bool GuardCallback(Body&& body) noexcept;

void ReportCurrentException() noexcept;

// The calling thread's last Win32 error number with the caller's description and source, for a
// failed system call: throw LastError(...).
core::RuntimeError LastError(std::wstring description, std::wstring source);

template <typename Body>
bool GuardCallback(Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        ReportCurrentException();
        return false;
    }
}

}  // namespace win
