#include "menu_world.h"

namespace core::commandbar::testing {

MenuFake::MenuFake(MenuWorld& world, WindowHandle hwnd, ScreenPoint origin)
    : FakeControl(world.registry, world.environment, hwnd, 1000),
      world(world),
      interaction(world.registry, *this, world.monitors),
      origin(origin) {}

void MenuFake::RaiseButtonClick(const ButtonRecord& button) { world.events.push_back(L"click:" + button.Key()); }

CommandBarControl* MenuFake::RequestInstance() { return &world.AddControl({-1000, -1000}); }

void MenuFake::ItemFocused(std::int32_t index) {
    world.environment.winEvents.push_back("focus " + std::to_string(Hwnd()) + ":" + std::to_string(index));
}

void MenuFake::ShowPopupWindow(std::int32_t left, std::int32_t top) {
    origin = {left, top};
    shown = true;
    world.environment.winEvents.push_back("popup " + std::to_string(Hwnd()));
}

void MenuFake::HidePopupWindow() {
    if (shown) world.environment.winEvents.push_back("popup end " + std::to_string(Hwnd()));
    shown = false;
}

ScreenPoint MenuFake::CursorPosition() const { return world.cursor; }

BarRecord* MenuFake::ShownBar() const { return shownBar.empty() ? nullptr : world.registry.FindBar(shownBar); }

bool MenuFake::RaiseButtonDropDown(const ButtonRecord& button) {
    world.events.push_back(L"dropdown:" + button.Key());
    return world.cancelDropDown;
}

void MenuFake::RaiseRightClick(const ButtonRecord* button, std::int32_t x, std::int32_t y) {
    world.events.push_back(L"right:" + (button ? button->Key() : L"-") + L" " + std::to_wstring(x) + L"," +
                           std::to_wstring(y));
}

void MenuFake::ShowBar(const std::wstring& key) {
    Show(key);
    std::int32_t count = world.registry.GetBar(key).Count();
    items.assign(static_cast<std::size_t>(count), DisplayButtonInfo{});
    bool stacked = popupHost || IsVerticalOrientation(orientation);
    for (std::int32_t i = 0; i < count; ++i) {
        DisplayButtonInfo& item = items[static_cast<std::size_t>(i)];
        item.left = stacked ? 0 : i * 50;
        item.top = stacked ? i * 20 : 0;
        item.right = item.left + (popupHost ? 99 : 49);
        item.bottom = item.top + 19;
    }
    size = stacked ? ScreenPoint{popupHost ? 100 : 50, count * 20 + 2} : ScreenPoint{count * 50, 20};
}

ScreenPoint MenuFake::At(std::int32_t index, std::int32_t dx) const {
    const DisplayButtonInfo& item = items.at(static_cast<std::size_t>(index - 1));
    return ClientToScreen({item.left + dx, item.top + 5});
}

MenuFake& MenuWorld::AddControl(ScreenPoint origin, const std::wstring& barKey) {
    auto hwnd = static_cast<WindowHandle>(controls.size() + 1);
    controls.push_back(std::make_unique<MenuFake>(*this, hwnd, origin));
    MenuFake& control = *controls.back();
    control.Register();
    if (!barKey.empty()) control.ShowBar(barKey);
    return control;
}

BarRecord& MenuWorld::MakeBar(const std::wstring& key, const std::vector<std::wstring>& buttons) {
    BarRecord& bar = registry.AddBar(key);
    for (std::wstring name : buttons) {
        std::wstring sub;
        if (std::size_t arrow = name.find(L'>'); arrow != std::wstring::npos) {
            sub = name.substr(arrow + 1);
            name.resize(arrow);
        }
        wchar_t mark = name[0];
        if (mark == L'-' || mark == L'~' || mark == L'!') name.erase(0, 1);
        ButtonRecord* button = registry.FindButton(name);
        if (!button) {
            button = &registry.AddButton(name);
            button->SetCaption(L"&" + name);
            if (mark == L'-') button->SetStyle(ButtonStyle::Separator);
            button->SetVisible(mark != L'~');
            button->SetEnabled(mark != L'!');
        }
        if (!sub.empty()) button->SetSubBar(&registry.GetBar(sub));
        bar.Add(*button);
    }
    return bar;
}

MenuFake* MenuWorld::Popup(const std::wstring& barKey) {
    for (auto& control : controls) {
        if (control->popupHost && control->shown && control->shownBar == barKey) return control.get();
    }
    return nullptr;
}

void MenuWorld::MoveTo(MenuFake& control, ScreenPoint point, MouseButton held) {
    cursor = point;
    control.interaction.MouseMove(held);
}

void MenuWorld::Press(MenuFake& control, MouseButton button) { control.interaction.MouseDown(button); }

void MenuWorld::Release(MenuFake& control, MouseButton button) { control.interaction.MouseUp(button); }

}  // namespace core::commandbar::testing
