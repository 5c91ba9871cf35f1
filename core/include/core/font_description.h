#pragma once
// A font as the program describes it (face, point size, style), before it becomes a GDI font.

#include <string>

namespace core {

struct FontDescription {
    std::wstring name = L"Tahoma";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 1;  // DEFAULT_CHARSET

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace core
