#pragma once
// The platform's own bars with the benchmark's buttons: a ToolbarWindow32 with the same icons and
// a window whose native menu bar has the same titles. They are the baselines our bars are measured
// against.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "win/handles.h"

namespace commandbar::bench {

// A visible top-level window holding a platform tool bar with one button per caption; the image
// list is shared, not owned.
class PlatformToolbar {
public:
    PlatformToolbar(HIMAGELIST images, int buttonCount);

    HWND Toolbar() const noexcept { return toolbar_; }
    // Invalidates the whole tool bar and lets it paint before returning.
    void Repaint() const;

private:
    win::UniqueWindow frame_;
    HWND toolbar_ = nullptr;  // a child of frame_
};

// A visible top-level window with a native menu bar of the given titles, each with a few items.
class PlatformMenuBar {
public:
    explicit PlatformMenuBar(const std::vector<std::wstring>& titles);

    HWND Frame() const noexcept { return frame_.get(); }
    // DrawMenuBar, then whatever painting it queued.
    void Repaint() const;

private:
    win::UniqueWindow frame_;  // destroying it destroys its menu too
};

}  // namespace commandbar::bench
