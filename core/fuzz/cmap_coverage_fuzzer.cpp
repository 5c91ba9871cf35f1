// A font's cmap table as it comes: whatever the reader returns is an ordered range within the last
// code point, and nothing is read outside the table (the sanitizers watch that).

#include <cstdint>
#include <span>

#include "core/app/cmap_coverage.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const core::CodePointRange& range : core::FullRepertoireCoverage(std::span(data, size))) {
        fuzz::Require(range.first <= range.last && range.last <= core::kLastCodePoint, "a range out of order or past the end");
    }
    return 0;
}
