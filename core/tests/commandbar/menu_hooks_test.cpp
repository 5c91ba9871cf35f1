#include "core/commandbar/menu_hooks.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <sstream>
#include <string>

#include "core/commandbar/command_bar_registry.h"
#include "menu_world.h"

namespace core::commandbar {

namespace {

using testing::MenuFake;
using testing::MenuWorld;

constexpr std::uint16_t kAlt = 18;
constexpr std::uint16_t kDown = 40;
constexpr std::uint32_t kLeftButtonDown = 0x0201;

KeyHookInput Key(std::uint16_t key, bool released, bool alt = false, bool ctrl = false) {
    KeyHookInput input;
    input.virtualKey = key;
    input.flags = released ? INT_MIN : 1;
    input.alt = alt;
    input.ctrl = ctrl;
    return input;
}

// The form's menu bar: F opens FM, E opens EM; a tool bar with Ctrl+K.
struct HookWorld : MenuWorld {
    MenuFake* bar;
    MenuFake* tools;
    HookWorld() {
        MakeBar(L"FM", {L"X"});
        MakeBar(L"EM", {L"Y"});
        MakeBar(L"MENU", {L"F>FM", L"E>EM"});
        MakeBar(L"T", {L"K"});
        registry.GetButton(L"K").SetShortcutKey('K');
        registry.GetButton(L"K").SetShortcutModifiers(ModifierBits(ShortcutModifier::Ctrl));
        bar = &AddControl({0, 0}, L"MENU");
        bar->mainMenu = true;
        tools = &AddControl({0, 30}, L"T");
        environment.foreground = 1000;
    }
    bool Send(const KeyHookInput& input) {
        HookOutcome outcome = KeyboardHookDecision(registry, input);
        EXPECT_FALSE(outcome.failure);
        return outcome.discard;
    }
};

TEST(MenuHooksTest, AltAloneLightsTheFirstTitleAndAltAgainEndsMenuMode) {
    HookWorld world;
    EXPECT_FALSE(world.Send(Key(kAlt, false, true)));
    EXPECT_TRUE(world.Send(Key(kAlt, true, true)));
    EXPECT_TRUE(world.registry.InMenuMode());
    EXPECT_EQ(world.bar->interaction.CurrentPosition(), 1);
    EXPECT_EQ(world.Popup(L"FM"), nullptr);

    EXPECT_TRUE(world.Send(Key(kDown, false)));
    ASSERT_NE(world.Popup(L"FM"), nullptr);

    EXPECT_FALSE(world.Send(Key(kAlt, false, true)));
    EXPECT_FALSE(world.registry.InMenuMode());
    EXPECT_EQ(world.Popup(L"FM"), nullptr);
    EXPECT_TRUE(world.Send(Key(kAlt, true, true)));
    EXPECT_TRUE(world.registry.InMenuMode());
    EXPECT_EQ(world.bar->interaction.CurrentPosition(), 1);
}

// Screen readers follow the menus by the order Windows' own menus announce them in.
TEST(MenuHooksTest, MenusAnnounceStartPopupFocusAndEndInOrder) {
    HookWorld world;
    world.Send(Key(kAlt, false, true));
    world.Send(Key(kAlt, true, true));
    world.Send(Key(kDown, false));
    ASSERT_NE(world.Popup(L"FM"), nullptr);
    std::string bar = std::to_string(world.bar->Hwnd());
    std::string popup = std::to_string(world.Popup(L"FM")->Hwnd());
    world.Send(Key(kAlt, false, true));
    EXPECT_EQ(world.environment.winEvents,
              (std::vector<std::string>{"start " + bar, "focus " + bar + ":1", "popup " + popup,
                                        "focus " + popup + ":1", "popup end " + popup, "end " + bar}));
}

// Keys as "A+" (Alt down) and "S-" (Shift up): A Alt, S Shift, C Ctrl, T Tab, E and Q letters; "!"
// another program comes to the front.
TEST(MenuHooksTest, OnlyAltAloneOrAltWithATitlesLetterEntersMenuMode) {
    struct Case {
        const char* keys;
        bool menuMode;
    };
    const Case cases[] = {
        {"A+ A-", true},       {"A+ S+ S- A-", false}, {"S+ A+ S- A-", false}, {"A+ C+ C- A-", false},
        {"A+ T+ T- A-", false}, {"A+ Q+ Q- A-", false}, {"A+ E+ E- A-", true},  {"A+ ! A-", false},
    };
    const std::map<char, std::uint16_t> codes{{'A', kAlt}, {'S', 16}, {'C', 17}, {'T', 9}, {'E', 'E'}, {'Q', 'Q'}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        HookWorld world;
        bool altHeld = false;
        std::istringstream keys(c.keys);
        for (std::string key; keys >> key;) {
            if (key == "!") {
                world.registry.ProgramDeactivated();
                continue;
            }
            const bool released = key[1] == '-';
            if (key[0] == 'A') altHeld = !released;
            world.Send(Key(codes.at(key[0]), released, altHeld || key[0] == 'A'));
        }
        EXPECT_EQ(world.registry.InMenuMode(), c.menuMode);
        EXPECT_EQ(world.Popup(L"EM") != nullptr, std::string(c.keys).find('E') != std::string::npos);
    }
}

TEST(MenuHooksTest, AltWithALetterOpensThatTitlesMenuAndShortcutsClick) {
    HookWorld world;
    EXPECT_FALSE(world.Send(Key('E', false, true)));
    ASSERT_NE(world.Popup(L"EM"), nullptr);
    EXPECT_EQ(world.Popup(L"EM")->interaction.CurrentPosition(), 1);
    world.registry.SetMenuMode(false, 0);

    EXPECT_TRUE(world.Send(Key('K', false, false, true)));
    EXPECT_EQ(world.events, std::vector<std::wstring>{L"click:K"});
    EXPECT_FALSE(world.Send(Key('K', true, false, true)));

    // An Alt shortcut of a menu's entry on a key that is no letter runs and lets the menu bar go.
    constexpr std::uint16_t kEnter = 13;
    world.registry.GetButton(L"X").SetShortcutKey(kEnter);
    world.registry.GetButton(L"X").SetShortcutModifiers(ModifierBits(ShortcutModifier::Alt));
    EXPECT_TRUE(world.Send(Key(kEnter, false, true)));
    EXPECT_EQ(world.events.back(), L"click:X");
    EXPECT_FALSE(world.registry.InMenuMode());
}

TEST(MenuHooksTest, ClicksOutsideTheMenusCloseThemAndAreNeverSwallowed) {
    struct ClickCase {
        const char* name;
        // 0: a window that is no command bar; 1: the open menu, the keys going to the bar; 2: the
        // menu bar.
        int target;
        bool onTitle;
        bool staysInMenuMode;
    };
    const ClickCase cases[] = {
        {"another window", 0, false, false},
        {"an open menu the keys do not go to", 1, false, true},
        {"another title", 2, true, true},
        {"the menu bar beside the titles", 2, false, false},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE(c.name);
        HookWorld world;
        world.MoveTo(*world.bar, world.bar->At(1));
        world.Press(*world.bar);
        MenuFake* menu = world.Popup(L"FM");
        ASSERT_NE(menu, nullptr);
        WindowHandle targets[] = {555, menu->Hwnd(), world.bar->Hwnd()};
        world.cursor = c.onTitle ? world.bar->At(2) : ScreenPoint{300, 5};
        if (c.target == 1) world.registry.SetMenuModeControl(world.bar->Hwnd());
        HookOutcome outcome = MouseHookDecision(world.registry, 0, kLeftButtonDown, targets[c.target]);
        EXPECT_FALSE(outcome.discard);
        EXPECT_EQ(world.registry.InMenuMode(), c.staysInMenuMode);
        EXPECT_EQ(menu->shown, c.staysInMenuMode);
    }
}

class FailingEnvironment : public testing::FakeEnvironment {
public:
    WindowHandle ActiveForegroundWindow() const override { throw RuntimeError(5, L"gone", L"test"); }
};

TEST(MenuHooksTest, AFailureInsideTheHookPassesTheKeyOn) {
    FailingEnvironment environment;
    CommandBarRegistry registry(environment);
    HookOutcome outcome = KeyboardHookDecision(registry, Key('K', false, false, true));
    EXPECT_FALSE(outcome.discard);
    EXPECT_TRUE(outcome.failure);
}

}  // namespace

}  // namespace core::commandbar
