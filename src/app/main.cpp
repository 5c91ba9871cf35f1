// Glyphoscope.exe
#include <windows.h>

#include "app/font_file_sources.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "win/module.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    core::SetExecutableName(win::ExecutableBaseName());
    return app::RunProgram(app::MakeSplashLauncher(), app::FilesFromCommandLine(::GetCommandLineW()));
}
