#pragma once
// What the system can do for the command bar (gradients, visual styles, layered windows, desktop
// composition), detected once. Apart from the drawing primitives so that the colours and the image
// list can ask without depending on the painting code.

#include "core/commandbar/platform_capabilities.h"

namespace commandbar {

// Process-wide capability flags: all false until DetectPlatform runs (once, when the first
// command bar control registers).
const core::PlatformCapabilities& Platform() noexcept;
void DetectPlatform();
// Lets tests take the paths of older systems; returns the previous flags.
core::PlatformCapabilities SetPlatform(const core::PlatformCapabilities& capabilities) noexcept;

}  // namespace commandbar
