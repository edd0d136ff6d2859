#include "LauncherApp.h"

#include "win32/ComApartment.h"

// The one application object, made before the run starts.
CLauncherApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    // The thread of every window keeps its apartment for the whole run.
    const win32::ComApartment apartment;
    return fw::RunApplication(instance, commandLine);
}
