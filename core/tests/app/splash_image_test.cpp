#include "core/app/splash_image.h"

#include <gtest/gtest.h>

#include <cstring>

#include "core/runtime_error.h"

namespace core {
namespace {

SplashImage TwoByTwo() {
    // Opaque red, half-transparent white, clear, opaque blue; colours premultiplied.
    return SplashImage{2, 2, {0, 0, 255, 255, 128, 128, 128, 128, 0, 0, 0, 0, 255, 0, 0, 255}};
}

int DecodeError(const std::vector<std::uint8_t>& bytes) {
    try {
        DecodeSplashImage(bytes, L"Splash.spl");
    } catch (const RuntimeError& error) {
        EXPECT_NE(error.Description().find(L"Splash.spl"), std::wstring::npos);
        return error.Number();
    }
    return 0;
}

TEST(SplashImage, RoundTripsThroughTheFileFormat) {
    std::vector<std::uint8_t> bytes = EncodeSplashImage(TwoByTwo());
    ASSERT_EQ(bytes.size(), 24u + 16u);
    EXPECT_EQ(std::memcmp(bytes.data(), "GSPL", 4), 0);
    SplashImage decoded = DecodeSplashImage(bytes, L"Splash.spl");
    EXPECT_EQ(decoded.width, 2u);
    EXPECT_EQ(decoded.height, 2u);
    EXPECT_EQ(decoded.bgra, TwoByTwo().bgra);
}

TEST(SplashImage, Crc32MatchesTheZipChecksum) {
    const char* text = "123456789";
    EXPECT_EQ(Crc32({reinterpret_cast<const std::uint8_t*>(text), 9}), 0xCBF43926u);
}

TEST(SplashImage, DamagedFilesAreRefusedAsInvalidFormat) {
    const std::vector<std::uint8_t> good = EncodeSplashImage(TwoByTwo());
    EXPECT_EQ(DecodeError({}), 321);
    EXPECT_EQ(DecodeError({good.begin(), good.begin() + 20}), 321);  // header cut short
    EXPECT_EQ(DecodeError({good.begin(), good.end() - 1}), 321);     // pixels cut short
    auto padded = good;
    padded.push_back(0);
    EXPECT_EQ(DecodeError(padded), 321);
    auto magic = good;
    magic[0] = 'X';
    EXPECT_EQ(DecodeError(magic), 321);
    auto version = good;
    version[4] = 2;
    EXPECT_EQ(DecodeError(version), 321);
    auto flipped = good;
    flipped[30] ^= 0x01;
    EXPECT_EQ(DecodeError(flipped), 321);
    auto huge = good;
    huge[10] = 0x01;  // width 65538: beyond the limit, and no data for it
    EXPECT_EQ(DecodeError(huge), 321);
    auto empty = good;
    empty[8] = 0;
    EXPECT_EQ(DecodeError(empty), 321);
}

TEST(SplashImage, AColourAboveItsAlphaIsNotPremultipliedAndIsRefused) {
    SplashImage image = TwoByTwo();
    image.bgra[4] = 200;  // blue 200 under alpha 128
    EXPECT_EQ(DecodeError(EncodeSplashImage(image)), 321);
}

}  // namespace
}  // namespace core
