#pragma once
// The thread's keyboard and mouse hooks of the command bar. Each hook is installed while at least
// one owner key holds it. What the hooks do with a message is handed in by the menu interaction;
// until then they pass every message on.

#include <windows.h>

#include <cstdint>
#include <functional>

namespace commandbar {

// Returns true when the message was consumed and must not reach its window.
using HookHandler = std::function<bool(int code, WPARAM wParam, LPARAM lParam)>;

void InstallKeyboardHook(std::int32_t ownerKey);
void RemoveKeyboardHook(std::int32_t ownerKey);
void InstallMouseHook(std::int32_t ownerKey);
void RemoveMouseHook(std::int32_t ownerKey);
bool KeyboardHookInstalled();
bool MouseHookInstalled();

// True while a hook handler of this thread runs. The message it decides on is still in the queue
// then: a modal loop started from there would receive it again.
bool InsideInputHook();

// Replaces the procedure body; returns the previous one.
HookHandler SetKeyboardHookHandler(HookHandler handler);
HookHandler SetMouseHookHandler(HookHandler handler);

// Sets a hook of the type on the current thread; null when that fails. SetWindowsHookExW unless
// replaced (tests do, to see an installation fail). Returns the previous one.
using HookSetter = HHOOK (*)(int type, HOOKPROC procedure);
HookSetter SetHookSetter(HookSetter setter);

}  // namespace commandbar
