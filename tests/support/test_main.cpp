// main() of every Windows test executable: the process starts the way the program does.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "core/scope_exit.h"
#include "win/error_report.h"
#include "win/module.h"

int main(int argc, char** argv) {
    ::SetProcessDPIAware();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&controls);
    core::SetExecutableName(win::ExecutableBaseName());
    const HRESULT com = ::OleInitialize(nullptr);
    core::ScopeExit uninitialise([com] {
        if (SUCCEEDED(com)) ::OleUninitialize();
    });
    // An error that reaches a callback boundary outside an ErrorCapture fails the running test.
    win::SetErrorReporter([](const core::RuntimeError& error) {
        ADD_FAILURE() << "unexpected error " << error.Number() << " from a callback: " << error.what();
    });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
