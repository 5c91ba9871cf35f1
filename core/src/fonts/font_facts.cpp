#include "core/fonts/font_facts.h"

#include <algorithm>
#include <cwctype>

#include "core/fonts/character_map.h"
#include "core/fonts/name_table.h"

namespace core::fonts {

namespace {

constexpr std::uint32_t kHeadMagic = 0x5F0F3CF5;
constexpr std::size_t kHeadMinimumSize = 54;
constexpr std::size_t kMaxpMinimumSize = 6;
constexpr std::size_t kOs2TypeAt = 8;

constexpr std::uint16_t kRestricted = 0x0002;
constexpr std::uint16_t kPreviewAndPrint = 0x0004;
constexpr std::uint16_t kEditable = 0x0008;
constexpr std::uint16_t kNoSubsetting = 0x0100;
constexpr std::uint16_t kBitmapOnly = 0x0200;

// "2.001" from the head table's 16.16 revision, for fonts whose name table gives no version.
std::wstring RevisionText(std::uint32_t revision) {
    const std::uint32_t thousandths = ((revision & 0xFFFF) * 1000 + 0x8000) >> 16;
    const std::uint32_t whole = (revision >> 16) + thousandths / 1000;
    std::wstring fraction = std::to_wstring(1000 + thousandths % 1000).substr(1);
    return std::to_wstring(whole) + L"." + fraction;
}

std::wstring OrUnknown(const std::wstring& text) { return text.empty() ? kUnknownValue : text; }

std::wstring Joined(std::span<const std::wstring_view> parts) {
    std::wstring text;
    for (std::wstring_view part : parts) text.append(text.empty() ? L"" : L", ").append(part);
    return text;
}

bool StartsWithNoCase(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); });
}

std::wstring_view Trimmed(std::wstring_view text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

DetailField LinkField(std::wstring_view label, const std::wstring& value) {
    return {label, OrUnknown(value), false, WebLink(value)};
}

}  // namespace

FontFacts ReadFontFacts(const FontTableSet& tables) {
    FontFacts facts;
    if (!tables.sfnt) return facts;
    facts.format = tables.collection ? (tables.cff ? FontFormat::OpenTypeCffCollection : FontFormat::TrueTypeCollection)
                                     : (tables.cff ? FontFormat::OpenTypeCff : FontFormat::TrueType);

    const NameStrings names = ReadNameTable(tables.name);
    facts.fullName = names.Get(NameId::FullName);
    facts.version = names.Get(NameId::Version);
    facts.designer = names.Get(NameId::Designer);
    facts.manufacturer = names.Get(NameId::Manufacturer);
    facts.copyright = names.Get(NameId::Copyright);
    facts.trademark = names.Get(NameId::Trademark);
    facts.licence = names.Get(NameId::LicenceDescription);
    facts.licenceUrl = names.Get(NameId::LicenceUrl);
    facts.vendorUrl = names.Get(NameId::VendorUrl);

    const BigEndian head(tables.head);
    if (facts.version.empty() && head.Has(0, kHeadMinimumSize) && head.U32(12) == kHeadMagic) {
        facts.version = RevisionText(head.U32(4));
    }
    const BigEndian maxp(tables.maxp);
    if (maxp.Has(0, kMaxpMinimumSize)) facts.glyphCount = maxp.U16(4);
    const BigEndian os2(tables.os2);
    if (os2.Has(kOs2TypeAt, 2)) facts.embeddingFlags = os2.U16(kOs2TypeAt);
    if (const std::optional<CodePointSet> characters = ReadCharacterMap(tables.cmap)) {
        facts.codePointCount = characters->Count();
        facts.scripts = ScriptsCovered(*characters);
    }
    return facts;
}

std::wstring EmbeddingText(std::uint16_t flags) {
    std::wstring text = (flags & kEditable)          ? L"Разрешено для просмотра, печати и правки"
                        : (flags & kPreviewAndPrint) ? L"Разрешено для просмотра и печати"
                        : (flags & kRestricted)      ? L"Запрещено"
                                                     : L"Без ограничений, шрифт можно установить";
    if (flags & kNoSubsetting) text += L"; только весь шрифт целиком";
    if (flags & kBitmapOnly) text += L"; только растровые образы";
    return text;
}

std::wstring_view FormatText(FontFormat format) {
    switch (format) {
        case FontFormat::TrueType: return L"TrueType";
        case FontFormat::OpenTypeCff: return L"OpenType (контуры CFF)";
        case FontFormat::TrueTypeCollection: return L"Коллекция TrueType (.ttc)";
        case FontFormat::OpenTypeCffCollection: return L"Коллекция OpenType (контуры CFF)";
        case FontFormat::Bitmap: return L"Растровый шрифт (.fon)";
        case FontFormat::Vector: return L"Векторный шрифт (.fon)";
        case FontFormat::Unknown: break;
    }
    return kUnknownValue;
}

std::vector<DetailField> DetailFields(const FontFacts& facts) {
    auto number = [](const std::optional<std::uint32_t>& n) { return n ? std::to_wstring(*n) : kUnknownValue; };
    const PathParts path = SplitFilePath(facts.filePath);
    std::wstring scripts = Joined(facts.scripts);
    return {
        {L"Полное имя", OrUnknown(facts.fullName)},
        {L"Версия", OrUnknown(facts.version)},
        {L"Дизайнер", OrUnknown(facts.designer)},
        {L"Производитель", OrUnknown(facts.manufacturer)},
        {L"Авторские права", OrUnknown(facts.copyright), true},
        {L"Товарный знак", OrUnknown(facts.trademark), true},
        {L"Лицензия", OrUnknown(facts.licence), true},
        LinkField(L"Условия лицензии", facts.licenceUrl),
        LinkField(L"Сайт производителя", facts.vendorUrl),
        {L"Формат", std::wstring(FormatText(facts.format))},
        {L"Число глифов", number(facts.glyphCount)},
        {L"Символов Юникода", number(facts.codePointCount)},
        {L"Письменности", OrUnknown(scripts)},
        {L"Встраивание", facts.embeddingFlags ? EmbeddingText(*facts.embeddingFlags) : kUnknownValue},
        {L"Файл", OrUnknown(path.fileName)},
        {L"Папка", OrUnknown(path.folder)},
    };
}

std::wstring DetailsAsText(std::wstring_view family, std::span<const std::wstring> faces,
                           std::span<const DetailField> fields) {
    std::wstring faceList;
    for (const std::wstring& face : faces) faceList.append(faceList.empty() ? L"" : L", ").append(face);
    std::wstring text;
    auto line = [&](std::wstring_view label, std::wstring_view value) {
        std::wstring flat(value);
        std::replace(flat.begin(), flat.end(), L'\n', L' ');
        text.append(label).append(L": ").append(flat.empty() ? kUnknownValue : flat).append(L"\r\n");
    };
    line(L"Семейство", family);
    line(L"Начертания", faceList);
    for (const DetailField& field : fields) line(field.label, field.value);
    return text;
}

std::optional<std::wstring> WebLink(std::wstring_view text) {
    text = Trimmed(text);
    const bool web = StartsWithNoCase(text, L"http://") || StartsWithNoCase(text, L"https://");
    const bool bare = StartsWithNoCase(text, L"www.");
    if (!web && !bare) return std::nullopt;
    const std::size_t host = bare ? 0 : text.find(L"//") + 2;
    if (host >= text.size() || text[host] == L'/') return std::nullopt;
    for (wchar_t c : text) {
        if (c <= L' ' || c == 0x7F || c == L'"' || c == L'<' || c == L'>' || c == L'\\') return std::nullopt;
    }
    return bare ? L"http://" + std::wstring(text) : std::wstring(text);
}

PathParts SplitFilePath(std::wstring_view path) {
    for (std::wstring_view prefix : {L"\\\\?\\", L"\\??\\"}) {
        if (path.starts_with(prefix)) path.remove_prefix(prefix.size());
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring_view::npos) return {std::wstring(path), {}};
    // A file at the top of a drive keeps the drive's own "C:\".
    const std::size_t folderEnd = slash == 2 && path[1] == L':' ? slash + 1 : slash;
    return {std::wstring(path.substr(slash + 1)), std::wstring(path.substr(0, folderEnd))};
}

std::vector<std::wstring> FacesOfRegistryEntry(std::wstring_view name) {
    name = Trimmed(name);
    if (name.ends_with(L')')) {
        const std::size_t open = name.rfind(L" (");
        if (open != std::wstring_view::npos) name = Trimmed(name.substr(0, open));
    }
    // A bitmap font's sizes: "Courier 10,12,15".
    const std::size_t lastBlank = name.rfind(L' ');
    if (lastBlank != std::wstring_view::npos && lastBlank + 1 < name.size() &&
        name.find_first_not_of(L"0123456789,", lastBlank + 1) == std::wstring_view::npos) {
        name = Trimmed(name.substr(0, lastBlank));
    }
    std::vector<std::wstring> faces;
    for (std::size_t start = 0; start <= name.size();) {
        std::size_t amp = name.find(L" & ", start);
        std::wstring_view face = Trimmed(name.substr(start, amp == std::wstring_view::npos ? amp : amp - start));
        if (!face.empty()) faces.emplace_back(face);
        if (amp == std::wstring_view::npos) break;
        start = amp + 3;
    }
    return faces;
}

std::wstring FontFilePath(std::wstring_view value, std::wstring_view fontsFolder) {
    if (value.find_first_of(L"\\/:") != std::wstring_view::npos) return std::wstring(value);
    std::wstring path(fontsFolder);
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    return path.append(value);
}

}  // namespace core::fonts
