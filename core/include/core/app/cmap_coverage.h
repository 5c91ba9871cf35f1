#pragma once
// The code points beyond the first plane that a font's 'cmap' table maps: the platform's own
// coverage query speaks UTF-16 ranges and stops at U+FFFF. Read from the format 12 and 13
// subtables of the Unicode encodings, big-endian, every offset checked against the table's size.

#include <cstdint>
#include <span>
#include <vector>

#include "core/app/character_grid.h"

namespace core {

// Empty for a table without such a subtable or one too short for what it claims.
std::vector<CodePointRange> SupplementaryCoverage(std::span<const std::uint8_t> cmap);

}  // namespace core
