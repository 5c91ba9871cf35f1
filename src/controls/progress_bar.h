#pragma once
// A horizontal bar filled from the left with a centred caption that shows inverted where the bar
// covers it. Updates let pending messages through, so a caller looping over thousands of items
// keeps its windows painted: every property change does, a new value when the shown percentage
// changes or a frame interval has passed. The surface itself is redrawn only when what it shows
// changes, and at most once per frame interval.

#include <windows.h>

#include <functional>
#include <string>

#include "core/controls/control_properties.h"
#include "core/controls/progress_bar_state.h"
#include "win/dib_surface.h"
#include "win/handles.h"
#include "win/window.h"

namespace controls {

class ProgressBar : public win::Window {
public:
    ProgressBar();

    // A child of `parent` with a thin sunken edge; bounds in pixels.
    void Create(HWND parent, UINT_PTR id, const RECT& bounds);
    void SetBounds(const RECT& bounds);

    float Value() const noexcept { return state_.Value(); }
    void SetValue(float value);
    bool CalculatePercentage() const noexcept { return state_.CalculatePercentage(); }
    void SetCalculatePercentage(bool on);
    double TotalValue() const noexcept { return state_.TotalValue(); }
    // Ignored in percentage mode; throws RuntimeError for a total of zero or less in total mode.
    void SetTotalValue(double total);
    bool ShowStatus() const noexcept { return state_.ShowStatus(); }
    void SetShowStatus(bool show);
    const std::wstring& Text() const noexcept { return state_.Text(); }
    void SetText(std::wstring text);
    const core::FontDescription& Font() const noexcept { return font_; }
    void SetFont(const core::FontDescription& font);
    core::Colour ProgressColour() const noexcept { return state_.ProgressColour(); }
    void SetProgressColour(core::Colour colour);

    std::wstring Caption() const { return state_.Caption(); }

    // The container saves and loads the persisted properties; loading neither checks nor draws.
    void Save(core::PropertyBag& bag) const;
    void Load(const core::PropertyBag& bag, const core::ContainerAmbient& ambient);
    // Told the name of each property a setter changed, so the container knows to save.
    void OnPropertyChanged(std::function<void(const wchar_t*)> handler) { propertyChanged_ = std::move(handler); }

    // Frames closer together than this are merged: the screen shows the latest one when the
    // interval is over.
    static constexpr UINT kFrameMilliseconds = 15;

    // How many times the surface has been drawn; updates that change nothing visible do not count.
    unsigned RenderCount() const noexcept { return renderCount_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr UINT_PTR kFrameTimerId = 1;

    // Shows the frame when it differs from the one on screen, then runs a message-pump pass.
    void Redraw();
    bool FrameChanged() const;
    void ShowLatestFrame();
    bool RenderIfChanged();
    void Render(const core::ProgressFrame& frame);
    void CopyTo(HDC target) const;
    void Changed(const wchar_t* property);

    core::ProgressBarState state_;
    core::ProgressPacer valuePacer_{kFrameMilliseconds};
    core::FontDescription font_;
    win::UniqueFont gdiFont_;
    // Kept between paints, at least one pixel each way.
    win::DibSurface surface_;
    SIZE surfaceSize_{};
    core::ProgressFrame shown_;
    bool surfaceStale_ = true;
    bool framePending_ = false;
    ULONGLONG lastShown_ = 0;
    unsigned renderCount_ = 0;
    std::function<void(const wchar_t*)> propertyChanged_;
};

}  // namespace controls
