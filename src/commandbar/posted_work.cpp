#include "commandbar/posted_work.h"

#include <utility>

namespace commandbar {

void PostedWork::Post(HWND window, std::function<void()> work) {
    work_.push_back(std::move(work));
    ::PostMessageW(window, kMessage, 0, 0);
}

void PostedWork::RunNext() {
    if (work_.empty()) return;
    const std::function<void()> work = std::move(work_.front());
    work_.pop_front();
    work();
}

}  // namespace commandbar
