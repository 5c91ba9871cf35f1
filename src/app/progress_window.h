#pragma once
// The window shown while the font list fills: a picture, the waiting text and a progress bar.
// It is made at its first use, hidden after each load and kept for the next one.

#include <windows.h>

#include "app/font_load_progress.h"
#include "controls/progress_bar.h"
#include "win/controls.h"
#include "win/window.h"

namespace app {

class ProgressWindow final : public win::Window, public FontLoadProgress {
public:
    static constexpr wchar_t kInfoText[] =
        L"Чтение информации об установленных в системе шрифтах. Пожалуйста подождите...";
    // Client area in twips.
    static constexpr double kClientWidth = 5640;
    static constexpr double kClientHeight = 1320;

    void Begin(HWND owner) override;
    void SetPercent(float percent) override;
    void End() override;

    const controls::ProgressBar& Bar() const noexcept { return bar_; }
    HWND Info() const noexcept { return info_.hwnd(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateWindowAndControls(HWND owner);

    win::Label info_;
    controls::ProgressBar bar_;
};

}  // namespace app
