// The application object: one per program, created statically; the program's wWinMain hands
// control to RunApplication, which runs InitInstance and, at the end, ExitInstance.
#pragma once

#include "framework/Context.h"

#include <windows.h>

#include <string>

namespace fw {

class Window;

class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // The whole run happens here for a dialog-based program. Returning false ends the program.
    virtual bool InitInstance() { return true; }
    // Called on every way out; its result is the process exit code.
    virtual int ExitInstance() { return 0; }

    static Application* Current();

    HINSTANCE Instance() const { return instance_; }
    const std::wstring& CommandLine() const { return commandLine_; }

    // The current resource library and the language of its numbered strings: what the program
    // hands its windows, and where numbered strings are looked up for modules loaded into it.
    const Resources& CurrentResources() const { return resources_; }
    void SetCurrentResources(Resources resources) { resources_ = resources; }

    Window* MainWindow() const { return mainWindow_; }
    void SetMainWindow(Window* window) { mainWindow_ = window; }

private:
    friend int RunApplication(HINSTANCE instance, const wchar_t* commandLine);
    HINSTANCE instance_ = nullptr;
    std::wstring commandLine_;
    Resources resources_;
    Window* mainWindow_ = nullptr;
};

// Runs the current application: common controls, InitInstance, a message loop while a main
// window exists after it, then ExitInstance, whose result is returned.
int RunApplication(HINSTANCE instance, const wchar_t* commandLine);

} // namespace fw
