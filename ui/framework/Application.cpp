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

HMODULE ResourceModule() {
    const Application* app = Application::Current();
    return app ? app->ResourceModule() : GetModuleHandleW(nullptr);
}

HICON LoadIconResource(UINT id) { return LoadIconW(ResourceModule(), MAKEINTRESOURCEW(id)); }

HBITMAP LoadBitmapResource(UINT id) {
    return static_cast<HBITMAP>(LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0));
}

std::wstring LoadStringResource(UINT id) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW answers a read-only pointer into the resource.
    const int length = LoadStringW(ResourceModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

} // namespace fw
