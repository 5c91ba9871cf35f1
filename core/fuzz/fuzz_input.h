#pragma once
// What the fuzz targets share: texts made from the fuzzer's bytes, and a failed check that the
// fuzzer records as a crash.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// A failed property: print it and abort, so libFuzzer keeps the input as a crash.
inline void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// One character per byte; the upper half of the bytes maps onto Cyrillic, so texts are not only
// Latin-1.
inline wchar_t WideFromByte(unsigned char byte) {
    return byte < 0x80 ? static_cast<wchar_t>(byte) : static_cast<wchar_t>(0x0400 + (byte - 0x80));
}

inline std::wstring TakeText(FuzzedDataProvider& input, std::size_t maxLength = 32) {
    std::wstring text;
    for (unsigned char byte : input.ConsumeRandomLengthString(maxLength)) text += WideFromByte(byte);
    return text;
}

}  // namespace fuzz
