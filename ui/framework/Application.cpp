// The application object and the run of a program: hooks, common controls, resources.
#include "framework/Application.h"

#include "framework/MessageLoop.h"
#include "framework/Window.h"

#include <commctrl.h>

namespace fw {

namespace {
Application* currentApplication = nullptr;
}

Application::Application() {
    currentApplication = this;
    instance_ = GetModuleHandleW(nullptr);
}

Application::~Application() {
    if (currentApplication == this)
        currentApplication = nullptr;
}

Application* Application::Current() { return currentApplication; }

int RunApplication(HINSTANCE instance, const wchar_t* commandLine) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Application* app = Application::Current();
    if (!app)
        return 0;
    app->instance_ = instance;
    app->commandLine_ = commandLine ? commandLine : L"";
    if (app->InitInstance()) {
        // A program that leaves a main window open runs until that window is gone.
        PumpMessagesWhile([app] { return app->MainWindow() && app->MainWindow()->Hwnd(); });
    }
    return app->ExitInstance();
}

} // namespace fw
