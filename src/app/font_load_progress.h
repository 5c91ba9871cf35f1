#pragma once
// What the main window tells the user while it fills the font list. The progress window
// implements it; without one, the load only keeps the message queue moving.

#include <windows.h>

#include "core/controls/progress_bar_state.h"

namespace app {

class FontLoadProgress {
public:
    virtual ~FontLoadProgress() = default;
    // Shows the progress at 0 %, owned by `owner` (null: without owner).
    virtual void Begin(HWND owner) = 0;
    // The share of fonts listed so far, 0 to 100; lets pending messages through.
    virtual void SetPercent(float percent) = 0;
    // Hides the progress; it stays ready for the next load.
    virtual void End() = 0;
};

// Shows nothing; keeps windows painted while a long list fills, passing messages as often as the
// progress bar would.
class MessagePumpProgress final : public FontLoadProgress {
public:
    void Begin(HWND) override { pacer_.Reset(); }
    void SetPercent(float percent) override;
    void End() override {}

private:
    core::ProgressPacer pacer_{15};
};

}  // namespace app
