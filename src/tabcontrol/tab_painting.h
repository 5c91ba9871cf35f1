#pragma once
// The tab strip's own painting: the default look of an owner-drawn tab, and the flattened
// outlines of the CoolTabs modes drawn over the platform's painting.

#include <windows.h>
#include <commctrl.h>

#include "core/tabcontrol/tab_strip_properties.h"
#include "tabcontrol/tab_control.h"

namespace tabcontrol {

void PaintDefaultTab(const DrawItemEvent& item, HWND tabWindow, HIMAGELIST images, core::CoolTabsMode coolTabs);
void PaintCoolTabs(HWND tabWindow, core::CoolTabsMode coolTabs, core::TabAlignment align);

}  // namespace tabcontrol
