#pragma once
// Marrowind's addresses, the one place every window and command takes them from.

namespace core {

inline constexpr wchar_t kHomePageUrl[] = L"https://www.marrowind.ru/glyphoscope/";
inline constexpr wchar_t kHomePageCaption[] = L"www.marrowind.ru/glyphoscope";
inline constexpr wchar_t kSupportAddress[] = L"glyphoscope@marrowind.ru";
inline constexpr wchar_t kSupportMailTo[] = L"mailto:glyphoscope@marrowind.ru";
// The mail command's target: the address with a fixed subject, blanks left as they are.
inline constexpr wchar_t kSupportMailWithSubject[] =
    L"mailto:glyphoscope@marrowind.ru?subject=Marrowind Glyphoscope 2.3.1";

}  // namespace core
