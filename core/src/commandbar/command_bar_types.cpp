#include "core/commandbar/command_bar_types.h"

#include "core/number_text.h"

namespace core::commandbar {

bool KeyReadsAsNumber(std::wstring_view key, wchar_t decimalSeparator) {
    return ParseNumber(key, decimalSeparator).has_value();
}

}  // namespace core::commandbar
