#pragma once
// Which file a font face comes from. Files the program added itself (opened fonts) are known by
// their family; any other face is asked of DirectWrite, which knows the file behind a face
// selected into a DC, and then looked up by name in the platform's list of installed fonts.

#include <windows.h>

#include <map>
#include <span>
#include <string>

namespace app {

class FontFileLocator {
public:
    // Every face of `family` comes from `path` from now on.
    void AddKnownFile(const std::wstring& family, std::wstring path);

    // The file of the face selected into dc, or empty. englishNames are the face's full name and
    // family as the platform files installed fonts under.
    std::wstring FileOf(HDC dc, const std::wstring& family, std::span<const std::wstring> englishNames) const;

private:
    // Case does not matter in family names.
    struct NoCase {
        bool operator()(const std::wstring& a, const std::wstring& b) const;
    };
    std::map<std::wstring, std::wstring, NoCase> known_;
};

// The file DirectWrite names for the face selected into dc; empty where it cannot tell.
std::wstring DirectWriteFileOf(HDC dc);
// The installed font file listed under one of the names; empty when none is.
std::wstring RegisteredFileOf(std::span<const std::wstring> names);

}  // namespace app
