#pragma once
// Facts about the running executable: its folder, its name and its version resource.

#include <string>

namespace win {

struct FileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;
};

// Full path of the folder holding the executable, without a trailing backslash.
std::wstring ExecutableDirectory();
// File name of the executable without folder and extension ("Glyphoscope").
std::wstring ExecutableBaseName();
// The fixed file version of a module's version resource (the executable when null).
FileVersion ReadFileVersion(const std::wstring& modulePath = {});

}  // namespace win
