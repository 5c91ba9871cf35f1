#include "core/commandbar/proper_case.h"

namespace core::commandbar {

namespace {

// Enough of the case tables for key names: ASCII, Latin-1 and Cyrillic.
wchar_t ToUpper(wchar_t ch) {
    if (ch >= L'a' && ch <= L'z') return static_cast<wchar_t>(ch - 32);
    if ((ch >= 0xE0 && ch <= 0xFE && ch != 0xF7)) return static_cast<wchar_t>(ch - 32);
    if (ch >= 0x430 && ch <= 0x44F) return static_cast<wchar_t>(ch - 32);
    if (ch >= 0x450 && ch <= 0x45F) return static_cast<wchar_t>(ch - 80);
    return ch;
}

wchar_t ToLower(wchar_t ch) {
    if (ch >= L'A' && ch <= L'Z') return static_cast<wchar_t>(ch + 32);
    if ((ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)) return static_cast<wchar_t>(ch + 32);
    if (ch >= 0x410 && ch <= 0x42F) return static_cast<wchar_t>(ch + 32);
    if (ch >= 0x400 && ch <= 0x40F) return static_cast<wchar_t>(ch + 80);
    return ch;
}

bool IsWordBreak(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == 0; }

}  // namespace

std::wstring ProperCase(std::wstring_view text) {
    std::wstring out;
    out.reserve(text.size());
    bool wordStart = true;
    for (wchar_t ch : text) {
        out.push_back(wordStart ? ToUpper(ch) : ToLower(ch));
        wordStart = IsWordBreak(ch);
    }
    return out;
}

}  // namespace core::commandbar
