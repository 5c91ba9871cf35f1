// The splash picture's decoder over whole files, both as they come and with the checksum made
// right, so that the fuzzer reaches the checks behind it. Whatever decodes must encode back to the
// same file (bar the reserved field, which the reader ignores) and decode again to the same image.

#include <cstdint>
#include <span>
#include <vector>

#include "core/runtime_error.h"
#include "core/app/splash_image.h"
#include "fuzz_input.h"

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kChecksumAt = 16;
constexpr std::size_t kReservedAt = 20;

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void CheckFile(const std::vector<std::uint8_t>& file) {
    core::SplashImage image;
    try {
        image = core::DecodeSplashImage(file, L"Splash.spl");
    } catch (const core::RuntimeError& error) {
        fuzz::Require(error.Number() == core::kInvalidFileFormatErrorNumber, "a refusal that is not 321");
        return;
    }
    fuzz::Require(image.bgra.size() == std::size_t{image.width} * image.height * 4, "pixels disagree with the size");

    std::vector<std::uint8_t> expected = file;
    PutU32(expected, kReservedAt, 0);
    const std::vector<std::uint8_t> encoded = core::EncodeSplashImage(image);
    fuzz::Require(encoded == expected, "encoding a decoded file changes it");

    const core::SplashImage again = core::DecodeSplashImage(encoded, L"Splash.spl");
    fuzz::Require(again.width == image.width && again.height == image.height && again.bgra == image.bgra,
                  "decode, encode, decode changes the image");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> file(data, data + size);
    CheckFile(file);
    if (file.size() >= kHeaderSize) {
        PutU32(file, kChecksumAt, core::Crc32(std::span(file).subspan(kHeaderSize)));
        CheckFile(file);
    }
    return 0;
}
