#pragma once
// What the font details window shows for one face, read from the face's tables, and the same as
// labelled text fields: missing or damaged tables leave their fields unknown ("—").

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/fonts/sfnt_file.h"

namespace core::fonts {

enum class FontFormat { Unknown, TrueType, OpenTypeCff, TrueTypeCollection, OpenTypeCffCollection, Bitmap, Vector };

struct FontFacts {
    std::wstring fullName;
    std::wstring version;
    std::wstring designer;
    std::wstring manufacturer;
    std::wstring copyright;
    std::wstring trademark;
    std::wstring licence;
    std::wstring licenceUrl;
    std::wstring vendorUrl;
    FontFormat format = FontFormat::Unknown;
    std::optional<std::uint32_t> glyphCount;
    std::optional<std::uint32_t> codePointCount;
    std::vector<std::wstring_view> scripts;
    std::optional<std::uint16_t> embeddingFlags;  // the OS/2 table's type flags
    std::wstring filePath;
};

// Everything but the file, which the platform knows; a face without sfnt tables gets only what
// the caller fills in.
FontFacts ReadFontFacts(const FontTableSet& tables);

// The embedding permission in words; the least restrictive wins when a font claims several.
std::wstring EmbeddingText(std::uint16_t flags);
std::wstring_view FormatText(FontFormat format);

inline constexpr wchar_t kUnknownValue[] = L"—";

struct DetailField {
    std::wstring_view label;
    std::wstring value;  // kUnknownValue when the font does not say
    bool multiLine = false;
    // Set when the value is a web address the user may follow.
    std::optional<std::wstring> link;
};

std::vector<DetailField> DetailFields(const FontFacts& facts);

// Every field, family and faces first, as "label: value" lines; breaks inside a value become
// blanks.
std::wstring DetailsAsText(std::wstring_view family, std::span<const std::wstring> faces,
                           std::span<const DetailField> fields);

// The address to open for a font's web link: http(s) as it stands, "www." given http; nothing
// for anything else, so that a font cannot have the shell run a file.
std::optional<std::wstring> WebLink(std::wstring_view text);

struct PathParts {
    std::wstring fileName;
    std::wstring folder;
};
// Drops the "\\?\" and "\??\" prefixes the platform may put before a path.
PathParts SplitFilePath(std::wstring_view path);

// The faces a value of the platform's font list in the registry names: "Arial Bold (TrueType)",
// "Cambria & Cambria Math (TrueType)", "Courier 10,12,15".
std::vector<std::wstring> FacesOfRegistryEntry(std::wstring_view valueName);
// A registry value's file: as it stands when it has a folder, else in the fonts folder.
std::wstring FontFilePath(std::wstring_view value, std::wstring_view fontsFolder);

}  // namespace core::fonts
