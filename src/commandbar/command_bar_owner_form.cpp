#include "commandbar/command_bar_owner_form.h"

#include "commandbar/command_bar_process.h"
#include "core/commandbar/command_bar_registry.h"
#include "win/error_report.h"

namespace commandbar {

void OwnerFormWatch::Watch(HWND form) {
    Stop();
    form_ = form;
    subclass::AttachMessage(*this, form_, WM_ACTIVATEAPP);
    subclass::AttachMessage(*this, form_, WM_SETTINGCHANGE);
}

void OwnerFormWatch::Stop() noexcept {
    if (!form_) return;
    subclass::DetachMessage(*this, form_, WM_ACTIVATEAPP);
    subclass::DetachMessage(*this, form_, WM_SETTINGCHANGE);
    form_ = nullptr;
}

LRESULT OwnerFormWatch::WindowProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    win::GuardCallback([&] {
        if (message == WM_SETTINGCHANGE) {
            if (settingsChanged_) settingsChanged_();
        } else if (message == WM_ACTIVATEAPP && wParam == 0) {
            Registry().ProgramDeactivated();
        }
    });
    return 0;
}

}  // namespace commandbar
