// Glyphoscope.exe
#include <windows.h>
#include <ole2.h>

#include "app/font_file_sources.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "core/scope_exit.h"
#include "win/module.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    core::SetExecutableName(win::ExecutableBaseName());
    // Screen readers reach the menus and tool bars through COM: their objects are marshalled.
    const HRESULT com = ::OleInitialize(nullptr);
    core::ScopeExit uninitialise([com] {
        if (SUCCEEDED(com)) ::OleUninitialize();
    });
    return app::RunProgram(app::MakeSplashLauncher(), app::FilesFromCommandLine(::GetCommandLineW()));
}
