#include "core/commandbar/chevron_menu.h"

#include <vector>

#include "core/commandbar/bar_interaction.h"
#include "core/commandbar/button_record.h"
#include "core/commandbar/command_bar_control.h"
#include "core/commandbar/bar_record.h"
#include "core/commandbar/command_bar_registry.h"

namespace core::commandbar {

namespace {

constexpr wchar_t kListBar[] = L"CHEVRON:ADDORREMOVE";
constexpr wchar_t kListEnd[] = L"CHEVRON:ADDORREMOVE:SEPARATOR";

}  // namespace

void FillChevronMenu(CommandBarRegistry& registry, const BarRecord& bar) {
    registry.GetButton(L"CHEVRON:ADDORREMOVEBAR").SetCaption(bar.Title());
    BarRecord& list = registry.GetBar(kListBar);
    // What the previous showing listed goes, whichever bar it came from.
    while (list.Count() >= 1 && list.Item(1)->Key() != kListEnd) list.Remove(*list.Item(1));
    std::vector<ButtonRecord*> buttons = bar.Buttons().Values();
    for (ButtonRecord* button : buttons) {
        if (button->Style() == ButtonStyle::Separator || list.IndexOf(button->Key()) != 0) continue;
        button->SetCustomiseState(button->Visible() ? CustomiseState::Checked : CustomiseState::Unchecked);
        list.InsertBefore(*button, kListEnd);
    }
}

void BarInteraction::ShowChevronMenu(std::int32_t x, std::int32_t y) {
    const BarRecord* bar = host_.ShownBar();
    if (!host_.ShowsBar() || !bar) return;
    FillChevronMenu(registry_, *bar);
    ShowBarMenu(L"CHEVRON", 0, x, y, false, false);
}

}  // namespace core::commandbar
