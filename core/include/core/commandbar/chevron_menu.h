#pragma once
// The add-or-remove menu through which a tool bar's buttons are shown or hidden one by one. Its
// three bars are the registry's built-in ones; filling them for a bar names the list after the
// bar's title and lists the bar's buttons, checked when visible.

namespace core::commandbar {

class BarRecord;
class CommandBarRegistry;

void FillChevronMenu(CommandBarRegistry& registry, const BarRecord& bar);

}  // namespace core::commandbar
