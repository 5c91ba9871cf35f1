#include "commandbar/command_bar_persistence.h"

#include "commandbar/command_bar_window.h"

namespace commandbar {

namespace {

constexpr std::int32_t kDefaultStyle = 1;

}  // namespace

void SaveProperties(const CommandBarWindow& control, core::PropertyBag& bag) {
    bag.WriteFont(L"Font", control.Font());
    if (!control.Enabled()) bag.WriteBool(L"Enabled", false);
    if (control.Orientation() != 0) bag.WriteInt(L"Orientation", control.Orientation());
    if (control.MainMenu()) bag.WriteBool(L"MainMenu", true);
    if (control.Style() != kDefaultStyle) bag.WriteInt(L"Style", control.Style());
}

void LoadProperties(CommandBarWindow& control, const core::PropertyBag& bag) {
    control.SetFont(bag.ReadFont(L"Font", core::FontDescription{}));
    control.SetEnabled(bag.ReadBool(L"Enabled", true));
    control.SetOrientation(static_cast<std::int32_t>(bag.ReadInt(L"Orientation", 0)));
    control.SetMainMenu(bag.ReadBool(L"MainMenu", false));
    control.SetStyle(static_cast<std::int32_t>(bag.ReadInt(L"Style", kDefaultStyle)));
}

}  // namespace commandbar
