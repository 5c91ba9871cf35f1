#include "commandbar/command_bar_hooks.h"

#include <set>
#include <utility>

#include "win/error_report.h"
#include "win/handles.h"

namespace commandbar {

namespace {

struct ThreadHook {
    int type;
    HOOKPROC procedure;
    std::set<std::int32_t> owners;
    win::UniqueHook hook;
    HookHandler handler;
};

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam);

// The hooks are per thread by nature; the program has one user-interface thread.
ThreadHook& KeyboardHook() {
    static ThreadHook hook{WH_KEYBOARD, &KeyboardProc, {}, {}, {}};
    return hook;
}

ThreadHook& MouseHook() {
    static ThreadHook hook{WH_MOUSE, &MouseProc, {}, {}, {}};
    return hook;
}

HHOOK SetThreadHook(int type, HOOKPROC procedure) {
    return ::SetWindowsHookExW(type, procedure, nullptr, ::GetCurrentThreadId());
}

HookSetter& CurrentSetter() {
    static HookSetter setter = &SetThreadHook;
    return setter;
}

thread_local int hookDepth = 0;

LRESULT Dispatch(ThreadHook& hook, int code, WPARAM wParam, LPARAM lParam) {
    bool consumed = false;
    if (code >= 0 && hook.handler) {
        ++hookDepth;
        win::GuardCallback([&] { consumed = hook.handler(code, wParam, lParam); });
        --hookDepth;
    }
    if (consumed) return 1;
    return ::CallNextHookEx(hook.hook.get(), code, wParam, lParam);
}

LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
    return Dispatch(KeyboardHook(), code, wParam, lParam);
}

LRESULT CALLBACK MouseProc(int code, WPARAM wParam, LPARAM lParam) {
    return Dispatch(MouseHook(), code, wParam, lParam);
}

// An owner is listed only once the hook is really set: after a failed installation nobody holds
// it, and the next install tries again.
void Install(ThreadHook& hook, std::int32_t ownerKey) {
    if (!hook.hook) hook.hook.reset(CurrentSetter()(hook.type, hook.procedure));
    if (hook.hook) hook.owners.insert(ownerKey);
}

void Remove(ThreadHook& hook, std::int32_t ownerKey) {
    hook.owners.erase(ownerKey);
    if (hook.owners.empty()) hook.hook.reset();
}

}  // namespace

void InstallKeyboardHook(std::int32_t ownerKey) { Install(KeyboardHook(), ownerKey); }
void RemoveKeyboardHook(std::int32_t ownerKey) { Remove(KeyboardHook(), ownerKey); }
void InstallMouseHook(std::int32_t ownerKey) { Install(MouseHook(), ownerKey); }
void RemoveMouseHook(std::int32_t ownerKey) { Remove(MouseHook(), ownerKey); }
bool KeyboardHookInstalled() { return static_cast<bool>(KeyboardHook().hook); }
bool MouseHookInstalled() { return static_cast<bool>(MouseHook().hook); }

bool InsideInputHook() { return hookDepth > 0; }

HookHandler SetKeyboardHookHandler(HookHandler handler) {
    return std::exchange(KeyboardHook().handler, std::move(handler));
}

HookHandler SetMouseHookHandler(HookHandler handler) { return std::exchange(MouseHook().handler, std::move(handler)); }

HookSetter SetHookSetter(HookSetter setter) { return std::exchange(CurrentSetter(), setter); }

}  // namespace commandbar
