#pragma once
// Splash.spl, the picture the splash shows: a small header and a 32-bit image with alpha.
//
//   offset  size  content
//        0     4  "GSPL"
//        4     2  format version, 1 (little-endian, as every number here)
//        6     2  header size in bytes, 24
//        8     4  width in pixels, 1..4096
//       12     4  height in pixels, 1..4096
//       16     4  CRC-32 (the zip polynomial) of the pixel bytes
//       20     4  reserved, 0
//       24        width × height pixels, rows top to bottom, each B, G, R, A with the colours
//                 premultiplied by alpha (ready for a layered window)

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace core {

inline constexpr std::int32_t kFileNotFoundErrorNumber = 53;
inline constexpr std::int32_t kInvalidFileFormatErrorNumber = 321;

struct SplashImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> bgra;  // width * height * 4 bytes, premultiplied
};

// Reads a whole file's bytes; throws RuntimeError 321 for anything that is not a sound image
// (wrong magic or version, truncated or padded data, a checksum mismatch, a colour above its alpha).
SplashImage DecodeSplashImage(std::span<const std::uint8_t> bytes, const std::wstring& fileName);
std::vector<std::uint8_t> EncodeSplashImage(const SplashImage& image);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace core
