#include "core/commandbar/command_bar_registry.h"

#include <vector>

#include "core/commandbar/command_bar_error.h"

namespace core::commandbar {

namespace {

// The registry is the hook modules' only owner.
constexpr std::int32_t kHookOwner = 0;

// Drops the record from its collection unless a namesake has taken its place meanwhile.
template <typename Record>
void Forget(KeyedCollection<std::shared_ptr<Record>>& records, const std::shared_ptr<Record>& record) {
    std::int32_t position = records.IndexOf(record->Key());
    if (position != 0 && records.Item(position) == record) records.Remove(position);
}

template <typename Step>
void IgnoringErrors(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}

}  // namespace

CommandBarRegistry::CommandBarRegistry(RegistryEnvironment& environment) : environment_(environment) {}

CommandBarRegistry::~CommandBarRegistry() {
    // Break the links first so no record is left pointing at one destroyed before it.
    for (auto& entry : bars_) entry.value->ResetLinks();
    for (auto& entry : buttons_) entry.value->ResetLinks();
}

void CommandBarRegistry::RegisterControl(WindowHandle hwnd, CommandBarControl& control) {
    if (!running_) {
        running_ = true;
        environment_.InitialiseRendering(hwnd);
        environment_.InstallKeyboardHook(kHookOwner);
        BuildChevronBars();
    }
    instances_.Add(hwnd, HandleKey(hwnd));
    BindControlWindow(hwnd, &control, true);
}

void CommandBarRegistry::UnregisterControl(WindowHandle hwnd) {
    // A control that goes (with its form, say) takes the menus along: nothing else would close
    // them, end menu mode or remove the mouse hook.
    if (instances_.Contains(HandleKey(hwnd)) && TakesPartInMenus(hwnd)) {
        popupLevel_ = 0;
        SetMenuMode(false, 0);
    }
    instances_.Remove(HandleKey(hwnd));
    BindControlWindow(hwnd, nullptr, false);
    if (instances_.Empty()) TearDown();
}

void CommandBarRegistry::TearDown() noexcept {
    // Popups still stacked would keep menu mode on through the call below; with no control
    // left there is nothing to show them, so menu mode ends whatever the level.
    popupStack_.reset();
    popupLevel_ = 0;
    IgnoringErrors([&] { SetMenuMode(false, 0); });
    IgnoringErrors([&] { environment_.RemoveMouseHook(kHookOwner); });
    IgnoringErrors([&] { environment_.RemoveKeyboardHook(kHookOwner); });
    running_ = false;
    for (auto& entry : bars_) entry.value->ResetLinks();
    bars_.Clear();
    for (auto& entry : buttons_) entry.value->ResetLinks();
    buttons_.Clear();
    IgnoringErrors([&] { ClearPopupPool(); });
    disabledControls_.reset();
    inMenuMode_ = false;
    keyboardInitiated_ = false;
    altAlone_ = false;
    menuModeControl_ = 0;
    menuModeInitiator_ = 0;
    showAll_ = false;
}

void CommandBarRegistry::BindControlWindow(WindowHandle hwnd, CommandBarControl* control, bool set) {
    environment_.BindControlWindow(hwnd, set ? control : nullptr, set);
}

CommandBarControl& CommandBarRegistry::ControlFromHwnd(WindowHandle hwnd) const {
    CommandBarControl* control = TryControlFromHwnd(hwnd);
    if (!control) RaiseCommandBarError(command_bar_error::kNoOwningControl);
    return *control;
}

CommandBarControl* CommandBarRegistry::TryControlFromHwnd(WindowHandle hwnd) const noexcept {
    if (hwnd == 0) return nullptr;
    try {
        return environment_.ControlFromWindow(hwnd);
    } catch (...) {
        return nullptr;
    }
}

BarRecord& CommandBarRegistry::AddBar(const std::wstring& key) {
    auto bar = std::make_shared<BarRecord>(*this, key);
    bars_.Add(bar, key);
    return *bar;
}

void CommandBarRegistry::RemoveBar(std::wstring_view key) {
    std::shared_ptr<BarRecord> bar = bars_.Item(key);
    bar->Clear();
    for (const BarControlEntry& shown : bar->Controls().Values()) {
        if (CommandBarControl* control = TryControlFromHwnd(shown.control)) control->BarRemoved(bar->Key());
    }
    // The controls told above may have placed buttons into the bar again or made it a sub-bar;
    // from here on nothing calls out. Nothing may keep pointing at the bar: a removed sub-bar is
    // no sub-bar.
    Forget(bars_, bar);
    bar->Unlink();
    for (auto& entry : buttons_) {
        if (entry.value->SubBar() == bar.get()) entry.value->SetSubBar(nullptr);
    }
}

BarRecord& CommandBarRegistry::GetBar(std::int32_t position) const { return *bars_.Item(position); }
BarRecord& CommandBarRegistry::GetBar(std::wstring_view key) const { return *bars_.Item(key); }

BarRecord* CommandBarRegistry::FindBar(std::wstring_view key) const noexcept {
    const std::shared_ptr<BarRecord>* bar = bars_.Find(key);
    return bar ? bar->get() : nullptr;
}

ButtonRecord& CommandBarRegistry::AddButton(const std::wstring& key) {
    auto button = std::make_shared<ButtonRecord>(key);
    buttons_.Add(button, key);
    return *button;
}

void CommandBarRegistry::RemoveButton(std::wstring_view key) {
    std::shared_ptr<ButtonRecord> button = buttons_.Item(key);
    // Each removal notifies controls, which may change the bars: look every bar up afresh.
    std::vector<std::wstring> barKeys;
    for (const auto& entry : button->Bars()) barKeys.push_back(*entry.key);
    for (const std::wstring& barKey : barKeys) {
        BarRecord* const* bar = button->Bars().Find(barKey);
        if (bar && (*bar)->IndexOf(button->Key()) != 0) (*bar)->Remove(*button);
    }
    // Those controls may also have placed the button into bars again. Once it has left the
    // registry nothing finds it to do that, so those bars are told after it is gone.
    Forget(buttons_, button);
    std::vector<BarRecord*> placedAgain = button->Bars().Values();
    std::vector<std::shared_ptr<BarRecord>> keepAlive;
    for (BarRecord* bar : placedAgain) {
        keepAlive.push_back(bar->weak_from_this().lock());
        bar->Unlink(*button);
    }
    button->ResetLinks();
    for (BarRecord* bar : placedAgain) bar->NotifyBarChanged(BarChangeKind::ButtonList, nullptr);
}

ButtonRecord& CommandBarRegistry::GetButton(std::int32_t position) const { return *buttons_.Item(position); }
ButtonRecord& CommandBarRegistry::GetButton(std::wstring_view key) const { return *buttons_.Item(key); }

ButtonRecord* CommandBarRegistry::FindButton(std::wstring_view key) const noexcept {
    const std::shared_ptr<ButtonRecord>* button = buttons_.Find(key);
    return button ? button->get() : nullptr;
}

void CommandBarRegistry::BuildChevronBars() {
    BarRecord& addOrRemove = AddBar(L"CHEVRON:ADDORREMOVE");
    ButtonRecord& listSeparator = AddButton(L"CHEVRON:ADDORREMOVE:SEPARATOR");
    listSeparator.SetStyle(ButtonStyle::Separator);
    addOrRemove.Add(listSeparator);
    ButtonRecord& reset = AddButton(L"CHEVRON:ADDORREMOVE:RESET");
    reset.SetCaption(L"&Reset Toolbar");
    reset.SetEnabled(false);
    addOrRemove.Add(reset);

    BarRecord& addOrRemoveBar = AddBar(L"CHEVRON:ADDORREMOVEBAR");
    ButtonRecord& barName = AddButton(L"CHEVRON:ADDORREMOVEBAR");
    barName.SetCaption(L"CommandBar Name");
    barName.SetSubBar(&addOrRemove);
    addOrRemoveBar.Add(barName);
    ButtonRecord& separator = AddButton(L"CHEVRON:SEPARATOR");
    separator.SetStyle(ButtonStyle::Separator);
    addOrRemoveBar.Add(separator);
    ButtonRecord& customise = AddButton(L"CHEVRON:CUSTOMISE");
    customise.SetCaption(L"&Customise...");
    customise.SetEnabled(false);
    addOrRemoveBar.Add(customise);

    BarRecord& chevron = AddBar(L"CHEVRON");
    ButtonRecord& addOrRemoveButton = AddButton(L"CHEVRON:ADDORREMOVE");
    addOrRemoveButton.SetCaption(L"&Add or Remove Buttons");
    addOrRemoveButton.SetSubBar(&addOrRemoveBar);
    chevron.Add(addOrRemoveButton);
}

void CommandBarRegistry::SetControlEnabled(WindowHandle hwnd, bool enabled) const {
    if (CommandBarControl* control = TryControlFromHwnd(hwnd)) control->SetEnabled(enabled);
}

void CommandBarRegistry::SetMenuMode(bool on, WindowHandle initiator) {
    if (on == inMenuMode_) return;
    showAll_ = false;
    if (on) {
        inMenuMode_ = true;
        disabledControls_.emplace();
        menuModeInitiator_ = initiator;
        for (WindowHandle hwnd : instances_.Values()) {
            if (hwnd == initiator) continue;
            CommandBarControl* control = TryControlFromHwnd(hwnd);
            if (!control || control->IsPopupHost()) continue;
            control->SetEnabled(false);
            if (!disabledControls_->Contains(HandleKey(hwnd))) disabledControls_->Add(hwnd, HandleKey(hwnd));
        }
        environment_.InstallMouseHook(kHookOwner);
        // A context menu has no initiator and, like the platform's, only announces its popups.
        if (initiator != 0) environment_.MenuModeChanged(true, initiator);
        return;
    }
    if (popupLevel_ >= 1) {
        // Only the menus opened from inside a menu close; the keys go back to the one that opened them.
        const WindowHandle opener = LevelOpener(popupLevel_);
        CloseMenusFromLevel(popupLevel_);
        --popupLevel_;
        if (TryControlFromHwnd(opener)) menuModeControl_ = opener;
        return;
    }
    inMenuMode_ = false;
    keyboardInitiated_ = false;
    environment_.RemoveMouseHook(kHookOwner);
    ReleasePopupControls();
    CloseAllMenus();
    menuModeControl_ = 0;
    if (disabledControls_) {
        std::vector<WindowHandle> disabled = disabledControls_->Values();
        disabledControls_.reset();
        for (WindowHandle hwnd : disabled) SetControlEnabled(hwnd, true);
    }
    WindowHandle formerInitiator = menuModeInitiator_;
    menuModeInitiator_ = 0;
    if (formerInitiator != 0) environment_.MenuModeChanged(false, formerInitiator);
    if (CommandBarControl* control = TryControlFromHwnd(formerInitiator)) control->ClearHotItem();
}

void CommandBarRegistry::ProgramDeactivated() {
    altAlone_ = false;
    if (inMenuMode_) SetMenuMode(false, 0);
}

WindowHandle CommandBarRegistry::GetActiveForegroundWindow() const { return environment_.ActiveForegroundWindow(); }

bool CommandBarRegistry::IsRootFor(const ButtonRecord& button, WindowHandle topLevel) const {
    for (const BarRecord* bar : button.Bars().Values()) {
        for (const auto& entry : bar->Controls()) {
            if (entry.value.topLevel != topLevel) continue;
            // A popup host keeps the menu it showed last and belongs to the form, but what it
            // shows is still reached through the title that opened it.
            CommandBarControl* control = TryControlFromHwnd(entry.value.control);
            if (control && !control->IsPopupHost() && control->ButtonIndex(button) > 0) return true;
        }
    }
    return false;
}

bool CommandBarRegistry::ProcessAccelerator(std::uint16_t keyCode, std::int32_t shiftBits) {
    WindowHandle foreground = GetActiveForegroundWindow();
    if (foreground == 0) return false;
    std::wstring windowKey = HandleKey(foreground);
    for (const std::shared_ptr<ButtonRecord>& button : buttons_.Values()) {
        if (!button->Enabled()) continue;
        const WindowHandle* target = button->Controls().Find(windowKey);
        if (!target) continue;
        // Buttons inside menus are reached through their titles, so a disabled title keeps its
        // whole menu from firing; only what a control on the form shows directly starts a search.
        if (!IsRootFor(*button, foreground)) continue;
        ButtonRecord* matched = button->FindByShortcut(0, keyCode, shiftBits, true);
        if (!matched) continue;
        if (CommandBarControl* control = TryControlFromHwnd(*target)) {
            std::int32_t index = control->ButtonIndex(*matched);
            if (index == 0) {
                control->RaiseButtonClick(*matched);
            } else {
                control->ClickItem(index);
            }
        }
        return true;
    }
    return false;
}

WindowHandle CommandBarRegistry::GetMainMenuControl() const {
    WindowHandle foreground = GetActiveForegroundWindow();
    if (foreground == 0) return 0;
    for (WindowHandle hwnd : instances_.Values()) {
        CommandBarControl* control = TryControlFromHwnd(hwnd);
        if (control && control->OwnerForm() == foreground && control->MainMenu() && control->Enabled()) return hwnd;
    }
    return 0;
}

CommandBarControl* CommandBarRegistry::GetPopupControl() {
    if (instances_.Empty()) return nullptr;
    if (popupPool_) {
        for (WindowHandle hwnd : popupPool_->Values()) {
            CommandBarControl* control = TryControlFromHwnd(hwnd);
            if (control && !control->InUse()) {
                control->SetInUse(true);
                return control;
            }
        }
    }
    CommandBarControl* first = TryControlFromHwnd(instances_.Item(1));
    if (!first) return nullptr;
    CommandBarControl* fresh = first->RequestInstance();
    if (!fresh) return nullptr;
    WindowHandle hwnd = fresh->Hwnd();
    BindControlWindow(hwnd, fresh, true);
    if (!popupPool_) popupPool_.emplace();
    if (!popupPool_->Contains(HandleKey(hwnd))) popupPool_->Add(hwnd, HandleKey(hwnd));
    fresh->SetInUse(true);
    return fresh;
}

void CommandBarRegistry::ReleasePopupControls() {
    if (!popupPool_) return;
    for (WindowHandle hwnd : popupPool_->Values()) {
        if (CommandBarControl* control = TryControlFromHwnd(hwnd)) control->SetInUse(false);
    }
}

void CommandBarRegistry::ClearPopupPool() {
    if (!popupPool_) return;
    std::vector<WindowHandle> pool = popupPool_->Values();
    popupPool_.reset();
    for (WindowHandle hwnd : pool) {
        if (environment_.WindowExists(hwnd)) BindControlWindow(hwnd, nullptr, false);
    }
}

void CommandBarRegistry::CloseAllMenus() {
    if (!popupPool_) return;
    for (WindowHandle hwnd : instances_.Values()) {
        if (CommandBarControl* control = TryControlFromHwnd(hwnd)) control->CloseMenus(true);
    }
}

void CommandBarRegistry::CloseOtherMenus(WindowHandle except) {
    if (!popupPool_) return;
    for (WindowHandle hwnd : instances_.Values()) {
        if (hwnd == except) continue;
        CommandBarControl* control = TryControlFromHwnd(hwnd);
        if (control && !control->IsPopupHost()) control->CloseMenus(false);
    }
}

bool CommandBarRegistry::TakesPartInMenus(WindowHandle hwnd) const {
    if (!inMenuMode_) return false;
    if (hwnd == menuModeInitiator_ || hwnd == menuModeControl_) return true;
    if (!popupStack_) return false;
    for (const MenuPopupStackEntry& entry : popupStack_->Values()) {
        if (entry.Hwnd() == hwnd || entry.HwndSource() == hwnd) return true;
    }
    return false;
}

WindowHandle CommandBarRegistry::LevelOpener(std::int32_t level) const {
    if (!popupStack_) return 0;
    for (const MenuPopupStackEntry& entry : popupStack_->Values()) {
        if (entry.RecursionLevel() == level) return entry.HwndSource();
    }
    return 0;
}

void CommandBarRegistry::CloseMenusFromLevel(std::int32_t level) {
    if (!popupStack_) return;
    std::vector<MenuPopupStackEntry> entries = popupStack_->Values();
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
        if (entry->RecursionLevel() < level) continue;
        if (CommandBarControl* control = TryControlFromHwnd(entry->Hwnd())) control->CloseMenus(true);
    }
}

void CommandBarRegistry::RefreshAllControls() {
    for (WindowHandle hwnd : instances_.Values()) {
        if (CommandBarControl* control = TryControlFromHwnd(hwnd)) control->StyleChanged();
    }
}

void CommandBarRegistry::PushPopup(WindowHandle popup, WindowHandle source, bool shownAsPopup, bool nested) {
    if (!popupStack_) popupStack_.emplace();
    std::int32_t level = popupStack_->Empty() ? 0 : popupStack_->Item(popupStack_->Count()).RecursionLevel();
    if (nested) ++level;
    MenuPopupStackEntry entry;
    entry.Initialise(popup, source, shownAsPopup, level);
    popupStack_->Add(entry, HandleKey(popup));
    for (const MenuPopupStackEntry& below : popupStack_->Values()) {
        if (below.RecursionLevel() >= level) continue;
        SetControlEnabled(below.Hwnd(), false);
        SetControlEnabled(below.HwndSource(), false);
    }
    popupLevel_ = level;
}

void CommandBarRegistry::PopPopup(WindowHandle popup) {
    if (!popupStack_) return;
    std::wstring key = HandleKey(popup);
    if (const MenuPopupStackEntry* found = popupStack_->Find(key)) {
        MenuPopupStackEntry entry = *found;
        std::vector<MenuPopupStackEntry> entries = popupStack_->Values();
        bool levelShared = false;
        for (const MenuPopupStackEntry& other : entries) {
            if (other.Hwnd() != entry.Hwnd() && other.RecursionLevel() == entry.RecursionLevel()) levelShared = true;
        }
        if (!levelShared) {
            for (const MenuPopupStackEntry& below : entries) {
                if (below.RecursionLevel() != entry.RecursionLevel() - 1) continue;
                SetControlEnabled(below.Hwnd(), true);
                SetControlEnabled(below.HwndSource(), true);
            }
        }
        if (popupStack_ && popupStack_->Contains(key)) popupStack_->Remove(key);
    }
    if (popupStack_ && popupStack_->Empty()) popupStack_.reset();
}

}  // namespace core::commandbar
