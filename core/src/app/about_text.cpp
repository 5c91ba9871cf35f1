#include "core/app/about_text.h"

namespace core {

std::wstring AboutVersionLine(int major, int minor, int revision) {
    return L"Версия " + std::to_wstring(major) + L"." + std::to_wstring(minor) + L".1 build " +
           std::to_wstring(revision) + L" для Microsoft® Windows®.";
}

}  // namespace core
