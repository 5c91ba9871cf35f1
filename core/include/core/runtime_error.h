#pragma once
// The one error type of the program: a numbered run-time error with a description and the
// component that raised it, as "<executable>.<component>".

#include <cstdint>
#include <stdexcept>
#include <string>

namespace core {

// Standard error numbers shared by every component.
namespace error_number {
inline constexpr std::int32_t kIllegalCall = 5;
inline constexpr std::int32_t kOverflow = 6;
inline constexpr std::int32_t kOutOfMemory = 7;
inline constexpr std::int32_t kSubscriptOutOfRange = 9;
inline constexpr std::int32_t kTypeMismatch = 13;
// What an exception of no known kind is reported as.
inline constexpr std::int32_t kInternalError = 51;
inline constexpr std::int32_t kObjectVariableNotSet = 91;
inline constexpr std::int32_t kKeyAlreadyExists = 457;
// Components add their own codes to this base.
inline constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);
}  // namespace error_number

class RuntimeError : public std::runtime_error {
public:
    RuntimeError(std::int32_t number, std::wstring description, std::wstring source);

    std::int32_t Number() const noexcept { return number_; }
    const std::wstring& Description() const noexcept { return description_; }
    const std::wstring& Source() const noexcept { return source_; }

private:
    std::int32_t number_;
    std::wstring description_;
    std::wstring source_;
};

// The executable's name (without extension) that prefixes every component's error source.
// Set once at start-up; the Windows layer sets it from the module file name.
void SetExecutableName(std::wstring name);
const std::wstring& ExecutableName();

// "<executable>" + suffix, e.g. ErrorSource(L".cTabCtrl") -> L"Glyphoscope.cTabCtrl".
std::wstring ErrorSource(std::wstring_view componentSuffix);

}  // namespace core
