// The menu events screen readers follow, heard the way they hear them: a win-event hook out of
// context on this process while real keys and clicks drive the menus.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "menu_rig.h"
#include "win/error_report.h"

namespace commandbar {
namespace {

namespace cb = core::commandbar;
using testing::AltWith;
using testing::Click;
using testing::Key;
using testing::MenuRig;
using testing_support::PumpFor;

struct Heard {
    DWORD event;
    HWND hwnd;
    LONG child;
};

std::vector<Heard>& HeardEvents() {
    static std::vector<Heard> heard;
    return heard;
}

void CALLBACK Listen(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD) {
    // Focus moving between whole windows is the system's own; only items count here.
    if (event == EVENT_OBJECT_FOCUS && (object != OBJID_CLIENT || child <= 0)) return;
    win::GuardCallback([&] { HeardEvents().push_back({event, hwnd, child}); });
}

class EventHook {
public:
    EventHook(DWORD first, DWORD last)
        : hook_(::SetWinEventHook(first, last, nullptr, Listen, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT)) {}
    ~EventHook() {
        if (hook_) ::UnhookWinEvent(hook_);
    }
    EventHook(const EventHook&) = delete;
    EventHook& operator=(const EventHook&) = delete;
    bool Hooked() const { return hook_ != nullptr; }

private:
    HWINEVENTHOOK hook_;
};

// "start bar", "popup 0" (the first pooled popup host), "focus 0:2", "popup end 0", "end bar".
std::vector<std::string> Described(const MenuRig& rig, HWND bar) {
    auto name = [&](HWND hwnd) -> std::string {
        if (hwnd == bar) return "bar";
        for (std::size_t i = 0; i < rig.pool.size(); ++i) {
            if (rig.pool[i]->hwnd() == hwnd) return std::to_string(i);
        }
        return "?";
    };
    std::vector<std::string> described;
    for (const Heard& heard : HeardEvents()) {
        switch (heard.event) {
        case EVENT_SYSTEM_MENUSTART:
            described.push_back("start " + name(heard.hwnd));
            break;
        case EVENT_SYSTEM_MENUEND:
            described.push_back("end " + name(heard.hwnd));
            break;
        case EVENT_SYSTEM_MENUPOPUPSTART:
            described.push_back("popup " + name(heard.hwnd));
            break;
        case EVENT_SYSTEM_MENUPOPUPEND:
            described.push_back("popup end " + name(heard.hwnd));
            break;
        default:
            described.push_back("focus " + name(heard.hwnd) + ":" + std::to_string(heard.child));
            break;
        }
    }
    return described;
}

TEST(CommandBarWinEvents, MenusAnnounceStartPopupsFocusAndEndInTheSystemsOrder) {
    EventHook menus(EVENT_SYSTEM_MENUSTART, EVENT_SYSTEM_MENUPOPUPEND);
    EventHook focus(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS);
    ASSERT_TRUE(menus.Hooked() && focus.Hooked());

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
        HeardEvents().clear();
        c.drive(rig, bar);
        // Out-of-context events arrive through the message queue, some after the last key.
        testing_support::PumpUntil([&] { return Described(rig, bar.hwnd()) == c.expected; }, 5000);
        EXPECT_FALSE(Registry().InMenuMode());
        EXPECT_EQ(Described(rig, bar.hwnd()), c.expected);
    }
}

}  // namespace
}  // namespace commandbar
