#include "app/about_window.h"

#include "app/artwork.h"
#include "app/window_placement.h"
#include "core/app/about_text.h"
#include "core/app/contacts.h"
#include "win/dpi.h"
#include "win/module.h"

namespace app {

namespace {

constexpr wchar_t kClassName[] = L"GlyphoscopeAboutWindow";
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

enum ControlId : UINT_PTR {
    kVersionId = 1,
    kCopyrightId,
    kInformationId,
    kUpdatesId,
    kHomePageId,
    kQuestionsId,
    kMailId
};

// Layout in twips: the logo on the left, the texts beside it, the links below, "Ok" at the
// bottom right.
constexpr win::TwipsRect kLogo{240, 240, 720, 720};
constexpr win::TwipsRect kVersion{1200, 240, 5895, 255};
constexpr win::TwipsRect kCopyrightBox{1200, 540, 5895, 255};
constexpr win::TwipsRect kInformationBox{1200, 960, 5895, 1320};
constexpr win::TwipsRect kUpdates{1200, 2460, 2400, 255};
constexpr win::TwipsRect kHomePage{3660, 2460, 3000, 255};
constexpr win::TwipsRect kQuestions{1200, 2820, 2400, 255};
constexpr win::TwipsRect kMail{3660, 2820, 3000, 255};
constexpr win::TwipsRect kOk{5775, 3660, 1320, 375};

core::HyperLinkProperties LinkProperties(const std::wstring& caption, const std::wstring& target, bool handPointer) {
    core::HyperLinkProperties p;
    p.font = core::FontDescription{L"Tahoma", 8.25, false, false, true, false, core::kCyrillicCharset};
    p.caption = caption;
    p.hyperLink = target;
    p.foreColour = 0x000088;
    p.hoverColour = core::kHighlightColour;
    p.autoToolTip = false;
    p.moPointer = handPointer;
    return p;
}

}  // namespace

AboutWindow::AboutWindow(std::wstring versionSource) : versionSource_(std::move(versionSource)) {
    commands_.Add(IDOK, BN_CLICKED, [this] { Close(); });
    commands_.Add(IDCANCEL, BN_CLICKED, [this] { Close(); });
}

void AboutWindow::Open(HWND owner) {
    if (IsOpen()) return;
    CreateOver(owner, {kClassName, kCaption, kStyle, kExStyle, kClientWidth, kClientHeight, TopMostPreferred()});
    CreateControls();
    ShowOver(ok_.hwnd());
}

void AboutWindow::CreateControls() {
    win::FileVersion v = win::ReadFileVersion(versionSource_);
    version_.Create(hwnd(), kVersionId, core::AboutVersionLine(v.major, v.minor, v.revision));
    version_.SetBoundsTwips(kVersion);
    copyright_.Create(hwnd(), kCopyrightId, kCopyright);
    copyright_.SetBoundsTwips(kCopyrightBox);
    information_.Create(hwnd(), kInformationId, kInformation);
    information_.SetBoundsTwips(kInformationBox);
    // Each label just before its link: screen readers take it as the link's label.
    updatesLabel_.Create(hwnd(), kUpdatesId, kUpdatesLabel);
    updatesLabel_.SetBoundsTwips(kUpdates);
    homePage_.Create(hwnd(), kHomePageId, win::ToPixels(kHomePage),
                     LinkProperties(core::kHomePageCaption, core::kHomePageUrl, false));
    questionsLabel_.Create(hwnd(), kQuestionsId, kQuestionsLabel);
    questionsLabel_.SetBoundsTwips(kQuestions);
    mail_.Create(hwnd(), kMailId, win::ToPixels(kMail),
                 LinkProperties(core::kSupportAddress, core::kSupportMailTo, true));
    ok_.Create(hwnd(), IDOK, L"Ok", true);
    ok_.SetBoundsTwips(kOk);
}

void AboutWindow::ShowModal(HWND owner) {
    Open(owner);
    RunModal();
}

LRESULT AboutWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            win::PaintGuard paint(hwnd());
            RECT at = win::ToPixels(kLogo);
            DrawArtwork(paint.dc(), at.left, at.top, IDR_ABOUT_LOGO);
            return 0;
        }
    }
    return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace app
