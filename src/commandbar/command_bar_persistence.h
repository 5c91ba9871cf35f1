#pragma once
// What a form stores of a command bar control: "Font", "Enabled", "Orientation", "MainMenu" and
// "Style". Defaults are not stored; loading goes through the control's own setters.

#include "core/property_bag.h"

namespace commandbar {

class CommandBarWindow;

void SaveProperties(const CommandBarWindow& control, core::PropertyBag& bag);
void LoadProperties(CommandBarWindow& control, const core::PropertyBag& bag);

}  // namespace commandbar
