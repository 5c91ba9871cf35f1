#pragma once
// Functions of libraries the program needs now and then (the colour and file dialogs, the click
// sound, screen readers' objects). Imported, each would load at every start with the libraries it
// imports in turn; taken by name, it loads at its first call and stays for the process's life.

#include <windows.h>

#include <cwchar>

namespace win {

// The export `name` of the system library `library` (a file name), loading the library when it
// is not loaded yet; null when either cannot be had.
template <typename Function>
Function* LibraryFunction(const wchar_t* library, const char* name) noexcept {
    HMODULE module = ::GetModuleHandleW(library);
    if (!module) {
        // From the system folder only: a library of that name beside the program is not the system's.
        wchar_t path[MAX_PATH] = {};
        const UINT folder = ::GetSystemDirectoryW(path, MAX_PATH);
        const std::size_t length = std::wcslen(library);
        if (folder == 0 || folder + 1 + length >= MAX_PATH) return nullptr;
        path[folder] = L'\\';
        std::wmemcpy(path + folder + 1, library, length + 1);
        module = ::LoadLibraryW(path);
    }
    if (!module) return nullptr;
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

}  // namespace win
