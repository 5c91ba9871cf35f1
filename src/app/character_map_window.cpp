#include "app/character_map_window.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/font_coverage.h"
#include "core/app/unicode_characters.h"
#include "win/clipboard.h"
#include "win/dpi.h"

namespace app {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeCharacterMap";
constexpr wchar_t kSampleClassName[] = L"GlyphoscopeCharacterSample";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

enum ControlId : UINT_PTR {
    kFontLabelId = 100,
    kBlocksLabelId,
    kBlocksId,
    kGridId,
    kSampleId,
    kCodeId,
    kBlockId,
    kNameId,
    kSizeLabelId,
    kSizeId,
    kCollectedLabelId,
    kCollectedId,
    kCopyId,
    kPreviewId,
};

// Sizes at 96 dpi; the cell size slider runs in these units too.
constexpr int kMargin = 8;
constexpr int kSideWidth = 200;
constexpr int kLabelHeight = 16;
constexpr int kSampleHeight = 150;
constexpr int kButtonWidth = 100;
constexpr int kRowHeight = 24;
constexpr int kClientWidth = 860;
constexpr int kClientHeight = 540;
constexpr int kMinimumCellSize = 20;
constexpr int kMaximumCellSize = 96;
constexpr int kDefaultCellSize = 36;
// The character selected first when the font has it: a letter says more than a space.
constexpr char32_t kFirstShown = U'A';

int Scaled(int pixels) { return ::MulDiv(pixels, win::ScreenDpi(), 96); }

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

}  // namespace

LRESULT CharacterMapWindow::ChildKeys::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND root = ::GetAncestor(hwnd, GA_ROOT);
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        ::PostMessageW(root, WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        const bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (HWND next = ::GetNextDlgTabItem(root, hwnd, back)) ::SetFocus(next);
        return 0;
    }
    // The characters TranslateMessage makes of those keys would only beep.
    if (message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_TAB)) return 0;
    return subclass::CallPreviousProcedure(hwnd, message, wParam, lParam);
}

void CharacterSample::Create(HWND parent, UINT_PTR id) {
    win::WindowClassArgs windowClass{kSampleClassName};
    windowClass.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    Window::Create(windowClass,
                   win::ChildWindowArgs(parent, id, RECT{0, 0, 10, 10}, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE));
}

void CharacterSample::Show(const std::wstring& family, char32_t codePoint) {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int height = std::max<int>(client.bottom * 3 / 5, 8);
    if (family != family_ || height != fontHeight_ || !font_) {
        font_.reset(CreateFamilyFont(family, height));
        family_ = family;
        fontHeight_ = height;
    }
    codePoint_ = codePoint;
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT CharacterSample::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && !family_.empty()) Show(family_, codePoint_);
    if (message != WM_PAINT) return DefaultProc(message, wParam, lParam);
    win::PaintGuard paint(hwnd());
    if (!font_ || codePoint_ == 0) return 0;
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    win::SelectGuard font(paint.dc(), font_.get());
    ::SetBkMode(paint.dc(), TRANSPARENT);
    ::SetTextColor(paint.dc(), ::GetSysColor(COLOR_WINDOWTEXT));
    const std::wstring text = core::Utf16Of(codePoint_);
    ::DrawTextW(paint.dc(), text.c_str(), static_cast<int>(text.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    return 0;
}

void CharacterMapWindow::Slider::Create(HWND parent, UINT_PTR id, int minimum, int maximum, int position) {
    CreateChild(TRACKBAR_CLASSW, parent, id, WS_TABSTOP | TBS_HORZ | TBS_NOTICKS);
    ::SendMessageW(hwnd_, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
    ::SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, 8);
    ::SendMessageW(hwnd_, TBM_SETPOS, TRUE, position);
}

int CharacterMapWindow::Slider::Position() const {
    return static_cast<int>(::SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
}

void CharacterMapWindow::Open(HWND owner, const std::wstring& family) {
    if (IsOpen()) {
        ShowFamily(family);
        ::ShowWindow(hwnd(), SW_SHOWNORMAL);
        ::SetForegroundWindow(hwnd());
        return;
    }
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    win::CreateArgs args;
    args.title = kCaption;
    args.style = kStyle;
    args.parent = owner;
    // Centred on the owner's monitor, inside its work area even where the scale makes it small.
    MONITORINFO monitor{sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE outer = win::OuterSizeFor(Scaled(kClientWidth), Scaled(kClientHeight), kStyle, 0);
    args.width = std::min<int>(outer.cx, work.right - work.left);
    args.height = std::min<int>(outer.cy, work.bottom - work.top);
    args.x = (work.left + work.right - args.width) / 2;
    args.y = (work.top + work.bottom - args.height) / 2;
    Create(win::WindowClassArgs{kClassName}, args);
    CreateControls();
    LayOut();
    family_.clear();
    ShowFamily(family);
    ::ShowWindow(hwnd(), SW_SHOW);
    ::SetFocus(grid_.hwnd());
}

void CharacterMapWindow::CreateControls() {
    fontLabel_.Create(hwnd(), kFontLabelId, L"");
    blocksLabel_.Create(hwnd(), kBlocksLabelId, L"Блоки:");
    blocks_.Create(hwnd(), kBlocksId);
    // Made at its place: the grid's back buffer is as large as the grid, and made once.
    grid_.Create(hwnd(), kGridId, GridBounds());
    grid_.events.selectionChanged = [this](char32_t codePoint) { OnSelection(codePoint); };
    grid_.events.copy = [this](char32_t codePoint) { Copy(core::Utf16Of(codePoint)); };
    grid_.events.activate = [this](char32_t codePoint) { Collect(codePoint); };
    grid_.events.close = [this] { ::PostMessageW(hwnd(), WM_CLOSE, 0, 0); };
    grid_.SetCellSize(Scaled(kDefaultCellSize));
    sample_.Create(hwnd(), kSampleId);
    codeLabel_.Create(hwnd(), kCodeId, L"");
    blockLabel_.Create(hwnd(), kBlockId, L"");
    nameLabel_.Create(hwnd(), kNameId, L"");
    sizeLabel_.Create(hwnd(), kSizeLabelId, L"Размер клеток:");
    size_.Create(hwnd(), kSizeId, kMinimumCellSize, kMaximumCellSize, kDefaultCellSize);
    collectedLabel_.Create(hwnd(), kCollectedLabelId, L"Текст:");
    collected_.Create(hwnd(), kCollectedId);
    copyButton_.Create(hwnd(), kCopyId, L"Копировать");
    previewButton_.Create(hwnd(), kPreviewId, L"В просмотр");
    // Through the program's own subclass table: comctl32's subclasses look their data up in a
    // window property, a round trip to the Wine server for every message the list box gets while
    // it is filled.
    for (HWND control : {blocks_.hwnd(), size_.hwnd(), collected_.hwnd(), copyButton_.hwnd(), previewButton_.hwnd()}) {
        for (UINT message : {WM_KEYDOWN, WM_CHAR}) subclass::AttachMessage(childKeys_, control, message);
    }
}

RECT CharacterMapWindow::GridBounds() const {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    const int margin = Scaled(kMargin), side = Scaled(kSideWidth), row = Scaled(kRowHeight);
    const int left = 2 * margin + side;
    const int right = client.right - 2 * margin - side;
    const int bottom = client.bottom - margin - row - margin;
    return RECT{left, margin, std::max(right, left + 1), std::max<int>(bottom, margin + 1)};
}

void CharacterMapWindow::LayOut() {
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    laidOut_ = SIZE{client.right, client.bottom};
    const int margin = Scaled(kMargin), side = Scaled(kSideWidth), label = Scaled(kLabelHeight);
    const int row = Scaled(kRowHeight), button = Scaled(kButtonWidth);
    const int bottomTop = client.bottom - margin - row;
    const int right = client.right - margin - side;

    blocksLabel_.SetBounds(RECT{margin, margin, margin + side, margin + label});
    blocks_.SetBounds(RECT{margin, margin + label, margin + side, bottomTop - margin});
    const RECT grid = GridBounds();
    ::MoveWindow(grid_.hwnd(), grid.left, grid.top, grid.right - grid.left, grid.bottom - grid.top, TRUE);

    int y = margin;
    fontLabel_.SetBounds(RECT{right, y, right + side, y + label});
    y += label + margin / 2;
    ::MoveWindow(sample_.hwnd(), right, y, side, Scaled(kSampleHeight), TRUE);
    y += Scaled(kSampleHeight) + margin;
    codeLabel_.SetBounds(RECT{right, y, right + side, y + label});
    y += label;
    blockLabel_.SetBounds(RECT{right, y, right + side, y + 2 * label});
    y += 2 * label;
    nameLabel_.SetBounds(RECT{right, y, right + side, y + 4 * label});
    y = std::max(y + 4 * label + margin, bottomTop - margin - row - label);
    sizeLabel_.SetBounds(RECT{right, y, right + side, y + label});
    size_.SetBounds(RECT{right, y + label, right + side, y + label + row});

    const int textLabel = Scaled(50);
    collectedLabel_.SetBounds(RECT{margin, bottomTop + Scaled(4), margin + textLabel, bottomTop + row});
    const int buttonsLeft = client.right - margin - 2 * button - margin;
    collected_.SetBounds(RECT{margin + textLabel, bottomTop, buttonsLeft - margin, bottomTop + row});
    copyButton_.SetBounds(RECT{buttonsLeft, bottomTop, buttonsLeft + button, bottomTop + row});
    previewButton_.SetBounds(RECT{buttonsLeft + button + margin, bottomTop, buttonsLeft + 2 * button + margin,
                                  bottomTop + row});
}

void CharacterMapWindow::ShowFamily(const std::wstring& family) {
    if (!IsOpen() || family == family_) return;
    family_ = family;
    fontLabel_.SetText(L"Шрифт: " + family);
    const char32_t keep = grid_.SelectedCodePoint().value_or(kFirstShown);
    // Without a family there is nothing to show; the platform would stand in a default font.
    std::vector<core::CodePointRange> covered;
    if (!family.empty()) covered = FontCoverage(family);
    grid_.SetCharacters(family, core::CharacterGrid(covered), keep);
    FillBlocks();
    if (!grid_.SelectedCodePoint()) {
        sample_.Show(family, 0);
        for (win::Label* text : {&codeLabel_, &blockLabel_, &nameLabel_}) text->SetText(L"");
    } else {
        OnSelection(*grid_.SelectedCodePoint());
    }
}

void CharacterMapWindow::FillBlocks() {
    const auto& sections = grid_.Grid().Sections();
    blocks_.Clear();
    blocks_.BeginBatch(static_cast<int>(sections.size()), sections.size() * 32);
    for (const auto& section : sections) {
        blocks_.Append(section.block ? Widened(section.block->name) : L"Вне блоков");
    }
    blocks_.EndBatch();
}

void CharacterMapWindow::OnSelection(char32_t codePoint) {
    sample_.Show(family_, codePoint);
    codeLabel_.SetText(core::CodePointLabel(codePoint));
    const core::UnicodeBlock* block = core::BlockOf(codePoint);
    blockLabel_.SetText(L"Блок: " + (block ? Widened(block->name) : std::wstring(L"вне блоков")));
    nameLabel_.SetText(Widened(core::CharacterName(codePoint)));
    if (auto cell = grid_.SelectedCell()) blocks_.Select(static_cast<int>(grid_.Grid().SectionOf(*cell)));
}

std::wstring CharacterMapWindow::SelectionText() const {
    return codeLabel_.Text() + L" " + blockLabel_.Text() + L" " + nameLabel_.Text();
}

void CharacterMapWindow::Copy(const std::wstring& text) const {
    if (!text.empty()) win::SetClipboardText(hwnd(), text);
}

void CharacterMapWindow::Collect(char32_t codePoint) {
    collected_.SetText(collected_.Text() + core::Utf16Of(codePoint));
    const auto end = static_cast<LPARAM>(::GetWindowTextLengthW(collected_.hwnd()));
    ::SendMessageW(collected_.hwnd(), EM_SETSEL, static_cast<WPARAM>(end), end);
}

int CharacterMapWindow::CellSizeFromSlider() const { return Scaled(size_.Position()); }

void CharacterMapWindow::OnCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case kBlocksId:
            if (HIWORD(wParam) == LBN_SELCHANGE && blocks_.Selected() >= 0) {
                grid_.ShowSection(static_cast<std::size_t>(blocks_.Selected()));
            }
            break;
        case kCopyId:
            if (HIWORD(wParam) == BN_CLICKED) Copy(collected_.Text());
            break;
        case kPreviewId:
            if (HIWORD(wParam) == BN_CLICKED && toPreview_) toPreview_(collected_.Text());
            break;
        default:
            break;
    }
}

LRESULT CharacterMapWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            // Showing the window for the first time reports the size it was made with again.
            if (LOWORD(lParam) != laidOut_.cx || HIWORD(lParam) != laidOut_.cy) LayOut();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE smallest = win::OuterSizeFor(Scaled(kClientWidth * 3 / 4), Scaled(kClientHeight * 3 / 4), kStyle, 0);
            limits->ptMinTrackSize = POINT{smallest.cx, smallest.cy};
            return 0;
        }
        case WM_COMMAND:
            OnCommand(wParam);
            return 0;
        case WM_SYSCOLORCHANGE:
            // Only top-level windows hear of it; the grid keeps the colours in its cell pattern.
            ::SendMessageW(grid_.hwnd(), message, wParam, lParam);
            break;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == size_.hwnd()) grid_.SetCellSize(CellSizeFromSlider());
            return 0;
        case WM_ACTIVATE:
            // Back from another window, the grid has the keys.
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
                HWND focus = ::GetFocus();
                if (!focus || !::IsChild(hwnd(), focus)) ::SetFocus(grid_.hwnd());
                return 0;
            }
            break;
        default:
            break;
    }
    return DefaultProc(message, wParam, lParam);
}

}  // namespace app
