#pragma once
// The hyperlink's settings page as a small dialog: the target, the caption and the five switches
// of one hyperlink, applied to it in a fixed order.

#include <windows.h>

#include "controls/hyperlink.h"
#include "win/controls.h"
#include "win/modal_window.h"

namespace controls {

class HyperLinkSettingsDialog : public win::ModalWindow {
public:
    static constexpr wchar_t kCaption[] = L"Свойства гиперссылки";

    enum ControlId : UINT_PTR {
        kEnabled = 101,
        kMOPointer,
        kHyperLinkLabel,
        kHyperLinkText,
        kCaptionLabel,
        kCaptionText,
        kAutoSize,
        kAutoToolTip,
        kMOUnderline,
        kApply,
    };

    HyperLinkSettingsDialog();

    // Opens the dialog for link, owned by owner, and returns at once.
    void Open(HWND owner, HyperLink& link);
    // Open, then wait until OK, Cancel or closing ends it.
    void ShowModal(HWND owner, HyperLink& link);

    // The page shows the properties of another hyperlink; nothing is pending afterwards.
    void SelectionChanged(HyperLink& link);
    // Writes the page to the hyperlink: MOUnderline, MOPointer, AutoToolTip, AutoSize, Caption,
    // HyperLink, Enabled, in this order.
    void Apply();
    bool Changed() const noexcept { return changed_; }

    HWND Control(ControlId id) const { return ::GetDlgItem(hwnd(), static_cast<int>(id)); }

protected:
    void OnDestroyed() override;

private:
    class LineEdit : public win::ChildControl {
    public:
        void Create(HWND parent, UINT_PTR id);
    };

    void CreateControls();
    void MarkChanged(bool changed);
    // A switch clicked or a text edited by the user, not by loading the page.
    void OnEdited();

    HyperLink* link_ = nullptr;
    bool changed_ = false;
    bool loading_ = false;
    win::CheckBox enabled_;
    win::CheckBox moPointer_;
    win::Label hyperLinkLabel_;
    LineEdit hyperLink_;
    win::Label captionLabel_;
    LineEdit caption_;
    win::CheckBox autoSize_;
    win::CheckBox autoToolTip_;
    win::CheckBox moUnderline_;
    win::PushButton ok_;
    win::PushButton cancel_;
    win::PushButton apply_;
};

}  // namespace controls
