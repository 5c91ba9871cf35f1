#pragma once
// The code points a font's 'cmap' table maps in its full-repertoire subtable (format 12 or 13 of
// the Unicode encodings), the only one that reaches past U+FFFF: the platform's own coverage query
// speaks UTF-16 ranges. Read big-endian, every offset checked against the table's size.

#include <cstdint>
#include <span>
#include <vector>

#include "core/app/character_grid.h"

namespace core {

// Every plane, without the code points mapped to the missing glyph. Empty for a table without such
// a subtable or one too short for what it claims.
std::vector<CodePointRange> FullRepertoireCoverage(std::span<const std::uint8_t> cmap);

}  // namespace core
