#include "core/runtime_error.h"

#include <utility>

namespace core {

namespace {

std::string NarrowForWhat(const std::wstring& text) {
    // what() is only a diagnostic; keep ASCII and mark the rest.
    std::string out;
    out.reserve(text.size());
    for (wchar_t ch : text) {
        out.push_back(ch >= 0x20 && ch < 0x7f ? static_cast<char>(ch) : '?');
    }
    return out;
}

std::wstring& ExecutableNameStorage() {
    static std::wstring name = L"Glyphoscope";
    return name;
}

}  // namespace

RuntimeError::RuntimeError(std::int32_t number, std::wstring description, std::wstring source)
    : std::runtime_error(NarrowForWhat(description)),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

void SetExecutableName(std::wstring name) { ExecutableNameStorage() = std::move(name); }

const std::wstring& ExecutableName() { return ExecutableNameStorage(); }

std::wstring ErrorSource(std::wstring_view componentSuffix) {
    return ExecutableNameStorage() + std::wstring(componentSuffix);
}

}  // namespace core
