// A font's cmap table as it comes: whatever the reader returns lies beyond the first plane and
// within the last code point, and nothing is read outside the table (the sanitizers watch that).

#include <cstdint>
#include <span>

#include "core/app/cmap_coverage.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const core::CodePointRange& range : core::SupplementaryCoverage(std::span(data, size))) {
        fuzz::Require(range.first >= 0x10000 && range.first <= range.last && range.last <= core::kLastCodePoint,
                      "a range outside the supplementary planes");
    }
    return 0;
}
