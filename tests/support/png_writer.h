#pragma once
// Writes 32-bit pixels as a PNG file, so that tests can leave pictures of what they drew.
// Uncompressed (stored) deflate blocks keep the encoder tiny; the files are for looking at.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

namespace png_detail {

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

inline void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

inline void Chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::vector<std::uint8_t> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc32(body.data(), body.size()));
}

}  // namespace png_detail

// pixels: 0xAARRGGBB, rows top to bottom (a 32-bit top-down DIB read as numbers). Each pixel is
// written `scale` times in both directions. Alpha is dropped: the picture is opaque.
inline bool WritePng(const std::wstring& path, const std::uint32_t* pixels, int width, int height, int scale = 1) {
    using namespace png_detail;
    const int outWidth = width * scale;
    const int outHeight = height * scale;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(outHeight) * (outWidth * 3 + 1));
    for (int y = 0; y < outHeight; ++y) {
        raw.push_back(0);
        const std::uint32_t* row = pixels + static_cast<std::size_t>(y / scale) * width;
        for (int x = 0; x < outWidth; ++x) {
            const std::uint32_t p = row[x / scale];
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    std::vector<std::uint8_t> deflated{0x78, 0x01};
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    for (std::size_t offset = 0; offset < raw.size() || offset == 0; offset += 65535) {
        const std::size_t length = std::min<std::size_t>(65535, raw.size() - offset);
        const bool last = offset + length >= raw.size();
        deflated.push_back(last ? 1 : 0);
        deflated.push_back(static_cast<std::uint8_t>(length));
        deflated.push_back(static_cast<std::uint8_t>(length >> 8));
        deflated.push_back(static_cast<std::uint8_t>(~length));
        deflated.push_back(static_cast<std::uint8_t>(~length >> 8));
        deflated.insert(deflated.end(), raw.begin() + offset, raw.begin() + offset + length);
        if (last) break;
    }
    PutBigEndian(deflated, (b << 16) | a);

    std::vector<std::uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian(header, static_cast<std::uint32_t>(outWidth));
    PutBigEndian(header, static_cast<std::uint32_t>(outHeight));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", deflated);
    Chunk(file, "IEND", {});
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

}  // namespace testing_support
