#pragma once
// What the operating system can do, judged from its version once at start.

namespace core {

struct PlatformCapabilities {
    bool isNt = false;           // wide-character text calls
    bool canGradient = false;    // system gradient fills
    bool is2000OrLater = false;  // alpha blending, drop shadows
    bool isXpOrLater = false;    // visual styles

    friend constexpr bool operator==(const PlatformCapabilities&, const PlatformCapabilities&) = default;
};

constexpr PlatformCapabilities CapabilitiesFromVersion(unsigned major, unsigned minor, unsigned platformId) {
    PlatformCapabilities caps;
    caps.isNt = (platformId & 2u) != 0;
    caps.canGradient = major >= 5 || (major == 4 && minor >= 10);
    caps.is2000OrLater = major >= 5;
    caps.isXpOrLater = major >= 6 || (major == 5 && minor >= 1);
    return caps;
}

}  // namespace core
