#include "support/keyboard.h"

#include <vector>

namespace testing_support {

void PressKey(WORD virtualKey, bool shift) {
    auto key = [](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return input;
    };
    std::vector<INPUT> inputs;
    if (shift) inputs.push_back(key(VK_SHIFT, false));
    inputs.push_back(key(virtualKey, false));
    inputs.push_back(key(virtualKey, true));
    if (shift) inputs.push_back(key(VK_SHIFT, true));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs(text.size() * 2);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = text[i / 2];
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i % 2 ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace testing_support
