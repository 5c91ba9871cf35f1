#pragma once
// The about window's version line.

#include <string>

namespace core {

// "Версия <major>.<minor>.1 build <revision> для Microsoft® Windows®." (".1" is part of the text).
std::wstring AboutVersionLine(int major, int minor, int revision);

}  // namespace core
