#include "commandbar/platform_detection.h"

#include <windows.h>

#include <optional>
#include <utility>

#include "win/handles.h"

namespace commandbar {

namespace {

// What the platform says about its desktop composition; nothing where it has none to ask about.
// Loaded by name: older systems have no dwmapi.
std::optional<bool> DesktopComposition() {
    win::UniqueModule dwm(::LoadLibraryW(L"dwmapi.dll"));
    if (!dwm) return std::nullopt;
    using Query = HRESULT(WINAPI*)(BOOL*);
    auto query =
        reinterpret_cast<Query>(reinterpret_cast<void*>(::GetProcAddress(dwm.get(), "DwmIsCompositionEnabled")));
    BOOL enabled = FALSE;
    if (!query || FAILED(query(&enabled))) return std::nullopt;
    return enabled != FALSE;
}

core::PlatformCapabilities& Capabilities() {
    static core::PlatformCapabilities capabilities;
    return capabilities;
}

}  // namespace

const core::PlatformCapabilities& Platform() noexcept { return Capabilities(); }

void DetectPlatform() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = ::GetVersionExW(&version);
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!ok) return;
    Capabilities() = core::WithDesktopComposition(
        core::CapabilitiesFromVersion(version.dwMajorVersion, version.dwMinorVersion, version.dwPlatformId),
        DesktopComposition());
}

core::PlatformCapabilities SetPlatform(const core::PlatformCapabilities& capabilities) noexcept {
    return std::exchange(Capabilities(), capabilities);
}

}  // namespace commandbar
