// The menu events screen readers follow, heard the way they hear them: a win-event hook out of
// context on this process while real keys and clicks drive the menus.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "menu_rig.h"
#include "support/win_events.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;
using testing::AltWith;
using testing::Click;
using testing::Key;
using testing::MenuRig;
using testing_support::PumpFor;

// The bar is "bar", a popup host its place in the rig's pool.
std::vector<std::string> Described(const testing_support::WinEventRecorder& recorder, const MenuRig& rig, HWND bar) {
    return testing_support::Described(recorder.Heard(), [&](HWND hwnd) -> std::string {
        if (hwnd == bar) return "bar";
        for (std::size_t i = 0; i < rig.pool.size(); ++i) {
            if (rig.pool[i]->hwnd() == hwnd) return std::to_string(i);
        }
        return "?";
    });
}

TEST(CommandBarWinEvents, MenusAnnounceStartPopupsFocusAndEndInTheSystemsOrder) {
    testing_support::WinEventRecorder recorder(::GetCurrentProcessId());
    ASSERT_TRUE(recorder.Hooked());

    struct Case {
        const char* name;
        std::function<void(MenuRig&, CommandBarWindow&)> drive;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"keyboard",
         [](MenuRig&, CommandBarWindow&) {
             AltWith(0);
             Key(VK_DOWN);
             Key(VK_DOWN);
             Key(VK_ESCAPE);
             Key(VK_ESCAPE);
         },
         {"start bar", "focus bar:1", "popup 0", "focus 0:1", "focus 0:2", "popup end 0", "end bar"}},
        {"mouse",
         [](MenuRig& rig, CommandBarWindow& bar) {
             Click(MenuRig::ItemCentre(bar, 2));
             CommandBarWindow* view = MenuRig::MenuOf(bar, 2);
             ASSERT_NE(view, nullptr);
             MenuRig::Hover(*view, 1);
             RECT form{};
             ::GetWindowRect(rig.form.hwnd(), &form);
             Click({form.left + 300, form.top + 300});
         },
         {"start bar", "popup 0", "focus 0:1", "popup end 0", "end bar"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MenuRig rig;
        CommandBarWindow& bar = rig.AddControl({0, 0, 400, 24}, true);
        rig.Bar(bar, L"FILE", {{L"OPEN", L"&Open"}, {L"SAVE", L"&Save"}});
        rig.Bar(bar, L"VIEW", {{L"ZOOM", L"&Zoom"}});
        bar.SetToolbar(rig.Bar(bar, L"MENU", {{L"FILETITLE", L"&File", cb::ButtonStyle::Normal, L"FILE"},
                                              {L"VIEWTITLE", L"&View", cb::ButtonStyle::Normal, L"VIEW"}}));
        PumpFor(50);
        recorder.Clear();
        c.drive(rig, bar);
        // Out-of-context events arrive through the message queue, some after the last key.
        testing_support::PumpUntil([&] { return Described(recorder, rig, bar.hwnd()) == c.expected; }, 5000);
        EXPECT_FALSE(Registry().InMenuMode());
        EXPECT_EQ(Described(recorder, rig, bar.hwnd()), c.expected);
    }
}

}  // namespace
}  // namespace commandbar
