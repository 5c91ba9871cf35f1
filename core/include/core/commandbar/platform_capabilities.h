#pragma once
// What the operating system can do, judged from its version once at start.

#include <optional>

namespace core {

struct PlatformCapabilities {
    bool isNt = false;           // wide-character text calls
    bool canGradient = false;    // system gradient fills
    bool is2000OrLater = false;  // alpha blending, layered windows
    bool isXpOrLater = false;    // visual styles
    // Layered windows are blended with what lies below them (menu shadows use them, else a copy
    // of the screen).
    bool layeredWindowsBlend = false;

    friend constexpr bool operator==(const PlatformCapabilities&, const PlatformCapabilities&) = default;
};

constexpr PlatformCapabilities CapabilitiesFromVersion(unsigned major, unsigned minor, unsigned platformId) {
    PlatformCapabilities caps;
    caps.isNt = (platformId & 2u) != 0;
    caps.canGradient = major >= 5 || (major == 4 && minor >= 10);
    caps.is2000OrLater = major >= 5;
    caps.isXpOrLater = major >= 6 || (major == 5 && minor >= 1);
    caps.layeredWindowsBlend = caps.is2000OrLater;
    return caps;
}

// Where the platform reports its desktop composition off, layered windows are not relied on to
// blend: Wine on an X server without a compositing manager draws them opaque, and says so. Where
// it reports nothing (no desktop composition to ask about), they blend as they always have.
constexpr PlatformCapabilities WithDesktopComposition(PlatformCapabilities caps, std::optional<bool> composition) {
    caps.layeredWindowsBlend = caps.is2000OrLater && composition.value_or(true);
    return caps;
}

}  // namespace core
