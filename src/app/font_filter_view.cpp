#include "app/font_filter_view.h"

#include <commctrl.h>

#include <algorithm>

#include "core/scope_exit.h"
#include "win/accessible_name.h"
#include "win/dpi.h"
#include "win/handles.h"

namespace app {

namespace {

// Between the box and the list.
constexpr double kGapTwips = 60;

// The box's text and its frame, as a dialog's edit box has them.
int BoxHeight(HWND box) {
    win::WindowDc dc(box);
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(box, WM_GETFONT, 0, 0));
    win::SelectGuard selected(dc.get(), font ? font : win::UiFont());
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight + 2 * ::GetSystemMetrics(SM_CYEDGE) + 2;
}

}  // namespace

FontFilterView::FontFilterView(win::GroupBox& frame, win::ListBox& list, std::function<void()> selectFont)
    : frame_(frame), list_(list), selectFont_(std::move(selectFont)) {}

FontFilterView::~FontFilterView() {
    for (UINT message : {WM_KEYDOWN, WM_CHAR}) subclass::DetachMessage(*this, box_.hwnd(), message);
}

void FontFilterView::Create(HWND parent, UINT_PTR id) {
    box_.Create(parent, id);
    ::SendMessageW(box_.hwnd(), EM_LIMITTEXT, core::FontFilter::kMaxTextLength, 0);
    ::SendMessageW(box_.hwnd(), EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(kCueText));
    win::SetAccessibleName(box_.hwnd(), kCueText);
    caption_ = frame_.Text();
    previewTimer_.SetOwner(box_.hwnd());
    previewTimer_.SetInterval(1);
    previewTimer_.OnTick([this] {
        previewTimer_.SetEnabled(false);
        selectFont_();
    });
    for (UINT message : {WM_KEYDOWN, WM_CHAR}) subclass::AttachMessage(*this, box_.hwnd(), message);
}

RECT FontFilterView::PlaceAbove(const RECT& listArea) {
    const int height = BoxHeight(box_.hwnd());
    box_.SetBounds(RECT{listArea.left, listArea.top, listArea.right, listArea.top + height});
    return RECT{listArea.left, listArea.top + height + win::TwipsToPixels(kGapTwips), listArea.right,
                listArea.bottom};
}

const core::FontFilter& FontFilterView::Load(std::vector<core::FontFamily> families) {
    filter_.SetFamilies(std::move(families));
    UpdateCaption();
    return filter_;
}

void FontFilterView::SetScript(core::FontScript script) {
    if (filter_.SetScript(script)) {
        ShowFiltered();
    } else {
        UpdateCaption();
    }
}

void FontFilterView::Reveal(const std::wstring& family) {
    const auto position = [&]() -> std::optional<std::size_t> {
        for (std::size_t shown = 0; shown < filter_.Shown().size(); ++shown) {
            if (filter_.ShownName(shown) == family) return shown;
        }
        return std::nullopt;
    };
    if (!position() && ::GetWindowTextLengthW(box_.hwnd()) > 0) {
        box_.SetText(L"");
        OnTextChanged();
    }
    const std::optional<std::size_t> shown = position();
    if (!shown) return;  // an installed family the script choice leaves out
    list_.Select(static_cast<int>(*shown));
    selected_ = family;
    selectFont_();
}

void FontFilterView::FocusBox() {
    ::SetFocus(box_.hwnd());
    ::SendMessageW(box_.hwnd(), EM_SETSEL, 0, -1);
}

bool FontFilterView::OnCommand(WPARAM wParam) {
    if (LOWORD(wParam) != static_cast<WORD>(box_.id())) return false;
    if (HIWORD(wParam) == EN_CHANGE) OnTextChanged();
    // Learning the platform's letters and folding the names take a moment; better before the
    // first key than after it.
    if (HIWORD(wParam) == EN_SETFOCUS) filter_.Prepare();
    return true;
}

void FontFilterView::OnTextChanged() {
    if (filter_.SetText(box_.Text())) {
        ShowFiltered();
    } else {
        UpdateCaption();
    }
}

void FontFilterView::ShowFiltered() {
    const int selected = list_.Selected();
    if (selected >= 0) selected_ = list_.ItemText(selected);
    const std::size_t count = filter_.Shown().size();
    const std::optional<std::size_t> position = filter_.SelectionFor(selected_);
    size_t characters = 0;
    for (std::size_t i = 0; i < count; ++i) characters += filter_.ShownName(i).size() + 1;
    list_.Clear();
    {
        list_.BeginBatch(static_cast<int>(count), characters);
        core::ScopeExit endBatch([this] { list_.EndBatch(); });
        for (std::size_t i = 0; i < count; ++i) list_.Append(filter_.ShownName(i));
        if (position) list_.Select(static_cast<int>(*position));
    }
    UpdateCaption();
    // Nothing shown: the preview keeps the family it shows.
    if (!position || filter_.ShownName(*position) == selected_) return;
    selected_ = filter_.ShownName(*position);
    // A new font in the preview takes longer than the list; the timer's tick comes once the list
    // has painted, and once for a run of keys.
    previewTimer_.SetEnabled(true);
}

void FontFilterView::UpdateCaption() {
    std::wstring caption = core::FontListCaption(filter_, UserDigitGrouping());
    if (caption == caption_) return;
    caption_ = std::move(caption);
    frame_.SetText(caption_);
    // A shorter caption leaves the old one's end on the frame's line.
    ::RedrawWindow(frame_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    win::SetAccessibleName(list_.hwnd(), caption_);
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, list_.hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

bool FontFilterView::OnKey(WPARAM key) {
    switch (key) {
        case VK_UP:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
            // The list moves its selection and tells the main window, as if it had the focus.
            ::SendMessageW(list_.hwnd(), WM_KEYDOWN, key, 0);
            return true;
        case VK_RETURN:
            ::SetFocus(list_.hwnd());
            return true;
        case VK_ESCAPE:
            if (::GetWindowTextLengthW(box_.hwnd()) > 0) {
                box_.SetText(L"");
                OnTextChanged();
            } else {
                ::SetFocus(list_.hwnd());
            }
            return true;
        default:
            return false;
    }
}

LRESULT FontFilterView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && OnKey(wParam)) return 0;
    // The keys above have done their work; their characters would only beep.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == VK_ESCAPE)) return 0;
    return subclass::CallPreviousProcedure(hwnd, message, wParam, lParam);
}

}  // namespace app
