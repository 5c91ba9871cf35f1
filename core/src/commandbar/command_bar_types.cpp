#include "core/commandbar/command_bar_types.h"

#include "core/number_text.h"

namespace core::commandbar {

bool KeyReadsAsNumber(std::wstring_view key, wchar_t decimalSeparator) {
    return ParseNumber(key, decimalSeparator).has_value();
}

std::wstring CaptionWithoutMnemonic(std::wstring_view caption) {
    std::wstring text;
    text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        // The character after an "&" is kept whatever it is; a trailing "&" marks nothing.
        if (caption[i] == L'&' && ++i == caption.size()) break;
        text += caption[i];
    }
    return text;
}

wchar_t MnemonicOf(std::wstring_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] != L'&') return caption[i + 1];
        ++i;
    }
    return 0;
}

}  // namespace core::commandbar
