#include "app/font_details_window.h"

#include "app/window_placement.h"
#include "win/clipboard.h"
#include "win/dpi.h"

namespace app {

namespace {

namespace fonts = core::fonts;

constexpr wchar_t kClassName[] = L"GlyphoscopeFontDetailsWindow";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

enum ControlId : UINT_PTR {
    kFamilyLabelId = 100,
    kFamilyId,
    kFacesLabelId,
    kFacesId,
    kCopyId,
    kFirstRowId = 200,  // each row: its label, its text, its link
};

// Layout in twips: labels in a column on the left, values beside them, the buttons at the
// bottom right.
constexpr double kMargin = 120;
constexpr double kClientWidth = 8640;
constexpr double kLabelWidth = 2100;
constexpr double kValueLeft = kMargin + kLabelWidth + kMargin;
constexpr double kValueWidth = kClientWidth - kValueLeft - kMargin;
constexpr double kLineHeight = 255;
constexpr double kLinePitch = 315;
constexpr double kMultiLineHeight = 570;
constexpr double kFacesHeight = 960;
constexpr double kFirstFieldTop = kMargin + kLinePitch + kFacesHeight + kMargin;
constexpr double kButtonWidth = 1335;
constexpr double kButtonHeight = 375;

// Where the rows end: every field at its height.
double FieldsBottom() {
    double top = kFirstFieldTop;
    for (const fonts::DetailField& field : fonts::DetailFields({})) {
        top += field.multiLine ? kMultiLineHeight + kLinePitch - kLineHeight : kLinePitch;
    }
    return top;
}

core::HyperLinkProperties LinkProperties() {
    core::HyperLinkProperties p;
    p.font = core::FontDescription{L"Tahoma", 8.25, false, false, true, false, core::kCyrillicCharset};
    p.caption.clear();
    p.hyperLink.clear();
    p.foreColour = 0x000088;
    p.hoverColour = core::kHighlightColour;
    p.moPointer = true;
    return p;
}

// Edit controls break lines at "\r\n" only.
std::wstring WithCrLf(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\n') out += L'\r';
        out += c;
    }
    return out;
}

std::wstring FaceCaption(const FontFace& face) { return face.style.empty() ? face.fullName : face.style; }

}  // namespace

FontDetailsWindow::~FontDetailsWindow() { Destroy(); }

void FontDetailsWindow::Open(HWND owner, const std::wstring& family) {
    if (IsOpen()) return;
    family_ = family;
    faces_ = FacesOfFamily(family);
    const double height = FieldsBottom() + kMargin + kButtonHeight + kMargin;
    CreateOver(owner, {kClassName, kCaption, kStyle, kExStyle, kClientWidth, height, TopMostPreferred()});
    CreateControls();
    const std::size_t previewed = PreviewedFaceIndex(faces_);
    faceList_.Select(static_cast<int>(previewed));
    ShowFace(previewed);
    ShowOver(faceList_.hwnd());
}

void FontDetailsWindow::ShowModal(HWND owner, const std::wstring& family) {
    Open(owner, family);
    RunModal([this](const MSG& msg) { return PreTranslate(msg); });
}

void FontDetailsWindow::CreateControls() {
    // Each label just before its value: screen readers name a control by the label before it.
    familyLabel_.Create(hwnd(), kFamilyLabelId, L"Семейство:");
    familyLabel_.SetBoundsTwips({kMargin, kMargin, kLabelWidth, kLineHeight});
    familyText_.Create(hwnd(), kFamilyId);
    familyText_.SetText(family_);
    familyText_.SetBoundsTwips({kValueLeft, kMargin, kValueWidth, kLineHeight});
    facesLabel_.Create(hwnd(), kFacesLabelId, L"Начертания:");
    facesLabel_.SetBoundsTwips({kMargin, kMargin + kLinePitch, kLabelWidth, kLineHeight});
    faceList_.Create(hwnd(), kFacesId);
    faceList_.SetBoundsTwips({kValueLeft, kMargin + kLinePitch, kValueWidth, kFacesHeight});
    for (const FontFace& face : faces_) faceList_.Append(FaceCaption(face));

    double top = kFirstFieldTop;
    UINT_PTR id = kFirstRowId;
    for (const fonts::DetailField& field : fonts::DetailFields({})) {
        auto row = std::make_unique<Row>();
        const double height = field.multiLine ? kMultiLineHeight : kLineHeight;
        row->label.Create(hwnd(), id++, std::wstring(field.label) + L":");
        row->label.SetBoundsTwips({kMargin, top, kLabelWidth, kLineHeight});
        row->text.Create(hwnd(), id++, field.multiLine);
        row->text.SetBoundsTwips({kValueLeft, top, kValueWidth, height});
        row->link.Create(hwnd(), id++, win::ToPixels(win::TwipsRect{kValueLeft, top, kValueWidth, kLineHeight}),
                         LinkProperties());
        rows_.push_back(std::move(row));
        top += height + kLinePitch - kLineHeight;
    }

    const double buttonTop = FieldsBottom() + kMargin;
    copy_.Create(hwnd(), kCopyId, L"Копировать");
    copy_.SetBoundsTwips({kClientWidth - kMargin - 2 * kButtonWidth - kMargin, buttonTop, kButtonWidth, kButtonHeight});
    close_.Create(hwnd(), IDCANCEL, L"Закрыть", true);
    close_.SetBoundsTwips({kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight});
}

void FontDetailsWindow::ShowFace(std::size_t index) {
    if (index >= faces_.size()) return;
    fields_ = fonts::DetailFields(ReadFaceFacts(faces_[index], files_));
    for (std::size_t i = 0; i < rows_.size() && i < fields_.size(); ++i) {
        Row& row = *rows_[i];
        const fonts::DetailField& field = fields_[i];
        // A web address is a link; anything else, a text the user can select.
        ::ShowWindow(row.link.hwnd(), field.link ? SW_SHOWNA : SW_HIDE);
        row.text.SetVisible(!field.link);
        if (field.link) {
            row.link.SetCaption(field.value);
            row.link.SetTarget(*field.link);
        }
        row.text.ShowText(WithCrLf(field.value));
    }
}

std::wstring FontDetailsWindow::Text() const {
    std::vector<std::wstring> captions;
    for (const FontFace& face : faces_) captions.push_back(FaceCaption(face));
    return fonts::DetailsAsText(family_, captions, fields_);
}

void FontDetailsWindow::CopyAll() const { win::SetClipboardText(hwnd(), Text()); }

bool FontDetailsWindow::PreTranslate(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != 'C' || !IsOpen() || !::IsChild(hwnd(), msg.hwnd)) return false;
    if (!(::GetKeyState(VK_CONTROL) & 0x8000) || (::GetKeyState(VK_MENU) & 0x8000)) return false;
    // Text the user selected in a field is what Ctrl+C copies there, as in any text box.
    wchar_t className[16] = {};
    ::GetClassNameW(msg.hwnd, className, static_cast<int>(std::size(className)));
    if (::lstrcmpiW(className, L"Edit") == 0) {
        DWORD start = 0, end = 0;
        ::SendMessageW(msg.hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if (start != end) return false;
    }
    CopyAll();
    return true;
}

LRESULT FontDetailsWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        switch (LOWORD(wParam)) {
            case IDCANCEL:
                Close();
                return 0;
            case kCopyId:
                CopyAll();
                return 0;
            case kFacesId:
                if (HIWORD(wParam) == LBN_SELCHANGE && faceList_.Selected() >= 0) {
                    ShowFace(static_cast<std::size_t>(faceList_.Selected()));
                }
                return 0;
            default:
                break;
        }
    }
    return ModalWindow::HandleMessage(message, wParam, lParam);
}

void ShowFontDetails(HWND owner, const std::wstring& family, const FontFileLocator& files) {
    FontDetailsWindow window(files);
    window.ShowModal(owner, family);
}

}  // namespace app
