#include "app/font_faces.h"

#include <cstdlib>
#include <exception>

#include "core/fonts/name_table.h"
#include "core/fonts/sfnt_file.h"
#include "win/handles.h"

namespace app {

namespace {

namespace fonts = core::fonts;

// GetFontData takes a tag as the bytes lie in the file, read as a little-endian number.
DWORD PlatformTag(std::uint32_t tag) {
    return ((tag & 0xFF) << 24) | ((tag & 0xFF00) << 8) | ((tag >> 8) & 0xFF00) | (tag >> 24);
}

bool HasTable(HDC dc, std::uint32_t tag) { return ::GetFontData(dc, PlatformTag(tag), 0, nullptr, 0) != GDI_ERROR; }

std::vector<std::uint8_t> Table(HDC dc, std::uint32_t tag) {
    const DWORD size = ::GetFontData(dc, PlatformTag(tag), 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0) return {};
    std::vector<std::uint8_t> bytes(size);
    if (::GetFontData(dc, PlatformTag(tag), 0, bytes.data(), size) != size) return {};
    return bytes;
}

struct Enumeration {
    std::vector<FontFace> faces;
    std::exception_ptr failure;
};

int CALLBACK CollectFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM target) {
    auto* found = reinterpret_cast<Enumeration*>(target);
    // Nothing may unwind through the platform's enumeration.
    try {
        const auto* full = reinterpret_cast<const ENUMLOGFONTEXW*>(font);
        FontFace face{*font, full->elfStyle, full->elfFullName};
        // Each face comes once per character set, and a bitmap font once per size.
        for (const FontFace& seen : found->faces) {
            if (seen.logFont.lfWeight == font->lfWeight && seen.logFont.lfItalic == font->lfItalic &&
                seen.fullName == face.fullName) {
                return 1;
            }
        }
        found->faces.push_back(std::move(face));
        return 1;
    } catch (...) {
        found->failure = std::current_exception();
        return 0;
    }
}

}  // namespace

std::vector<FontFace> FacesOfFamily(const std::wstring& family) {
    Enumeration found;
    win::WindowDc screen(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    family.copy(query.lfFaceName, LF_FACESIZE - 1);
    if (screen.get()) {
        ::EnumFontFamiliesExW(screen.get(), &query, &CollectFace, reinterpret_cast<LPARAM>(&found), 0);
    }
    if (found.failure) std::rethrow_exception(found.failure);
    if (found.faces.empty()) {
        query.lfWeight = FW_NORMAL;
        found.faces.push_back({query, {}, family});
    }
    return found.faces;
}

std::size_t PreviewedFaceIndex(const std::vector<FontFace>& faces) {
    std::size_t best = 0;
    auto distance = [](const FontFace& face) {
        return std::abs(face.logFont.lfWeight - FW_NORMAL) + (face.logFont.lfItalic ? 1000 : 0);
    };
    for (std::size_t i = 1; i < faces.size(); ++i) {
        if (distance(faces[i]) < distance(faces[best])) best = i;
    }
    return best;
}

fonts::FontFacts ReadFaceFacts(const FontFace& face, const FontFileLocator& files) {
    LOGFONTW request = face.logFont;
    request.lfHeight = -16;  // any size: the tables are the same at all of them
    request.lfWidth = 0;
    win::UniqueFont font(::CreateFontIndirectW(&request));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return {};
    win::SelectGuard selected(dc.get(), font.get());

    fonts::FontTableSet tables;
    tables.sfnt = ::GetFontData(dc.get(), 0, 0, nullptr, 0) != GDI_ERROR;
    if (tables.sfnt) {
        tables.name = Table(dc.get(), fonts::kNameTag);
        tables.os2 = Table(dc.get(), fonts::kOs2Tag);
        tables.head = Table(dc.get(), fonts::kHeadTag);
        tables.maxp = Table(dc.get(), fonts::kMaxpTag);
        tables.cmap = Table(dc.get(), fonts::kCmapTag);
        tables.cff = HasTable(dc.get(), fonts::kCffTag) || HasTable(dc.get(), fonts::kCff2Tag);
        tables.collection = HasTable(dc.get(), fonts::kCollectionTag);
    }
    fonts::FontFacts facts = fonts::ReadFontFacts(tables);

    std::vector<std::wstring> englishNames;
    if (tables.sfnt) {
        const fonts::NameStrings english = fonts::ReadNameTable(tables.name, fonts::NameLanguage::English);
        englishNames = {english.Get(fonts::NameId::FullName), english.Get(fonts::NameId::Family)};
    } else {
        // Bitmap and vector fonts have no tables: what the platform says is all there is.
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc.get(), &metrics);
        facts.format = (metrics.tmPitchAndFamily & TMPF_VECTOR) ? fonts::FontFormat::Vector : fonts::FontFormat::Bitmap;
        facts.fullName = face.fullName;
        englishNames = {face.fullName, face.logFont.lfFaceName};
    }
    facts.filePath = files.FileOf(dc.get(), face.logFont.lfFaceName, englishNames);
    return facts;
}

}  // namespace app
