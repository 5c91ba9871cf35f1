#pragma once
// A label that behaves like a web link: a hover colour, optionally an underline and the hand
// pointer while the mouse is over it, and a click that opens its target through the shell.
// Leaving is found by polling every 50 ms, since the label gets no message when the pointer
// jumps off it.

#include <windows.h>

#include <functional>
#include <string>

#include "core/controls/control_properties.h"
#include "win/controls.h"
#include "win/handles.h"
#include "win/window.h"

namespace controls {

// Flags: a press or release names one button, a move every button held.
enum class MouseButton : int { None = 0, Left = 1, Right = 2, Middle = 4 };

constexpr MouseButton operator|(MouseButton a, MouseButton b) noexcept {
    return static_cast<MouseButton>(static_cast<int>(a) | static_cast<int>(b));
}

struct MouseArgs {
    MouseButton button = MouseButton::None;
    int shift = 0;  // 1 Shift, 2 Ctrl, 4 Alt
    float x = 0;
    float y = 0;
};

class HyperLink : public win::Window {
public:
    static constexpr UINT kLeaveCheckMilliseconds = 50;

    HyperLink();

    // A child of `parent` at (x, y); with AutoSize the size follows the caption.
    void Create(HWND parent, UINT_PTR id, const RECT& bounds,
                const core::HyperLinkProperties& properties = core::HyperLinkProperties{});
    void SetBounds(const RECT& bounds);

    const core::HyperLinkProperties& Properties() const noexcept { return properties_; }

    bool Enabled() const noexcept { return properties_.enabled; }
    void SetEnabled(bool enabled);
    const core::FontDescription& Font() const noexcept { return properties_.font; }
    void SetFont(const core::FontDescription& font);
    const std::wstring& Target() const noexcept { return properties_.hyperLink; }
    // Stored without leading and trailing blanks.
    void SetTarget(const std::wstring& target);
    const std::wstring& Caption() const noexcept { return properties_.caption; }
    void SetCaption(std::wstring caption);
    core::TextAlignment Alignment() const noexcept { return properties_.alignment; }
    void SetAlignment(core::TextAlignment alignment);
    bool AutoSize() const noexcept { return properties_.autoSize; }
    void SetAutoSize(bool autoSize);
    core::Colour HoverColour() const noexcept { return properties_.hoverColour; }
    void SetHoverColour(core::Colour colour);
    std::int16_t Appearance() const noexcept { return properties_.appearance; }
    void SetAppearance(std::int16_t appearance);
    core::BorderStyle BorderStyle() const noexcept { return properties_.borderStyle; }
    void SetBorderStyle(core::BorderStyle style);
    core::Colour ForeColour() const noexcept { return properties_.foreColour; }
    void SetForeColour(core::Colour colour);
    core::Colour BackColour() const noexcept { return properties_.backColour; }
    void SetBackColour(core::Colour colour);
    bool AutoToolTip() const noexcept { return properties_.autoToolTip; }
    void SetAutoToolTip(bool on);
    bool SoundOn() const noexcept { return properties_.soundOn; }
    void SetSoundOn(bool on);
    bool MOUnderline() const noexcept { return properties_.moUnderline; }
    void SetMOUnderline(bool on);
    bool MOPointer() const noexcept { return properties_.moPointer; }
    void SetMOPointer(bool on);
    std::int32_t SoundID() const noexcept { return properties_.soundId; }
    void SetSoundID(std::int32_t id);

    // The container's own tool-tip text for this control, shown when AutoToolTip is off.
    void SetContainerToolTip(std::wstring text) { containerToolTip_ = std::move(text); }
    const std::wstring& ShownToolTip() const noexcept { return shownToolTip_; }
    void Save(core::PropertyBag& bag) const { core::SaveHyperLink(properties_, bag); }
    void Load(const core::PropertyBag& bag, const core::ContainerAmbient& ambient);

    bool Hovering() const noexcept { return hovering_; }
    // The colour and font the caption is drawn in right now: hovering changes these, never the
    // control's own ForeColour and Font.
    core::Colour CurrentTextColour() const noexcept { return textColour_; }
    core::FontDescription ShownFont() const;

    // What a click hands the target to; the shell's "Open" unless replaced.
    void SetOpener(std::function<void(const std::wstring&)> opener) { opener_ = std::move(opener); }

    // Events, in the order the control declares them.
    std::function<void()> onClick;
    std::function<void(const MouseArgs&)> onMouseDown;
    std::function<void(const MouseArgs&)> onMouseOver;
    std::function<void()> onMouseOut;
    std::function<void(const MouseArgs&)> onMouseUp;
    std::function<void()> onChange;
    std::function<void(const wchar_t*)> onPropertyChanged;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ApplyProperties();
    void LayOut();
    void Paint(HDC dc);
    void OnMouseMove(const MouseArgs& args);
    void CheckLeave();
    bool PointerIsOver() const;
    void UpdateFont();
    void Click();
    void PlayClickSound() const;
    void UpdateToolTip();
    void Changed(const wchar_t* property);
    MouseArgs ArgsFrom(WPARAM wParam, LPARAM lParam, MouseButton button) const;

    core::HyperLinkProperties properties_;
    win::UniqueFont gdiFont_;
    win::Timer leaveTimer_;
    HWND toolTip_ = nullptr;  // owned by this window, destroyed with it
    std::wstring containerToolTip_;
    std::wstring shownToolTip_;
    core::Colour textColour_ = 0;
    core::Colour savedColour_ = 0;
    bool hovering_ = false;
    bool pressed_ = false;
    std::function<void(const std::wstring&)> opener_;
};

// ShellExecuteW with the verb "Open", no parent, no parameters and a normal window.
void OpenThroughShell(const std::wstring& target);

}  // namespace controls
