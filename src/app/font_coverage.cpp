#include "app/font_coverage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/app/cmap_coverage.h"
#include "win/handles.h"

namespace app {

HFONT CreateFamilyFont(const std::wstring& family, int pixels) {
    LOGFONTW font{};
    font.lfHeight = -pixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    family.copy(font.lfFaceName, LF_FACESIZE - 1);
    return ::CreateFontIndirectW(&font);
}

// The platform's ranges speak UTF-16 and end at U+FFFF (Wine's even fold the planes beyond onto the
// first); a font with a full-repertoire table says for itself what it maps in every plane.
std::vector<core::CodePointRange> FontCoverage(const std::wstring& family) {
    std::vector<core::CodePointRange> covered;
    win::UniqueFont font(CreateFamilyFont(family, 16));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return covered;
    win::SelectGuard selected(dc.get(), font.get());
    constexpr DWORD kCmapTag = 'c' | 'm' << 8 | 'a' << 16 | 'p' << 24;
    const DWORD cmapSize = ::GetFontData(dc.get(), kCmapTag, 0, nullptr, 0);
    if (cmapSize != GDI_ERROR && cmapSize != 0) {
        std::vector<std::uint8_t> cmap(cmapSize);
        if (::GetFontData(dc.get(), kCmapTag, 0, cmap.data(), cmapSize) == cmapSize) {
            covered = core::FullRepertoireCoverage(cmap);
            if (!covered.empty()) return covered;
        }
    }
    const DWORD size = ::GetFontUnicodeRanges(dc.get(), nullptr);
    if (size < sizeof(GLYPHSET)) return covered;
    // GLYPHSET ends in a one-element array that really holds cRanges entries.
    auto buffer = std::make_unique<std::byte[]>(size);
    auto* glyphs = reinterpret_cast<GLYPHSET*>(buffer.get());
    glyphs->cbThis = size;
    if (::GetFontUnicodeRanges(dc.get(), glyphs) == 0) return covered;
    const DWORD ranges = std::min<DWORD>(glyphs->cRanges, (size - offsetof(GLYPHSET, ranges)) / sizeof(WCRANGE));
    covered.reserve(ranges);
    for (DWORD i = 0; i < ranges; ++i) {
        const WCRANGE& range = glyphs->ranges[i];
        if (range.cGlyphs == 0) continue;
        const char32_t first = range.wcLow;
        covered.push_back({first, first + range.cGlyphs - 1});
    }
    return covered;
}

}  // namespace app
