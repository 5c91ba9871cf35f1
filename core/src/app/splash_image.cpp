#include "core/app/splash_image.h"

#include <array>

#include "core/runtime_error.h"

namespace core {

namespace {

constexpr std::uint8_t kMagic[4] = {'G', 'S', 'P', 'L'};
constexpr std::uint16_t kVersion = 1;
constexpr std::uint16_t kHeaderSize = 24;
constexpr std::uint32_t kMaxSide = 4096;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

[[noreturn]] void Corrupt(const std::wstring& fileName, const wchar_t* what) {
    throw RuntimeError(kInvalidFileFormatErrorNumber, L"Неверный формат файла заставки " + fileName + L": " + what,
                       ErrorSource(L".Splash"));
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

SplashImage DecodeSplashImage(std::span<const std::uint8_t> bytes, const std::wstring& fileName) {
    if (bytes.size() < kHeaderSize) Corrupt(fileName, L"файл слишком короткий");
    if (!std::equal(std::begin(kMagic), std::end(kMagic), bytes.begin())) Corrupt(fileName, L"это не файл заставки");
    if (ReadU16(bytes, 4) != kVersion || ReadU16(bytes, 6) != kHeaderSize) {
        Corrupt(fileName, L"неизвестная версия формата");
    }
    SplashImage image;
    image.width = ReadU32(bytes, 8);
    image.height = ReadU32(bytes, 12);
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
        Corrupt(fileName, L"недопустимый размер изображения");
    }
    // Both sides are at most 4096, so this cannot overflow.
    const size_t pixelBytes = static_cast<size_t>(image.width) * image.height * 4;
    if (bytes.size() != kHeaderSize + pixelBytes) Corrupt(fileName, L"размер данных не совпадает с заголовком");
    std::span<const std::uint8_t> pixels = bytes.subspan(kHeaderSize);
    if (Crc32(pixels) != ReadU32(bytes, 16)) Corrupt(fileName, L"контрольная сумма не совпадает");
    for (size_t i = 0; i < pixelBytes; i += 4) {
        std::uint8_t alpha = pixels[i + 3];
        if (pixels[i] > alpha || pixels[i + 1] > alpha || pixels[i + 2] > alpha) {
            Corrupt(fileName, L"цвет точки превышает её прозрачность");
        }
    }
    image.bgra.assign(pixels.begin(), pixels.end());
    return image;
}

std::vector<std::uint8_t> EncodeSplashImage(const SplashImage& image) {
    std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
    out.push_back(kVersion & 0xFF);
    out.push_back(kVersion >> 8);
    out.push_back(kHeaderSize & 0xFF);
    out.push_back(kHeaderSize >> 8);
    PutU32(out, image.width);
    PutU32(out, image.height);
    PutU32(out, Crc32(image.bgra));
    PutU32(out, 0);
    out.insert(out.end(), image.bgra.begin(), image.bgra.end());
    return out;
}

}  // namespace core
