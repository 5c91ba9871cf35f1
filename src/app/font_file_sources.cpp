#include "app/font_file_sources.h"

#include <commdlg.h>
#include <shellapi.h>

#include <utility>

#include "app/preferences.h"
#include "core/app/opened_fonts.h"
#include "core/scope_exit.h"
#include "win/library.h"

namespace app {

namespace {

// Marks a WM_COPYDATA block as ours: NUL-ended UTF-16 paths (core::PackFileList).
constexpr ULONG_PTR kFileListData = 0x474C5946;  // "GLYF"
constexpr wchar_t kMainWindowClass[] = L"GlyphoscopeMainWindow";
// A copy still showing its splash opens its main window after six seconds.
constexpr ULONGLONG kMainWindowWaitMs = 10000;
constexpr UINT kAnswerWaitMs = 10000;
// Room for a few thousand names at once.
constexpr std::size_t kDialogBufferChars = 256 * 1024;

std::wstring FullPath(const std::wstring& path) {
    std::wstring full(::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
    if (full.empty()) return path;
    full.resize(::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
    return full;
}

struct OtherCopy {
    HWND window = nullptr;
    DWORD process = 0;
};

BOOL CALLBACK FindOtherMainWindow(HWND hwnd, LPARAM param) {
    wchar_t name[64] = {};
    if (!::GetClassNameW(hwnd, name, static_cast<int>(std::size(name))) || wcscmp(name, kMainWindowClass) != 0) {
        return TRUE;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId()) return TRUE;
    *reinterpret_cast<OtherCopy*>(param) = {hwnd, process};
    return FALSE;
}

}  // namespace

std::vector<std::wstring> ChooseFontFiles(HWND owner) {
    std::wstring buffer(kDialogBufferChars, L'\0');
    const std::wstring folder = prefs::Get(pref::kFontFileFolder).value_or(L"");
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter =
        L"Шрифты (*.ttf;*.otf;*.ttc;*.otc;*.fon;*.fnt)\0*.ttf;*.otf;*.ttc;*.otc;*.fon;*.fnt\0Все файлы (*.*)\0*.*\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = kOpenDialogTitle;
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   OFN_NOCHANGEDIR;
    static const auto openDialog =
        win::LibraryFunction<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!openDialog || !openDialog(&dialog)) return {};
    std::vector<std::wstring> files = core::FilesFromOpenDialog(buffer);
    // One file's offset points past its folder; several files start after the folder's NUL.
    if (!files.empty() && dialog.nFileOffset > 0) prefs::Set(pref::kFontFileFolder, buffer.substr(0, dialog.nFileOffset - 1));
    return files;
}

std::vector<std::wstring> FilesFromCommandLine(const wchar_t* commandLine) {
    // Most starts name no file: shell32 and the libraries it brings load only for one that does.
    if (!commandLine || !core::HasArgumentsAfterProgramName(commandLine)) return {};
    static const auto split =
        win::LibraryFunction<decltype(::CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
    int count = 0;
    LPWSTR* arguments = split ? split(commandLine, &count) : nullptr;
    if (!arguments) return {};
    core::ScopeExit release([arguments] { ::LocalFree(arguments); });
    std::vector<std::wstring> files;
    for (int i = 1; i < count; ++i) {
        if (arguments[i][0] != L'\0') files.push_back(FullPath(arguments[i]));
    }
    return files;
}

bool HandFilesToRunningCopy(const std::vector<std::wstring>& files) {
    OtherCopy other;
    for (const ULONGLONG deadline = ::GetTickCount64() + kMainWindowWaitMs;; ::Sleep(100)) {
        ::EnumWindows(&FindOtherMainWindow, reinterpret_cast<LPARAM>(&other));
        if (other.window || ::GetTickCount64() > deadline) break;
    }
    if (!other.window) return false;
    const std::wstring block = core::PackFileList(files);
    COPYDATASTRUCT data{};
    data.dwData = kFileListData;
    data.cbData = static_cast<DWORD>(block.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(block.data());
    // The user started this copy, so it may let the running one come to the front.
    ::AllowSetForegroundWindow(other.process);
    DWORD_PTR answer = 0;
    return ::SendMessageTimeoutW(other.window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                                 kAnswerWaitMs, &answer) != 0 &&
           answer == TRUE;
}

void FontFileReceiver::Attach(HWND window) {
    window_ = window;
    // All DragAcceptFiles does; shell32 is loaded at the first drop instead of at every start.
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
    timer_.SetOwner(window);
    timer_.SetInterval(1);
    timer_.OnTick([this] {
        timer_.SetEnabled(false);
        const std::vector<std::wstring> files = std::exchange(pending_, {});
        if (!files.empty()) open_(files);
    });
    if (!pending_.empty()) timer_.SetEnabled(true);
}

void FontFileReceiver::Queue(std::vector<std::wstring> files) {
    pending_.insert(pending_.end(), std::make_move_iterator(files.begin()), std::make_move_iterator(files.end()));
    if (window_ && !pending_.empty()) timer_.SetEnabled(true);
}

bool FontFileReceiver::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
    std::vector<std::wstring> files;
    if (message == WM_DROPFILES) {
        static const auto query = win::LibraryFunction<decltype(::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
        static const auto finished = win::LibraryFunction<decltype(::DragFinish)>(L"shell32.dll", "DragFinish");
        const auto drop = reinterpret_cast<HDROP>(wParam);
        core::ScopeExit finish([drop] {
            if (finished) finished(drop);
        });
        const UINT count = query ? query(drop, 0xFFFFFFFF, nullptr, 0) : 0;
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(query(drop, i, nullptr, 0) + 1, L'\0');
            path.resize(query(drop, i, path.data(), static_cast<UINT>(path.size())));
            if (!path.empty()) files.push_back(std::move(path));
        }
    } else if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kFileListData || !data->lpData) return false;
        files = core::UnpackFileList({static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t)});
        if (::IsIconic(window_)) ::ShowWindow(window_, SW_RESTORE);
        ::SetForegroundWindow(window_);
    } else {
        return false;
    }
    Queue(std::move(files));
    return true;
}

}  // namespace app
