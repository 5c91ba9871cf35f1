#include "win/error_report.h"

#include <windows.h>

#include <new>
#include <string>

namespace win {

namespace {

ErrorReporter& Reporter() {
    static ErrorReporter reporter;
    return reporter;
}

std::wstring Widen(const char* text) {
    std::wstring out;
    for (; text && *text; ++text) out.push_back(static_cast<unsigned char>(*text));
    return out;
}

}  // namespace

ErrorReporter SetErrorReporter(ErrorReporter reporter) {
    ErrorReporter previous = std::move(Reporter());
    Reporter() = std::move(reporter);
    return previous;
}

void ReportError(const core::RuntimeError& error) {
    if (Reporter()) {
        Reporter()(error);
        return;
    }
    std::wstring text =
        L"Error " + std::to_wstring(error.Number()) + L": " + error.Description() + L" (" + error.Source() + L")\n";
    ::OutputDebugStringW(text.c_str());
}

core::RuntimeError LastError(std::wstring description, std::wstring source) {
    return core::RuntimeError(static_cast<std::int32_t>(::GetLastError()), std::move(description), std::move(source));
}

void ReportCurrentException() noexcept {
    try {
        try {
            throw;
        } catch (const core::RuntimeError& error) {
            ReportError(error);
        } catch (const std::bad_alloc&) {
            ReportError(core::RuntimeError(core::error_number::kOutOfMemory, L"Out of memory", core::ExecutableName()));
        } catch (const std::exception& error) {
            ReportError(core::RuntimeError(core::error_number::kInternalError, Widen(error.what()), core::ExecutableName()));
        } catch (...) {
            ReportError(core::RuntimeError(core::error_number::kInternalError, L"Internal error", core::ExecutableName()));
        }
    } catch (...) {
        // The reporter itself failed; nothing sensible is left to do at a callback boundary.
        ::OutputDebugStringW(L"Error reporter failed\n");
    }
}

}  // namespace win
