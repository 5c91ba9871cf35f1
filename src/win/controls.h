#pragma once
// Thin wrappers over the standard child controls. The parent window owns the handles (child
// windows die with it), so these are non-owning views with typed operations.

#include <windows.h>

#include <functional>
#include <string>

#include "win/dpi.h"
#include "win/window.h"

namespace win {

class ChildControl {
public:
    ChildControl() = default;
    HWND hwnd() const noexcept { return hwnd_; }
    int id() const noexcept { return ::GetDlgCtrlID(hwnd_); }

    void SetBounds(const RECT& pixels);
    void SetBoundsTwips(const TwipsRect& twips) { SetBounds(ToPixels(twips)); }
    void SetVisible(bool visible);
    bool Visible() const;
    void SetEnabled(bool enabled);
    void SetFont(HFONT font);
    void SetText(const std::wstring& text);
    std::wstring Text() const;

protected:
    // Creates a child of a system class with the given styles. Throws RuntimeError on failure.
    void CreateChild(const wchar_t* className, HWND parent, UINT_PTR id, DWORD style, DWORD exStyle = 0,
                     const std::wstring& text = {});

    HWND hwnd_ = nullptr;
};

class GroupBox : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, const std::wstring& caption);
};

class Label : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, const std::wstring& text, DWORD extraStyle = 0);
};

class PushButton : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, const std::wstring& caption, bool isDefault = false);
};

class CheckBox : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, const std::wstring& caption);
    bool Checked() const;
    void SetChecked(bool checked);
};

class ListBox : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id);
    int Count() const;
    void Clear();
    // Suspends painting and reserves storage for a batch of appends; EndBatch repaints once.
    void BeginBatch(int expectedItems, size_t expectedChars);
    void EndBatch();
    int Append(const std::wstring& text);
    std::wstring ItemText(int index) const;
    int Selected() const;
    void Select(int index);
};

class MultiLineEdit : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id);
    int TextLength() const;
};

// A one-line text box.
class SingleLineEdit : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, bool readOnly = false);
};

// A value shown like a label that the user can still reach with Tab, select and copy.
class ReadOnlyText : public ChildControl {
public:
    void Create(HWND parent, UINT_PTR id, bool multiLine = false);
    // SetText with a scroll bar where a multi-line text needs one.
    void ShowText(const std::wstring& text);
};

// A plain container that passes its children's notifications on to its parent, like a picture
// box on a form: the form handles every control's events wherever the control sits.
class Panel : public Window {
public:
    void Create(HWND parent, UINT_PTR id);
    void SetBounds(const RECT& pixels);
    void SetVisible(bool visible);
    bool Visible() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A timer that calls back on the UI thread; the handler runs behind an exception guard.
class Timer {
public:
    Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { SetEnabled(false); }

    template <typename Handler>
    void OnTick(Handler handler) { handler_ = std::move(handler); }
    void SetOwner(HWND owner) noexcept { owner_ = owner; }
    void SetInterval(UINT milliseconds);
    UINT Interval() const noexcept { return interval_; }
    void SetEnabled(bool enabled);
    bool Enabled() const noexcept { return enabled_; }

private:
    static void CALLBACK TimerProc(HWND hwnd, UINT message, UINT_PTR id, DWORD time);

    HWND owner_ = nullptr;
    UINT interval_ = 0;
    bool enabled_ = false;
    std::function<void()> handler_;
};

// One pass of the message pump: paints and input waiting in the queue are handled now.
// A WM_QUIT found on the way is posted again for the main loop.
void ProcessPendingMessages();

// The font the platform uses for dialogs and message boxes (Tahoma on classic desktops).
HFONT UiFont();

}  // namespace win
