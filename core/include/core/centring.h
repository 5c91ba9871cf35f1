#pragma once
// Where an owned window opens: centred on its owner, then moved inside the work area of the
// monitor the owner is on, so that its caption stays reachable wherever the owner sits.

#include <algorithm>
#include <cstdint>

namespace core {

struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The top left corner of a width × height window centred on anchor and kept inside work. A window
// larger than the work area keeps its top left corner on it.
inline ScreenPoint CentredWithin(const ScreenRect& anchor, std::int32_t width, std::int32_t height,
                                 const ScreenRect& work) {
    // In 64 bits: an owner far off screen must not overflow the sums.
    auto place = [](std::int64_t low, std::int64_t high, std::int64_t size, std::int64_t workLow,
                    std::int64_t workHigh) {
        std::int64_t at = low + (high - low - size) / 2;
        at = std::min(at, workHigh - size);
        return static_cast<std::int32_t>(std::max(at, workLow));
    };
    return {place(anchor.left, anchor.right, width, work.left, work.right),
            place(anchor.top, anchor.bottom, height, work.top, work.bottom)};
}

}  // namespace core
