#pragma once
// "О программе": the logo, the version line from the executable's version resource, the
// copyright and a short description, the two links and "Ok". Modal over the main window.

#include <windows.h>

#include <string>

#include "win/modal_window.h"
#include "controls/hyperlink.h"
#include "win/controls.h"

namespace app {

class AboutWindow : public win::ModalWindow {
public:
    static constexpr wchar_t kCaption[] = L"О программе";
    static constexpr wchar_t kCopyright[] = L"© Marrowind, 2003–2026. Все права защищены.";
    static constexpr wchar_t kInformation[] =
        L"Glyphoscope показывает шрифты, установленные в системе, и образец текста, набранный любым из "
        L"них: цифры, символы, русский и английский алфавиты или ваш собственный текст, в нужном размере "
        L"и цвете. Программа распространяется бесплатно на условиях лицензионного соглашения "
        L"(файл License.rtf).";
    static constexpr wchar_t kUpdatesLabel[] = L"Обновления программы:";
    static constexpr wchar_t kQuestionsLabel[] = L"Вопросы и комментарии:";
    // Client area in twips.
    static constexpr double kClientWidth = 7335;
    static constexpr double kClientHeight = 4335;

    // The version line comes from the version resource of versionSource (this executable when
    // empty).
    explicit AboutWindow(std::wstring versionSource = {});

    // Opens the window owned by owner and returns at once; the owner is disabled until it closes.
    void Open(HWND owner);
    // Open, then wait until "Ok" or closing ends it.
    void ShowModal(HWND owner);

    std::wstring VersionText() const { return version_.Text(); }
    controls::HyperLink& HomePageLink() noexcept { return homePage_; }
    controls::HyperLink& MailLink() noexcept { return mail_; }
    HWND OkButton() const noexcept { return ok_.hwnd(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();

    std::wstring versionSource_;
    win::Label version_;
    win::Label copyright_;
    win::Label information_;
    win::Label updatesLabel_;
    win::Label questionsLabel_;
    controls::HyperLink homePage_;
    controls::HyperLink mail_;
    win::PushButton ok_;
};

}  // namespace app
