#pragma once
// The search box above the font list and the script filter behind it: what the user types or
// chooses narrows the list at once, and the list's frame counts what is left.
//
// A key in the box -> EN_CHANGE, handed on by the main window -> OnCommand -> core::FontFilter ->
// the list refilled -> the main window's SelectFont when another family is selected, once the
// list has painted.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/linguistic_comparer.h"
#include "core/app/font_filter.h"
#include "subclass/subclass.h"
#include "win/controls.h"

namespace app {

class FontFilterView : private subclass::SubclassClient {
public:
    static constexpr wchar_t kCueText[] = L"Поиск шрифта";

    // The frame and the list stay the main window's; selectFont shows the selected family.
    FontFilterView(win::GroupBox& frame, win::ListBox& list, std::function<void()> selectFont);
    ~FontFilterView();
    FontFilterView(const FontFilterView&) = delete;
    FontFilterView& operator=(const FontFilterView&) = delete;

    // Creates the box in parent; created before the list, it comes before it in tab order.
    void Create(HWND parent, UINT_PTR id);
    // Puts the box at the top of the list's area and returns what is left for the list.
    RECT PlaceAbove(const RECT& listArea);

    // The families a load found; returns the filter, whose shown names are the ones to list: all
    // of them unless a filter is on.
    const core::FontFilter& Load(std::vector<core::FontFamily> families);
    void SetScript(core::FontScript script);
    // Selects the family and shows it, clearing the typed text when that hides it.
    void Reveal(const std::wstring& family);
    // The focus in the box, its text selected.
    void FocusBox();
    // The main window's WM_COMMAND; true when it came from the box.
    bool OnCommand(WPARAM wParam);

    HWND Box() const noexcept { return box_.hwnd(); }
    // True until the preview has followed a selection the filter made.
    bool PreviewPending() const noexcept { return previewTimer_.Enabled(); }
    const core::FontFilter& Filter() const noexcept { return filter_; }

private:
    core::MessageResponse MsgResponse() override { return core::MessageResponse::Consume; }
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnKey(WPARAM key);
    void OnTextChanged();
    void ShowFiltered();
    void UpdateCaption();

    win::GroupBox& frame_;
    win::ListBox& list_;
    std::function<void()> selectFont_;
    win::SingleLineEdit box_;
    win::Timer previewTimer_;
    LinguisticComparer comparer_;
    core::FontFilter filter_{comparer_};
    std::wstring caption_;
    // The family the preview shows; selected again when it matches again.
    std::wstring selected_;
};

}  // namespace app
