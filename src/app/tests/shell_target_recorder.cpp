// Stands in for the programs the shell would start (browser, mail client, document viewer) in
// the real program's tests: appends the target it is handed, as one line of UTF-8, to the file
// the test registered it with.
//   shell_target_recorder.exe RECORD-FILE TARGET
// A windows program, so that no console opens and takes the foreground from the program.

#include <windows.h>

#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    const std::unique_ptr<wchar_t*, decltype(&::LocalFree)> arguments(::CommandLineToArgvW(::GetCommandLineW(), &argc),
                                                                       &::LocalFree);
    wchar_t** argv = arguments.get();
    if (!argv || argc != 3) return 2;
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return 1;
    std::string target(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, argv[2], -1, target.data(), size, nullptr, nullptr);
    target.back() = '\n';
    std::ofstream record(std::filesystem::path(argv[1]), std::ios::binary | std::ios::app);
    record << target;
    return record ? 0 : 1;
}
