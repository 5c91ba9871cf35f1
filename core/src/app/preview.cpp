#include "core/app/preview.h"

namespace core {

std::optional<int> OfferedSize(std::wstring_view text) {
    for (int size : kPreviewSizes) {
        if (text == std::to_wstring(size)) return size;
    }
    return std::nullopt;
}

int PreviewPointsFor(const std::optional<std::wstring>& storedFontSize) {
    return storedFontSize ? OfferedSize(*storedFontSize).value_or(kDefaultPreviewPoints) : kDefaultPreviewPoints;
}

std::wstring PreviewText(std::wstring_view fontName, std::wstring_view viewerText) {
    std::wstring text;
    text.reserve(fontName.size() + 3 + viewerText.size());
    text.append(fontName).append(L" - ").append(viewerText);
    return text;
}

}  // namespace core
