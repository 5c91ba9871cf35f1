#pragma once
// The two messages of the form a command bar control sits on that the control answers: a change
// of system settings lays the bar out again, and the program losing the foreground ends menu
// mode. The form is subclassed for those two only, while the control shows a bar.

#include <windows.h>

#include <functional>
#include <utility>

#include "subclass/subclass.h"

namespace commandbar {

class OwnerFormWatch final : private subclass::SubclassClient {
public:
    explicit OwnerFormWatch(std::function<void()> settingsChanged) : settingsChanged_(std::move(settingsChanged)) {}
    OwnerFormWatch(const OwnerFormWatch&) = delete;
    OwnerFormWatch& operator=(const OwnerFormWatch&) = delete;
    ~OwnerFormWatch() { Stop(); }

    // Stops watching the form before, if any. Throws what subclass::AttachMessage throws.
    void Watch(HWND form);
    void Stop() noexcept;
    // The watched form; null when none.
    HWND Form() const noexcept { return form_; }

private:
    core::MessageResponse MsgResponse() override { return core::MessageResponse::CallPreviousAfter; }
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<void()> settingsChanged_;
    HWND form_ = nullptr;
};

}  // namespace commandbar
