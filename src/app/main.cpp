// Glyphoscope.exe
#include <windows.h>

#include "app/startup.h"
#include "win/module.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    core::SetExecutableName(win::ExecutableBaseName());
    return app::RunProgram();
}
