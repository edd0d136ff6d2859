#include "LauncherApp.h"

// The one application object, made before the run starts.
CLauncherApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    return fw::RunApplication(instance, commandLine);
}
