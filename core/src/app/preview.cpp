#include "core/app/preview.h"

namespace core {

int PreviewPointsFor(const std::optional<std::wstring>& storedFontSize) {
    if (storedFontSize) {
        for (int size : kPreviewSizes) {
            if (*storedFontSize == std::to_wstring(size)) return size;
        }
    }
    return kDefaultPreviewPoints;
}

std::wstring PreviewText(std::wstring_view fontName, std::wstring_view viewerText) {
    std::wstring text;
    text.reserve(fontName.size() + 3 + viewerText.size());
    text.append(fontName).append(L" - ").append(viewerText);
    return text;
}

}  // namespace core
