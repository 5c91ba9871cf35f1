#pragma once
// A font as the program describes, persists and compares it (face, point size, style, character
// set), before win::MakeLogFont turns it into a GDI font.

#include <string>

namespace core {

struct FontDescription {
    std::wstring name = L"Tahoma";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 1;  // DEFAULT_CHARSET

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace core
