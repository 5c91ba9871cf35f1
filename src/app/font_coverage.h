#pragma once
// The code points a font family covers, as the platform reports them.

#include <windows.h>

#include <string>
#include <vector>

#include "core/app/character_grid.h"

namespace app {

// The family at its regular weight; empty when the family cannot be made or reports nothing.
std::vector<core::CodePointRange> FontCoverage(const std::wstring& family);

// A font of the family whose em is `pixels` high.
HFONT CreateFamilyFont(const std::wstring& family, int pixels);

}  // namespace app
